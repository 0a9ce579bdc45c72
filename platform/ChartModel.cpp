// The chart's model: fonts, axis ranges, the series and their points, and the
// series the chart holds.
#include "Chart.h"

#include <algorithm>

namespace {

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
