#include "GrafTestHelpers.h"
#include "HelpLayer.h"
#include "HelpWindow.h"
#include "Chart.h"
#include "LemvGraf.h"
#include "NumFormat.h"
#include "PaintBox.h"
#include "Screen.h"
#include "TextPage.h"
#include "Win1251.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTemporaryDir>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <utility>

namespace {

struct Enabled {
    bool open, save, print;
    bool operator==(const Enabled&) const = default;
};

Enabled EnabledOf(const TGrafForm& w)
{
    return { w.FileOpenSpeedButton->isEnabled(), w.FileSaveSpeedButton->isEnabled(), w.PrintSpeedButton->isEnabled() };
}

QColor TextColour(const QLabel* l)
{
    return l->palette().color(QPalette::WindowText);
}

class RecordingHelp : public IHelpSystem {
public:
    struct Call {
        QString file;
        unsigned command;
        QString data;
    };
    std::vector<Call> Calls;
    void Help(const QString& File, unsigned Command, const QString& Data, int) override
    {
        Calls.push_back({ File, Command, Data });
    }
};

class GrafForm1024 : public ::testing::Test {
protected:
    void SetUp() override { SetVirtualScreenSize(QSize(1024, 768)); }
    void TearDown() override { SetVirtualScreenSize(QSize()); }
};

// A chart page with the given significant entries (values as the page writes them).
TCurrentPage* ChartPageWith(TGrafForm& w, const std::vector<std::pair<const char*, double>>& Entries)
{
    TCurrentPage* p = w.AddChartPage("T");
    w.CurrentPage = p;
    p->Title = "T";
    for (auto [name, v] : Entries) {
        p->SignificantNames.Add(Ansi(name));
        p->SignificantValues.Add(FormatFixed(v, 5, 2));
    }
    w.Pages.AddObject("T", p);
    return p;
}

} // namespace

TEST_F(GrafForm1024, CreationSizesTheWindowFromTheVirtualScreen)
{
    TGrafForm w;
    EXPECT_EQ(GrafForm, &w);
    EXPECT_EQ(w.width(), 962);
    EXPECT_EQ(w.height(), 499);
    EXPECT_EQ(w.ExitSpeedButton->x(), 882);
    EXPECT_EQ(w.ExitSpeedButton->y(), 16);
    EXPECT_EQ(w.HelpSpeedButton->x(), 802);
    EXPECT_EQ(w.StaticText1->x(), 240);
    EXPECT_EQ(w.StaticText2->x(), 320);
    EXPECT_EQ(w.HelpTopic, "hlp_Instructions");
    EXPECT_EQ(w.HelpFilePath.substr(w.HelpFilePath.size() - 16), "Data\\Lemvora.hlp");
    EXPECT_EQ(w.ExitSpeedButton->text(), QStringLiteral("&Выход"));
    EXPECT_EQ(w.Panel3->height(), 53);
}

TEST_F(GrafForm1024, UpdateStatusFollowsTheEnablingTable)
{
    struct Case {
        int mode, kind;
        const char* note;
        Enabled expected;
        bool status;
    };
    const Enabled same { true, true, true }; // unchanged from the state before
    const Case cases[] = {
        { 0, 0, "", { false, true, true }, true },
        { 3, 0, "x", { false, true, true }, true },
        { 0, 1, "x", { false, true, true }, true },
        { 3, 1, "", { false, false, false }, true },
        { 0, 2, "", same, true },
        { 1, 0, "", { false, false, true }, false },
        { 1, 5, "x", { false, false, true }, false },
        { 2, 0, "", { false, true, true }, false },
        { 2, 1, "x", { false, false, false }, false },
        { 2, 2, "", same, false },
        { 7, 0, "", same, false },
        { -1, 1, "", same, false },
    };
    TGrafForm w;
    for (const Case& c : cases) {
        TCurrentPage page;
        page.Note = c.note;
        page.CodingVerdict = VerdictSoft();
        w.SetButtonsEnabled(true, true, true);
        w.StaticText1->setText(QStringLiteral("before"));
        w.SetMode(c.mode);
        w.SetPageKind(c.kind);
        w.UpdateStatus(&page);
        EXPECT_EQ(EnabledOf(w), c.expected) << c.mode << "/" << c.kind << "/" << c.note;
        EXPECT_EQ(w.StaticText1->text() != QStringLiteral("before"), c.status) << c.mode << "/" << c.kind;
    }
    TRecFileGraf notAPage;
    w.SetButtonsEnabled(true, true, true);
    w.SetMode(0);
    w.UpdateStatus(&notAPage);
    EXPECT_EQ(EnabledOf(w), same);
}

TEST_F(GrafForm1024, CodingVerdictColours)
{
    const struct {
        std::string verdict;
        TColor colour;
    } cases[] = {
        { VerdictHard(), clRed },
        { VerdictSoft(), clBlue },
        { VerdictNeutral(), clBlack },
        { "", clBlack },
        { VerdictHard() + " ", clBlack }, // only the exact text is marked
    };
    TGrafForm w;
    for (const auto& c : cases) {
        TCurrentPage page;
        page.CodingVerdict = c.verdict;
        page.RhythmVerdict = Ansi("РИТМИЧНОСТЬ СРЕДНЯЯ");
        w.UpdateStatus(&page);
        EXPECT_EQ(TextColour(w.StaticText1), ToQColor(c.colour)) << c.verdict;
        EXPECT_EQ(w.StaticText1->text(), AnsiToQString(c.verdict));
        EXPECT_EQ(w.StaticText2->text(), QStringLiteral("РИТМИЧНОСТЬ СРЕДНЯЯ"));
    }
    EXPECT_EQ(ToQColor(clRed), QColor(255, 0, 0));
    EXPECT_EQ(ToQColor(clBlue), QColor(0, 0, 255));
    EXPECT_EQ(ToQColor(clMaroon), QColor(128, 0, 0));
}

TEST_F(GrafForm1024, TextResultEnablesSavingOnTheChartTabOnly)
{
    TTextAnalysisWindow r = BuildTextAnalysisWindow(SampleRussianText(), "T");
    TGrafForm& w = *r.Window;
    ASSERT_EQ(w.PageControl1->count(), 2);
    EXPECT_EQ(w.PageControl1->tabText(1), QStringLiteral("# T"));
    EXPECT_FALSE(w.FileOpenSpeedButton->isVisibleTo(&w));
    EXPECT_TRUE(w.FileSaveSpeedButton->isVisibleTo(&w));
    EXPECT_EQ(w.CurrentPage, w.Pages.Objects(0));
    EXPECT_EQ(w.PageKind, 0);
    EXPECT_EQ(EnabledOf(w), (Enabled { false, true, true }));
    const QString coding = w.StaticText1->text(), rhythm = w.StaticText2->text();
    EXPECT_FALSE(coding.isEmpty());
    SelectNextPage(w.PageControl1, true);
    EXPECT_EQ(w.ActivePageIndex, 1);
    EXPECT_EQ(w.PageKind, 1);
    EXPECT_EQ(EnabledOf(w), (Enabled { false, false, false }));
    EXPECT_EQ(w.StaticText1->text(), coding);
    EXPECT_EQ(w.StaticText2->text(), rhythm);
}

TEST_F(GrafForm1024, NoteOnlyResultCanBeSavedAndPrinted)
{
    TTextAnalysisWindow r = BuildTextAnalysisWindow(Ansi("abc 123"), "T");
    EXPECT_EQ(r.Note, Ansi("Слишком мал текст для анализа!"));
    TGrafForm& w = *r.Window;
    ASSERT_EQ(w.PageControl1->count(), 1);
    EXPECT_EQ(w.PageKind, 1);
    w.show(); // the lone tab never changes: showing brings its status
    EXPECT_EQ(EnabledOf(w), (Enabled { false, true, true }));
    EXPECT_EQ(w.Pages.Objects(0)->Note, r.Note);
    w.hide();
}

namespace {

// Sixty scale rows more than the text's twenty: a list longer than its box.
void Lengthen(TCurrentPage& List)
{
    for (int i = 0; i < 60; ++i)
        List.ScaleList.AddObject("s", new ScaleItem { "EXTRA", 1.0 });
}

// A text window shown on its chart tab, its list page lengthened.
TTextAnalysisWindow ShownWithLongList()
{
    TTextAnalysisWindow r = BuildTextAnalysisWindow(SampleRussianText(), "T");
    Lengthen(*r.Window->Pages.Objects(1));
    r.Window->show();
    QApplication::processEvents();
    return r;
}

} // namespace

// The list scrolls by its rows: an arrow one, a page key ten, Home and End to
// its ends, and no further down than its last line.
TEST_F(GrafForm1024, KeysScrollTheListTabByRowsToItsLastLineAndEscapeCloses)
{
    TTextAnalysisWindow r = ShownWithLongList();
    TGrafForm& w = *r.Window;
    TCurrentPage* list = w.Pages.Objects(1);
    QScrollBar* bar = list->ScrollBox->verticalScrollBar();

    int key = VK_NEXT; // chart tab: the keys do nothing
    w.FormKeyDown(&w, key, Qt::NoModifier);
    EXPECT_EQ(bar->value(), 0);

    SelectNextPage(w.PageControl1, true);
    QApplication::processEvents();
    const int row = 499 / 28; // the client height's 28th
    ASSERT_EQ(bar->singleStep(), row);
    // At the end the last row (79) shows at the view's foot, less than a row above it.
    const int view = list->ScrollBox->viewport()->height();
    const int below = bar->maximum() + view - 79 * row;
    EXPECT_GT(below, 0);
    EXPECT_LT(below, 2 * row);
    const int end = bar->maximum();
    ASSERT_GT(end, 11 * row);
    const struct {
        int key, value;
    } steps[] = { { VK_DOWN, row },   { VK_NEXT, 11 * row }, { VK_UP, 10 * row }, { VK_PRIOR, 0 },
                  { VK_UP, 0 },       { VK_END, end },       { VK_NEXT, end },    { VK_DOWN, end },
                  { VK_PRIOR, end - 10 * row }, { VK_HOME, 0 } };
    for (const auto& s : steps) {
        key = s.key;
        w.FormKeyDown(&w, key, Qt::NoModifier);
        EXPECT_EQ(bar->value(), s.value) << s.key;
        EXPECT_EQ(list->PaintBox->y(), -s.value) << "the list moves up as the value grows";
    }
    // A real key reaches the window first, whichever control has the focus.
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &w;
    QKeyEvent down(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
    QApplication::sendEvent(target, &down);
    EXPECT_EQ(bar->value(), 10 * row);
    QKeyEvent home(QEvent::KeyPress, Qt::Key_Home, Qt::NoModifier);
    QApplication::sendEvent(target, &home);
    EXPECT_EQ(bar->value(), 0);

    SelectNextPage(w.PageControl1, false);
    key = VK_ESCAPE;
    w.FormKeyDown(&w, key, Qt::NoModifier);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.result(), QDialog::Rejected);
}

// The thumb is the bar's darker part, at the top while the view shows the
// list's start and at the foot at its end.
TEST_F(GrafForm1024, ListScrollBarsThumbStandsOutFromItsGroove)
{
    TTextAnalysisWindow r = ShownWithLongList();
    TGrafForm& w = *r.Window;
    TCurrentPage* list = w.Pages.Objects(1);
    SelectNextPage(w.PageControl1, true);
    QApplication::processEvents();
    QScrollBar* bar = list->ScrollBox->verticalScrollBar();
    ASSERT_TRUE(bar->isVisible());
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = Qt::Vertical;
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.pageStep = bar->pageStep();
    option.singleStep = bar->singleStep();
    const QRect groove = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarGroove, bar);
    for (const int value : { bar->minimum(), bar->maximum() }) {
        bar->setValue(value);
        option.sliderPosition = option.sliderValue = value;
        const QRect thumb = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar);
        EXPECT_EQ(value == bar->minimum() ? thumb.top() : thumb.bottom(),
                  value == bar->minimum() ? groove.top() : groove.bottom());
        const QImage image = bar->grab().toImage();
        double in = 0, out = 0;
        int ins = 0, outs = 0;
        for (int y = groove.top() + 2; y < groove.bottom() - 1; ++y) {
            const int gray = qGray(image.pixel(groove.center().x(), y));
            if (y > thumb.top() + 1 && y < thumb.bottom() - 1) {
                in += gray;
                ++ins;
            } else if (y < thumb.top() - 1 || y > thumb.bottom() + 1) {
                out += gray;
                ++outs;
            }
        }
        ASSERT_GT(ins, 0);
        ASSERT_GT(outs, 0);
        EXPECT_LT(in / ins + 8, out / outs) << "the thumb is darker than the groove at " << value;
    }
}

// A list that fits its box does not scroll.
TEST_F(GrafForm1024, ListThatFitsItsBoxDoesNotScroll)
{
    TTextAnalysisWindow r = BuildTextAnalysisWindow(SampleRussianText(), "T");
    TGrafForm& w = *r.Window;
    w.show();
    SelectNextPage(w.PageControl1, true);
    QApplication::processEvents();
    QScrollBar* bar = w.Pages.Objects(1)->ScrollBox->verticalScrollBar();
    EXPECT_EQ(bar->maximum(), 0);
    int key = VK_NEXT;
    w.FormKeyDown(&w, key, Qt::NoModifier);
    EXPECT_EQ(bar->value(), 0);
}

// The window sees the keys of its own controls first, those of a page built
// after it was shown included; a scrolling key moves the list by the window's
// steps, not by the control's page.
TEST_F(GrafForm1024, KeysOfControlsOnPagesAddedLaterReachTheWindowFirst)
{
    TTextAnalysisWindow r = BuildTextAnalysisWindow(SampleRussianText(), "T");
    TGrafForm& w = *r.Window;
    w.show();
    QApplication::setActiveWindow(&w);
    TCurrentPage* later = w.AddListPage("# later");
    later->Note = "n";
    Lengthen(*later);
    w.Pages.AddObject("# later", later);
    w.PageControl1->setCurrentIndex(2);
    QApplication::processEvents();
    QScrollBar* bar = later->ScrollBox->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 10 * bar->singleStep());
    bar->setPageStep(1);
    later->ScrollBox->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), later->ScrollBox);
    QKeyEvent down(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
    QApplication::sendEvent(later->ScrollBox, &down);
    EXPECT_EQ(bar->value(), 10 * (499 / 28));
    w.hide();
}

TEST_F(GrafForm1024, DeletingWithTheFirstTabActiveDoesNothing)
{
    TTextAnalysisWindow r = BuildTextAnalysisWindow(SampleRussianText(), "T");
    r.Window->DeletePageClick();
    EXPECT_EQ(r.Window->Pages.Count(), 2);
    EXPECT_EQ(r.Window->PageControl1->count(), 2);
}

TEST_F(GrafForm1024, DeletingAListTabRemovesItsFollowerAndItself)
{
    TTextAnalysisWindow r = BuildTextAnalysisWindow(SampleRussianText(), "T");
    TGrafForm& w = *r.Window;
    // Two more pairs behind the first.
    for (const char* t : { "A", "B" }) {
        TCurrentPage* c = w.AddChartPage(t);
        w.Pages.AddObject(t, c);
        TCurrentPage* l = w.AddListPage(std::string("# ") + t);
        w.Pages.AddObject(std::string("# ") + t, l);
    }
    w.PageControl1->setCurrentIndex(1); // "# T", kind 1
    ASSERT_EQ(w.PageKind, 1);
    w.DeletePageClick(); // removes tabs 2 ("A") and 1 ("# T")
    ASSERT_EQ(w.Pages.Count(), 4);
    EXPECT_EQ(w.Pages.Strings(1), "# A");
    EXPECT_EQ(w.PageControl1->count(), 4);
    EXPECT_EQ(w.PageControl1->tabText(1), QStringLiteral("# A"));
    EXPECT_EQ(w.PageControl1->currentIndex(), 0);
    EXPECT_EQ(w.CurrentPage, w.Pages.Objects(0));
}

TEST_F(GrafForm1024, DeletingTheLastPairLeavesTheTabBeforeItActive)
{
    TTextAnalysisWindow r = BuildTextAnalysisWindow(SampleRussianText(), "T");
    TGrafForm& w = *r.Window;
    // A page with a note counts as a list page wherever it stands.
    for (const char* t : { "X", "# X" }) {
        TCurrentPage* p = w.AddListPage(t);
        p->Note = "n";
        w.Pages.AddObject(t, p);
    }
    w.PageControl1->setCurrentIndex(2);
    ASSERT_EQ(w.PageKind, 1);
    w.DeletePageClick(); // removes tabs 3 and 2, the last ones
    ASSERT_EQ(w.PageControl1->count(), 2);
    EXPECT_EQ(w.PageControl1->currentIndex(), 1);
    EXPECT_EQ(w.CurrentPage, w.Pages.Objects(1));
    EXPECT_EQ(w.PageKind, 1);
}

TEST(GrafFormTools, ToolButtonsByMode)
{
    using A = TGrafForm::ToolAction;
    const struct {
        int mode;
        std::vector<QString> captions;
        std::vector<A> actions;
    } cases[] = {
        { 0, { "3D", "", "Диаграмма", "График" }, { A::Toggle3D, A::None, A::HorizBars, A::LineChart } },
        { 3, { "3D", "", "Диаграмма", "График" }, { A::Toggle3D, A::None, A::HorizBars, A::LineChart } },
        { 2, { "3D" }, { A::Toggle3D } },
        { 1, {}, {} },
        { 9, {}, {} },
    };
    for (const auto& c : cases) {
        TGrafForm w;
        w.SetMode(c.mode);
        TCurrentPage* p = w.AddChartPage("T");
        ASSERT_NE(p, nullptr);
        w.Pages.AddObject("T", p); // the window frees its pages
        ASSERT_NE(p->ToolBar, nullptr);
        const auto buttons = p->ToolBar->findChildren<QToolButton*>(QString(), Qt::FindDirectChildrenOnly);
        std::vector<QString> captions, hints;
        std::vector<A> actions;
        for (QToolButton* b : buttons) {
            if (b->objectName() == QLatin1String("qt_toolbar_ext_button"))
                continue;
            hints.push_back(b->toolTip());
            captions.push_back(b->text());
            actions.push_back(TGrafForm::ToolButtonAction(b));
        }
        EXPECT_EQ(captions, c.captions) << c.mode;
        EXPECT_EQ(actions, c.actions) << c.mode;
        if (c.mode == 0) {
            EXPECT_EQ(hints, (std::vector<QString> { "Объемный график", "", "Диаграмма", "График" }));
        }
    }
}

TEST(GrafFormCharts, BarsAndLinesSkipValuesBelowNineFromTheLastEntry)
{
    TGrafForm w;
    TCurrentPage* p = ChartPageWith(w, { { "A", 12.0 }, { "B", 10.5 }, { "C", 8.7 }, { "D", 9.0 } });
    w.DrawChartPage(p);
    TChart* chart = p->Chart;
    EXPECT_EQ(chart->Title.Text, QStringList { QStringLiteral("T") });
    ASSERT_EQ(chart->SeriesCount(), 1);
    auto* bars = dynamic_cast<THorizBarSeries*>(chart->Series(0));
    ASSERT_NE(bars, nullptr);
    EXPECT_TRUE(bars->UseYOrigin);
    EXPECT_EQ(bars->Marks.Style, smsValue);
    ASSERT_EQ(bars->Count(), 3);
    const char* order[] = { "D", "B", "A" };
    const double values[] = { 9.0, 10.5, 12.0 };
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(bars->Points[i].Label, QString(order[i]));
        EXPECT_DOUBLE_EQ(bars->Points[i].X, values[i]);
        EXPECT_EQ(bars->Points[i].Color, clRed);
    }
    EXPECT_FALSE(chart->BottomAxis.Automatic);
    EXPECT_DOUBLE_EQ(chart->BottomAxis.Minimum, 0.0); // the origin
    EXPECT_DOUBLE_EQ(chart->BottomAxis.Maximum, 12.0);
    EXPECT_DOUBLE_EQ(chart->LeftAxis.Maximum, 2.0);

    w.BuildLineChart();
    ASSERT_EQ(chart->SeriesCount(), 1);
    auto* line = dynamic_cast<TLineSeries*>(chart->Series(0));
    ASSERT_NE(line, nullptr);
    ASSERT_EQ(line->Count(), 3);
    const double xs[] = { 1, 3, 4 }; // C was walked at 2 and drew nothing
    for (int i = 0; i < 3; ++i) {
        EXPECT_DOUBLE_EQ(line->Points[i].X, xs[i]);
        EXPECT_DOUBLE_EQ(line->Points[i].Y, values[i]);
        EXPECT_EQ(line->Points[i].Color, line->SeriesColor);
    }
    EXPECT_DOUBLE_EQ(chart->LeftAxis.Minimum, 9.0);
    EXPECT_DOUBLE_EQ(chart->BottomAxis.Minimum, 1.0);
    EXPECT_DOUBLE_EQ(chart->BottomAxis.Maximum, 4.0);
    EXPECT_EQ(chart->OwnedSeriesCount(), 2); // removed series stay with the chart

    // Rebuilding gives the same picture; 3D twice restores the view.
    w.BuildHorizBars();
    const auto first = dynamic_cast<THorizBarSeries*>(chart->Series(0))->Points;
    w.BuildHorizBars();
    const auto again = dynamic_cast<THorizBarSeries*>(chart->Series(0))->Points;
    ASSERT_EQ(first.size(), again.size());
    for (size_t i = 0; i < first.size(); ++i)
        EXPECT_EQ(first[i].X, again[i].X);
    EXPECT_TRUE(chart->View3D);
    w.Toggle3D();
    EXPECT_FALSE(chart->View3D);
    w.Toggle3D();
    EXPECT_TRUE(chart->View3D);
    EXPECT_FALSE(chart->DrawToBitmap().isNull());
}

TEST(GrafFormCharts, EmptyModesAndBadData)
{
    TGrafForm w;
    TCurrentPage* p = ChartPageWith(w, {});
    w.DrawChartPage(p);
    ASSERT_EQ(p->Chart->SeriesCount(), 1);
    EXPECT_EQ(p->Chart->Series(0)->Count(), 0);
    EXPECT_DOUBLE_EQ(p->Chart->BottomAxis.Maximum, 0.0);

    TGrafForm legend;
    legend.SetMode(1);
    TCurrentPage* q = ChartPageWith(legend, { { "A", 12.0 } });
    q->Title = "Q";
    legend.DrawChartPage(q);
    EXPECT_EQ(q->Chart->SeriesCount(), 0);
    EXPECT_EQ(q->Chart->Title.Text, QStringList { QStringLiteral("Q") });
    EXPECT_TRUE(q->Chart->Title.Font.Bold);

    TRecFileGraf notAPage;
    notAPage.Title = "X";
    legend.DrawChartPage(&notAPage); // nothing happens

    // The builders raise on a value that is no number and on a page without a chart.
    p->SignificantNames.Add("Z");
    p->SignificantValues.Add("abc");
    EXPECT_THROW(w.BuildHorizBars(), Exception);
    w.CurrentPage = w.AddListPage("# T");
    w.Pages.AddObject("# T", w.CurrentPage);
    EXPECT_THROW(w.BuildLineChart(), Exception);
}

// The C library's number parsing follows the environment's locale; a locale
// with a comma for the decimal point is made for the test with localedef and
// the character maps of the locales package, which the set-up installs.
class CommaNumericLocale {
public:
    CommaNumericLocale()
    {
        if (!dir_.isValid())
            return;
        QFile def(dir_.filePath("comma.def"));
        if (!def.open(QIODevice::WriteOnly))
            return;
        def.write("LC_NUMERIC\ndecimal_point \",\"\nthousands_sep \"\"\ngrouping -1\nEND LC_NUMERIC\n");
        def.close();
        QProcess::execute(QStringLiteral("localedef"), { "-c", "-i", def.fileName(), "-f", "UTF-8", dir_.filePath("xx_XX.UTF-8") });
        saved_ = setlocale(LC_NUMERIC, nullptr);
        qputenv("LOCPATH", dir_.path().toLocal8Bit());
        active_ = setlocale(LC_NUMERIC, "xx_XX.UTF-8") != nullptr && std::strtod("0.5", nullptr) != 0.5;
    }
    ~CommaNumericLocale()
    {
        setlocale(LC_NUMERIC, saved_.c_str());
        qunsetenv("LOCPATH");
    }
    bool Active() const { return active_; }

private:
    QTemporaryDir dir_;
    std::string saved_ = "C";
    bool active_ = false;
};

TEST(GrafFormCharts, ValuesReadBackWhateverTheCLibraryLocale)
{
    CommaNumericLocale comma;
    ASSERT_TRUE(comma.Active()) << "no locale with a decimal comma could be made (localedef, locales package)";
    TGrafForm w;
    TCurrentPage* p = ChartPageWith(w, { { "A", 12.5 }, { "B", 10.25 } });
    w.DrawChartPage(p);
    ASSERT_EQ(p->Chart->SeriesCount(), 1);
    ASSERT_EQ(p->Chart->Series(0)->Count(), 2);
    EXPECT_DOUBLE_EQ(p->Chart->Series(0)->Points[1].X, 12.5);
    EXPECT_NO_THROW(w.BuildLineChart());
    EXPECT_DOUBLE_EQ(p->Chart->Series(0)->Points[0].Y, 10.25);
}

TEST(GrafFormCharts, BarListDrawsEveryItemRoundedFromTheLast)
{
    TGrafForm w;
    w.SetMode(2);
    TCurrentPage* p = ChartPageWith(w, {});
    p->BarList.AddObject("a", new TBarItem { "first", clGreen, 2.3456 });
    p->BarList.AddObject("b", new TBarItem { "second", clBlue, 0.5 });
    w.DrawChartPage(p);
    auto* bars = dynamic_cast<THorizBarSeries*>(p->Chart->Series(0));
    ASSERT_NE(bars, nullptr);
    ASSERT_EQ(bars->Count(), 2);
    EXPECT_TRUE(bars->UseYOrigin); // as created: the bars start at 0
    EXPECT_EQ(bars->YOrigin, 0.0);
    EXPECT_EQ(bars->Points[0].Label, QStringLiteral("second"));
    EXPECT_EQ(bars->Points[0].Color, clBlue);
    EXPECT_DOUBLE_EQ(bars->Points[1].X, 2.35);
}

TEST_F(GrafForm1024, HelpButtonJumpsToTheTopicAndDestructionQuits)
{
    RecordingHelp help;
    SetHelpSystem(&help);
    {
        TGrafForm w;
        w.HelpSpeedButtonClick();
        ASSERT_EQ(help.Calls.size(), 1u);
        EXPECT_EQ(help.Calls[0].command, HELP_COMMAND);
        EXPECT_EQ(help.Calls[0].data, QStringLiteral("JumpID(\"\",\"hlp_Instructions\")"));
        EXPECT_EQ(help.Calls[0].file, AnsiToQString(w.HelpFilePath));
        w.HelpTopic.clear();
        w.HelpSpeedButtonClick();
        EXPECT_EQ(help.Calls.back().command, HELP_FINDER);
    }
    EXPECT_EQ(help.Calls.back().command, HELP_QUIT);
    SetHelpSystem(nullptr);
}

// The result window's help opens on its own topic, the topic's heading at the
// top of the view; the editor's (HELP_FINDER) on the contents. Every link of
// the file leads to an anchor in it.
TEST(HelpWindow, OpensOnTheResultWindowsTopicAndReportsAMissingFile)
{
    EXPECT_EQ(THelpWindowSystem::JumpTopic(QStringLiteral("JumpID(\"\",\"hlp_Instructions\")")), QStringLiteral("hlp_Instructions"));
    EXPECT_EQ(THelpWindowSystem::JumpTopic(QStringLiteral("Contents()")), QString());
    THelpWindowSystem help;
    const QString file = QCoreApplication::applicationDirPath() + "\\Data\\Lemvora.hlp";
    const auto topLine = [&] {
        QApplication::processEvents();
        return help.Window()->cursorForPosition(QPoint(4, 4)).block().text().toStdString();
    };
    help.Help(file, HELP_COMMAND, QStringLiteral("JumpID(\"\",\"hlp_Instructions\")"), 0);
    ASSERT_NE(help.Window(), nullptr);
    EXPECT_TRUE(help.Window()->isVisible());
    EXPECT_EQ(topLine(), "Окно результатов анализа слова");
    help.Help(file, HELP_FINDER, {}, 0);
    EXPECT_EQ(topLine(), "Lemvora — фоносемантический анализ слова");
    help.Help(file, HELP_QUIT, {}, 0);
    QApplication::processEvents();
    EXPECT_TRUE(help.Window() == nullptr || !help.Window()->isVisible());

    QFile source(QCoreApplication::applicationDirPath() + "/Data/Lemvora.hlp");
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(source.readAll());
    QStringList anchors;
    for (const auto& m : QRegularExpression(QStringLiteral(R"re(name="([^"]+)")re")).globalMatch(html))
        anchors << m.captured(1);
    EXPECT_TRUE(anchors.contains(QStringLiteral("hlp_Instructions")));
    int links = 0;
    for (const auto& m : QRegularExpression(QStringLiteral(R"re(href="#([^"]+)")re")).globalMatch(html)) {
        ++links;
        EXPECT_TRUE(anchors.contains(m.captured(1))) << m.captured(1).toStdString();
    }
    EXPECT_GT(links, 0);

    THelpWindowSystem missing;
    missing.Help(QStringLiteral("Data\\Nowhere.hlp"), HELP_FINDER, {}, 0);
    ASSERT_NE(missing.Window(), nullptr);
    EXPECT_TRUE(missing.Window()->toPlainText().contains(QStringLiteral("Не удается открыть файл справки")));
    missing.Help({}, HELP_QUIT, {}, 0);
}
