#pragma once
// Fonts and colours that the diagram window's controls share.
#include "Canvas.h"

#include <QFont>
#include <QPalette>
#include <QWidget>

inline QFont TimesFont(int Size, bool Bold)
{
    TCanvasFont f;
    f.Name = QStringLiteral("Times New Roman");
    f.Size = Size;
    f.Bold = Bold;
    return f.ToQFont();
}

// A control filled with Color behind its children.
inline void SetBackground(QWidget* W, TColor Color)
{
    W->setAutoFillBackground(true);
    QPalette p = W->palette();
    p.setColor(QPalette::Window, ToQColor(Color));
    W->setPalette(p);
}
