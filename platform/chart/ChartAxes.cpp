// The chart's axes: the range and style of each Qt axis, and the labels of a
// value axis at round steps.
#include "ChartParts.h"

#include <QAbstractAxis>
#include <QFontMetricsF>
#include <QLocale>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

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

} // namespace

namespace ChartParts {

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

void SetAxisRange(QValueAxis* Axis, const TChartAxis& A, double AutoMin, double AutoMax)
{
    double lo = A.Automatic ? AutoMin : A.Minimum;
    double hi = A.Automatic ? AutoMax : A.Maximum;
    if (!(hi > lo)) {
        lo -= 0.5;
        hi += 0.5;
    }
    Axis->setRange(lo, hi);
}

bool StyleAxis(QAbstractAxis* Axis, const TChartAxis& A, bool AxisVisible)
{
    Axis->setLabelsVisible(false);
    Axis->setVisible(AxisVisible && A.Visible);
    Axis->setGridLineVisible(true);
    return Axis->isVisible();
}

} // namespace ChartParts
