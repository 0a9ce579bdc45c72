// The chart's model: fonts, axis ranges, the series and their points, and the
// series the chart holds.
#include "Chart.h"

#include <algorithm>
#include <functional>

namespace {

// The least (or, with std::greater, the largest) of field F over the points; 0 for none.
template <typename Before = std::less<>>
double ExtremeOf(const std::vector<TChartPoint>& P, double TChartPoint::*F, Before First = {})
{
    if (P.empty())
        return 0;
    double m = P.front().*F;
    for (const TChartPoint& q : P)
        if (First(q.*F, m))
            m = q.*F;
    return m;
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

double TChartSeries::MinXValue() const { return ExtremeOf(Points, &TChartPoint::X); }
double TChartSeries::MaxXValue() const { return ExtremeOf(Points, &TChartPoint::X, std::greater<>()); }
double TChartSeries::MinYValue() const { return ExtremeOf(Points, &TChartPoint::Y); }
double TChartSeries::MaxYValue() const { return ExtremeOf(Points, &TChartPoint::Y, std::greater<>()); }

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
