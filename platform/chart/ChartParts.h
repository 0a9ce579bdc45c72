#pragma once
// What the chart layer's files share among themselves; the chart's users need
// only Chart.h. The measures are pixels of the chart.
#include "QtChart.h"

#include <QFontMetrics>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <utility>
#include <vector>

class QAbstractAxis;
class QValueAxis;

namespace ChartParts {

constexpr int kDepth = 10;   // the three-dimensional view's depth
constexpr int kMarkGap = 4;  // between a bar and its mark
constexpr int kLabelGap = 4; // between the plot and the labels left of it, and between labels
constexpr int kBelowGap = 6; // between the plot and the labels of the bottom axis
constexpr int kMaxFits = 6;  // label fittings that may change the layout in a row

// A mark's text, with the locale's decimal separator, and the box it fills.
QString MarkText(double Value);
QSizeF MarkSize(const QFontMetrics& Metrics, const QString& Text);

// ChartAxes.cpp: the labels of a value axis from Lo to Hi, Length pixels long:
// the multiples within the range of the least step (Increment when set, else
// 1, 2 or 5 times a power of ten) at which neighbouring labels keep the axis'
// LabelsSeparation percent of their size apart. Each reads the value it stands at.
std::vector<std::pair<double, QString>> RoundLabels(double Lo, double Hi, double Length, const TChartAxis& Axis,
                                                    bool Vertical);
// The range of a Qt axis: the axis' own when it is not automatic, else
// AutoMin..AutoMax; a range without extent is shown around its value.
void SetAxisRange(QValueAxis* Axis, const TChartAxis& A, double AutoMin, double AutoMax);
// A Qt axis keeps its line and grid; the chart draws its labels. True when it shows.
bool StyleAxis(QAbstractAxis* Axis, const TChartAxis& A, bool AxisVisible);

// ChartLabels.cpp: labels set out along an axis of the plot, Offset pixels
// away from it: centred on their positions, in rows below a horizontal axis or
// right-aligned columns left of a vertical one; a label that would overlap the
// last one of a row goes to the next row.
std::vector<TChartLabel> SetOutLabels(const std::vector<std::pair<double, QString>>& Labels, const QRectF& Plot,
                                      double Lo, double Hi, bool Vertical, double Offset, const QFont& Font);

} // namespace ChartParts
