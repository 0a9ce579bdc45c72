// The wait message: a small modeless window shown while a command works.
#include "SiblingExport.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace {

QWidget* g_wait = nullptr;

void DestroyWait()
{
    delete g_wait;
    g_wait = nullptr;
}

// The window's code lives in this module: it must not outlive it.
__attribute__((destructor)) void OnUnload()
{
    DestroyWait();
}

} // namespace

SIBLING_EXPORT void CreateMyMessage()
{
    DestroyWait();
    auto* w = new QFrame(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    w->setObjectName(QStringLiteral("WaitMessage"));
    w->setFrameShape(QFrame::Box);
    w->setLineWidth(2);
    w->setAttribute(Qt::WA_ShowWithoutActivating);
    auto* layout = new QVBoxLayout(w);
    layout->setContentsMargins(24, 16, 24, 16);
    auto* text = new QLabel(QStringLiteral("Подождите..."), w);
    QFont f = text->font();
    f.setPointSize(f.pointSize() + 4);
    f.setBold(true);
    text->setFont(f);
    text->setAlignment(Qt::AlignCenter);
    layout->addWidget(text);
    w->adjustSize();
    if (const QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect r = s->geometry();
        w->move(r.center() - QPoint(w->width() / 2, w->height() / 2));
    }
    g_wait = w;
}

SIBLING_EXPORT void ShowMyMessage()
{
    if (!g_wait)
        CreateMyMessage();
    g_wait->show();
    g_wait->raise();
    // The caller keeps the event loop busy; paint now.
    g_wait->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

SIBLING_EXPORT void DestroyMyMessage()
{
    DestroyWait();
}
