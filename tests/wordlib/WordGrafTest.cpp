// The library's word window: its creation with the word processor's
// components, the chart tool bar and series, the status of its tabs, its
// painting, the window at rest and its chart rebuilt, the lookup of the
// installation directory, and the word page's saving, printing and export.
#include "Application.h"
#include "Chart.h"
#include "Errors.h"
#include "FakeLibs.h"
#include "FakeRegistry.h"
#include "FileDialogs.h"
#include "MeanWrd.h"
#include "ModalDriver.h"
#include "PaintBox.h"
#include "Printer.h"
#include "RecordingWord.h"
#include "Screen.h"
#include "ShownWindow.h"
#include "Win1251.h"
#include "WordBasic.h"
#include "WordGraf.h"
#include "WordTestHelpers.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

#include <memory>

namespace {

QString U(const char* Utf8) { return QString::fromUtf8(Utf8); }

struct Enabled {
    bool open, save, print;
    bool operator==(const Enabled&) const = default;
};

// The window as the stress window leaves it just before showing it.
class WordWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetVirtualScreenSize(QSize(1024, 768));
        RegisterDocumentEngine();
    }
    void TearDown() override
    {
        window_.reset();
        CurrentWordAnalysis = nullptr;
        analysis_.reset();
        UnregisterDocumentEngine();
        SetVirtualScreenSize({});
    }
    // Scales 1.. with Values (the rest 3.0): by default three significant ones,
    // scale 1 toward ХОРОШИЙ (4.00), 3 toward ГРУБЫЙ (3.50), 4 toward МУЖЕСТВЕННЫЙ (4.00).
    TWordGrafForm& Open(const std::vector<double>& Values = { 2.0, 3.0, 3.5, 4.0 })
    {
        analysis_ = std::make_unique<RankedAnalysis>(Values);
        analysis_->a.SetWord(Ansi("СЛОВО"));
        CurrentWordAnalysis = &analysis_->a;
        window_ = std::make_unique<TWordGrafForm>();
        EXPECT_TRUE(analysis_->a.FillGrafForm(window_.get(), 0, 3));
        window_->SetMode(3);
        window_->SetButtonsVisible(true, false, true, true);
        window_->SetButtonsEnabled(false, true, true);
        return *window_;
    }
    Enabled EnabledOf() const
    {
        return { window_->FileOpenSpeedButton->isEnabled(), window_->FileSaveSpeedButton->isEnabled(),
                 window_->PrintSpeedButton->isEnabled() };
    }
    std::unique_ptr<RankedAnalysis> analysis_;
    std::unique_ptr<TWordGrafForm> window_;
};

} // namespace

TEST_F(WordWindow, IsCreatedOnlyWithTheWordProcessor)
{
    {
        TRecordingWord word;
        TWordGrafForm w;
        EXPECT_EQ(word.Created, (QStringList { "Word.Application", "Word.Document" }));
        EXPECT_TRUE(w.WordApplication1.Connected());
        EXPECT_TRUE(w.WordDocument1.Connected());
    }
    UnregisterDocumentEngine();
    EXPECT_THROW(TWordGrafForm w, EOleError);
    EXPECT_EQ(GrafForm, nullptr);
}

TEST_F(WordWindow, TabsAreChartAndListWhateverTheirNote)
{
    TWordGrafForm& w = Open();
    ASSERT_EQ(w.PageControl1->count(), 2);
    EXPECT_EQ(w.PageControl1->tabText(0), U("СЛОВО"));
    EXPECT_EQ(w.PageControl1->tabText(1), U("# СЛОВО"));
    EXPECT_EQ(w.Pages.Objects(1)->Note, Ansi("Слово"));
    EXPECT_EQ(w.PageControl1->currentIndex(), 0);
    EXPECT_EQ(w.PageKind, 0);
    EXPECT_EQ(EnabledOf(), (Enabled { false, true, true }));
    // The list page, though it carries a note: kind 1, nothing to save or print.
    w.PageControl1->setCurrentIndex(1);
    EXPECT_EQ(w.PageKind, 1);
    EXPECT_EQ(EnabledOf(), (Enabled { false, false, false }));
    EXPECT_TRUE(w.StaticText1->text().isEmpty());
    EXPECT_TRUE(w.StaticText2->text().isEmpty());
    EXPECT_EQ(w.StaticText1->palette().color(QPalette::WindowText), ToQColor(clBlack));
}

TEST_F(WordWindow, ChartOpensWithAllSignificantBarsAndItsButtonsRedrawIt)
{
    TWordGrafForm& w = Open();
    TCurrentPage& chartPage = *w.Pages.Objects(0);
    TChart& chart = *chartPage.Chart;
    ASSERT_EQ(chart.SeriesCount(), 1);
    auto* bars = dynamic_cast<THorizBarSeries*>(chart.Series(0));
    ASSERT_NE(bars, nullptr);
    // Walked from the least significant: the most significant is the top bar
    // (of the two at 4.00 the one ranked first).
    ASSERT_EQ(bars->Count(), 3);
    EXPECT_EQ(bars->Points[0].Label, U("        ГРУБЫЙ"));
    EXPECT_EQ(bars->Points[1].Label, U("  МУЖЕСТВЕННЫЙ"));
    EXPECT_EQ(bars->Points[2].Label, U("       ХОРОШИЙ"));
    EXPECT_DOUBLE_EQ(bars->Points[2].X, 4.0);
    EXPECT_EQ(bars->Points[2].Color, clRed);
    EXPECT_EQ(bars->BarWidthPercent, 50);
    EXPECT_EQ(bars->Marks.Style, smsValue);
    EXPECT_TRUE(chart.LeftAxis.Automatic);
    EXPECT_TRUE(chart.BottomAxis.Automatic) << "the library's builders fit no axis";

    // The tool bar: images, no captions; 3D, a divider, bars, line.
    QList<QToolButton*> buttons = chartPage.ToolBar->findChildren<QToolButton*>(Qt::FindDirectChildrenOnly);
    QStringList names;
    for (QToolButton* b : buttons)
        if (!b->objectName().startsWith(QLatin1String("qt_")))
            names << b->objectName();
    EXPECT_EQ(names, (QStringList { "ImageButton3", "Divider", "ImageButton1", "ImageButton0" }));
    EXPECT_EQ(chartPage.ToolBar->toolButtonStyle(), Qt::ToolButtonIconOnly);
    EXPECT_EQ(w.AGrafImageList.size(), 4);
    for (const QPixmap& image : w.AGrafImageList)
        EXPECT_EQ(image.size(), QSize(16, 16));
    w.Pages.AddObject("X", w.AddChartPage("X"));
    EXPECT_EQ(w.AGrafImageList.size(), 8) << "every chart page adds the strip again";
    w.CurrentPage = &chartPage;

    chartPage.ToolBar->findChild<QToolButton*>(QStringLiteral("ImageButton0"))->click();
    auto* line = dynamic_cast<TLineSeries*>(chart.Series(0));
    ASSERT_NE(line, nullptr);
    ASSERT_EQ(line->Count(), 3);
    EXPECT_EQ(line->Points[0].X, 1);
    EXPECT_EQ(line->Points[0].Label, U("        ГРУБЫЙ"));
    EXPECT_EQ(line->Points[2].X, 3);
    EXPECT_EQ(line->Marks.Style, smsValue);
    const bool view3D = chart.View3D;
    chartPage.ToolBar->findChild<QToolButton*>(QStringLiteral("ImageButton3"))->click();
    EXPECT_NE(chart.View3D, view3D);

    // The builders of mode 0 take values of 9 and more only: nothing on a word page.
    w.BuildHorizBars();
    EXPECT_EQ(chart.Series(0)->Count(), 0);
    EXPECT_EQ(chart.Series(0)->Marks.Style, smsLabel);
    w.BuildLineChart();
    EXPECT_EQ(chart.Series(0)->Count(), 0);
}

namespace {

// A canvas whose ruler of ticks is 288 wide: the bars' span is 300.
class SpanCanvas : public TRecordingCanvas {
public:
    int TextWidth(const QString& Text) const override { return Text.startsWith(QLatin1String(" |")) ? 288 : 10; }
};

} // namespace

TEST_F(WordWindow, ScaleBarsMeasureFromNineAgainstTheRuler)
{
    TWordGrafForm& w = Open();
    TCurrentPage* page = w.Pages.Objects(1);
    page->SignificantNames.Clear();
    page->SignificantValues.Clear();
    for (const char* v : { "14.50", "8.00", "25.00" }) {
        page->SignificantNames.Add("N");
        page->SignificantValues.Add(Sep(v));
    }
    SpanCanvas canvas;
    page->PaintBox->TestCanvas = &canvas;
    w.PaintScaleBars(page, true, clRed);

    const auto lines = canvas.Lines();
    ASSERT_EQ(lines.size(), 4u); // two bars of two lines; 8.00 has none
    EXPECT_EQ(lines[0].From, QPoint(332, 48)); // shadow of L = Trunc(5.5 * 300 * 0.091) = 150
    EXPECT_EQ(lines[0].To, QPoint(182, 48));
    EXPECT_EQ(lines[0].Color, clRed);
    EXPECT_EQ(lines[1].From, QPoint(330, 50));
    EXPECT_EQ(lines[1].To, QPoint(180, 50));
    EXPECT_EQ(lines[1].Color, clBlue);
    EXPECT_EQ(lines[3].From, QPoint(480, 90)) << "cut to the span";
    const auto texts = canvas.Texts();
    ASSERT_EQ(texts.size(), 2u + 4 + 4);
    EXPECT_EQ(texts[1].From, QPoint(192, 20));
    EXPECT_EQ(texts[2].From, QPoint(12, 49)); // the name's shadow
    EXPECT_EQ(texts[3].From, QPoint(10, 50));
    EXPECT_EQ(texts[4].From, QPoint(532, 49));
    EXPECT_EQ(texts[5].From, QPoint(530, 50));
    EXPECT_EQ(texts[5].Text, AnsiToQString(Sep("14.50")));
    EXPECT_EQ(texts[9].From.y(), 90) << "rows keep their index";
}

TEST_F(WordWindow, WordListPageHasFixedDistances)
{
    TWordGrafForm& w = Open();
    TCurrentPage* page = w.Pages.Objects(1);
    page->FreeScaleItems();
    page->ScaleList.Clear();
    page->FreeSoundItems();
    page->SoundList.Clear();
    for (int i = 0; i < 2; ++i)
        page->ScaleList.AddObject("s", new ScaleItem { "name", i == 0 ? 9.0 : 1.0 });
    for (int i = 0; i < 16; ++i) {
        auto* item = new SoundItem();
        item->Z = i == 0 ? 1.0 : 0.0;
        page->SoundList.AddObject("ab", item);
    }
    page->SoundTotalLine = "t";
    TRecordingCanvas canvas;
    canvas.CharWidth = 10;
    page->PaintBox->TestCanvas = &canvas;
    w.PaintWordListPage(page);

    const auto t = canvas.Texts();
    ASSERT_EQ(t.size(), 4u + 16 + 3);
    EXPECT_EQ(t[0].From, QPoint(3, 0));
    EXPECT_EQ(t[1].From, QPoint(150, 0));
    EXPECT_EQ(t[0].Color, clRed);
    EXPECT_EQ(t[3].From, QPoint(150, 15));
    const int X0 = 150 + 10 * static_cast<int>(t[1].Text.size());
    EXPECT_EQ(t[4].From, QPoint(X0 + 50, 0));
    EXPECT_EQ(t[4].Color, clBlue);
    EXPECT_EQ(t[18].From, QPoint(X0 + 50, 14 * 15));
    EXPECT_EQ(t[19].From, QPoint(X0 + 50 + 20 + 50, 0)) << "a new column after the 15th";
    const int YS = 0 + 30;
    EXPECT_EQ(t[20].From, QPoint(X0 + 70, YS + 5));
    EXPECT_EQ(t[21].From, QPoint(X0 + 70, YS + 25));
    EXPECT_EQ(t[22].From, QPoint(X0 + 70, YS + 45));
    EXPECT_EQ(t[20].Color, clMaroon);
    const auto lines = canvas.Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].From, QPoint(X0 + 20, 0));
    EXPECT_EQ(lines[0].To, QPoint(X0 + 20, 15 + 8));
    EXPECT_EQ(lines[1].To, QPoint(X0 + 50, YS));
}

TEST_F(WordWindow, PaintingFollowsTheMode)
{
    TWordGrafForm& w = Open();
    TCurrentPage* list = w.Pages.Objects(1);
    TRecordingCanvas canvas;
    list->PaintBox->TestCanvas = &canvas;
    w.CurrentPage = list;
    w.FormPaint(nullptr); // mode 3: the word's scale list
    EXPECT_EQ(canvas.Texts().size(), 50u);

    canvas.Items.clear();
    w.SetMode(0);
    w.SetPageKind(1);
    w.FormPaint(nullptr); // mode 0, kind 1: the scale bars' ruler
    ASSERT_FALSE(canvas.Texts().empty());
    EXPECT_EQ(canvas.Texts()[0].Text, QStringLiteral("10     12     14     16     18     20"));

    canvas.Items.clear();
    w.SetMode(2);
    w.FormPaint(nullptr);
    EXPECT_TRUE(canvas.Items.empty());
}

TEST(WordInstallDir, TakesTheUninstallFolderOrAsksForTheProductKey)
{
    SetVirtualScreenSize(QSize(1024, 768));
    RegisterDocumentEngine();
    FakeRegistry registry;
    SetRegistryLayer(&registry);
    const QString uninstall = QStringLiteral(
        "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Lemvora предвыборной борьбы");
    registry.Keys[uninstall][QStringLiteral("UninstallString")] = QStringLiteral("x DeIsL1.isu 12345D:\\Prog\\_ISREG32.DLL");
    {
        int asked = 0;
        ModalDriver no([&](QWidget* d) {
            ++asked;
            static_cast<QDialog*>(d)->done(7);
        });
        TWordGrafForm w;
        EXPECT_EQ(w.HelpFilePath, "D:\\Prog\\Data\\Lemvora.hlp");
        EXPECT_EQ(asked, 0) << "found without a file search or a question";

        // No entry and No to the question: nothing, and a relative help file.
        registry.Keys.clear();
        std::string dir = "unchanged";
        w.GetInstallDir("\\Lemvora\\1.1", Ansi("Lemvora предвыборной борьбы"), "Lemvora.exe", dir);
        EXPECT_EQ(dir, "");
        EXPECT_EQ(asked, 1);
        TWordGrafForm other;
        EXPECT_EQ(other.HelpFilePath, "Data\\Lemvora.hlp");
    }
    SetRegistryLayer(nullptr);
    UnregisterDocumentEngine();
    SetVirtualScreenSize({});
}

TEST(PrintedScaleList, PlacesTheRowsByThePageAndPrintsBlackWithoutColours)
{
    RankedAnalysis r({ 2.0, 3.0, 3.4 });
    TRecFileGraf page;
    FillWordPage(&page, Ansi("КОТ"), &r.a);
    TRecordingCanvas canvas;
    const int W = 4800, H = 6600;
    DrawPrintedScaleList(canvas, page, W, H, true);
    const auto t = canvas.Texts();
    ASSERT_EQ(t.size(), 1u + 50);
    EXPECT_EQ(t[0].Text, U("Полный анализ слова  -  КОТ"));
    EXPECT_EQ(t[0].From, QPoint(W / 16, H / 3));
    EXPECT_EQ(t[0].Font.Size, 10);
    const int y0 = H / 3 + H / 16;
    EXPECT_EQ(t[1].From, QPoint(H / 16, y0));
    EXPECT_EQ(t[2].From, QPoint(H / 4, y0));
    EXPECT_EQ(t[4].From.y(), y0 + H / 56);
    canvas.Items.clear();
    DrawPrintedScaleList(canvas, page, W, H, false);
    for (const auto& item : canvas.Texts())
        EXPECT_EQ(item.Color, clBlack);
}

namespace {

// A word window on the recording printer and word processor, the fake
// libraries, a file dialog answered with Answer, the current directory a
// scratch folder.
class WordPageOutput : public WordWindow {
protected:
    void SetUp() override
    {
        WordWindow::SetUp();
        FakeLibs::Use();
        SetPrinter(&printer_);
        SetDefaultErrorHook([this](const QString& Text) { errors_ << Text; });
        SetFileDialogHook([this](TFileDialog& D) {
            dialog_ = D;
            if (Answer.isEmpty())
                return false;
            D.FileName = Answer;
            return true;
        });
        old_ = QDir::currentPath();
        QDir::setCurrent(dir_.path());
    }
    void TearDown() override
    {
        QDir::setCurrent(old_);
        SetFileDialogHook({});
        SetDefaultErrorHook({});
        SetPrinter(nullptr);
        FakeLibs::UseReal();
        WordWindow::TearDown();
    }
    QString Answer;
    TFileDialog dialog_ { TFileDialogKind::Save };
    QStringList errors_;
    TRecordingPrinter printer_ { 4800, 6600 };
    QTemporaryDir dir_;
    QString old_;
};

} // namespace

// The sheet says what the window says: each scale's pole with the value the
// list page shows, red where the list page marks it. The values straddle the
// bounds: 2.6 and 3.4 (not marked), 2.59 (left pole, 3.41, marked), 2.61.
TEST_F(WordPageOutput, PrintedScaleListEqualsTheWindowsList)
{
    TWordGrafForm& w = Open({ 2.0, 3.0, 3.4, 3.5, 2.6, 2.59, 2.61, 4.8, 1.2 });
    w.show();
    QApplication::processEvents();
    TCurrentPage* list = w.Pages.Objects(1);
    TRecordingCanvas canvas;
    list->PaintBox->TestCanvas = &canvas;
    CurrentWordAnalysis->PaintScaleList(list, 560, 703);
    list->PaintBox->TestCanvas = nullptr;
    QStringList shown;
    const auto painted = canvas.Texts();
    for (const auto& t : painted)
        shown << QStringLiteral("%1 %2").arg(t.Text, t.Color == clRed ? "red" : "black");
    ASSERT_EQ(shown.size(), 50);
    EXPECT_EQ(shown[0].toStdString(), "       ХОРОШИЙ red") << "the left pole's 4.00";
    EXPECT_EQ(shown[1].toStdString(), Sep("4.00") + " red");

    w.PageControl1->setCurrentIndex(0);
    w.PrintSpeedButtonClick();
    ASSERT_EQ(w.ColorPrinterMode, 1);
    QStringList printed;
    for (const auto& t : printer_.DrawnTexts())
        printed << QStringLiteral("%1 %2").arg(t.Text, t.Color == ToQColor(clRed) ? "red" : "black");
    ASSERT_EQ(printed.size(), 51);
    EXPECT_EQ(printed.takeFirst().toStdString(), "Полный анализ слова  -  СЛОВО black");
    EXPECT_EQ(printed.join('\n').toStdString(), shown.join('\n').toStdString());
}

// Where the sheet went into a file, a message names it; a file that could not
// be written is an error message; a sheet for a printer says nothing.
TEST_F(WordPageOutput, PrintIntoAFileNamesItOrTellsTheFailure)
{
    TWordGrafForm& w = Open();
    w.show();
    QApplication::processEvents();
    const QString pdf = QStringLiteral("/home/u/Lemvora.pdf");
    const struct {
        QString File;
        bool Fails;
        QStringList Messages;
    } cases[] = {
        { pdf, false, { U("Страница напечатана в файл:\n") + pdf } },
        { QString(), false, {} },
        { pdf, true, { U("Не удалось записать файл «%1»: нет прав на запись.").arg(pdf) } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 %2").arg(c.File).arg(c.Fails).toStdString());
        printer_.OutputFile = c.File;
        printer_.WriteFails = c.Fails;
        printer_.Calls.clear();
        QStringList shown;
        ModalDriver driver([&](QWidget* d) {
            shown << MessageText(d);
            static_cast<QDialog*>(d)->done(1);
        });
        w.PrintSpeedButtonClick();
        EXPECT_EQ(printer_.Calls.size(), 3);
        EXPECT_EQ(shown, c.Messages);
    }
    EXPECT_TRUE(errors_.isEmpty());
}

TEST_F(WordPageOutput, ExportSendsTheWordPageThroughTheApplication)
{
    TRecordingWord word;
    TWordGrafForm& w = Open(); // three significant scales
    // The window's components let go of the recording word before it goes.
    struct CloseFirst {
        std::unique_ptr<TWordGrafForm>& window;
        ~CloseFirst() { window.reset(); }
    } closeFirst { window_ };
    word.Calls.clear();
    w.ExportWordPageToWord(w.Pages.Objects(0), "C:\\W\\a.bmp");

    EXPECT_TRUE(word.Visible);
    EXPECT_EQ(word.Created, (QStringList { "Word.Application", "Word.Document" }));
    const QStringList commands = word.Commands();
    ASSERT_GE(commands.size(), 12);
    EXPECT_EQ(commands.mid(0, 7), (QStringList { "Font", "Bold", "Insert", "Insert", "Font", "Bold", "Insert" }));
    EXPECT_EQ(word.Calls[2].Args, QVariantList { U("Фоносемантика слова (полный анализ) - ") });
    EXPECT_EQ(word.Calls[6].Args, QVariantList { U("СЛОВО") });
    EXPECT_EQ(word.ArgsOf("InsertPicture").at(0), QVariantList { "C:\\W\\a.bmp" });
    const QVariantList table = word.ArgsOf("TableInsertTable").at(0);
    ASSERT_EQ(table.size(), 7);
    EXPECT_FALSE(table[0].isValid());
    EXPECT_EQ(table[1], 2);
    EXPECT_EQ(table[2], 3);
    EXPECT_EQ(word.Count("TableSelectRow"), 25);
    EXPECT_EQ(word.Count("CharColor"), 25);
    EXPECT_EQ(word.Count("NextCell"), 49);
    // In the table: two cells per scale, each value followed by a tab.
    const int tableFrom = commands.indexOf("StartOfColumn"), tableTo = commands.indexOf("EndOfDocument");
    int cellInserts = 0, tabs = 0;
    for (int i = tableFrom; i < tableTo; ++i)
        if (commands[i] == "Insert") {
            ++cellInserts;
            tabs += word.Calls[i].Args == QVariantList { "\t" };
        }
    EXPECT_EQ(cellInserts, 75);
    EXPECT_EQ(tabs, 25);
    // Colour 6 where the value lies above 3.4: the left pole's 4.00, 3.5 and 4.0.
    const auto colours = word.ArgsOf("CharColor");
    EXPECT_EQ(colours[0], QVariantList { 6 });
    EXPECT_EQ(colours[1], QVariantList { 1 });
    EXPECT_EQ(colours[2], QVariantList { 6 });
    const QVariantList save = word.ArgsOf("FileSaveAs").at(0);
    ASSERT_EQ(save.size(), 10);
    EXPECT_EQ(save[0], "C:\\W\\a.DOC");
    EXPECT_EQ(save[1], 0);
    EXPECT_EQ(commands.last(), "AppClose");
    EXPECT_EQ(commands.mid(commands.indexOf("EndOfDocument")),
              (QStringList { "EndOfDocument", "Insert", "Insert", "Insert", "FileSaveAs", "AppClose" }));

    // Only word pages are exported; a failing command ends it before AppClose.
    word.Calls.clear();
    w.Pages.Objects(0)->Note = "x";
    w.ExportWordPageToWord(w.Pages.Objects(0), "a.bmp");
    EXPECT_TRUE(word.Calls.empty());
    w.Pages.Objects(0)->Note = Ansi("Слово");
    word.FailAt = "FileSaveAs";
    EXPECT_THROW(w.ExportWordPageToWord(w.Pages.Objects(0), "a.bmp"), EOleError);
    EXPECT_NE(word.Commands().last(), "AppClose");
    EXPECT_EQ(word.Live, 2) << "only the two components stay connected";
}

TEST_F(WordPageOutput, SaveWritesTheChartAndTheDocument)
{
    TWordGrafForm& w = Open();
    w.show();
    QApplication::processEvents();
    Answer = QDir(dir_.path()).filePath(QStringLiteral("a.bmp"));
    w.FileSaveSpeedButton->click();
    EXPECT_TRUE(errors_.isEmpty()) << errors_.join('\n').toStdString();
    EXPECT_EQ(dialog_.Filter, QStringLiteral("Bmp files (*.bmp)|*.bmp"));
    const QImage bitmap(Answer);
    ASSERT_FALSE(bitmap.isNull());
    EXPECT_EQ(bitmap.size(), w.Pages.Objects(0)->Chart->size());
    QFile document(QDir(dir_.path()).filePath(QStringLiteral("a.DOC")));
    ASSERT_TRUE(document.open(QIODevice::ReadOnly));
    EXPECT_TRUE(document.readAll().startsWith("{\\rtf"));

    // Cancelled: nothing written.
    Answer.clear();
    QFile::remove(QDir(dir_.path()).filePath(QStringLiteral("a.bmp")));
    w.FileSaveSpeedButtonClick();
    EXPECT_FALSE(QFile::exists(QDir(dir_.path()).filePath(QStringLiteral("a.bmp"))));
}

TEST_F(WordPageOutput, PrintPutsChartAndScaleListOnOneSheetFromTheChartTabOnly)
{
    TWordGrafForm& w = Open();
    w.show();
    QApplication::processEvents();
    w.PrintSpeedButtonClick();
    EXPECT_EQ(w.ColorPrinterMode, 1);
    ASSERT_EQ(printer_.Calls.size(), 3);
    EXPECT_EQ(printer_.Calls[0], "BeginDoc ");
    EXPECT_TRUE(printer_.Calls[1].startsWith("StretchDIBits"));
    EXPECT_EQ(printer_.Calls[2], "EndDoc");
    EXPECT_GT(printer_.Picture.size(), 1000u) << "the scale list on the same sheet";
    EXPECT_TRUE(QFile::exists(QDir(dir_.path()).filePath(QStringLiteral("MyBitmap.bmp"))));
    EXPECT_EQ(FakeLibs::Calls(), QStringList { "ColorPrinter" });

    printer_.Calls.clear();
    w.PageControl1->setCurrentIndex(1);
    w.PrintSpeedButtonClick();
    EXPECT_TRUE(printer_.Calls.isEmpty());

    // A chart tab that is no word page prints its caption on a sheet of its own.
    w.PageControl1->setCurrentIndex(0);
    w.Pages.Objects(0)->Note = "x";
    w.PrintSpeedButtonClick();
    EXPECT_EQ(printer_.Calls, (QStringList { "BeginDoc ", "EndDoc" }));

    // Without the colour library: the message, nothing printed.
    printer_.Calls.clear();
    FakeLibs::Use({ "Yestrel.Dll" });
    QStringList shown;
    ModalDriver driver([&](QWidget* d) {
        shown << MessageText(d);
        static_cast<QDialog*>(d)->done(1);
    });
    w.PrintSpeedButtonClick();
    EXPECT_EQ(shown, QStringList { U("Ошибка при загрузке библиотеки Yestrel.Dll") });
    EXPECT_TRUE(printer_.Calls.isEmpty());
}

// As the screen shows it: quiet once drawn on either tab, and the chart's
// bars, line and bars again leave no trace of the builds between.
TEST_F(WordWindow, RestsOnEitherTabAndRebuildsLeaveNothingBehind)
{
    // Nine significant scales, ХОРОШИЙ the most significant: the line's last point.
    TWordGrafForm& w = Open({ 1.5, 3.0, 3.5, 4.0, 2.4, 3.7, 3.8, 2.2, 3.45, 3.6 });
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    ExpectEveryTabAtRest(&w, w.PageControl1);

    w.PageControl1->setCurrentIndex(0);
    TCurrentPage* page = w.Pages.Objects(0);
    ASSERT_EQ(page->SignificantNames.Strings(0), Ansi("       ХОРОШИЙ"));
    const auto press = [page](const char* Name) {
        page->ToolBar->findChild<QToolButton*>(QString::fromLatin1(Name))->click();
    };
    ExpectRebuildsLeaveNothingBehind(page->Chart, [&] { press("ImageButton0"); }, [&] { press("ImageButton1"); });
}
