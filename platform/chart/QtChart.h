#pragma once
// The chart module's drawing: a Qt chart built afresh from the chart widget's
// fields whenever it is shown or redrawn, in a Qt view inside the widget. The
// view hands its background and foreground to the layer's own drawing (walls,
// depth, frame, labels, marks). The axis labels are the layer's own too: Qt
// Charts elides or hides a label that does not fit its share of the axis, and
// places automatic labels at even fractions of the range rather than at
// round values.
#include "ChartDrawing.h"

#include <QPointF>
#include <QRectF>
#include <QString>

#include <utility>
#include <vector>

class QAbstractSeries;
class QCategoryAxis;
class QChart;
class QPainter;
class TChartViewImpl;

class TQtChart : public TChartDrawing {
public:
    explicit TQtChart(TChart& Owner);
    ~TQtChart() override;

    void Build() override;
    QImage DrawToBitmap() override;
    void Resized() override { fits_ = 0; }
    QRect PlotRect() const override;
    std::vector<TChartLabel> AxisLabels() const override;

    // Beneath the series: the ground, the plot's back and, in the 3D view, the walls.
    void DrawBackground(QPainter& Painter);
    // Above the series: their depth, the frame, the axis labels and the marks.
    void DrawExtras(QPainter& Painter);

private:
    // What one axis shows beside it: the values at round steps of its range
    // (a value axis, whose Qt axis Grid draws grid lines at them), or names at
    // given positions; Shown holds the labels of the current layout.
    struct TAxisLabelLine {
        const TChartAxis* Axis = nullptr;
        bool Vertical = false;
        bool Visible = false;
        double Lo = 0; // the axis range
        double Hi = 1;
        std::vector<std::pair<double, QString>> Shown;
        QCategoryAxis* Grid = nullptr;
    };
    // After each layout: the value labels for the plot's size, their grid, and
    // the room the labels need around the plot.
    void FitLabels();
    // Margins for the labels' reach around the plot; true when they changed.
    bool PlaceRoom(double Left, double Right, double Bottom);
    std::vector<TChartLabel> LineLabels(const TAxisLabelLine& Line) const;
    QRectF PlotAreaF() const;
    // Where the active series stand in the chart's pixels: a rectangle per
    // bar, or the points of a line.
    struct TSeriesShape {
        const TChartSeries* Series = nullptr;
        std::vector<QRectF> Bars;
        std::vector<QPointF> Points;
    };
    std::vector<TSeriesShape> SeriesShapes() const;
    // The chart's series, in order, for a build.
    std::vector<TChartSeries*> SeriesList() const;
    // The shaded tops and sides of the bars and the ribbons of the lines.
    void DrawDepth(QPainter& Painter, const std::vector<TSeriesShape>& Shapes) const;

    TChart& c_; // the widget: its fields, its series, its size
    TChartViewImpl* view_ = nullptr;
    QChart* chart_ = nullptr;
    std::vector<QAbstractSeries*> qtSeries_; // the Qt series of the chart's series, in order
    TAxisLabelLine leftLabels_;
    TAxisLabelLine bottomLabels_;
    int markRoom_ = 0;  // pixels right of the plot for the depth and the marks
    bool legendShown_ = false;
    int fits_ = 0;      // label fittings since the last build or resize
    bool refitted_ = false;
};
