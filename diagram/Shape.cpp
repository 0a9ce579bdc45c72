#include "Shape.h"

#include <QPainter>

#include <algorithm>

// A circle takes the largest square centred in the control; the pen's one
// pixel lies inside it.
void TShape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, Shape == stCircle);
    painter.setPen(QPen(ToQColor(PenColor), 1));
    painter.setBrush(ToQColor(BrushColor));
    if (Shape == stCircle) {
        const int d = std::min(width(), height());
        const QRectF square((width() - d) / 2.0, (height() - d) / 2.0, d, d);
        painter.drawEllipse(square.adjusted(0.5, 0.5, -0.5, -0.5));
    } else {
        painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    }
}
