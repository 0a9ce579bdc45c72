#include "Chart.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHorizontalStackedBarSeries>
#include <QLineSeries>
#include <QLocale>
#include <QPainter>
#include <QPolygonF>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <tuple>
#include <utility>
#include <vector>

namespace {

constexpr int kDepth = 10;    // pixels of the three-dimensional view's depth
constexpr int kMarkGap = 4;   // pixels between a bar and its mark
constexpr int kLabelGap = 4;  // pixels between the plot and the labels left of it, and between labels
constexpr int kBelowGap = 6;  // pixels between the plot and the labels of the bottom axis
constexpr int kMaxFits = 6;   // label fittings that may change the layout in a row

double MinOf(const std::vector<TChartPoint>& p, double TChartPoint::*f)
{
    if (p.empty())
        return 0;
    double m = p.front().*f;
    for (const TChartPoint& q : p)
        m = std::min(m, q.*f);
    return m;
}

double MaxOf(const std::vector<TChartPoint>& p, double TChartPoint::*f)
{
    if (p.empty())
        return 0;
    double m = p.front().*f;
    for (const TChartPoint& q : p)
        m = std::max(m, q.*f);
    return m;
}

QString MarkText(double v)
{
    return QLocale::system().toString(v, 'g', 7);
}

QSizeF MarkSize(const QFontMetrics& Metrics, const QString& Text)
{
    return QSizeF(Metrics.horizontalAdvance(Text) + 6, Metrics.height() + 2);
}

// The decimals a step's multiples need (a step of 0.25 two, of 20 none).
int DecimalsOf(double Step)
{
    for (int d = 0; d < 15; ++d) {
        const double scaled = Step * std::pow(10.0, d);
        if (std::abs(scaled - std::round(scaled)) <= 1e-9 * scaled)
            return d;
    }
    return 15;
}

// The least round step (1, 2 or 5 times a power of ten) above Step.
double NextRoundStep(double Step)
{
    const double power = std::pow(10.0, std::floor(std::log10(Step)));
    for (double m : { 1.0, 2.0, 5.0, 10.0 })
        if (m * power > Step * (1 + 1e-9))
            return m * power;
    return 20 * power;
}

// The labels of a value axis from Lo to Hi, Length pixels long: the multiples
// within the range of the least step at which neighbouring labels keep
// Separation percent of their size apart. The steps tried are Increment (when
// set) and the round steps above it. Each label reads the value it stands at.
std::vector<std::pair<double, QString>> RoundLabels(double Lo, double Hi, double Length, const TChartAxis& Axis,
                                                    bool Vertical)
{
    std::vector<std::pair<double, QString>> labels;
    const double range = Hi - Lo;
    if (!(range > 0) || !std::isfinite(range) || !(Length > 0))
        return labels;
    const QFontMetricsF fm(Axis.LabelsFont.ToQFont());
    const QLocale locale = QLocale::system();
    const double spread = 1 + std::max(0, Axis.LabelsSeparation) / 100.0;
    // No label is smaller than a line's height or a digit's width.
    const double least = (Vertical ? fm.height() : fm.horizontalAdvance(QLatin1Char('0'))) * spread;
    const double densest = range * least / Length; // any smaller step crowds its labels
    double step = Axis.Increment > 0 ? Axis.Increment : NextRoundStep(densest / 10);
    while (step < densest)
        step = NextRoundStep(step);
    for (;; step = NextRoundStep(step)) {
        const int decimals = DecimalsOf(step);
        const double scale = std::pow(10.0, decimals);
        const double units = std::round(step * scale); // the step in units of the last decimal
        labels.clear();
        double size = Vertical ? fm.height() : 0;
        const double first = std::floor(Lo / step), last = std::ceil(Hi / step);
        if (units < 1 || std::max(std::abs(first), std::abs(last)) > 1e15)
            return {}; // steps beyond a double's precision
        for (double k = first; k <= last; ++k) {
            double v = k * units / scale;
            if (v < Lo || v > Hi)
                continue;
            if (v == 0)
                v = 0; // not "-0"
            labels.emplace_back(v, locale.toString(v, 'f', decimals));
            if (!Vertical)
                size = std::max(size, fm.horizontalAdvance(labels.back().second));
        }
        if (step / range * Length >= size * spread)
            return labels;
    }
}

// Labels set out along an axis of the plot, Offset pixels away from it:
// centred on their positions, in rows below a horizontal axis or right-aligned
// columns left of a vertical one; a label that would overlap the last one of a
// row goes to the next row.
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

} // namespace

QFont TChartFont::ToQFont() const
{
    TCanvasFont f;
    f.Name = Name;
    f.Size = Size;
    f.Bold = Bold;
    return f.ToQFont();
}

void TChartAxis::SetMinMax(double Min, double Max)
{
    Automatic = false;
    Minimum = Min;
    Maximum = Max;
}

double TChartSeries::MinXValue() const { return MinOf(Points, &TChartPoint::X); }
double TChartSeries::MaxXValue() const { return MaxOf(Points, &TChartPoint::X); }
double TChartSeries::MinYValue() const { return MinOf(Points, &TChartPoint::Y); }
double TChartSeries::MaxYValue() const { return MaxOf(Points, &TChartPoint::Y); }

int TLineSeries::AddXY(double X, double Y, const QString& Label, TColor Color)
{
    Points.push_back({ X, Y, Label, Color });
    return Count() - 1;
}

int THorizBarSeries::AddBar(double Value, const QString& Label, TColor Color)
{
    Points.push_back({ Value, static_cast<double>(Count()), Label, Color });
    return Count() - 1;
}

double THorizBarSeries::MinXValue() const
{
    const double m = TChartSeries::MinXValue();
    return UseYOrigin && !Points.empty() ? std::min(m, YOrigin) : m;
}

double THorizBarSeries::MaxXValue() const
{
    const double m = TChartSeries::MaxXValue();
    return UseYOrigin && !Points.empty() ? std::max(m, YOrigin) : m;
}

// The view draws the chart's background and walls beneath the series, and its
// depth, frame and marks above them.
class TChartViewImpl : public QChartView {
public:
    TChartViewImpl(QChart* Chart, TChart* Owner) : QChartView(Chart), owner_(Owner) {}

protected:
    void drawBackground(QPainter* Painter, const QRectF&) override
    {
        Painter->save();
        owner_->DrawBackground(*Painter);
        Painter->restore();
    }
    void drawForeground(QPainter* Painter, const QRectF&) override
    {
        Painter->save();
        owner_->DrawExtras(*Painter);
        Painter->restore();
    }

private:
    TChart* owner_;
};

TChart::TChart(QWidget* Parent) : QWidget(Parent)
{
    chart_ = new QChart();
    chart_->setBackgroundRoundness(0);
    view_ = new TChartViewImpl(chart_, this);
    view_->setRenderHint(QPainter::Antialiasing);
    view_->setFrameShape(QFrame::NoFrame);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
}

TChart::~TChart() = default;

void TChart::AddSeries(TChartSeries* Series)
{
    if (!Series || std::find(series_.begin(), series_.end(), Series) != series_.end())
        return;
    Series->chart_ = this;
    series_.push_back(Series);
}

void TChart::RemoveAllSeries()
{
    for (TChartSeries* s : series_)
        s->chart_ = nullptr;
    series_.clear();
}

bool TChart::ValueExtent(bool ActiveOnly, double& MinX, double& MaxX, double& MinY, double& MaxY) const
{
    MinX = MaxX = MinY = MaxY = 0;
    bool any = false;
    for (const TChartSeries* s : series_) {
        if ((ActiveOnly && !s->Active) || s->Count() == 0)
            continue;
        MinX = any ? std::min(MinX, s->MinXValue()) : s->MinXValue();
        MaxX = any ? std::max(MaxX, s->MaxXValue()) : s->MaxXValue();
        MinY = any ? std::min(MinY, s->MinYValue()) : s->MinYValue();
        MaxY = any ? std::max(MaxY, s->MaxYValue()) : s->MaxYValue();
        any = true;
    }
    return any;
}

void TChart::Repaint()
{
    Build();
    update();
}

QImage TChart::DrawToBitmap()
{
    Build();
    // The fresh chart lays out its title, axes and legend when its layout
    // request is handled, and again when the labels asked for other room; the
    // bitmap must not be taken before.
    do {
        refitted_ = false;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    } while (refitted_);
    return grab().toImage();
}

void TChart::showEvent(QShowEvent* Event)
{
    Build();
    QWidget::showEvent(Event);
}

void TChart::resizeEvent(QResizeEvent* Event)
{
    fits_ = 0;
    QWidget::resizeEvent(Event);
}

namespace {

void Range(QAbstractAxis* Axis, const TChartAxis& A, double AutoMin, double AutoMax)
{
    double lo = A.Automatic ? AutoMin : A.Minimum;
    double hi = A.Automatic ? AutoMax : A.Maximum;
    if (!(hi > lo)) { // a range without extent is shown around its value
        lo -= 0.5;
        hi += 0.5;
    }
    Axis->setRange(lo, hi);
}

// The chart draws the labels itself; the Qt axis keeps its line and grid.
bool StyleAxis(QAbstractAxis* Axis, const TChartAxis& A, bool AxisVisible)
{
    Axis->setLabelsVisible(false);
    Axis->setVisible(AxisVisible && A.Visible);
    Axis->setGridLineVisible(true);
    return Axis->isVisible();
}

} // namespace

void TChart::Build()
{
    // A fresh chart for every build: nothing of an earlier layout remains.
    QChart* previous = chart_;
    chart_ = new QChart();
    chart_->setBackgroundRoundness(0);
    view_->setChart(chart_);
    delete previous;
    qtSeries_.clear();
    leftLabels_ = TAxisLabelLine();
    leftLabels_.Axis = &LeftAxis;
    leftLabels_.Vertical = true;
    bottomLabels_ = TAxisLabelLine();
    bottomLabels_.Axis = &BottomAxis;
    fits_ = 0;

    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, ToQColor(Color));
    setPalette(pal);
    // The background, the plot's back and the walls come from the view (DrawBackground).
    chart_->setBackgroundVisible(false);
    chart_->setPlotAreaBackgroundVisible(false);
    chart_->setTitle(Title.Visible ? Title.Text.join(QLatin1Char('\n')) : QString());
    chart_->setTitleFont(Title.Font.ToQFont());
    chart_->setTitleBrush(ToQColor(Title.Font.Color));
    chart_->legend()->setVisible(Legend.Visible);
    chart_->legend()->setAlignment(Qt::AlignRight);
    chart_->legend()->setFont(Legend.Font.ToQFont());
    chart_->legend()->setLabelColor(ToQColor(Legend.Font.Color));
    chart_->setAnimationOptions(QChart::NoAnimation);
    view_->setRubberBand(AllowZoom ? QChartView::RectangleRubberBand : QChartView::NoRubberBand);

    double minX, maxX, minY, maxY;
    ValueExtent(true, minX, maxX, minY, maxY);

    QAbstractAxis* left = nullptr;
    QAbstractAxis* bottom = nullptr;
    // A value axis: its labels come from RoundLabels, its grid lines stand at them.
    const auto valueAxis = [this](TAxisLabelLine& Line, Qt::Alignment Side) {
        auto* axis = new QCategoryAxis();
        axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
        chart_->addAxis(axis, Side);
        Line.Grid = axis;
        return axis;
    };
    for (TChartSeries* s : series_) {
        if (!s->Active) {
            qtSeries_.push_back(nullptr);
            continue;
        }
        if (auto* bars = dynamic_cast<THorizBarSeries*>(s)) {
            // One bar set per bar, each holding its value in its own row only:
            // every bar keeps its own colour and legend entry.
            auto* q = new QHorizontalStackedBarSeries();
            q->setBarWidth(bars->BarWidthPercent / 100.0);
            const int n = bars->Count();
            QStringList categories;
            for (int i = 0; i < n; ++i)
                categories << (bars->Points[i].Label.isEmpty() ? QString::number(i) : bars->Points[i].Label);
            for (int k = 0; k < n; ++k) {
                const int i = Legend.Inverted ? n - 1 - k : k;
                auto* set = new QBarSet(categories[i]);
                for (int j = 0; j < n; ++j)
                    *set << (j == i ? bars->Points[i].X - (bars->UseYOrigin ? bars->YOrigin : 0) : 0.0);
                set->setColor(ToQColor(bars->Points[i].Color));
                set->setBorderColor(ToQColor(bars->Points[i].Color).darker(140));
                q->append(set);
            }
            chart_->addSeries(q);
            if (!left) {
                // The names stand at their bars: bar i at i of the range -0.5 .. n - 0.5.
                auto* cat = new QBarCategoryAxis();
                cat->append(categories);
                left = cat;
                chart_->addAxis(left, Qt::AlignLeft);
                leftLabels_.Lo = -0.5;
                leftLabels_.Hi = n - 0.5;
                for (int i = 0; i < n; ++i)
                    leftLabels_.Shown.emplace_back(i, categories[i]);
            }
            if (!bottom)
                bottom = valueAxis(bottomLabels_, Qt::AlignBottom);
            q->attachAxis(left);
            q->attachAxis(bottom);
            qtSeries_.push_back(q);
        } else if (auto* line = dynamic_cast<TLineSeries*>(s)) {
            auto* q = new QLineSeries();
            q->setName(QString());
            q->setPen(QPen(ToQColor(line->SeriesColor), 2));
            for (const TChartPoint& p : line->Points)
                q->append(p.X, p.Y);
            q->setPointsVisible(true);
            chart_->addSeries(q);
            if (!bottom) {
                // Every labelled point shows its name, with a grid line through it.
                auto* cat = new QCategoryAxis();
                cat->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
                for (const TChartPoint& p : line->Points)
                    if (!p.Label.isEmpty())
                        bottomLabels_.Shown.emplace_back(p.X, p.Label);
                std::stable_sort(bottomLabels_.Shown.begin(), bottomLabels_.Shown.end(),
                                 [](const auto& a, const auto& b) { return a.first < b.first; });
                for (const auto& [x, label] : bottomLabels_.Shown)
                    cat->append(QString::number(cat->count()), x);
                bottom = cat;
                chart_->addAxis(bottom, Qt::AlignBottom);
            }
            if (!left)
                left = valueAxis(leftLabels_, Qt::AlignLeft);
            q->attachAxis(bottom);
            q->attachAxis(left);
            qtSeries_.push_back(q);
        } else {
            qtSeries_.push_back(nullptr);
        }
    }
    if (!bottom) // an empty chart still shows its axes
        bottom = valueAxis(bottomLabels_, Qt::AlignBottom);
    if (!left)
        left = valueAxis(leftLabels_, Qt::AlignLeft);
    for (auto [axis, line, lo, hi] : { std::tuple { bottom, &bottomLabels_, minX, maxX },
                                       std::tuple { left, &leftLabels_, minY, maxY } }) {
        line->Visible = StyleAxis(axis, *line->Axis, AxisVisible);
        if (auto* values = qobject_cast<QValueAxis*>(axis)) {
            Range(values, *line->Axis, lo, hi);
            line->Lo = values->min();
            line->Hi = values->max();
        }
        if (line->Grid)
            line->Grid->setStartValue(line->Lo);
    }
    legendShown_ = Legend.Visible && !series_.empty() && dynamic_cast<THorizBarSeries*>(series_.front()) != nullptr;
    chart_->legend()->setVisible(legendShown_);
    // Room above and right of the plot for the depth, in either view, so that
    // switching the view keeps the axes where they are; right of it also for
    // the marks: beside the longest bar, or half a mark over a line's last
    // point. With a legend the room lies between the plot and the legend.
    const QFontMetrics fm(Legend.Font.ToQFont());
    double marks = 0;
    for (const TChartSeries* s : series_) {
        if (!s->Active || !s->Marks.Visible || s->Marks.Style != smsValue)
            continue;
        const bool bars = dynamic_cast<const THorizBarSeries*>(s) != nullptr;
        for (const TChartPoint& p : s->Points) {
            const double w = MarkSize(fm, MarkText(bars ? p.X : p.Y)).width();
            marks = std::max(marks, bars ? w + kMarkGap : w / 2);
        }
    }
    markRoom_ = kDepth + static_cast<int>(std::ceil(marks)) + 2;
    PlaceRoom(0, 0, 0);
    // The labels need the plot's size: they are fitted after each layout.
    connect(chart_, &QChart::plotAreaChanged, this, [this] { FitLabels(); });
}

bool TChart::PlaceRoom(double Left, double Right, double Bottom)
{
    const int right = std::max(markRoom_, static_cast<int>(std::ceil(Right)) + 2);
    const QMargins margins(MarginLeft + static_cast<int>(std::ceil(Left)), 4 + kDepth,
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

void TChart::FitLabels()
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

std::vector<TChartLabel> TChart::LineLabels(const TAxisLabelLine& Line) const
{
    if (!Line.Visible)
        return {};
    // Below the plot, clear of a left label standing at the bottom end.
    double offset = kLabelGap;
    if (!Line.Vertical) {
        offset = kBelowGap;
        if (leftLabels_.Visible)
            offset = std::max(offset, std::ceil(QFontMetricsF(LeftAxis.LabelsFont.ToQFont()).height() / 2) + 1);
    }
    return SetOutLabels(Line.Shown, PlotAreaF(), Line.Lo, Line.Hi, Line.Vertical, offset,
                        Line.Axis->LabelsFont.ToQFont());
}

std::vector<TChartLabel> TChart::AxisLabels() const
{
    std::vector<TChartLabel> labels = LineLabels(leftLabels_);
    const std::vector<TChartLabel> bottom = LineLabels(bottomLabels_);
    labels.insert(labels.end(), bottom.begin(), bottom.end());
    return labels;
}

QRectF TChart::PlotAreaF() const
{
    return chart_->mapToScene(chart_->plotArea()).boundingRect();
}

QRect TChart::PlotRect() const
{
    const QRectF a = PlotAreaF();
    const int left = qRound(a.left()), top = qRound(a.top());
    return QRect(left, top, qRound(a.right()) - left, qRound(a.bottom()) - top);
}

void TChart::DrawBackground(QPainter& P)
{
    P.fillRect(rect(), ToQColor(Color));
    const QRectF area = PlotAreaF();
    if (!View3D) {
        P.fillRect(area, ToQColor(BackColor));
        return;
    }
    // The plot is the front of a box of depth kDepth whose back lies up and to
    // the right: the back wall, the left wall and the floor lie within the
    // plot and the room kept above and right of it, never over the labels.
    const QPointF d(kDepth, -kDepth);
    P.setRenderHint(QPainter::Antialiasing, false);
    P.fillRect(area.translated(d), ToQColor(BackColor));
    const QColor wl = ToQColor(LeftWall.Color), wb = ToQColor(BottomWall.Color);
    P.setPen(QPen(wl.darker(150), 1));
    P.setBrush(wl.darker(110));
    P.drawPolygon(QPolygonF({ area.topLeft(), area.topLeft() + d, area.bottomLeft() + d, area.bottomLeft() }));
    P.setPen(QPen(wb.darker(150), 1));
    P.setBrush(wb.darker(115));
    P.drawPolygon(QPolygonF({ area.bottomLeft(), area.bottomLeft() + d, area.bottomRight() + d, area.bottomRight() }));
}

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

void TChart::DrawExtras(QPainter& P)
{
    P.setRenderHint(QPainter::Antialiasing);
    // A mark stays inside the chart and off the labels left of the plot.
    QRectF bounds = QRectF(rect()).adjusted(1, 1, -1, -1);
    bounds.setLeft(std::max(bounds.left(), PlotAreaF().left()));
    const QPointF d(kDepth, -kDepth);
    // Depth of the series first, then the frame over the grid and the axis
    // lines, then the axis labels, then the marks over everything.
    struct Mark {
        QRectF box;
        QString text;
    };
    std::vector<Mark> marks;
    const QFontMetrics fm(Legend.Font.ToQFont());
    for (size_t k = 0; k < series_.size() && k < qtSeries_.size(); ++k) {
        TChartSeries* s = series_[k];
        auto* q = static_cast<QAbstractSeries*>(qtSeries_[k]);
        if (!q || !s->Active)
            continue;
        const bool showMarks = s->Marks.Visible && s->Marks.Style == smsValue;
        if (auto* bars = dynamic_cast<THorizBarSeries*>(s)) {
            const double half = bars->BarWidthPercent / 200.0;
            const double origin = bars->UseYOrigin ? bars->YOrigin : 0;
            for (int i = 0; i < bars->Count(); ++i) {
                const TChartPoint& p = bars->Points[i];
                const QPointF a = chart_->mapToScene(chart_->mapToPosition(QPointF(0, i + half), q));
                const QPointF b = chart_->mapToScene(chart_->mapToPosition(QPointF(p.X - origin, i - half), q));
                const QRectF r = QRectF(a, b).normalized();
                const QColor c = ToQColor(p.Color);
                if (View3D) {
                    P.setPen(QPen(c.darker(170), 1));
                    P.setBrush(c.lighter(125));
                    P.drawPolygon(QPolygonF({ r.topLeft(), r.topLeft() + d, r.topRight() + d, r.topRight() }));
                    P.setBrush(c.darker(150));
                    P.drawPolygon(QPolygonF({ r.topRight(), r.topRight() + d, r.bottomRight() + d, r.bottomRight() }));
                }
                if (showMarks) {
                    const QString t = MarkText(p.X);
                    const QSizeF size = MarkSize(fm, t);
                    marks.push_back({ QRectF(QPointF(r.right() + (View3D ? kDepth : 0) + kMarkGap,
                                                     r.center().y() - size.height() / 2),
                                             size),
                                      t });
                }
            }
        } else if (auto* line = dynamic_cast<TLineSeries*>(s)) {
            std::vector<QPointF> pts;
            for (const TChartPoint& p : line->Points)
                pts.push_back(chart_->mapToScene(chart_->mapToPosition(QPointF(p.X, p.Y), q)));
            const QColor c = ToQColor(line->SeriesColor);
            if (View3D) {
                for (size_t i = 0; i + 1 < pts.size(); ++i) {
                    P.setPen(QPen(c.darker(170), 1));
                    P.setBrush(c.lighter(130));
                    P.drawPolygon(QPolygonF({ pts[i], pts[i] + d, pts[i + 1] + d, pts[i + 1] }));
                }
                P.setPen(QPen(c, 2));
                for (size_t i = 0; i + 1 < pts.size(); ++i)
                    P.drawLine(pts[i], pts[i + 1]);
            }
            if (showMarks)
                for (size_t i = 0; i < pts.size(); ++i) {
                    const QString t = MarkText(line->Points[i].Y);
                    const QSizeF size = MarkSize(fm, t);
                    marks.push_back({ QRectF(QPointF(pts[i].x() - size.width() / 2, pts[i].y() - size.height() - 10), size),
                                      t });
                }
        }
    }
    if (Frame.Visible && Frame.Style != psClear && Frame.Width > 0) {
        static const Qt::PenStyle kStyles[] = { Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                                Qt::DashDotDotLine, Qt::NoPen };
        P.setRenderHint(QPainter::Antialiasing, false);
        P.setPen(QPen(ToQColor(Frame.Color), Frame.Width, kStyles[Frame.Style]));
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
    P.setFont(Legend.Font.ToQFont());
    for (const Mark& m : marks)
        DrawMark(P, m.box, m.text, bounds);
}
