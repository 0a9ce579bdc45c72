#pragma once
// Lets a shown window finish its layout and painting before a screenshot.
#include <QApplication>
#include <QThread>

inline void Settle()
{
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
        QThread::msleep(20);
    }
}
