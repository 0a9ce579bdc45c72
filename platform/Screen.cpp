#include "Screen.h"

#include <QGuiApplication>
#include <QScreen>

namespace {
QSize g_screenSize;
}

QSize VirtualScreenSize()
{
    if (g_screenSize.isValid() && !g_screenSize.isEmpty())
        return g_screenSize;
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->virtualSize() : QSize(1024, 768);
}

void SetVirtualScreenSize(QSize Size)
{
    g_screenSize = Size;
}
