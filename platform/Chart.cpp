#include "Chart.h"

#include <QCoreApplication>
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

namespace {

constexpr int kDepth = 10;    // pixels of the three-dimensional view's depth
constexpr int kMarkGap = 4;   // pixels between a bar and its mark

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
    // request is handled; the bitmap must not be taken before.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    return grab().toImage();
}

void TChart::showEvent(QShowEvent* Event)
{
    Build();
    QWidget::showEvent(Event);
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

void StyleAxis(QAbstractAxis* Axis, const TChartAxis& A, bool AxisVisible)
{
    Axis->setLabelsFont(A.LabelsFont.ToQFont());
    Axis->setLabelsColor(ToQColor(A.LabelsFont.Color));
    Axis->setVisible(AxisVisible && A.Visible);
    Axis->setGridLineVisible(true);
}

} // namespace

void TChart::Build()
{
    // A fresh chart for every build: nothing of an earlier layout remains.
    QChart* previous = chart_;
    chart_ = new QChart();
    // Axis labels with the user's decimal separator, as the marks have it.
    chart_->setLocalizeNumbers(true);
    chart_->setLocale(QLocale::system());
    chart_->setBackgroundRoundness(0);
    view_->setChart(chart_);
    delete previous;
    qtSeries_.clear();

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
                auto* cat = new QBarCategoryAxis();
                cat->append(categories);
                left = cat;
                chart_->addAxis(left, Qt::AlignLeft);
            }
            if (!bottom) {
                bottom = new QValueAxis();
                chart_->addAxis(bottom, Qt::AlignBottom);
            }
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
                auto* cat = new QCategoryAxis();
                cat->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
                for (const TChartPoint& p : line->Points)
                    if (!p.Label.isEmpty() && !cat->categoriesLabels().contains(p.Label))
                        cat->append(p.Label, p.X);
                bottom = cat;
                chart_->addAxis(bottom, Qt::AlignBottom);
            }
            if (!left) {
                left = new QValueAxis();
                chart_->addAxis(left, Qt::AlignLeft);
            }
            q->attachAxis(bottom);
            q->attachAxis(left);
            qtSeries_.push_back(q);
        } else {
            qtSeries_.push_back(nullptr);
        }
    }
    if (!bottom) { // an empty chart still shows its axes
        bottom = new QValueAxis();
        chart_->addAxis(bottom, Qt::AlignBottom);
    }
    if (!left) {
        left = new QValueAxis();
        chart_->addAxis(left, Qt::AlignLeft);
    }
    if (qobject_cast<QValueAxis*>(bottom) || qobject_cast<QCategoryAxis*>(bottom))
        Range(bottom, BottomAxis, minX, maxX);
    if (qobject_cast<QValueAxis*>(left))
        Range(left, LeftAxis, minY, maxY);
    if (auto* v = qobject_cast<QValueAxis*>(bottom); v && BottomAxis.Increment > 0) {
        v->setTickType(QValueAxis::TicksDynamic);
        v->setTickInterval(BottomAxis.Increment);
    }
    StyleAxis(bottom, BottomAxis, AxisVisible);
    StyleAxis(left, LeftAxis, AxisVisible);
    const bool legend = Legend.Visible && !series_.empty() && dynamic_cast<THorizBarSeries*>(series_.front()) != nullptr;
    chart_->legend()->setVisible(legend);
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
    const int room = kDepth + static_cast<int>(std::ceil(marks)) + 2;
    chart_->legend()->setContentsMargins(legend ? room : 0, 0, 0, 0);
    chart_->setMargins(QMargins(MarginLeft, 4 + kDepth, legend ? 4 : std::max(room, kDepth + 4), 4));
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
    const QRectF bounds = QRectF(rect()).adjusted(1, 1, -1, -1);
    const QPointF d(kDepth, -kDepth);
    // Depth of the series first, then the frame over the grid and the axis
    // lines, then the marks over everything.
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
    P.setFont(Legend.Font.ToQFont());
    for (const Mark& m : marks)
        DrawMark(P, m.box, m.text, bounds);
}
