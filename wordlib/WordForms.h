#pragma once
// Set-up that the library's windows share.
#include <QFont>
#include <QWidget>

// The window's font turned to Times New Roman, its size kept.
inline void UseTimesFamily(QWidget* Window)
{
    QFont f = Window->font();
    f.setFamily(QStringLiteral("Times New Roman"));
    Window->setFont(f);
}
