// The chart layer's drawing: the frame on the plot's border above the grid and
// the axis lines, a depth effect that leaves the axis labels alone, and axis
// labels that are whole and read the value where they stand.
#include "Chart.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QImage>
#include <QLocale>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

// A chart's series: bars (values on the bottom axis, names on the left one)
// or a line (names on the bottom axis at 1, 2, ..., values on the left one).
struct TChartCase {
    const char* name;
    bool bars;
    std::vector<double> values;
    std::vector<const char*> names;
    QSize size { 640, 400 };
};

const TChartCase kFive { "five", true, { 9.15, 10.5, 12.25, 14.0, 15.99 },
                         { "ТИХИЙ", "СУРОВЫЙ", "ЯРКИЙ", "БОДРЫЙ", "ВОЗВЫШЕННЫЙ" } };

struct TDrawn {
    QImage image;
    QRect plot;
    std::vector<TChartLabel> labels;
    double lo = 0, hi = 0;         // the value axis' range
    double nameLo = 0, nameHi = 0; // the names' axis range
};

// The case's chart as the pages style it, fitted as the pages fit it.
TDrawn Draw(const TChartCase& C, bool View3D, bool Marks = true, QSize ResizeTo = QSize())
{
    TChart chart;
    chart.resize(C.size);
    chart.BackColor = clBtnFace;
    chart.LeftWall.Color = clBtnFace;
    chart.BottomWall.Color = clBtnFace;
    chart.Title.Text = QStringList { QStringLiteral("Заголовок") };
    chart.View3D = View3D;
    chart.BottomAxis.LabelsSeparation = 50;
    TDrawn d;
    const int n = static_cast<int>(C.values.size());
    d.lo = *std::min_element(C.values.begin(), C.values.end());
    d.hi = *std::max_element(C.values.begin(), C.values.end());
    TChartSeries* series;
    if (C.bars) {
        auto* s = chart.CreateSeries<THorizBarSeries>();
        for (int i = 0; i < n; ++i)
            s->AddBar(C.values[i], QString::fromUtf8(C.names[i]), clRed);
        s->UseYOrigin = true;
        d.lo = std::min(d.lo, 0.0);
        chart.BottomAxis.SetMinMax(d.lo, d.hi);
        d.nameLo = -0.5;
        d.nameHi = n - 0.5;
        series = s;
    } else {
        auto* s = chart.CreateSeries<TLineSeries>();
        for (int i = 0; i < n; ++i)
            s->AddXY(i + 1, C.values[i], QString::fromUtf8(C.names[i]), clRed);
        chart.LeftAxis.SetMinMax(d.lo, d.hi);
        chart.BottomAxis.SetMinMax(1, n);
        d.nameLo = 1;
        d.nameHi = n;
        series = s;
    }
    chart.AddSeries(series);
    series->Marks.Style = smsValue;
    series->Marks.Visible = Marks;
    chart.show();
    QApplication::processEvents();
    if (ResizeTo.isValid()) {
        // The shown chart lays out again, as often as its labels ask.
        chart.resize(ResizeTo);
        for (int i = 0; i < 10; ++i)
            QApplication::processEvents();
        d.image = chart.grab().toImage();
    } else {
        d.image = chart.DrawToBitmap();
    }
    d.plot = chart.PlotRect();
    d.labels = chart.AxisLabels();
    return d;
}

TDrawn Draw(bool Bars, bool View3D, bool Marks = true)
{
    TChartCase c = kFive;
    c.bars = Bars;
    return Draw(c, View3D, Marks);
}

// Where a value of the range Lo..Hi stands along the plot.
double PositionOf(double Value, double Lo, double Hi, const QRect& Plot, bool Vertical)
{
    const double f = (Value - Lo) / (Hi - Lo);
    return Vertical ? Plot.top() + Plot.height() - f * Plot.height() : Plot.left() + f * Plot.width();
}

bool Dark(QRgb Pixel)
{
    return qGray(Pixel) < 128;
}

} // namespace

TEST(ChartDraw, FrameLiesWholeOnThePlotsBorder)
{
    for (bool bars : { true, false })
        for (bool depth : { true, false }) {
            const TDrawn d = Draw(bars, depth, false); // marks may lie over the frame

            ASSERT_TRUE(d.plot.width() > 100 && d.plot.height() > 100) << bars << depth;
            int other = 0;
            const QRect& r = d.plot;
            for (int x = r.left(); x <= r.left() + r.width(); ++x)
                for (int y : { r.top(), r.top() + r.height() })
                    other += d.image.pixelColor(x, y) != Qt::black;
            for (int y = r.top(); y <= r.top() + r.height(); ++y)
                for (int x : { r.left(), r.left() + r.width() })
                    other += d.image.pixelColor(x, y) != Qt::black;
            EXPECT_EQ(other, 0) << "bars " << bars << ", 3D " << depth;
        }
}

TEST(ChartDraw, DepthLeavesTheAxisLabelsAlone)
{
    // Left of the plot and below it, where the labels of both axes lie, the 3D
    // view draws exactly what the flat one does (a line's pen may reach a
    // pixel or two past the border).
    for (bool bars : { true, false }) {
        const TDrawn flat = Draw(bars, false), deep = Draw(bars, true);
        ASSERT_EQ(flat.plot, deep.plot);
        const QRect& r = flat.plot;
        int differ = 0;
        for (int y = 0; y < flat.image.height(); ++y)
            for (int x = 0; x < flat.image.width(); ++x)
                if ((x < r.left() - 2 || y > r.top() + r.height() + 2) && flat.image.pixel(x, y) != deep.image.pixel(x, y))
                    ++differ;
        EXPECT_EQ(differ, 0) << "bars " << bars;
    }
}

TEST(ChartDraw, BitmapHoldsTheLaidOutChart)
{
    // Drawn at once after the build, with no event processed in between: the
    // title, axes and legend stand where the shown chart has them.
    TChart chart;
    chart.resize(400, 300);
    chart.Title.Text = QStringList { QStringLiteral("Заголовок") };
    auto* s = chart.CreateSeries<THorizBarSeries>();
    chart.AddSeries(s);
    s->AddBar(12.5, QStringLiteral("ЯРКИЙ"), clRed);
    chart.show();
    const QImage bitmap = chart.DrawToBitmap();
    QApplication::processEvents();
    EXPECT_EQ(bitmap, chart.grab().toImage());
}

TEST(ChartLabels, ValuesStandAtRoundStepsAndReadTheirPlace)
{
    // The value axis: the bottom one of bars, the left one of a line. Its
    // labels stand at every multiple of one step of 1, 2 or 5 times a power
    // of ten within the range, each centred where its value lies, as close as
    // their separation lets them: 10 % of a label's height on the left axis,
    // 50 % of its width on the bottom one (the pages' settings).
    const TChartCase cases[] = {
        { "text bars", true, { 10.62, 10.62, 10.96, 11.04, 13.41, 14.76, 15.99 },
          { "A", "B", "C", "D", "E", "F", "G" } },
        { "text line", false, { 10.62, 10.62, 10.96, 11.04, 13.41, 14.76, 15.99 },
          { "A", "B", "C", "D", "E", "F", "G" } },
        { "word bars", true, { 3.42, 3.9 }, { "A", "B" }, { 1200, 600 } },
        { "word line", false, { 3.42, 3.44, 3.9 }, { "A", "B", "C" }, { 1200, 600 } },
        { "small line", false, { 9.15, 9.2 }, { "A", "B" }, { 300, 200 } },
        { "wide values", false, { -250, 1250 }, { "A", "B" } },
        { "end on a step", false, { 2.5, 3.4 }, { "A", "B" } },
    };
    for (const TChartCase& c : cases)
        for (QSize resized : { QSize(), QSize(c.size.width(), c.size.height() / 2) }) {
            SCOPED_TRACE(std::string(c.name) + (resized.isValid() ? ", resized" : ""));
            const TDrawn d = Draw(c, false, false, resized);
            const bool vertical = !c.bars;
            const QFontMetricsF fm(TChartFont().ToQFont());
            std::vector<double> values;
            std::vector<double> centres;
            double widest = 0;
            for (const TChartLabel& l : d.labels) {
                if (vertical ? l.Rect.right() > d.plot.left() : l.Rect.top() < d.plot.bottom())
                    continue; // a name
                bool number = false;
                const double v = QLocale::system().toDouble(l.Text, &number);
                ASSERT_TRUE(number) << l.Text.toStdString();
                EXPECT_GE(v, d.lo) << l.Text.toStdString();
                EXPECT_LE(v, d.hi) << l.Text.toStdString();
                const double centre = vertical ? l.Rect.center().y() : l.Rect.center().x();
                EXPECT_NEAR(centre, PositionOf(v, d.lo, d.hi, d.plot, vertical), 1.0) << l.Text.toStdString();
                values.push_back(v);
                centres.push_back(centre);
                widest = std::max(widest, l.Rect.width());
            }
            ASSERT_GE(values.size(), 2u);
            std::vector<size_t> order(values.size());
            for (size_t i = 0; i < order.size(); ++i)
                order[i] = i;
            std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return values[a] < values[b]; });
            const double step = values[order[1]] - values[order[0]];
            const double mantissa = step / std::pow(10.0, std::floor(std::log10(step) + 1e-9));
            EXPECT_TRUE(std::abs(mantissa - 1) < 1e-6 || std::abs(mantissa - 2) < 1e-6 || std::abs(mantissa - 5) < 1e-6)
                << "step " << step;
            for (size_t i = 0; i < order.size(); ++i)
                EXPECT_NEAR(values[order[i]], values[order[0]] + i * step, step * 1e-6) << "every step is labelled";
            EXPECT_LT(values[order[0]] - step, d.lo) << "no step left out at the low end";
            EXPECT_GT(values[order.back()] + step, d.hi) << "no step left out at the high end";
            const double size = vertical ? fm.height() : widest;
            const double spread = vertical ? 1.1 : 1.5;
            const double spacing = std::abs(centres[order[1]] - centres[order[0]]);
            EXPECT_GE(spacing, size * spread - 0.5) << "labels keep their separation";
            const double smaller = std::abs(mantissa - 1) < 1e-6 ? 0.5 : (std::abs(mantissa - 2) < 1e-6 ? 0.5 : 0.4);
            EXPECT_LT(spacing * smaller, size * spread) << "the next smaller step would crowd its labels";
        }
}

TEST(ChartLabels, GridLinesStandAtTheValueLabels)
{
    TChartCase c = kFive;
    c.bars = false;
    const TDrawn d = Draw(c, false, false);
    const QRgb back = ToQColor(clBtnFace).rgb();
    const auto share = [&](int y) { // of the row inside the plot that is not the plot's back
        int other = 0, all = 0;
        for (int x = d.plot.left() + 3; x < d.plot.left() + d.plot.width() - 3; ++x, ++all)
            other += d.image.pixel(x, y) != back;
        return double(other) / all;
    };
    std::vector<double> ys;
    for (const TChartLabel& l : d.labels)
        if (l.Rect.right() < d.plot.left())
            ys.push_back(l.Rect.center().y());
    std::sort(ys.begin(), ys.end());
    ASSERT_GE(ys.size(), 3u);
    for (size_t i = 0; i < ys.size(); ++i) {
        const int y = static_cast<int>(std::round(ys[i]));
        if (y <= d.plot.top() + 2 || y >= d.plot.top() + d.plot.height() - 2)
            continue; // on the frame
        EXPECT_GT(std::max({ share(y - 1), share(y), share(y + 1) }), 0.9) << "grid line at " << y;
        if (i + 1 < ys.size()) {
            EXPECT_LT(share(static_cast<int>(std::round((ys[i] + ys[i + 1]) / 2))), 0.1) << "no grid line between labels";
        }
    }
}

TEST(ChartLabels, EveryNameShowsWhole)
{
    // Each bar's and each point's name shows once, whole, inside the chart,
    // clear of the other labels, the plot and the marks: also a long first
    // name beside narrow value labels, and names too many for one row or
    // column, in the flat and in the 3D view.
    const TChartCase cases[] = {
        kFive,
        { "long first name", false, { 1, 2, 3, 4, 5 }, { "ВОЗВЫШЕННЫЙ", "СИЛЬНЫЙ", "Б", "В", "ПРЕКРАСНЫЙ" }, { 640, 160 } },
        { "long names, short chart", false, { 9.15, 9.2, 9.3 }, { "СИЛЬНЫЙ", "ВОЗВЫШЕННЫЙ", "ЗЛОВЕЩИЙ" }, { 640, 160 } },
        { "many names", false,
          { 3.42, 3.44, 3.47, 3.49, 3.54, 3.55, 3.55, 3.63, 3.65, 3.67, 3.74, 3.81, 3.9, 3.95 },
          { "ПЕЧАЛЬНЫЙ", "ТЯЖЕЛЫЙ", "ДОБРЫЙ", "ГЛАДКИЙ", "ПАССИВНЫЙ", "МУЖЕСТВЕННЫЙ", "БЕЗОПАСНЫЙ", "МЕДЛЕННЫЙ",
            "ХОЛОДНЫЙ", "БОЛЬШОЙ", "ХОРОШИЙ", "МЕДЛИТЕЛЬНЫЙ", "МОГУЧИЙ", "ВЕЛИЧЕСТВЕННЫЙ" },
          { 800, 400 } },
        { "many bars", true,
          { 9.1, 9.2, 9.3, 9.4, 9.5, 9.6, 9.7, 9.8, 9.9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20 },
          { "ПРЕКРАСНЫЙ", "СВЕТЛЫЙ", "ВОЗВЫШЕННЫЙ", "НЕЖНЫЙ", "РАДОСТНЫЙ", "ЯРКИЙ", "БОДРЫЙ", "СИЛЬНЫЙ", "ГРОМКИЙ",
            "МАЖОРНЫЙ", "МИНОРНЫЙ", "ТИХИЙ", "ГРУСТНЫЙ", "ТЕМНЫЙ", "ТЯЖЕЛЫЙ", "УГРЮМЫЙ", "СУРОВЫЙ", "НИЗМЕННЫЙ",
            "ОТТАЛКИВАЮЩИЙ", "ЗЛОВЕЩИЙ" },
          { 640, 240 } },
    };
    const QRgb markBack = QColor(255, 255, 225).rgb();
    for (const TChartCase& c : cases)
        for (bool depth : { false, true }) {
            SCOPED_TRACE(std::string(c.name) + (depth ? ", 3D" : ", flat"));
            const TDrawn d = Draw(c, depth);
            const QRectF image(QPointF(0, 0), QSizeF(d.image.size()));
            const QFontMetricsF fm(TChartFont().ToQFont());
            for (size_t i = 0; i < c.names.size(); ++i) {
                const QString name = QString::fromUtf8(c.names[i]);
                const auto l = std::find_if(d.labels.begin(), d.labels.end(), [&](const TChartLabel& x) { return x.Text == name; });
                ASSERT_NE(l, d.labels.end()) << c.names[i];
                const QRectF& r = l->Rect;
                EXPECT_TRUE(image.contains(r)) << c.names[i];
                EXPECT_GE(r.width(), fm.horizontalAdvance(name)) << c.names[i];
                EXPECT_FALSE(r.intersects(QRectF(d.plot))) << c.names[i];
                const double centre = c.bars ? r.center().y() : r.center().x();
                EXPECT_NEAR(centre, PositionOf(i + (c.bars ? 0 : 1), d.nameLo, d.nameHi, d.plot, c.bars), 1.0) << c.names[i];
                // Drawn across its whole width.
                const QRect px = r.toAlignedRect().intersected(d.image.rect());
                int leftInk = 0, rightInk = 0;
                for (int y = px.top(); y <= px.bottom(); ++y)
                    for (int x = px.left(); x <= px.right(); ++x) {
                        leftInk += Dark(d.image.pixel(x, y)) && x < px.left() + 5;
                        rightInk += Dark(d.image.pixel(x, y)) && x > px.right() - 5;
                    }
                EXPECT_GT(leftInk, 0) << c.names[i];
                EXPECT_GT(rightInk, 0) << c.names[i];
            }
            // No label, value or name, overlaps another or lies under a mark.
            for (size_t i = 0; i < d.labels.size(); ++i) {
                const QRect px = d.labels[i].Rect.toAlignedRect().intersected(d.image.rect());
                int mark = 0;
                for (int y = px.top(); y <= px.bottom(); ++y)
                    for (int x = px.left(); x <= px.right(); ++x)
                        mark += d.image.pixel(x, y) == markBack;
                EXPECT_EQ(mark, 0) << d.labels[i].Text.toStdString();
                for (size_t j = i + 1; j < d.labels.size(); ++j)
                    EXPECT_FALSE(d.labels[i].Rect.intersects(d.labels[j].Rect))
                        << d.labels[i].Text.toStdString() << " and " << d.labels[j].Text.toStdString();
            }
        }
}
