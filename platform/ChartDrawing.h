#pragma once
// Between the chart widget and its drawing. The drawing builds a Qt chart from
// the widget's fields and shows it inside the widget; it is made by the chart
// module (liblemvchart.so in the program's folder, built from platform/chart/),
// whose one export is kMakeChartDrawing.
#include "Chart.h"

#include <QImage>
#include <QRect>
#include <QString>

#include <vector>

class TChartDrawing {
public:
    virtual ~TChartDrawing() = default;
    // A fresh Qt chart from the owner's fields.
    virtual void Build() = 0;
    // The owner drawn onto a bitmap once the fresh chart's layout has settled.
    virtual QImage DrawToBitmap() = 0;
    // The owner's size changed.
    virtual void Resized() = 0;
    virtual QRect PlotRect() const = 0;
    virtual std::vector<TChartLabel> AxisLabels() const = 0;
};

// The module's export: a new drawing for Owner, which owns it.
using TMakeChartDrawing = TChartDrawing* (*)(TChart& Owner);
inline constexpr char kMakeChartDrawing[] = "LemvMakeChartDrawing";
inline constexpr char kChartModuleFile[] = "liblemvchart.so";

// The export of the chart module in Folder, which stays loaded; raises an
// Exception naming the module when it cannot be loaded or lacks the export.
TMakeChartDrawing LoadChartDrawingMaker(const QString& Folder);
