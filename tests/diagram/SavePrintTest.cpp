// Printing pages on the recording printer, and saving them end to end with
// the document engine.
#include "Application.h"
#include "Chart.h"
#include "FakeLibs.h"
#include "FileDialogs.h"
#include "GrafSavePrint.h"
#include "GrafTestHelpers.h"
#include "ListLayout.h"
#include "ModalDriver.h"
#include "NumFormat.h"
#include "Printer.h"
#include "Win1251.h"
#include "WordBasic.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString U(const char* Utf8) { return QString::fromUtf8(Utf8); }

} // namespace

TEST(PlaceBitmap, FitsByOrientationAndPlacesByTheDivisor)
{
    struct Case {
        QSize page;
        QPoint offset;
        QSize bitmap;
        QRect dest;
    };
    const Case cases[] = {
        // Portrait sheet, no offsets: fitted to the width, a sixteenth from the top.
        { { 4800, 6600 }, {}, { 700, 300 }, { 0, 284, 4800, 2057 } },
        // Landscape: the wide chart still to the width; a tall one to the height.
        { { 6600, 4800 }, {}, { 700, 300 }, { 0, 300 - 2828 / 16, 6600, 2828 } },
        { { 6600, 4800 }, {}, { 300, 700 }, { 412 - 2057 / 16, 0, 2057, 4800 } },
        // Orientation alone decides: taller than the area, the rest is lost.
        { { 6600, 4800 }, {}, { 700, 600 }, { 0, 300 - 5657 / 16, 6600, 5657 } },
        // A square: to the width on a portrait or square area, to the height on a landscape one.
        { { 4800, 6600 }, {}, { 500, 500 }, { 0, 412 - 300, 4800, 4800 } },
        { { 4800, 4800 }, {}, { 500, 500 }, { 0, 0, 4800, 4800 } },
        { { 6600, 4800 }, {}, { 500, 500 }, { 412 - 300, 0, 4800, 4800 } },
        // Offsets shrink the area on both sides and move the fitted edge.
        { { 4800, 6600 }, { 100, 50 }, { 700, 300 }, { 100, 412 - 1971 / 16, 4600, 1971 } },
        { { 6600, 4800 }, { 100, 50 }, { 300, 700 }, { 412 - 2014 / 16, 50, 2014, 4700 } },
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlaceBitmap(c.page, c.offset, c.bitmap, 16), c.dest) << c.bitmap.width() << "x" << c.bitmap.height();
    EXPECT_THROW(PlaceBitmap({ 4800, 6600 }, {}, { 0, 300 }, 16), Exception);
}

namespace {

constexpr int kChar = 10;

// The printed list of a page of 20 scales and 45 sound-letters on a recording canvas.
class PrintedList : public ::testing::Test {
protected:
    void Fill(const std::string& Note = {})
    {
        page_.Title = "T";
        page_.Note = Note;
        for (int i = 0; i < 20; ++i)
            page_.ScaleList.AddObject("s", new ScaleItem { "Scale" + std::to_string(i), i == 0 ? 9.0 : 8.99 });
        for (int i = 0; i < 45; ++i) {
            auto* item = new SoundItem();
            item->Z = i == 0 ? -1.0 : 0.99;
            page_.SoundList.AddObject("xxxx", item);
        }
        page_.SoundTotalLine = "total";
        page_.SyllablesLine = "syll";
        page_.HighShareLine = "share";
        page_.CodingVerdict = "coding";
        page_.RhythmVerdict = "rhythm";
        canvas_.CharWidth = kChar;
    }
    TCurrentPage page_;
    TRecordingCanvas canvas_;
};

} // namespace

TEST_F(PrintedList, PositionsFollowThePageHeightAndWidth)
{
    Fill();
    const int W = 4800, H = 6600, R = H / 56; // R 117
    DrawPrintedList(canvas_, page_, W, H, true);
    const auto t = canvas_.Texts();
    ASSERT_EQ(t.size(), 1u + 40 + 45 + 3 + 2);
    EXPECT_EQ(t[0].Text, U("Полный анализ текста  -  T"));
    EXPECT_EQ(t[0].From, QPoint(W / 16, H / 2));
    EXPECT_EQ(t[0].Font.Size, 10);
    EXPECT_TRUE(t[0].Font.Bold);
    EXPECT_EQ(t[0].Font.Name, "Times New Roman");
    const int Y0 = H / 2 + H / 16;
    EXPECT_EQ(t[1].From, QPoint(H / 16, Y0));
    EXPECT_EQ(t[2].From, QPoint(H / 4, Y0));
    EXPECT_EQ(t[40].From, QPoint(H / 4, Y0 + 19 * R));
    const int X1 = H / 4 + kChar * static_cast<int>(AnsiToQString(FormatFixed(9.0, 5, 2)).size());
    // Sound-letters: three columns of 15, each 50 right of where the last ended.
    EXPECT_EQ(t[41].From, QPoint(X1 + 50, Y0));
    EXPECT_EQ(t[55].From, QPoint(X1 + 50, Y0 + 14 * R));
    EXPECT_EQ(t[56].From, QPoint(X1 + 50 + 4 * kChar + 50, Y0));
    EXPECT_EQ(t[71].From, QPoint(X1 + 50 + 2 * (4 * kChar + 50), Y0));
    const int YE = Y0 + 14 * R, YS = YE + R;
    EXPECT_EQ(t[86].From, QPoint(X1 + 70, YS + R));
    EXPECT_EQ(t[87].From, QPoint(X1 + 70, YS + 2 * R));
    EXPECT_EQ(t[88].From, QPoint(X1 + 70, YS + 3 * R));
    EXPECT_EQ(t[89].From, QPoint(X1, YS + 6 * R));
    EXPECT_EQ(t[90].From, QPoint(X1, YS + 7 * R));
    const auto lines = canvas_.Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].From, QPoint(X1 + 40, Y0));
    EXPECT_EQ(lines[0].To, QPoint(X1 + 40, Y0 + 19 * R + R));
    EXPECT_EQ(lines[1].From, QPoint(t[85].To.x(), YS));
    EXPECT_EQ(lines[1].To, QPoint(X1 + 50, YS));
    // Colours: 9.0 red, |Z| 1.0 blue, the summary and the verdicts maroon.
    EXPECT_EQ(t[1].Color, clRed);
    EXPECT_EQ(t[3].Color, clBlack);
    EXPECT_EQ(t[41].Color, clBlue);
    EXPECT_EQ(t[42].Color, clBlack);
    EXPECT_EQ(t[86].Color, clMaroon);
    EXPECT_EQ(t[90].Color, clMaroon);
}

TEST_F(PrintedList, NotePageStartsHigherAndBlackOnlyPrintsBlack)
{
    Fill("note");
    const int H = 6600;
    DrawPrintedList(canvas_, page_, 4800, H, false);
    const auto t = canvas_.Texts();
    EXPECT_EQ(t[0].From.y(), H / 16);
    EXPECT_EQ(t[1].From.y(), H / 16 + H / 16);
    for (const auto& item : t)
        EXPECT_EQ(item.Color, clBlack) << item.Text.toStdString();
}

// The printed list keeps 40 and 50 printer units between the first value's
// end and the rule and the sound-letters: on the PDF file that stands in for
// a missing printer they hold a minus sign, so a value one minus wider than
// the first neither crosses the rule nor runs into the sound-letter beside it.
TEST(PdfPrinter, PrintedListGapsHoldAMinusSign)
{
    TQtPrinter printer;
    if (printer.Device().outputFormat() != QPrinter::PdfFormat)
        GTEST_SKIP() << "a printer is installed";
    QTemporaryDir dir;
    printer.Device().setOutputFileName(dir.filePath(QStringLiteral("out.pdf")));
    SetPrinter(&printer);
    printer.BeginDoc();
    int minus = 0;
    {
        TPrinterCanvas canvas;
        UseListFont(canvas, 10);
        minus = canvas.TextWidth(QStringLiteral("-"));
    }
    printer.EndDoc();
    SetPrinter(nullptr);
    EXPECT_GT(minus, 0);
    EXPECT_LT(minus, 40);
}

namespace {

// A filled text window on the recording printer with the fake libraries;
// the current directory is a scratch folder.
class Printing : public ::testing::Test {
protected:
    void SetUp() override
    {
        FakeLibs::Use();
        SetPrinter(&printer_);
        old_ = QDir::currentPath();
        QDir::setCurrent(dir_.path());
        win_ = BuildTextAnalysisWindow(SampleRussianText(), Ansi("Курочка"));
        ASSERT_TRUE(win_.Note.empty());
        w().show();
        QApplication::processEvents();
    }
    void TearDown() override
    {
        QDir::setCurrent(old_);
        SetPrinter(nullptr);
        FakeLibs::UseReal();
    }
    TGrafForm& w() { return *win_.Window; }

    TRecordingPrinter printer_ { 4800, 6600 };
    QTemporaryDir dir_;
    QString old_;
    TTextAnalysisWindow win_;
};

} // namespace

TEST_F(Printing, ChartPagePrintsThePictureAndTheListOnOneSheet)
{
    FakeLibs::SetColor(0);
    printer_.OffsetSupported = false;
    w().PageControl1->setCurrentIndex(0);
    w().PrintSpeedButtonClick();
    EXPECT_EQ(w().ColorPrinterMode, 0);
    const TChart& chart = *w().Pages.Objects(0)->Chart;
    const QImage scratch(QDir(dir_.path()).filePath("MyBitmap.bmp"));
    ASSERT_FALSE(scratch.isNull());
    EXPECT_EQ(scratch.size(), chart.size());
    const QRect dest = PlaceBitmap({ 4800, 6600 }, {}, chart.size(), 16);
    ASSERT_EQ(printer_.Calls.size(), 3);
    EXPECT_EQ(printer_.Calls[0], "BeginDoc ");
    EXPECT_EQ(printer_.Calls[1], QStringLiteral("StretchDIBits 0,0,%1,%2 -> %3,%4,%5,%6")
                                     .arg(chart.width()).arg(chart.height())
                                     .arg(dest.x()).arg(dest.y()).arg(dest.width()).arg(dest.height()));
    EXPECT_EQ(printer_.Calls[2], "EndDoc");
    EXPECT_EQ(printer_.StretchedBits.at(0).format(), QImage::Format_RGB888);
    // The list was drawn on the same sheet.
    EXPECT_GT(printer_.Picture.size(), 1000u);
    EXPECT_EQ(FakeLibs::Calls(), QStringList({ "ColorPrinter" }));
    EXPECT_EQ(chart.BackColor, clBtnFace);
}

TEST_F(Printing, PaletteDeviceGetsIndexedColoursAndAListTabPrintsNothing)
{
    printer_.Palette = true;
    w().PageControl1->setCurrentIndex(0);
    w().PrintSpeedButtonClick();
    ASSERT_EQ(printer_.StretchedBits.size(), 1);
    EXPECT_EQ(printer_.StretchedBits[0].format(), QImage::Format_Indexed8);
    EXPECT_EQ(w().ColorPrinterMode, 1);

    // The list tab of a pair: a list page, printed as a document of its own.
    printer_.Calls.clear();
    w().PageControl1->setCurrentIndex(1);
    w().PrintSpeedButtonClick();
    EXPECT_EQ(printer_.Calls, QStringList({ "BeginDoc ", "EndDoc" }));
}

// The text window's print names a file it went into, from either tab.
TEST_F(Printing, PrintIntoAFileNamesTheFile)
{
    printer_.OutputFile = QStringLiteral("/home/u/Lemvora.pdf");
    QStringList shown;
    ModalDriver driver([&](QWidget* d) {
        shown << MessageText(d);
        static_cast<QDialog*>(d)->done(1);
    });
    for (int tab : { 0, 1 }) {
        w().PageControl1->setCurrentIndex(tab);
        w().PrintSpeedButtonClick();
    }
    EXPECT_EQ(shown, QStringList(2, U("Страница напечатана в файл:\n/home/u/Lemvora.pdf")));
}

TEST_F(Printing, WithoutTheColourLibraryNothingIsPrinted)
{
    FakeLibs::Use({ "Yestrel.Dll" });
    QStringList shown;
    ModalDriver driver([&](QWidget* d) {
        shown << MessageText(d);
        static_cast<QDialog*>(d)->done(1);
    });
    w().PrintSpeedButtonClick();
    EXPECT_EQ(shown, QStringList({ U("Ошибка при загрузке библиотеки Yestrel.Dll") }));
    EXPECT_TRUE(printer_.Calls.isEmpty());
}

namespace {

// Saving with the document engine: the dialog answered with a name in a
// scratch folder, the default error box recorded.
class Saving : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterDocumentEngine();
        SetDefaultErrorHook([this](const QString& Text) { errors_ << Text; });
        SetFileDialogHook([this](TFileDialog& d) {
            dialogs_ << d.Filter + " " + d.DefaultExt;
            if (answer_.isEmpty())
                return false;
            d.FileName = answer_;
            return true;
        });
    }
    void TearDown() override
    {
        SetFileDialogHook({});
        SetDefaultErrorHook({});
        UnregisterDocumentEngine();
    }
    void Build(const std::string& Text)
    {
        win_ = BuildTextAnalysisWindow(Text, Ansi("Курочка"));
        w().show();
        QApplication::processEvents();
    }
    TGrafForm& w() { return *win_.Window; }
    // The button's command, whatever the button's state.
    void Click()
    {
        RunHandler([this] { w().FileSaveSpeedButtonClick(); });
    }
    QString File(const char* Name) const { return QDir(dir_.path()).filePath(Name); }
    QStringList Files() const
    {
        QStringList files = QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden);
        files.sort();
        return files;
    }

    QTemporaryDir dir_;
    QString answer_;
    QStringList dialogs_, errors_;
    TTextAnalysisWindow win_;
};

QString PdfText(const QString& Pdf)
{
    QProcess p;
    p.start("pdftotext", { "-layout", Pdf, "-" });
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

TEST_F(Saving, ChartPageWritesTheBitmapAndTheDocument)
{
    Build(SampleRussianText());
    answer_ = File("x.bmp");
    Click();
    EXPECT_EQ(dialogs_, QStringList({ "Bmp files (*.bmp)|*.bmp bmp" }));
    EXPECT_TRUE(errors_.isEmpty()) << errors_.join("\n").toStdString();
    EXPECT_EQ(Files(), QStringList({ "x.DOC", "x.bmp" }));

    TChart& chart = *w().Pages.Objects(0)->Chart;
    const QImage bitmap(File("x.bmp"));
    ASSERT_EQ(bitmap.size(), chart.size());
    EXPECT_EQ(bitmap.pixelColor(1, 1), QColor(Qt::white));
    EXPECT_EQ(chart.BackColor, clBtnFace);
    EXPECT_EQ(chart.Color, clBtnFace);

    QFile doc(File("x.DOC"));
    ASSERT_TRUE(doc.open(QIODevice::ReadOnly));
    const QByteArray rtf = doc.readAll();
    EXPECT_TRUE(rtf.startsWith("{\\rtf1"));
    EXPECT_TRUE(rtf.contains("\\pngblip"));
    EXPECT_EQ(rtf.count("\\row"), 15); // 45 sound-letters in three columns

    // A word processor opens it: the title, the sound table and the picture.
    if (QStandardPaths::findExecutable("soffice").isEmpty() || QStandardPaths::findExecutable("pdftotext").isEmpty())
        GTEST_SKIP() << "LibreOffice or pdftotext is not installed";
    QProcess office;
    office.setWorkingDirectory(dir_.path());
    office.start("soffice", { "-env:UserInstallation=file://" + dir_.path() + "/profile", "--headless",
                              "--convert-to", "pdf", "--outdir", dir_.path() + "/pdf", File("x.DOC") });
    ASSERT_TRUE(office.waitForFinished(180000));
    const QString pdf = dir_.path() + "/pdf/x.pdf";
    ASSERT_TRUE(QFile::exists(pdf));
    const QString text = PdfText(pdf).simplified();
    EXPECT_TRUE(text.contains(U("Фоносемантика текста - Курочка"))) << text.toStdString();
    EXPECT_TRUE(text.contains(AnsiToQString(w().Pages.Objects(0)->SoundList.Strings(0)).simplified()));
    EXPECT_TRUE(text.contains(AnsiToQString(w().Pages.Objects(0)->SoundTotalLine)));
    QProcess images;
    images.start("pdfimages", { "-list", pdf });
    images.waitForFinished(60000);
    EXPECT_GE(QString::fromUtf8(images.readAllStandardOutput()).count(QStringLiteral("image")), 1);
}

TEST_F(Saving, NotePageWritesOnlyTheDocument)
{
    Build(Ansi("кот"));
    ASSERT_FALSE(win_.Note.empty());
    answer_ = File("report.doc");
    Click();
    EXPECT_EQ(dialogs_, QStringList({ "DOC files (*.doc)|*.doc doc" }));
    EXPECT_TRUE(errors_.isEmpty()) << errors_.join("\n").toStdString();
    EXPECT_EQ(Files(), QStringList({ "report.DOC" }));
}

// The bitmap comes first: without the word processor it stays, and the error shows.
TEST_F(Saving, AFailingExportLeavesTheBitmapAndShowsTheError)
{
    UnregisterDocumentEngine();
    Build(SampleRussianText());
    answer_ = File("x.bmp");
    {
        ModalDriver no([](QWidget* d) { static_cast<QDialog*>(d)->done(7); }); // "Word.Basic.8"? No
        Click();
    }
    EXPECT_EQ(Files(), QStringList({ "x.bmp" }));
    EXPECT_EQ(errors_, QStringList({ U("Недопустимая строка с указанием класса") }));
}

TEST_F(Saving, ModesDecideWhatIsWritten)
{
    Build(SampleRussianText());
    answer_ = File("x.bmp");
    w().SetMode(2);
    Click();
    EXPECT_EQ(Files(), QStringList({ "x.bmp" }));
    QFile::remove(File("x.bmp"));
    for (int mode : { 1, 3 }) {
        w().SetMode(mode);
        Click();
    }
    EXPECT_EQ(dialogs_.size(), 3);
    EXPECT_TRUE(Files().isEmpty());
    // Cancel writes nothing.
    w().SetMode(0);
    answer_.clear();
    Click();
    EXPECT_TRUE(Files().isEmpty());
}

// An existing name is replaced only when the user agrees; a folder that
// cannot be written gives the reason, and no file appears.
TEST_F(Saving, ExistingNamesAreAskedAboutAndFailuresLeaveNoFile)
{
    Build(SampleRussianText());
    QFile old(File("x.DOC"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    answer_ = File("x.bmp");
    QStringList asked;
    for (int answer : { 7, 6 }) {
        ModalDriver driver([&](QWidget* d) {
            asked << MessageText(d);
            static_cast<QDialog*>(d)->done(answer);
        });
        Click();
        if (answer == 7) {
            EXPECT_EQ(Files(), QStringList({ "x.DOC" }));
        }
    }
    EXPECT_EQ(asked.size(), 2);
    EXPECT_TRUE(asked[0].contains(U("уже существует"))) << asked[0].toStdString();
    EXPECT_TRUE(asked[0].contains(File("x.DOC")));
    EXPECT_EQ(Files(), QStringList({ "x.DOC", "x.bmp" }));
    QFile replaced(File("x.DOC"));
    ASSERT_TRUE(replaced.open(QIODevice::ReadOnly));
    EXPECT_TRUE(replaced.readAll().startsWith("{\\rtf1"));

    // A name the document's name cannot carry is refused before anything is written.
    {
        QStringList shown;
        ModalDriver driver([&](QWidget* d) {
            shown << MessageText(d);
            static_cast<QDialog*>(d)->done(1);
        });
        answer_ = File("z\u4e2d.bmp");
        Click();
        ASSERT_EQ(shown.size(), 1);
        EXPECT_TRUE(shown[0].contains(U("Выберите другое имя")));
    }
    EXPECT_EQ(Files(), QStringList({ "x.DOC", "x.bmp" }));

    answer_ = File("missing/y.bmp");
    Click();
    ASSERT_EQ(errors_.size(), 1);
    EXPECT_TRUE(errors_[0].contains(U("папка не найдена"))) << errors_[0].toStdString();
    EXPECT_FALSE(QDir(File("missing")).exists());
}
