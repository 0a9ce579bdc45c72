#pragma once
// The outline of the series builders of a chart page, which the program's
// window and the library's share: the page's chart gets one fresh series of
// kind S (Prepare sets it up); then each entry of the page's list Entries,
// from the last to the first, may give a point: AddPoint(j, Add) calls Add
// with what adds the point to a series, and Add hands it to every series of
// kind S in the chart, Decorate going over the series first.
#include "Chart.h"
#include "PageRecords.h"

template <typename S, typename List, typename Prepare, typename Decorate, typename Point>
TChart* BuildSeries(TCurrentPage* Page, List TRecFileGraf::*Entries, Prepare PrepareSeries, Decorate DecorateSeries,
                    Point AddPoint)
{
    TChart* chart = ChartOf(Page);
    chart->RemoveAllSeries();
    auto* series = chart->CreateSeries<S>();
    PrepareSeries(*series);
    chart->AddSeries(series);
    const auto add = [chart, &DecorateSeries](const auto& AddTo) {
        for (int i = 0; i < chart->SeriesCount(); ++i)
            if (auto* s = dynamic_cast<S*>(chart->Series(i))) {
                DecorateSeries(*s);
                AddTo(*s);
            }
    };
    for (int j = (Page->*Entries).Count() - 1; j >= 0; --j)
        AddPoint(j, add);
    return chart;
}
