// The chart module's drawing: the Qt view inside the chart widget, and the Qt
// chart built afresh from the widget's fields whenever it is shown or redrawn.
// The module's one export makes it.
#include "ChartParts.h"
#include "ChartView.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHorizontalStackedBarSeries>
#include <QLineSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <tuple>
#include <type_traits>

using namespace ChartParts;

extern "C" __attribute__((visibility("default"))) TChartDrawing* LemvMakeChartDrawing(TChart& Owner)
{
    return new TQtChart(Owner);
}
static_assert(std::is_same_v<decltype(&LemvMakeChartDrawing), TMakeChartDrawing>);

TQtChart::TQtChart(TChart& Owner) : c_(Owner)
{
    chart_ = new QChart();
    chart_->setBackgroundRoundness(0);
    view_ = new TChartViewImpl(chart_, this);
    view_->setRenderHint(QPainter::Antialiasing);
    view_->setFrameShape(QFrame::NoFrame);
    // The chart's own drawing (walls, depth, labels, marks) covers the whole
    // view, not only the Qt items: a change repaints all of it, so that no
    // label of an earlier layout stays behind.
    view_->setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
    auto* layout = new QHBoxLayout(&Owner);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
}

// The view (and with it the Qt chart) goes with the drawing it paints for,
// before the widget deletes its other children.
TQtChart::~TQtChart()
{
    delete view_;
}

QImage TQtChart::DrawToBitmap()
{
    Build();
    // The fresh chart lays out its title, axes and legend when its layout
    // request is handled, and again when the labels asked for other room; the
    // bitmap must not be taken before.
    do {
        refitted_ = false;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    } while (refitted_);
    return c_.grab().toImage();
}

std::vector<TChartSeries*> TQtChart::SeriesList() const
{
    std::vector<TChartSeries*> series;
    for (int i = 0; i < c_.SeriesCount(); ++i)
        series.push_back(c_.Series(i));
    return series;
}

void TQtChart::Build()
{
    // A fresh chart for every build: nothing of an earlier layout remains.
    QChart* previous = chart_;
    chart_ = new QChart();
    chart_->setBackgroundRoundness(0);
    view_->setChart(chart_);
    delete previous;
    qtSeries_.clear();
    leftLabels_ = TAxisLabelLine();
    leftLabels_.Axis = &c_.LeftAxis;
    leftLabels_.Vertical = true;
    bottomLabels_ = TAxisLabelLine();
    bottomLabels_.Axis = &c_.BottomAxis;
    fits_ = 0;

    c_.setAutoFillBackground(true);
    QPalette pal = c_.palette();
    pal.setColor(QPalette::Window, ToQColor(c_.Color));
    c_.setPalette(pal);
    // The background, the plot's back and the walls come from the view (DrawBackground).
    chart_->setBackgroundVisible(false);
    chart_->setPlotAreaBackgroundVisible(false);
    chart_->setTitle(c_.Title.Visible ? c_.Title.Text.join(QLatin1Char('\n')) : QString());
    chart_->setTitleFont(c_.Title.Font.ToQFont());
    chart_->setTitleBrush(ToQColor(c_.Title.Font.Color));
    chart_->legend()->setVisible(c_.Legend.Visible);
    chart_->legend()->setAlignment(Qt::AlignRight);
    chart_->legend()->setFont(c_.Legend.Font.ToQFont());
    chart_->legend()->setLabelColor(ToQColor(c_.Legend.Font.Color));
    chart_->setAnimationOptions(QChart::NoAnimation);
    view_->setRubberBand(c_.AllowZoom ? QChartView::RectangleRubberBand : QChartView::NoRubberBand);

    double minX, maxX, minY, maxY;
    c_.ValueExtent(true, minX, maxX, minY, maxY);

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
    const std::vector<TChartSeries*> series = SeriesList();
    for (TChartSeries* s : series) {
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
                const int i = c_.Legend.Inverted ? n - 1 - k : k;
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
        line->Visible = StyleAxis(axis, *line->Axis, c_.AxisVisible);
        if (auto* values = qobject_cast<QValueAxis*>(axis)) {
            SetAxisRange(values, *line->Axis, lo, hi);
            line->Lo = values->min();
            line->Hi = values->max();
        }
        if (line->Grid)
            line->Grid->setStartValue(line->Lo);
    }
    legendShown_ = c_.Legend.Visible && !series.empty() && dynamic_cast<THorizBarSeries*>(series.front()) != nullptr;
    chart_->legend()->setVisible(legendShown_);
    // Room above and right of the plot for the depth, in either view, so that
    // switching the view keeps the axes where they are; right of it also for
    // the marks: beside the longest bar, or half a mark over a line's last
    // point. With a legend the room lies between the plot and the legend.
    const QFontMetrics fm(c_.Legend.Font.ToQFont());
    double marks = 0;
    for (const TChartSeries* s : series) {
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
    QObject::connect(chart_, &QChart::plotAreaChanged, view_, [this] { FitLabels(); });
}
