// The chart page and the list page of the diagram window, the chart page's
// tool bar and the series its buttons build.
#include "LemvGraf.h"

#include "Application.h"
#include "Chart.h"
#include "ChartSeries.h"
#include "Errors.h"
#include "GrafStyle.h"
#include "NumFormat.h"
#include "PaintBox.h"
#include "Win1251.h"

#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

const char* const kToolActionProperty = "lemvToolAction";

TChartFont RussianTimes8()
{
    TChartFont f;
    f.Charset = RUSSIAN_CHARSET;
    f.Name = QStringLiteral("Times New Roman");
    f.Size = 8;
    return f;
}

// Both axes span exactly the values of the chart's series.
void FitAxes(TChart* Chart)
{
    double minX, maxX, minY, maxY;
    Chart->ValueExtent(false, minX, maxX, minY, maxY);
    Chart->LeftAxis.Automatic = false;
    Chart->LeftAxis.Increment = 0;
    Chart->LeftAxis.SetMinMax(minY, maxY);
    Chart->BottomAxis.Automatic = false;
    Chart->BottomAxis.Increment = 0;
    Chart->BottomAxis.SetMinMax(minX, maxX);
    Chart->RightAxis.SetMinMax(0, 0);
    Chart->TopAxis.SetMinMax(0, 0);
}

// The program's builders: the series marked with their values and active,
// the axes fitted to them.
template <typename S, typename List, typename Prepare, typename Point>
void BuildFittedSeries(TCurrentPage* Page, List TRecFileGraf::*Entries, Prepare PrepareSeries, Point AddPoint)
{
    TChart* chart = BuildSeries<S>(
        Page, Entries, PrepareSeries,
        [](S& Series) {
            Series.Marks.Style = smsValue;
            Series.Active = true;
        },
        AddPoint);
    FitAxes(chart);
    chart->Repaint();
}

} // namespace

// ---------------------------------------------------------------------------
// Pages

QSize TGrafForm::OuterSize() const
{
    const TGrafForm* w = GrafForm ? GrafForm : this;
    return w->frameGeometry().size();
}

TCurrentPage* TGrafForm::NewPage(const std::string& Title)
{
    CurrentPage = new TCurrentPage();
    CurrentPage->TabSheet = new QWidget();
    auto* sheetLayout = new QVBoxLayout(CurrentPage->TabSheet);
    sheetLayout->setContentsMargins(0, 0, 0, 0);
    // Only a change of tab by the user or SelectNextPage runs the change handler.
    const QSignalBlocker block(PageControl1);
    PageControl1->addTab(CurrentPage->TabSheet, AnsiToQString(Title));
    return CurrentPage;
}

QLabel* TGrafForm::NewCaptionLabel(QWidget* Parent)
{
    auto* label = new QLabel(Parent);
    const QSize outer = OuterSize();
    label->move(static_cast<int>(std::trunc(outer.width() / 6.0)), static_cast<int>(std::trunc(outer.height() / 4.0)));
    label->setFont(TimesFont(8, false));
    return label;
}

TGrafForm::ToolAction TGrafForm::ToolButtonAction(QToolButton* Button)
{
    return Button ? static_cast<ToolAction>(Button->property(kToolActionProperty).toInt()) : ToolAction::None;
}

void TGrafForm::MakeToolButtons(QToolBar* Bar, const std::vector<std::string>& Captions,
                                const std::vector<std::string>& Hints)
{
    const int n = static_cast<int>(Captions.size());
    for (int i = 0; i < n; ++i) {
        auto* button = new QToolButton(Bar);
        setFont(TimesFont(8, true));
        // The bar's style sheet stops the font's inheritance: the button takes
        // the bar's font (the panel's) itself.
        button->setFont(Bar->font());
        button->setText(AnsiToQString(Captions[i]));
        button->setToolTip(AnsiToQString(Hints.at(i)));
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setAutoRaise(true);
        if (Captions[i] == "|") {
            button->setObjectName(QStringLiteral("Divider"));
            button->setEnabled(false);
            button->setText(QString());
            button->setFixedWidth(8);
            Bar->addWidget(button);
            continue;
        }
        const int fromLast = n - 1 - i; // 0 for the last button
        ToolAction action = ToolAction::None;
        if (Mode == 0 || Mode == 3) {
            if (fromLast == 0)
                action = ToolAction::LineChart;
            else if (fromLast == 1)
                action = ToolAction::HorizBars;
            else if (fromLast == 3)
                action = ToolAction::Toggle3D;
        } else if (Mode == 2 && fromLast == 0) {
            action = ToolAction::Toggle3D;
        }
        button->setProperty(kToolActionProperty, static_cast<int>(action));
        button->setMinimumHeight(22);
        button->setMinimumWidth(23);
        if (action != ToolAction::None)
            connect(button, &QToolButton::clicked, this, [this, action] {
                RunHandler([this, action] {
                    if (action == ToolAction::Toggle3D)
                        Toggle3D();
                    else if (action == ToolAction::HorizBars)
                        BuildHorizBars();
                    else
                        BuildLineChart();
                });
            });
        Bar->addWidget(button);
    }
}

TCurrentPage* TGrafForm::AddChartPage(const std::string& Title)
{
    try {
        TCurrentPage* page = NewPage(Title);
        QFont sheetFont = page->TabSheet->font();
        sheetFont.setFamily(QStringLiteral("Times New Roman"));
        page->TabSheet->setFont(sheetFont);
        auto* sheetLayout = page->TabSheet->layout();

        page->ClientPanel = new QFrame(page->TabSheet);
        page->ClientPanel->setFont(TimesFont(8, true));
        SetBackground(page->ClientPanel, clBtnFace);
        auto* panelLayout = new QVBoxLayout(page->ClientPanel);
        panelLayout->setContentsMargins(0, 0, 0, 0);
        panelLayout->setSpacing(0);
        sheetLayout->addWidget(page->ClientPanel);
        page->ClientPanel->setVisible(true);

        page->ToolBar = new QToolBar(page->ClientPanel);
        page->ToolBar->setFixedHeight(34);
        page->ToolBar->setContentsMargins(15, 2, 2, 2);
        page->ToolBar->setStyleSheet(QStringLiteral("QToolBar { border: 1px inset gray; }"));
        panelLayout->addWidget(page->ToolBar);
        MakeChartToolBar(page);

        TChart* chart = new TChart();
        page->Chart = chart;
        chart->AutoSize = true;
        chart->AxisVisible = true;
        chart->AllowZoom = true;
        chart->BevelInner = bvNone;
        chart->BevelOuter = bvNone;
        chart->MarginLeft = 5;
        chart->BackColor = clBtnFace;
        chart->Color = clBtnFace;
        chart->setVisible(true);
        chart->setEnabled(true);
        chart->Legend.Inverted = true;
        chart->Title.Font = RussianTimes8();
        chart->Legend.Font = RussianTimes8();
        chart->LeftAxis.LabelsFont = RussianTimes8();
        chart->BottomAxis.LabelsSeparation = 50;
        chart->BottomAxis.LabelStyle = talAuto;
        chart->BottomAxis.LabelsFont = RussianTimes8();

        page->CaptionLabel = NewCaptionLabel(page->ClientPanel);
        chart->setParent(page->ClientPanel);
        panelLayout->addWidget(chart, 1);
        return page;
    } catch (...) {
        return nullptr;
    }
}

void TGrafForm::MakeChartToolBar(TCurrentPage* Page)
{
    Page->ToolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    if (Mode == 0 || Mode == 3)
        MakeToolButtons(Page->ToolBar, { "3D", "|", Ansi("Диаграмма"), Ansi("График") },
                        { Ansi("Объемный график"), "", Ansi("Диаграмма"), Ansi("График") });
    else if (Mode == 2)
        MakeToolButtons(Page->ToolBar, { "3D" }, { Ansi("Объемный график") });
}

TCurrentPage* TGrafForm::AddListPage(const std::string& Title)
{
    try {
        TCurrentPage* page = NewPage(Title);
        page->CaptionLabel = NewCaptionLabel(page->TabSheet);

        page->ScrollBox = new QScrollArea();
        page->ScrollBox->setFrameShape(QFrame::NoFrame);
        SetBackground(page->ScrollBox, clBtnFace);
        page->ScrollBox->setWidgetResizable(true);
        page->ScrollBox->verticalScrollBar()->setSingleStep(8);
        UseDarkThumbs(page->ScrollBox);
        page->PaintBox = new TPaintBox();
        page->PaintBox->Color = clBtnFace;
        page->PaintBox->OnPaint = [this](QObject* Sender) { FormPaint(Sender); };
        page->ScrollBox->setWidget(page->PaintBox);
        page->ScrollBox->setParent(page->TabSheet);
        page->TabSheet->layout()->addWidget(page->ScrollBox);
        return page;
    } catch (...) {
        return nullptr;
    }
}

// ---------------------------------------------------------------------------
// The chart

void TGrafForm::DrawChartPage(TRecFileGraf* Page)
{
    try {
        auto* page = dynamic_cast<TCurrentPage*>(Page);
        if (!page)
            return;
        if (page->TabSheet)
            PageControl1->setTabText(PageControl1->indexOf(page->TabSheet), AnsiToQString(page->Title));
        TChart* chart = ChartOf(page);
        chart->Frame.Visible = true;
        chart->Frame.Color = clBlack;
        chart->Frame.Width = 1;
        chart->Frame.Style = psSolid;
        for (TChartAxis* a : { &chart->LeftAxis, &chart->BottomAxis }) {
            a->LabelsFont.Name = QStringLiteral("Times New Roman");
            a->LabelsFont.Bold = false;
            a->LabelsFont.Size = 8;
        }
        chart->LeftWall.Color = clBtnFace;
        chart->BottomWall.Color = clBtnFace;
        QFont f = font();
        f.setFamily(QStringLiteral("Times New Roman"));
        setFont(f);
        chart->BottomAxis.Visible = true;
        setFont(TimesFont(8, true));
        chart->Legend.Font.Name = QStringLiteral("Times New Roman");
        chart->Legend.Font.Size = 8;
        chart->Title.Font.Name = QStringLiteral("Times New Roman");
        chart->Title.Font.Bold = true;
        chart->Title.Font.Size = 8;
        chart->Title.Text.clear();
        chart->Title.Text << AnsiToQString(page->Title);
        DrawPageSeries(chart);
    } catch (...) {
    }
}

void TGrafForm::DrawPageSeries(TChart* Chart)
{
    if (Mode == 0 || Mode == 3)
        BuildHorizBars();
    else if (Mode == 2)
        BuildBarsFromObjects();
    else
        Chart->Repaint();
}

void TGrafForm::BuildHorizBars()
{
    BuildFittedSeries<THorizBarSeries>(
        CurrentPage, &TRecFileGraf::SignificantNames,
        [](THorizBarSeries& Series) {
            Series.UseYOrigin = true;
            Series.YOrigin = 0;
        },
        [this](int j, const auto& Add) {
            const double v = StrToFloat(CurrentPage->SignificantValues.Strings(j));
            if (v < 9.0)
                return;
            const QString label = AnsiToQString(CurrentPage->SignificantNames.Strings(j));
            Add([&](THorizBarSeries& s) { s.AddBar(v, label, clRed); });
        });
}

void TGrafForm::BuildLineChart()
{
    BuildFittedSeries<TLineSeries>(
        CurrentPage, &TRecFileGraf::SignificantNames, [](TLineSeries&) {},
        [this](int j, const auto& Add) {
            // Every entry takes its place on the x axis, drawn or not.
            const int x = CurrentPage->SignificantNames.Count() - j;
            const double v = StrToFloat(CurrentPage->SignificantValues.Strings(j));
            if (v < 9.0)
                return;
            const QString label = AnsiToQString(CurrentPage->SignificantNames.Strings(j));
            Add([&](TLineSeries& s) { s.AddXY(x, v, label, s.SeriesColor); });
        });
}

void TGrafForm::BuildBarsFromObjects()
{
    BuildFittedSeries<THorizBarSeries>(
        CurrentPage, &TRecFileGraf::BarList, [](THorizBarSeries&) {},
        [this](int j, const auto& Add) {
            CurrentPage->CurBarItem = CurrentPage->BarList.Objects(j);
            if (!CurrentPage->CurBarItem)
                throw Exception("Bar list entry without an item");
            const TBarItem item = *CurrentPage->CurBarItem;
            const double v = StrToFloat(FormatFixed(item.Value, 5, 2));
            Add([&](THorizBarSeries& s) { s.AddBar(v, AnsiToQString(item.Label), item.Colour); });
        });
}

void TGrafForm::Toggle3D()
{
    if (CurrentPage && CurrentPage->Chart) {
        CurrentPage->Chart->View3D = !CurrentPage->Chart->View3D;
        CurrentPage->Chart->Repaint();
    }
}
