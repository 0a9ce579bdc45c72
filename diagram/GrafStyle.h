#pragma once
// Fonts and colours that the diagram window's controls share, the fixed
// dialog frame of the diagram window and the library's windows, and the look
// of the scroll bars of its list pages and the stress window.
#include "Canvas.h"

#include <QFont>
#include <QPalette>
#include <QWidget>

class QAbstractScrollArea;

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

// A dialog frame of a fixed size with a title, the system menu and the close box.
inline void SetFixedDialogFrame(QWidget* Window)
{
    Window->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
}

// The same frame, Width x Height.
inline void SetFixedDialogFrame(QWidget* Window, int Width, int Height)
{
    SetFixedDialogFrame(Window);
    Window->setFixedSize(Width, Height);
}

// Area's scroll bars draw their thumb darker than the groove. The style's own
// thumb is the lighter part, so a thumb that fills most of a bar reads as the
// groove, and the groove's rest as a thumb (two of them when it stands in the
// middle).
void UseDarkThumbs(QAbstractScrollArea* Area);
