// Opening an RTF document into the main window's editor, from the file up to a
// laid-out document, for documents of 1, 10 and 100 MB (made with a fixed
// seed). Printed: the time per MB of each size, and in the same run the
// reader alone into a detached document and a plain read of the file's bytes.
#include "FigureReporter.h"
#include "REMain.h"
#include "Rtf.h"
#include "RussianText.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextEdit>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <random>

namespace {

// An RTF document of about Bytes bytes as a writer of office documents makes
// it: two fonts, three colours, paragraphs with alignment and indents, now and
// then a run of a few thousand bulleted paragraphs, runs switching bold,
// italic, size and colour, Cyrillic as \'xx escapes.
QByteArray MakeRtf(size_t Bytes, uint32_t Seed)
{
    std::mt19937 rng(Seed);
    std::uniform_int_distribution<int> pick(0, 99);
    std::uniform_int_distribution<int> rare(0, 9999);
    // The text's escapes take four bytes a character: a quarter of the size.
    const std::string text = GenerateRussianText(Bytes / 4 + 64, Seed);
    QByteArray out;
    out.reserve(static_cast<qsizetype>(Bytes + 4096));
    out += "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\froman\\fcharset204 Times New Roman;}"
           "{\\f1\\fswiss\\fcharset204 Arial;}}{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
           "\\viewkind4\\uc1\\pard\\f0\\fs24 ";
    static const char* const kPara[] = { "\\pard\\ql ", "\\pard\\qj\\fi567 ", "\\pard\\qc ", "\\pard\\li720\\ri360 " };
    static const char* const kRun[] = { "\\plain\\f0\\fs24 ", "\\plain\\f0\\fs24\\b ", "\\plain\\f1\\fs20\\i ",
                                        "\\plain\\f0\\fs28\\cf1 ", "\\plain\\f0\\fs24\\ul\\cf2 " };
    static const char kBullet[] = "\\pard{\\pntext\\f0\\'95\\tab}{\\*\\pn\\pnlvlblt\\pnf0\\pnindent0{\\pntxtb\\'95}}"
                                  "\\fi-360\\li720 ";
    static const char kHex[] = "0123456789abcdef";
    int bullets = 0; // paragraphs left of the current bulleted run
    out += kPara[0];
    int untilRun = 40;
    for (size_t i = 0; i < text.size() && static_cast<size_t>(out.size()) < Bytes; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\r')
            continue;
        if (c == '\n') {
            out += "\\par\r\n";
            if (bullets == 0 && rare(rng) == 0)
                bullets = 1000 + rare(rng) / 2;
            if (bullets > 0) {
                --bullets;
                out += kBullet;
            } else {
                out += kPara[pick(rng) % 4];
            }
            continue;
        }
        if (--untilRun <= 0) {
            const int p = pick(rng);
            out += kRun[p < 70 ? 0 : 1 + p % 4];
            untilRun = 20 + pick(rng);
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += "\\'";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    out += "\\par\r\n}";
    return out;
}

constexpr int kSizesMB[] = { 1, 10, 100 };

struct TFiles {
    QTemporaryDir dir;
    std::map<int, QString> byMB;
};

const QString& FileOf(int MB)
{
    static TFiles files;
    QString& name = files.byMB[MB];
    if (name.isEmpty()) {
        name = files.dir.filePath(QStringLiteral("документ-%1.rtf").arg(MB));
        QFile f(name);
        if (!f.open(QIODevice::WriteOnly) || f.write(MakeRtf(static_cast<size_t>(MB) << 20, 20261210u + MB)) < 0)
            std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
    }
    return name;
}

// Made on first use, freed before the application goes.
std::unique_ptr<TMainForm> g_form;

TMainForm& Form()
{
    if (!g_form)
        g_form = std::make_unique<TMainForm>();
    return *g_form;
}

void BM_OpenDocument(benchmark::State& state)
{
    const int mb = static_cast<int>(state.range(0));
    const QString& file = FileOf(mb);
    TMainForm& form = Form();
    form.show();
    for (auto _ : state) {
        form.OpenDocument(file);
        // Laid out to its end, as the editor needs it for its scroll range.
        benchmark::DoNotOptimize(form.Editor()->document()->documentLayout()->documentSize());
        state.PauseTiming();
        form.FileNew(); // the next open starts from an empty editor, as a fresh window does
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

void BM_ReadRtfDetached(benchmark::State& state)
{
    QFile f(FileOf(static_cast<int>(state.range(0))));
    if (!f.open(QIODevice::ReadOnly))
        return state.SkipWithError("no file");
    const QByteArray data = f.readAll();
    for (auto _ : state) {
        QTextDocument doc;
        benchmark::DoNotOptimize(ReadRtf(data, doc));
    }
}

void BM_ReadBytes(benchmark::State& state)
{
    const QString& file = FileOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly))
            return state.SkipWithError("no file");
        benchmark::DoNotOptimize(f.readAll());
    }
}

BENCHMARK(BM_OpenDocument)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadRtfDetached)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadBytes)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime();

void PrintFigures(const TFigureReporter& Report)
{
    const auto perMB = [&](const char* name, int mb) {
        const double ms = Report.Time(std::string(name) + "/" + std::to_string(mb) + "/real_time");
        return ms < 0 ? -1.0 : ms / mb;
    };
    std::printf("\nms per MB       open into the editor   reader alone   bytes read\n");
    for (int mb : kSizesMB)
        std::printf("%4d MB         %10.1f             %8.1f       %8.2f\n", mb, perMB("BM_OpenDocument", mb),
                    perMB("BM_ReadRtfDetached", mb), perMB("BM_ReadBytes", mb));
    const double one = perMB("BM_OpenDocument", 1), hundred = perMB("BM_OpenDocument", 100);
    std::printf("open: 1 MB in %.1f ms (target <= 150 ms); per MB at 100 MB / at 1 MB = %.2f (target <= 1.5)\n", one,
                one > 0 ? hundred / one : 0.0);
}

} // namespace

int main(int argc, char** argv)
{
    UseOffscreenUnlessChosen();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    TFigureReporter reporter(PrintFigures);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    g_form.reset();
    return 0;
}
