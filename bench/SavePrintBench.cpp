// Saving and printing a page: the export of a chart page to a saved document
// (the bitmap written, the document engine building and saving the RTF) and
// printing the list page into a PDF file, each against writing the same chart
// bitmap with QImage::save in the same run.
#include "FigureReporter.h"
#include "GrafSavePrint.h"
#include "GrafTestHelpers.h"
#include "Printer.h"
#include "WordBasic.h"

#include <QApplication>
#include <QDir>
#include <QPrinter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

struct TFixture {
    TTextAnalysisWindow window;
    QImage bitmap;
    QTemporaryDir dir;
    TFixture()
    {
        window = BuildTextAnalysisWindow(SampleRussianText(), Ansi("Курочка"));
        window.Window->show();
        QApplication::processEvents();
        bitmap = ChartSnapshot(*window.Window->Pages.Objects(0)->Chart);
    }
    QString File(const char* Name) const { return QDir(dir.path()).filePath(Name); }
};

// Made on first use, freed before the application goes.
std::unique_ptr<TFixture> g_fixture;

TFixture& Fixture()
{
    if (!g_fixture)
        g_fixture = std::make_unique<TFixture>();
    return *g_fixture;
}

void BM_BitmapSave(benchmark::State& state)
{
    TFixture& f = Fixture();
    for (auto _ : state)
        benchmark::DoNotOptimize(f.bitmap.save(f.File("base.bmp"), "BMP"));
}

void BM_ExportChartPage(benchmark::State& state)
{
    TFixture& f = Fixture();
    TGrafForm& w = *f.window.Window;
    const QString bmp = f.File("x.bmp");
    for (auto _ : state) {
        SaveBitmapFile(f.bitmap, bmp);
        w.ExportToWord(w.Pages.Objects(0), QStringToAnsi(bmp));
    }
}

void BM_PrintListPageToPdf(benchmark::State& state)
{
    TFixture& f = Fixture();
    TGrafForm& w = *f.window.Window;
    TQtPrinter printer;
    printer.Device().setOutputFormat(QPrinter::PdfFormat);
    printer.Device().setOutputFileName(f.File("list.pdf"));
    SetPrinter(&printer);
    for (auto _ : state) {
        printer.BeginDoc();
        w.PrintListPage(w.Pages.Objects(1));
        printer.EndDoc();
    }
    SetPrinter(nullptr);
}

BENCHMARK(BM_BitmapSave)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportChartPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrintListPageToPdf)->Unit(benchmark::kMillisecond);

void PrintFigures(const TFigureReporter& Report)
{
    const double base = Report.Time("BM_BitmapSave");
    if (base <= 0)
        return;
    const double exported = Report.Time("BM_ExportChartPage"), printed = Report.Time("BM_PrintListPageToPdf");
    std::printf("\nbitmap written with QImage::save: %.3f ms\n", base);
    std::printf("chart page exported to a saved document: %.3f ms, ratio %.2f (aim <= 10)\n", exported, exported / base);
    std::printf("list page printed to PDF: %.3f ms, ratio %.2f\n", printed, printed / base);
}

} // namespace

int main(int argc, char** argv)
{
    UseOffscreenUnlessChosen();
    QApplication app(argc, argv);
    RegisterDocumentEngine();
    RunBenchmarksWithFigures(argc, argv, PrintFigures);
    g_fixture.reset();
    return 0;
}
