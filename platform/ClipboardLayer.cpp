#include "ClipboardLayer.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

class QtClipboard : public IClipboard {
public:
    bool HasText() override
    {
        const QMimeData* d = QGuiApplication::clipboard()->mimeData();
        return d && d->hasText();
    }
    QString Text() override { return QGuiApplication::clipboard()->text(); }
    void SetText(const QString& Text) override { QGuiApplication::clipboard()->setText(Text); }
    void Clear() override { QGuiApplication::clipboard()->clear(); }
};

IClipboard* g_override = nullptr;

} // namespace

IClipboard& ClipboardLayer()
{
    static QtClipboard real;
    return g_override ? *g_override : real;
}

void SetClipboardLayer(IClipboard* Clipboard)
{
    g_override = Clipboard;
}
