// Painting the chart: the view draws the layer's background beneath the Qt
// series, and above them the depth, the frame, the axis labels and the marks.
#include "ChartParts.h"
#include "ChartView.h"

#include <QChart>
#include <QLocale>
#include <QPainter>

#include <algorithm>

using namespace ChartParts;

namespace ChartParts {

QString MarkText(double Value)
{
    return QLocale::system().toString(Value, 'g', 7);
}

QSizeF MarkSize(const QFontMetrics& Metrics, const QString& Text)
{
    return QSizeF(Metrics.horizontalAdvance(Text) + 6, Metrics.height() + 2);
}

} // namespace ChartParts

namespace {

// A mark: the text in a pale box with a black border, kept inside Bounds.
void DrawMark(QPainter& P, QRectF Box, const QString& Text, const QRectF& Bounds)
{
    if (Box.right() > Bounds.right())
        Box.moveRight(Bounds.right());
    if (Box.left() < Bounds.left())
        Box.moveLeft(Bounds.left());
    if (Box.top() < Bounds.top())
        Box.moveTop(Bounds.top());
    if (Box.bottom() > Bounds.bottom())
        Box.moveBottom(Bounds.bottom());
    P.setPen(QPen(Qt::black, 1));
    P.setBrush(QColor(255, 255, 225));
    P.drawRect(Box);
    P.drawText(Box, Qt::AlignCenter, Text);
}

} // namespace

void TChartViewImpl::drawBackground(QPainter* Painter, const QRectF&)
{
    Painter->save();
    owner_->DrawBackground(*Painter);
    Painter->restore();
}

void TChartViewImpl::drawForeground(QPainter* Painter, const QRectF&)
{
    Painter->save();
    owner_->DrawExtras(*Painter);
    Painter->restore();
}

std::vector<TQtChart::TSeriesShape> TQtChart::SeriesShapes() const
{
    std::vector<TSeriesShape> shapes;
    for (size_t k = 0; k < static_cast<size_t>(c_.SeriesCount()) && k < qtSeries_.size(); ++k) {
        const TChartSeries* s = c_.Series(static_cast<int>(k));
        QAbstractSeries* q = qtSeries_[k];
        if (!q || !s->Active)
            continue;
        TSeriesShape shape;
        shape.Series = s;
        if (const auto* bars = dynamic_cast<const THorizBarSeries*>(s)) {
            const double half = bars->BarWidthPercent / 200.0;
            const double origin = bars->UseYOrigin ? bars->YOrigin : 0;
            for (int i = 0; i < bars->Count(); ++i) {
                const QPointF a = chart_->mapToScene(chart_->mapToPosition(QPointF(0, i + half), q));
                const QPointF b = chart_->mapToScene(chart_->mapToPosition(QPointF(bars->Points[i].X - origin, i - half), q));
                shape.Bars.push_back(QRectF(a, b).normalized());
            }
        } else if (dynamic_cast<const TLineSeries*>(s)) {
            for (const TChartPoint& p : s->Points)
                shape.Points.push_back(chart_->mapToScene(chart_->mapToPosition(QPointF(p.X, p.Y), q)));
        }
        shapes.push_back(std::move(shape));
    }
    return shapes;
}

void TQtChart::DrawExtras(QPainter& P)
{
    P.setRenderHint(QPainter::Antialiasing);
    const std::vector<TSeriesShape> shapes = SeriesShapes();
    // Depth of the series first, then the frame over the grid and the axis
    // lines, then the axis labels, then the marks over everything.
    if (c_.View3D)
        DrawDepth(P, shapes);
    if (c_.Frame.Visible && c_.Frame.Style != psClear && c_.Frame.Width > 0) {
        static const Qt::PenStyle kStyles[] = { Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                                Qt::DashDotDotLine, Qt::NoPen };
        P.setRenderHint(QPainter::Antialiasing, false);
        P.setPen(QPen(ToQColor(c_.Frame.Color), c_.Frame.Width, kStyles[c_.Frame.Style]));
        P.setBrush(Qt::NoBrush);
        P.drawRect(PlotRect());
        P.setRenderHint(QPainter::Antialiasing);
    }
    for (const TAxisLabelLine* line : { &leftLabels_, &bottomLabels_ }) {
        P.setFont(line->Axis->LabelsFont.ToQFont());
        P.setPen(ToQColor(line->Axis->LabelsFont.Color));
        for (const TChartLabel& l : LineLabels(*line))
            P.drawText(l.Rect, Qt::AlignCenter, l.Text);
    }

    // A mark stays inside the chart and off the labels left of the plot: a
    // bar's beside its end (and its depth), a point's above it.
    QRectF bounds = QRectF(c_.rect()).adjusted(1, 1, -1, -1);
    bounds.setLeft(std::max(bounds.left(), PlotAreaF().left()));
    const QFont font = c_.Legend.Font.ToQFont();
    const QFontMetrics fm(font);
    P.setFont(font);
    for (const TSeriesShape& shape : shapes) {
        const TChartSeries& s = *shape.Series;
        if (!s.Marks.Visible || s.Marks.Style != smsValue)
            continue;
        for (size_t i = 0; i < shape.Bars.size(); ++i) {
            const QRectF& r = shape.Bars[i];
            const QString t = MarkText(s.Points[i].X);
            const QSizeF size = MarkSize(fm, t);
            DrawMark(P, QRectF(QPointF(r.right() + (c_.View3D ? kDepth : 0) + kMarkGap, r.center().y() - size.height() / 2), size),
                     t, bounds);
        }
        for (size_t i = 0; i < shape.Points.size(); ++i) {
            const QPointF& p = shape.Points[i];
            const QString t = MarkText(s.Points[i].Y);
            const QSizeF size = MarkSize(fm, t);
            DrawMark(P, QRectF(QPointF(p.x() - size.width() / 2, p.y() - size.height() - 10), size), t, bounds);
        }
    }
}
