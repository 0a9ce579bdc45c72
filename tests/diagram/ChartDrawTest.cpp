// The chart layer's drawing: the frame on the plot's border above the grid and
// the axis lines, and a depth effect that leaves the axis labels alone.
#include "Chart.h"

#include <QApplication>
#include <QImage>

#include <gtest/gtest.h>

namespace {

struct TDrawn {
    QImage image;
    QRect plot;
};

// A chart as the pages style it, with bars or a line of five points.
TDrawn Draw(bool Bars, bool View3D, bool Marks = true)
{
    TChart chart;
    chart.resize(640, 400);
    chart.BackColor = clBtnFace;
    chart.LeftWall.Color = clBtnFace;
    chart.BottomWall.Color = clBtnFace;
    chart.Title.Text = QStringList { QStringLiteral("Заголовок") };
    chart.View3D = View3D;
    const double values[] = { 9.15, 10.5, 12.25, 14.0, 15.99 };
    const char* names[] = { "ТИХИЙ", "СУРОВЫЙ", "ЯРКИЙ", "БОДРЫЙ", "ВОЗВЫШЕННЫЙ" };
    if (Bars) {
        auto* s = chart.CreateSeries<THorizBarSeries>();
        chart.AddSeries(s);
        for (int i = 0; i < 5; ++i)
            s->AddBar(values[i], QString::fromUtf8(names[i]), clRed);
        s->Marks.Style = smsValue;
        s->Marks.Visible = Marks;
        s->UseYOrigin = true;
        chart.BottomAxis.SetMinMax(0, 15.99);
    } else {
        auto* s = chart.CreateSeries<TLineSeries>();
        chart.AddSeries(s);
        for (int i = 0; i < 5; ++i)
            s->AddXY(i + 1, values[i], QString::fromUtf8(names[i]), clRed);
        s->Marks.Style = smsValue;
        s->Marks.Visible = Marks;
        chart.LeftAxis.SetMinMax(9.15, 15.99);
        chart.BottomAxis.SetMinMax(1, 5);
    }
    chart.show();
    QApplication::processEvents();
    TDrawn d;
    d.image = chart.DrawToBitmap();
    d.plot = chart.PlotRect();
    return d;
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
