#pragma once
// The clipboard's plain text (CF_TEXT).
#include <QString>

class IClipboard {
public:
    virtual ~IClipboard() = default;
    virtual bool HasText() = 0;
    virtual QString Text() = 0;
    virtual void SetText(const QString& Text) = 0;
    virtual void Clear() = 0;
};

IClipboard& ClipboardLayer();
// Tests put their own clipboard in place; nullptr restores the real one.
void SetClipboardLayer(IClipboard* Clipboard);
