#pragma once
// Set-up that the library's windows share.
#include <QFont>
#include <QWidget>

// A dialog frame of a fixed size with a title, the system menu and the close box.
inline void SetFixedDialogFrame(QWidget* Window, int Width, int Height)
{
    Window->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    Window->setFixedSize(Width, Height);
}

// The window's font turned to Times New Roman, its size kept.
inline void UseTimesFamily(QWidget* Window)
{
    QFont f = Window->font();
    f.setFamily(QStringLiteral("Times New Roman"));
    Window->setFont(f);
}
