// The three-dimensional view: the plot is the front of a box of depth kDepth
// whose back lies up and to the right; the walls lie within the plot and the
// room kept above and right of it, never over the labels. Bars get a shaded
// top and side, lines a ribbon.
#include "ChartParts.h"

#include <QPainter>
#include <QPolygonF>

using namespace ChartParts;

void TQtChart::DrawBackground(QPainter& P)
{
    P.fillRect(c_.rect(), ToQColor(c_.Color));
    const QRectF area = PlotAreaF();
    if (!c_.View3D) {
        P.fillRect(area, ToQColor(c_.BackColor));
        return;
    }
    // The back wall, the left wall and the floor.
    const QPointF d(kDepth, -kDepth);
    P.setRenderHint(QPainter::Antialiasing, false);
    P.fillRect(area.translated(d), ToQColor(c_.BackColor));
    const QColor wl = ToQColor(c_.LeftWall.Color), wb = ToQColor(c_.BottomWall.Color);
    P.setPen(QPen(wl.darker(150), 1));
    P.setBrush(wl.darker(110));
    P.drawPolygon(QPolygonF({ area.topLeft(), area.topLeft() + d, area.bottomLeft() + d, area.bottomLeft() }));
    P.setPen(QPen(wb.darker(150), 1));
    P.setBrush(wb.darker(115));
    P.drawPolygon(QPolygonF({ area.bottomLeft(), area.bottomLeft() + d, area.bottomRight() + d, area.bottomRight() }));
}

void TQtChart::DrawDepth(QPainter& P, const std::vector<TSeriesShape>& Shapes) const
{
    const QPointF d(kDepth, -kDepth);
    for (const TSeriesShape& shape : Shapes) {
        for (size_t i = 0; i < shape.Bars.size(); ++i) {
            const QRectF& r = shape.Bars[i];
            const QColor c = ToQColor(shape.Series->Points[i].Color);
            P.setPen(QPen(c.darker(170), 1));
            P.setBrush(c.lighter(125));
            P.drawPolygon(QPolygonF({ r.topLeft(), r.topLeft() + d, r.topRight() + d, r.topRight() }));
            P.setBrush(c.darker(150));
            P.drawPolygon(QPolygonF({ r.topRight(), r.topRight() + d, r.bottomRight() + d, r.bottomRight() }));
        }
        const std::vector<QPointF>& pts = shape.Points;
        if (pts.size() < 2)
            continue;
        const QColor c = ToQColor(shape.Series->SeriesColor);
        for (size_t i = 0; i + 1 < pts.size(); ++i) {
            P.setPen(QPen(c.darker(170), 1));
            P.setBrush(c.lighter(130));
            P.drawPolygon(QPolygonF({ pts[i], pts[i] + d, pts[i + 1] + d, pts[i + 1] }));
        }
        // The line again over its ribbon.
        P.setPen(QPen(c, 2));
        for (size_t i = 0; i + 1 < pts.size(); ++i)
            P.drawLine(pts[i], pts[i + 1]);
    }
}
