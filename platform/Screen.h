#pragma once
// The virtual screen: the size of the desktop across every monitor
// (SM_CXVIRTUALSCREEN, SM_CYVIRTUALSCREEN).
#include <QSize>

QSize VirtualScreenSize();
// Tests put a size of their own in place; an empty size restores the screen's.
void SetVirtualScreenSize(QSize Size);
