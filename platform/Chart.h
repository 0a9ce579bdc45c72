#pragma once
// The chart layer: a chart widget with the classes and properties the pages
// set (series of points with labels and colours, four axes, legend, title,
// walls, frame, a three-dimensional view). The settings are plain fields;
// Repaint() shows the chart as they stand. The drawing is Qt Charts', with a
// depth and axis labels of our own (platform/chart/), and lives in a module
// of its own, liblemvchart.so, loaded with the first chart: nothing of Qt
// Charts loads with the program.
#include "Canvas.h"

#include <QImage>
#include <QStringList>
#include <QWidget>

#include <memory>
#include <utility>
#include <vector>

class TChartDrawing;

enum TSeriesMarksStyle { smsValue, smsPercent, smsLabel, smsLabelPercent, smsLabelValue, smsLegend };
enum TAxisLabelStyle { talAuto, talNone, talValue, talMark, talText };
enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };
enum TPanelBevel { bvNone, bvLowered, bvRaised };

constexpr int RUSSIAN_CHARSET = 204;

struct TChartFont {
    int Charset = 1;
    QString Name = QStringLiteral("Arial");
    int Size = 8;
    bool Bold = false;
    TColor Color = clBlack;
    QFont ToQFont() const;
};

struct TChartAxis {
    bool Automatic = true;
    bool Visible = true;
    double Increment = 0;
    double Minimum = 0;
    double Maximum = 0;
    // The least gap between neighbouring value labels, in percent of a label's
    // size along the axis (its width on a horizontal axis, its height on a
    // vertical one).
    int LabelsSeparation = 10;
    TAxisLabelStyle LabelStyle = talAuto;
    TChartFont LabelsFont;
    // Automatic := False with the range Min..Max.
    void SetMinMax(double Min, double Max);
};

struct TChartLegend {
    bool Visible = true;
    bool Inverted = false;
    TChartFont Font;
};

struct TChartTitle {
    bool Visible = true;
    QStringList Text;
    TChartFont Font;
};

struct TChartFrame {
    bool Visible = true;
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = psSolid;
};

struct TChartWall {
    TColor Color = clWhite;
};

struct TChartMarks {
    bool Visible = true;
    TSeriesMarksStyle Style = smsLabel;
};

// A label drawn beside an axis: its text and the rectangle the text fills.
struct TChartLabel {
    QString Text;
    QRectF Rect;
};

struct TChartPoint {
    double X = 0;
    double Y = 0;
    QString Label;
    TColor Color = clBlack;
};

class TChart;

class TChartSeries {
public:
    virtual ~TChartSeries() = default;
    TChart* ParentChart() const { return chart_; }
    bool Active = true;
    TColor SeriesColor = clRed;
    TChartMarks Marks;
    std::vector<TChartPoint> Points;
    int Count() const { return static_cast<int>(Points.size()); }
    void Clear() { Points.clear(); }
    // Extent of the values on the horizontal (X) and vertical (Y) axes; 0 for no points.
    virtual double MinXValue() const;
    virtual double MaxXValue() const;
    virtual double MinYValue() const;
    virtual double MaxYValue() const;

private:
    friend class TChart;
    TChart* chart_ = nullptr;
};

// Points joined by a line; X and Y as given.
class TLineSeries : public TChartSeries {
public:
    int AddXY(double X, double Y, const QString& Label, TColor Color);
};

// Horizontal bars: each value on the horizontal axis, the bars stacked upwards
// by their order (Y = 0, 1, ...). With UseYOrigin (as created) the bars start
// at YOrigin, which then counts in the extent.
class THorizBarSeries : public TChartSeries {
public:
    bool UseYOrigin = true;
    double YOrigin = 0;
    int BarWidthPercent = 70;
    int AddBar(double Value, const QString& Label, TColor Color);
    double MinXValue() const override;
    double MaxXValue() const override;
};

class TChart : public QWidget {
    Q_OBJECT
public:
    explicit TChart(QWidget* Parent = nullptr);
    ~TChart() override;

    bool AutoSize = false;
    bool AxisVisible = true;
    bool AllowZoom = true;
    TPanelBevel BevelInner = bvNone;
    TPanelBevel BevelOuter = bvRaised;
    int MarginLeft = 3;
    TColor BackColor = clWhite;
    TColor Color = clBtnFace;
    bool View3D = true;
    TChartLegend Legend;
    TChartTitle Title;
    TChartFrame Frame;
    TChartWall LeftWall;
    TChartWall BottomWall;
    TChartAxis LeftAxis;
    TChartAxis BottomAxis;
    TChartAxis RightAxis;
    TChartAxis TopAxis;

    // The chart owns every series created for it; removed series stay owned.
    template <typename S>
    S* CreateSeries()
    {
        auto s = std::make_unique<S>();
        S* raw = s.get();
        owned_.push_back(std::move(s));
        return raw;
    }
    void AddSeries(TChartSeries* Series);
    // Detaches every series; they stay owned by the chart.
    void RemoveAllSeries();
    int SeriesCount() const { return static_cast<int>(series_.size()); }
    TChartSeries* Series(int Index) const { return series_.at(Index); }
    int OwnedSeriesCount() const { return static_cast<int>(owned_.size()); }
    // The smallest and largest X and Y over the series that hold points (only
    // the active ones with ActiveOnly); false, with all four 0, when none does.
    bool ValueExtent(bool ActiveOnly, double& MinX, double& MaxX, double& MinY, double& MaxY) const;

    // Shows the chart with the current settings.
    void Repaint();
    // The chart drawn onto a bitmap of its current size.
    QImage DrawToBitmap();
    // The plot's border in the chart's pixels, where the frame lies: the front
    // of the three-dimensional view, the axes along its left and bottom edges.
    QRect PlotRect() const;
    // The labels beside the left and the bottom axis where the current layout
    // puts them: the scale names at their bars or points, the values of a value
    // axis at round steps. Each is whole; the labels of one axis never overlap.
    std::vector<TChartLabel> AxisLabels() const;

protected:
    void showEvent(QShowEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;

private:
    std::vector<std::unique_ptr<TChartSeries>> owned_;
    std::vector<TChartSeries*> series_;
    // The Qt Charts half, made by the chart module; it shows inside this widget.
    std::unique_ptr<TChartDrawing> drawing_;
};
