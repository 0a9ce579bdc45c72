#pragma once
// A clipboard of the test's own: the text set, whether it holds text, and how
// often it was emptied.
//
//   FakeClipboard clip;  SetClipboardLayer(&clip);  ...  SetClipboardLayer(nullptr);
#include "ClipboardLayer.h"

#include <QString>

class FakeClipboard : public IClipboard {
public:
    QString text;
    bool has = true;
    int clears = 0;
    bool HasText() override { return has; }
    QString Text() override { return text; }
    void SetText(const QString& t) override { text = t; }
    void Clear() override
    {
        ++clears;
        text.clear();
        has = false;
    }
};
