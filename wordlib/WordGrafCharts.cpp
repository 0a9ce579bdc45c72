// The word window's chart page: its tool bar of images and the four series
// builders. The library's series keep the chart's own axis ranges, set no
// origin and leave the series as they were created.
#include "WordGraf.h"

#include "Application.h"
#include "ChartSeries.h"
#include "KeptPixmaps.h"
#include "NumFormat.h"
#include "PageRecords.h"
#include "Win1251.h"

#include <QIcon>
#include <QToolBar>
#include <QToolButton>

namespace {

// The strip's pictures, 16 pixels wide, fuchsia transparent; kept, so that
// every window paints the same pixmaps.
QList<QPixmap> StripImages(const QString& Resource)
{
    QList<QPixmap> images;
    const int count = QImage(Resource).width() / 16;
    for (int i = 0; i < count; ++i)
        images << KeptPixmap(QStringLiteral("quenlit%1/%2").arg(Resource).arg(i),
                             [&] { return StripPicture(QImage(Resource), i); });
    return images;
}

} // namespace

void TWordGrafForm::MakeChartToolBar(TCurrentPage* Page)
{
    AGrafImageList << StripImages(QStringLiteral(":/quenlit/SMALLIMAGES"));
    Page->ToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    Page->ToolBar->setIconSize(QSize(16, 16));
    Page->ToolBar->setEnabled(true);
    Page->ToolBar->setVisible(true);
    MakeToolButtons(Page->ToolBar, { "3D", "|", Ansi("Диаграмма"), Ansi("График") }, 3, 3,
                    { Ansi("Объемный график"), "", Ansi("Диаграмма"), Ansi("График") });
}

void TWordGrafForm::MakeToolButtons(QToolBar* Bar, const std::vector<std::string>& Captions, int HighIndex,
                                    int FirstImageIndex, const std::vector<std::string>& Hints)
{
    int c = FirstImageIndex;
    for (int i = 0; i <= HighIndex; ++i, --c) {
        auto* button = new QToolButton(Bar);
        button->setToolTip(AnsiToQString(Hints.at(i)));
        button->setAutoRaise(true);
        if (Captions.at(i) == "|") {
            button->setObjectName(QStringLiteral("Divider"));
            button->setEnabled(false);
            button->setFixedWidth(8);
            Bar->addWidget(button);
            continue;
        }
        button->setObjectName(QStringLiteral("ImageButton%1").arg(c));
        if (c >= 0 && c < AGrafImageList.size())
            button->setIcon(QIcon(AGrafImageList[c]));
        button->setMinimumSize(23, 22);
        void (TWordGrafForm::*handler)() = nullptr;
        if (c == 3)
            handler = &TWordGrafForm::Toggle3D;
        else if (c == 0 && (Mode == 0 || Mode == 3))
            handler = Mode == 0 ? &TWordGrafForm::BuildLineChart : &TWordGrafForm::BuildFullLineChart;
        else if (c == 1 && (Mode == 0 || Mode == 3))
            handler = Mode == 0 ? &TWordGrafForm::BuildHorizBars : &TWordGrafForm::BuildFullHorizBars;
        if (handler)
            connect(button, &QToolButton::clicked, this, [this, handler] { RunHandler([this, handler] { (this->*handler)(); }); });
        Bar->addWidget(button);
    }
}

void TWordGrafForm::DrawPageSeries(TChart*)
{
    if (Mode == 0)
        BuildHorizBars();
    else if (Mode == 3)
        BuildFullHorizBars();
}

namespace {

// Entry j of the page's significant scales: its value and its name.
struct TEntry {
    double Value;
    QString Label;
};

TEntry EntryOf(const TCurrentPage& Page, int j)
{
    return { StrToFloat(Page.SignificantValues.Strings(j)), AnsiToQString(Page.SignificantNames.Strings(j)) };
}

} // namespace

void TWordGrafForm::BuildFullLineChart()
{
    TChart* chart = BuildSeries<TLineSeries>(
        CurrentPage, &TRecFileGraf::SignificantNames, [](TLineSeries&) {},
        [](TLineSeries& s) { s.Marks.Style = smsValue; },
        [this](int j, const auto& Add) {
            const int x = CurrentPage->SignificantNames.Count() - j;
            const TEntry e = EntryOf(*CurrentPage, j);
            Add([&](TLineSeries& s) { s.AddXY(x, e.Value, e.Label, s.SeriesColor); });
        });
    chart->LeftAxis.Automatic = true;
    chart->Repaint();
}

void TWordGrafForm::BuildLineChart()
{
    TChart* chart = BuildSeries<TLineSeries>(
        CurrentPage, &TRecFileGraf::SignificantNames, [](TLineSeries&) {}, [](TLineSeries&) {},
        [this](int j, const auto& Add) {
            // Every entry takes its place on the x axis, drawn or not.
            const int x = CurrentPage->SignificantNames.Count() - j;
            const TEntry e = EntryOf(*CurrentPage, j);
            if (e.Value >= 9.0)
                Add([&](TLineSeries& s) { s.AddXY(x, e.Value, e.Label, s.SeriesColor); });
        });
    chart->Repaint();
}

void TWordGrafForm::BuildFullHorizBars()
{
    TChart* chart = BuildSeries<THorizBarSeries>(
        CurrentPage, &TRecFileGraf::SignificantNames, [](THorizBarSeries&) {},
        [](THorizBarSeries& s) {
            s.Marks.Style = smsValue;
            s.BarWidthPercent = 50;
        },
        [this](int j, const auto& Add) {
            const TEntry e = EntryOf(*CurrentPage, j);
            Add([&](THorizBarSeries& s) { s.AddBar(e.Value, e.Label, clRed); });
        });
    chart->LeftAxis.Automatic = true;
    chart->Repaint();
}

void TWordGrafForm::BuildHorizBars()
{
    TChart* chart = BuildSeries<THorizBarSeries>(
        CurrentPage, &TRecFileGraf::SignificantNames, [](THorizBarSeries&) {}, [](THorizBarSeries&) {},
        [this](int j, const auto& Add) {
            const TEntry e = EntryOf(*CurrentPage, j);
            if (e.Value >= 9.0)
                Add([&](THorizBarSeries& s) { s.AddBar(e.Value, e.Label, clRed); });
        });
    chart->Repaint();
}
