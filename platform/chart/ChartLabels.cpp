// Placing the axis labels: the names at their bars or points and the values
// at round steps, set out beside the plot without overlapping, and the room
// kept around the plot for them.
#include "ChartParts.h"

#include <QCategoryAxis>
#include <QChart>
#include <QFontMetricsF>
#include <QLegend>

#include <algorithm>
#include <cmath>

using namespace ChartParts;

namespace ChartParts {

std::vector<TChartLabel> SetOutLabels(const std::vector<std::pair<double, QString>>& Labels, const QRectF& Plot,
                                      double Lo, double Hi, bool Vertical, double Offset, const QFont& Font)
{
    std::vector<TChartLabel> out;
    if (Labels.empty() || !(Hi > Lo))
        return out;
    const QFontMetricsF fm(Font);
    struct Placed {
        double centre;
        QSizeF size;
        const QString* text;
        size_t row;
    };
    std::vector<Placed> placed;
    for (const auto& [value, text] : Labels) {
        const double f = (value - Lo) / (Hi - Lo);
        const double centre = Vertical ? Plot.bottom() - f * Plot.height() : Plot.left() + f * Plot.width();
        placed.push_back({ centre, QSizeF(fm.horizontalAdvance(text), fm.height()), &text, 0 });
    }
    std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) { return a.centre < b.centre; });
    std::vector<double> rowEnd;   // where the last label of each row ends along the axis
    std::vector<double> rowDepth; // how far each row reaches away from the axis
    for (Placed& p : placed) {
        const double along = Vertical ? p.size.height() : p.size.width();
        const double start = p.centre - along / 2;
        size_t row = 0;
        while (row < rowEnd.size() && rowEnd[row] + kLabelGap > start)
            ++row;
        if (row == rowEnd.size()) {
            rowEnd.push_back(0);
            rowDepth.push_back(0);
        }
        rowEnd[row] = start + along;
        rowDepth[row] = std::max(rowDepth[row], Vertical ? p.size.width() : p.size.height());
        p.row = row;
    }
    std::vector<double> rowOffset(rowDepth.size(), 0);
    for (size_t r = 1; r < rowDepth.size(); ++r)
        rowOffset[r] = rowOffset[r - 1] + rowDepth[r - 1] + (Vertical ? kLabelGap : 0);
    for (const Placed& p : placed) {
        QRectF r(QPointF(0, 0), p.size);
        if (Vertical) {
            r.moveRight(Plot.left() - Offset - rowOffset[p.row]);
            r.moveTop(p.centre - p.size.height() / 2);
        } else {
            r.moveLeft(p.centre - p.size.width() / 2);
            r.moveTop(Plot.bottom() + Offset + rowOffset[p.row]);
        }
        out.push_back({ *p.text, r });
    }
    return out;
}

} // namespace ChartParts

bool TQtChart::PlaceRoom(double Left, double Right, double Bottom)
{
    const int right = std::max(markRoom_, static_cast<int>(std::ceil(Right)) + 2);
    const QMargins margins(c_.MarginLeft + static_cast<int>(std::ceil(Left)), 4 + kDepth,
                           legendShown_ ? 4 : std::max(right, kDepth + 4), 4 + static_cast<int>(std::ceil(Bottom)));
    const int legend = legendShown_ ? right : 0;
    qreal legendNow = 0, unused = 0;
    chart_->legend()->getContentsMargins(&legendNow, &unused, &unused, &unused);
    if (margins == chart_->margins() && legend == legendNow)
        return false;
    chart_->legend()->setContentsMargins(legend, 0, 0, 0);
    chart_->setMargins(margins);
    return true;
}

void TQtChart::FitLabels()
{
    const QRectF plot = PlotAreaF();
    if (plot.width() < 1 || plot.height() < 1 || fits_ >= kMaxFits)
        return;
    bool changed = false;
    for (TAxisLabelLine* line : { &leftLabels_, &bottomLabels_ }) {
        if (!line->Grid)
            continue;
        auto shown = line->Visible ? RoundLabels(line->Lo, line->Hi, line->Vertical ? plot.height() : plot.width(),
                                                 *line->Axis, line->Vertical)
                                   : std::vector<std::pair<double, QString>>();
        if (shown == line->Shown)
            continue;
        line->Shown = std::move(shown);
        for (const QString& c : line->Grid->categoriesLabels())
            line->Grid->remove(c);
        for (const auto& [value, text] : line->Shown)
            line->Grid->append(text, value);
        changed = true;
    }
    // The room the labels reach into left of, right of and below the plot.
    double left = 0, right = 0, bottom = 0;
    for (const TChartLabel& l : AxisLabels()) {
        left = std::max(left, plot.left() - l.Rect.left());
        right = std::max(right, l.Rect.right() - plot.right());
        bottom = std::max(bottom, l.Rect.bottom() - plot.bottom());
    }
    changed = PlaceRoom(left, right, bottom) || changed;
    // Each change lays the chart out again; should the labels and the room
    // ever chase each other, the last fitting stands.
    if (changed) {
        ++fits_;
        refitted_ = true;
    }
}

std::vector<TChartLabel> TQtChart::LineLabels(const TAxisLabelLine& Line) const
{
    if (!Line.Visible)
        return {};
    // Below the plot, clear of a left label standing at the bottom end.
    double offset = kLabelGap;
    if (!Line.Vertical) {
        offset = kBelowGap;
        if (leftLabels_.Visible)
            offset = std::max(offset, std::ceil(QFontMetricsF(c_.LeftAxis.LabelsFont.ToQFont()).height() / 2) + 1);
    }
    return SetOutLabels(Line.Shown, PlotAreaF(), Line.Lo, Line.Hi, Line.Vertical, offset,
                        Line.Axis->LabelsFont.ToQFont());
}

std::vector<TChartLabel> TQtChart::AxisLabels() const
{
    std::vector<TChartLabel> labels = LineLabels(leftLabels_);
    const std::vector<TChartLabel> bottom = LineLabels(bottomLabels_);
    labels.insert(labels.end(), bottom.begin(), bottom.end());
    return labels;
}

QRectF TQtChart::PlotAreaF() const
{
    return chart_->mapToScene(chart_->plotArea()).boundingRect();
}

QRect TQtChart::PlotRect() const
{
    const QRectF a = PlotAreaF();
    const int left = qRound(a.left()), top = qRound(a.top());
    return QRect(left, top, qRound(a.right()) - left, qRound(a.bottom()) - top);
}
