// The layers under the main window: marker, printer, file dialogs, drops,
// font faces, the first frame, pictures, speaker.
#include "Application.h"
#include "ChartDrawing.h"
#include "Errors.h"
#include "FileDialogs.h"
#include "FullDisk.h"
#include "KeptPixmaps.h"
#include "Printer.h"
#include "SafeFile.h"
#include "Shell.h"
#include "SingleInstance.h"
#include "Speaker.h"
#include "Waits.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QUrl>
#include <QWidget>
#include <gtest/gtest.h>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

QString UniqueName(const char* Tag)
{
    return QStringLiteral("LemvTest-%1-%2").arg(QString::fromLatin1(Tag)).arg(QCoreApplication::applicationPid());
}

TEST(InstanceMarker, SecondHolderFindsItUntilTheFirstGivesItUp)
{
    const QString name = UniqueName("marker");
    TInstanceMarker first, second, third;
    EXPECT_EQ(first.Create(name), TMarkerResult::Created);
    EXPECT_EQ(second.Create(name), TMarkerResult::AlreadyExists);
    EXPECT_FALSE(second.Held());
    first.Close();
    EXPECT_EQ(third.Create(name), TMarkerResult::Created);
    third.Close();
}

TEST(InstanceMarker, NameThatCannotBeMadeIsNotCreatedRatherThanExisting)
{
    TInstanceMarker m;
    EXPECT_EQ(m.Create(QString(200, QLatin1Char('L'))), TMarkerResult::NotCreated);
    EXPECT_EQ(m.Create(QString()), TMarkerResult::NotCreated);
    EXPECT_FALSE(m.Held());
}

// The real printer writing into the PDF file pdf.
class QtPdfPrinter : public ::testing::Test {
protected:
    void SetUp() override
    {
        printer.Device().setOutputFormat(QPrinter::PdfFormat);
        printer.Device().setOutputFileName(pdf);
    }
    QTemporaryDir dir;
    TQtPrinter printer;
    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
};

TEST_F(QtPdfPrinter, WritesDocumentAndCanvasIntoAPdfFile)
{
    EXPECT_GT(printer.PageWidth(), 0);
    EXPECT_GT(printer.PageHeight(), printer.PageWidth()) << "portrait by default";

    QTextDocument doc;
    doc.setPlainText(QStringLiteral("Печать"));
    printer.PrintDocument(doc, QStringLiteral("title"));
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("%PDF"));
    f.close();
    QFile::remove(pdf);

    printer.BeginDoc(QStringLiteral("canvas"));
    EXPECT_TRUE(printer.Printing());
    QImage bits(4, 2, QImage::Format_RGB32);
    bits.fill(Qt::red);
    printer.StretchDIBits(QRect(0, 0, 400, 200), bits, bits.rect());
    EXPECT_THROW(printer.BeginDoc(), Exception);
    printer.EndDoc();
    EXPECT_FALSE(printer.Printing());
    EXPECT_THROW(printer.Canvas(), Exception);
    EXPECT_GT(QFileInfo(pdf).size(), 0);
}

// A document for a file is written whole, named once, or not at all: a file
// that cannot be written raises, and the chosen name stays the printer's.
TEST_F(QtPdfPrinter, FileIsNamedOnceWrittenAndAFailedOneRaises)
{
    auto drawPage = [&] {
        printer.BeginDoc();
        printer.Canvas().drawText(100, 100, QStringLiteral("Печать"));
        printer.EndDoc();
    };
    drawPage();
    EXPECT_EQ(printer.TakeWrittenFile(), pdf);
    EXPECT_EQ(printer.TakeWrittenFile(), QString()) << "named once";
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray written = f.readAll();
    f.close();
    EXPECT_TRUE(written.startsWith("%PDF"));
    EXPECT_TRUE(written.trimmed().endsWith("%%EOF"));
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("Печать"));
    printer.PrintDocument(doc, QStringLiteral("title"));
    EXPECT_EQ(printer.TakeWrittenFile(), pdf);

    // A full disk: the earlier file stays as it was.
    {
        const TFullDiskAfter full(512);
        EXPECT_THROW(drawPage(), EWriteError);
        EXPECT_THROW(printer.PrintDocument(doc, QString()), EWriteError);
    }
    EXPECT_EQ(printer.TakeWrittenFile(), QString());
    EXPECT_EQ(printer.Device().outputFileName(), pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().trimmed().endsWith("%%EOF"));
    f.close();

    // A folder that is not there.
    const QString nowhere = dir.filePath(QStringLiteral("missing/out.pdf"));
    printer.Device().setOutputFileName(nowhere);
    EXPECT_THROW(drawPage(), EWriteError);
    EXPECT_FALSE(printer.Printing());
    EXPECT_EQ(printer.TakeWrittenFile(), QString());
    EXPECT_EQ(printer.Device().outputFileName(), nowhere);
    EXPECT_FALSE(QFileInfo::exists(nowhere));
}

TEST(RecordingPrinter, RecordsCallsAndRefusesCanvasOutsideADocument)
{
    TRecordingPrinter p(4800, 6600);
    EXPECT_THROW(p.Canvas(), Exception);
    p.BeginDoc(QStringLiteral("t"));
    p.StretchDIBits(QRect(0, 284, 4800, 2057), QImage(700, 300, QImage::Format_RGB32), QRect(0, 0, 700, 300));
    p.EndDoc();
    EXPECT_EQ(p.Calls, (QStringList {"BeginDoc t", "StretchDIBits 0,0,700,300 -> 0,284,4800,2057", "EndDoc"}));
    QPoint offset(9, 9);
    p.OffsetSupported = false;
    EXPECT_FALSE(p.PrintingOffset(offset));
    EXPECT_EQ(offset, QPoint());
}

// The texts are read back from a sheet that also holds lines, shapes and
// pictures, which the reading passes over.
TEST(RecordingPrinter, DrawnTextsAmongLinesAndShapes)
{
    TRecordingPrinter p(4800, 6600);
    p.BeginDoc(QStringLiteral("t"));
    QPainter& c = p.Canvas();
    c.setPen(Qt::red);
    c.drawLine(0, 0, 400, 400);
    c.drawRect(10, 10, 100, 100);
    c.drawEllipse(QRect(50, 50, 80, 40));
    c.drawText(QPoint(100, 200), QStringLiteral("ПЛОХОЙ"));
    c.drawPolyline(QPolygon({QPoint(0, 0), QPoint(5, 9), QPoint(9, 0)}));
    p.EndDoc();
    const auto texts = p.DrawnTexts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].Text, QStringLiteral("ПЛОХОЙ"));
    EXPECT_EQ(texts[0].At, QPoint(100, 200));
    EXPECT_EQ(texts[0].Color, QColor(Qt::red));
}

TEST(FileDialog, FilterTurnsIntoThePlatformsFormWithThePreselectedOne)
{
    QString selected;
    const QString filters = TFileDialog::NativeFilter(
        QStringLiteral("Rich Text Files (*.RTF)|*.RTF|Text Files (*.TXT)|*.TXT"), 2, &selected);
    EXPECT_EQ(filters, QStringLiteral("Rich Text Files (*.RTF);;Text Files (*.TXT)"));
    EXPECT_EQ(selected, QStringLiteral("Text Files (*.TXT)"));
    EXPECT_EQ(TFileDialog::NativeFilter(QStringLiteral("Bitmaps|*.bmp;*.dib"), 1, nullptr),
              QStringLiteral("Bitmaps (*.bmp *.dib)"));
}

TEST(Drops, OnlyLocalFilesCountInTheirOrder)
{
    QMimeData data;
    data.setUrls({QUrl(QStringLiteral("https://example.invalid/a.rtf")), QUrl::fromLocalFile(QStringLiteral("/tmp/b.rtf")),
                  QUrl::fromLocalFile(QStringLiteral("/tmp/c.rtf"))});
    EXPECT_EQ(DroppedFiles(&data), (QStringList {"/tmp/b.rtf", "/tmp/c.rtf"}));
    QMimeData text;
    text.setText(QStringLiteral("/tmp/b.rtf"));
    EXPECT_FALSE(CarriesFiles(&text));
    EXPECT_TRUE(DroppedFiles(nullptr).isEmpty());
}

// The font system's family names in, the font box's faces out.
TEST(FontFaces, OnePerTypefaceUnderItsFaceNameSortedWithoutCase)
{
    const QString longFamily = QStringLiteral("Noto Serif Nyiakeng Puachue Hmong"); // 33 characters
    const QString cutName = longFamily.left(31);
    const QString astral = QString(30, QLatin1Char('x')) + QString::fromUcs4(U"\U0001D538z"); // a letter of two units at 31
    struct Case {
        const char* Name;
        QStringList Families;
        QList<TFontFace> Faces;
    } cases[] = {
        {"FoundriesAreOneTypeface", {"C059 [UKWN]", "C059 [urw]", "Nimbus Sans [URW ]"},
         {{"C059", "C059"}, {"Nimbus Sans", "Nimbus Sans"}}},
        {"SortedWithoutRegardToCase", {"Zeta", "alpha", "Beta", "ABC", "abc"},
         {{"ABC", "ABC"}, {"abc", "abc"}, {"alpha", "alpha"}, {"Beta", "Beta"}, {"Zeta", "Zeta"}}},
        {"CyrillicAfterLatin", {"Шрифт", "арфа", "Arial"}, {{"Arial", "Arial"}, {"арфа", "арфа"}, {"Шрифт", "Шрифт"}}},
        {"LongNamesCutToThe31OfAFaceName", {longFamily, longFamily + " UI", longFamily + " [urw]"},
         {{cutName, longFamily}}},
        {"ACharacterOfTwoUnitsIsNotSplit", {astral}, {{astral.left(30), astral}}},
        {"BracketsInsideANameStay", {"Foo [Bar] Baz", ""}, {{"Foo [Bar] Baz", "Foo [Bar] Baz"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const QList<TFontFace> faces = FontFaces(c.Families);
        EXPECT_EQ(faces, c.Faces);
        for (const TFontFace& f : faces)
            EXPECT_LE(f.Name.size(), MaxFaceNameLength);
    }
}

// Work for after the first frame runs from the event loop once the window
// has painted its first exposure, also for a window exposed already, and
// not for one that was closed meanwhile.
TEST(FirstFrame, WorkRunsOnceAfterTheFirstPaint)
{
    struct TCountingWidget : QWidget {
        int Paints = 0;
        void paintEvent(QPaintEvent*) override { ++Paints; }
    } window;
    window.resize(200, 100);
    window.show();
    int runs = 0;
    int paintsSeen = -1;
    AfterFirstFrame(&window, [&] {
        ++runs;
        paintsSeen = window.Paints;
    });
    EXPECT_EQ(runs, 0) << "not while showing";
    ASSERT_TRUE(QTest::qWaitFor([&] { return runs > 0; }, EventWaitMs));
    EXPECT_GE(paintsSeen, 1);

    int later = 0;
    AfterFirstFrame(&window, [&] { ++later; });
    EXPECT_EQ(later, 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return later > 0; }, EventWaitMs));
    window.update();
    QCoreApplication::processEvents();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(later, 1);

    // A window closed before its turn comes needs none of it.
    int closed = 0;
    AfterFirstFrame(&window, [&] { ++closed; });
    window.hide();
    QCoreApplication::processEvents();
    EXPECT_EQ(closed, 0);
}

// The extension buttons' pictures are read when first drawn, and they are the
// style's own; every other picture comes from the style as it is.
TEST(DeferredExtensionIcons, DrawTheStylesOwnPictures)
{
    TDeferredExtensionIconsStyle style;
    for (const QStyle::StandardPixmap picture :
         {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton, QStyle::SP_DialogOpenButton}) {
        SCOPED_TRACE(int(picture));
        const QIcon icon = style.standardIcon(picture);
        const QIcon own = style.baseStyle()->standardIcon(picture);
        EXPECT_FALSE(icon.isNull());
        EXPECT_EQ(icon.actualSize(QSize(16, 16)), own.actualSize(QSize(16, 16)));
        EXPECT_EQ(icon.pixmap(16).toImage(), own.pixmap(16).toImage());
    }
}

// The PNG library's decoding gives the pixels Qt's reader gives, in QImage's
// byte order; what is no PNG gives a null image.
TEST(PngPicture, DecodesAsQtsReaderDoes)
{
    for (const char* name : {":/MAINICON", ":/SMALLIMAGES", ":/FIRSTIND", ":/LEFTIND", ":/RIGHTIND"}) {
        SCOPED_TRACE(name);
        const QImage own = PngPicture(QString::fromLatin1(name));
        const QImage qt = QImageReader(QString::fromLatin1(name)).read();
        ASSERT_FALSE(qt.isNull());
        EXPECT_EQ(own.size(), qt.size());
        EXPECT_EQ(own, qt.convertToFormat(QImage::Format_ARGB32));
    }
    QTemporaryDir dir;
    QFile notPng(dir.filePath(QStringLiteral("text.png")));
    ASSERT_TRUE(notPng.open(QIODevice::WriteOnly));
    notPng.write("\x89PNG but no more");
    notPng.close();
    EXPECT_TRUE(PngPicture(notPng.fileName()).isNull());
    EXPECT_TRUE(PngPicture(dir.filePath(QStringLiteral("missing.png"))).isNull());
}

// The chart module is found in the program's folder; a folder without it
// raises an error that names the module.
TEST(ChartModule, LoadsFromTheProgramsFolderAndNamesOneThatIsMissing)
{
    EXPECT_NE(LoadChartDrawingMaker(ProgramDir()), nullptr);
    QTemporaryDir empty;
    try {
        LoadChartDrawingMaker(empty.path());
        FAIL() << "no error for a folder without the module";
    } catch (const Exception& E) {
        EXPECT_TRUE(QString::fromUtf8(E.what()).contains(empty.path() + QStringLiteral("/liblemvchart.so"))) << E.what();
    }
}

} // namespace

TEST(Speaker, ToneWritesNothingOnStandardError)
{
    // On a machine without a usable sound device the tone falls back to the
    // bell; the sound library's own complaints must not reach the terminal.
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("stderr.txt"));
    std::fflush(stderr);
    const int saved = dup(2);
    const int sink = open(QFile::encodeName(file).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(sink, 0);
    dup2(sink, 2);
    close(sink);
    SpeakerLayer().SquareWave(440, 2);
    std::fflush(stderr);
    dup2(saved, 2);
    close(saved);
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    EXPECT_EQ(out.readAll().toStdString(), "");
}
