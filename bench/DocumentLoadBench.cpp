// Opening an RTF document into the main window's editor, from the file up to a
// laid-out document, for documents of 1, 10 and 100 MB (made with a fixed
// seed). Printed: the time per MB of each size, and in the same run the
// reader alone into a detached document and a plain read of the file's bytes.
//
// Plain text of one line without a break opportunity (as a base64 block or a
// binary file opened by mistake may be) of 1 and 50 MB, against 1 MB of ordinary plain
// text: opened and settled (laid out, shown, painted, its events done), with
// the peak of the resident memory while it opens.
//
// Then what a user does with such a document open: saving it (per MB, against
// writing the same bytes whole), writing one long numbered list as RTF (per
// item, against the same list with bullets), and moving the caret or typing a
// character at the document's end (per step, against the same at its start).
#include "FigureReporter.h"
#include "ProcStatus.h"
#include "REMain.h"
#include "Rtf.h"
#include "RussianText.h"
#include "SafeFile.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextCursor>
#include <QTextEdit>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
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

// The file Name in the benchmarks' folder, written by Make on first use.
const QString& BenchFile(const QString& Name, const std::function<QByteArray()>& Make)
{
    static QTemporaryDir dir;
    static std::map<QString, QString> files;
    QString& path = files[Name];
    if (path.isEmpty()) {
        path = dir.filePath(Name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(Make()) < 0)
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    }
    return path;
}

const QString& FileOf(int MB)
{
    return BenchFile(QStringLiteral("документ-%1.rtf").arg(MB),
                     [MB] { return MakeRtf(static_cast<size_t>(MB) << 20, 20261210u + MB); });
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

// Plain text of about Bytes bytes: ordinary text (lines of words) or one
// line of base64's letters and digits, which leave no break opportunity.
QByteArray MakePlainText(size_t Bytes, bool OneLine)
{
    if (!OneLine) {
        const std::string text = GenerateRussianText(Bytes, 20261222u);
        return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
    }
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::mt19937 rng(20261223u);
    QByteArray out(static_cast<qsizetype>(Bytes), Qt::Uninitialized);
    for (char& c : out)
        c = kLetters[rng() % 62];
    return out;
}

const QString& PlainFileOf(int MB, bool OneLine)
{
    return BenchFile(QStringLiteral("%1-%2.txt").arg(OneLine ? "строка" : "текст").arg(MB),
                     [=] { return MakePlainText(static_cast<size_t>(MB) << 20, OneLine); });
}

// A figure of the process's status in MB.
double StatusMB(const std::string& Field)
{
    const double kib = ProcStatusKiB(Field);
    return kib < 0 ? -1 : kib / 1024;
}

// The peak of the resident memory starts again from what is resident now.
void ResetPeakResident()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

// Opened and settled: laid out, the window painted and its pending events
// (the layout's own timers among them) handled.
void BM_OpenPlainText(benchmark::State& state)
{
    const int mb = static_cast<int>(state.range(0));
    const QString& file = PlainFileOf(mb, state.range(1) != 0);
    TMainForm& form = Form();
    form.show();
    double peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        form.FileNew();
        QApplication::processEvents();
        ResetPeakResident();
        const double before = StatusMB("VmRSS:");
        state.ResumeTiming();
        form.OpenDocument(file);
        benchmark::DoNotOptimize(form.Editor()->document()->documentLayout()->documentSize());
        form.Editor()->viewport()->repaint();
        QApplication::processEvents();
        QApplication::processEvents();
        state.PauseTiming();
        peak = std::max(peak, StatusMB("VmHWM:") - before);
        state.ResumeTiming();
    }
    state.counters["peak_MB"] = peak; // above what was resident before the open
    form.FileNew();
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

// File open in the window, laid out to its end; opened again only for another file.
void OpenOnce(const QString& File)
{
    static QString open;
    if (open == File)
        return;
    TMainForm& form = Form();
    form.show();
    form.OpenDocument(File);
    form.Editor()->document()->documentLayout()->documentSize();
    QApplication::processEvents();
    open = File;
}

QString OutputFile()
{
    static QTemporaryDir dir;
    return dir.filePath(QStringLiteral("сохранённый.rtf"));
}

void BM_SaveDocument(benchmark::State& state)
{
    OpenOnce(FileOf(static_cast<int>(state.range(0))));
    TMainForm& form = Form();
    form.SetDocumentName(OutputFile());
    for (auto _ : state)
        form.FileSave();
}

void BM_WriteBytesWhole(benchmark::State& state)
{
    QFile f(FileOf(static_cast<int>(state.range(0))));
    if (!f.open(QIODevice::ReadOnly))
        return state.SkipWithError("no file");
    const QByteArray data = f.readAll();
    for (auto _ : state)
        WriteFileWhole(OutputFile(), data);
}

// One list of Items paragraphs of a few words each, numbered or bulleted.
QByteArray MakeListRtf(int Items, bool Numbered)
{
    const std::string text = GenerateRussianText(static_cast<size_t>(Items) * 40, 20261211u);
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fcharset204 Times New Roman;}}\\fs24 ";
    const QByteArray pn = Numbered ? "{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0\\pnstart1\\pndec{\\pntxta.}}"
                                   : "{\\*\\pn\\pnlvlblt\\pnf0\\pnindent0{\\pntxtb\\'95}}";
    size_t at = 0;
    for (int i = 0; i < Items; ++i) {
        out += "\\pard" + pn + "\\fi-360\\li720 ";
        for (size_t end = at + 40; at < end && at < text.size(); ++at)
            if (text[at] != '\r' && text[at] != '\n')
                out += text[at];
        out += "\\par\r\n";
    }
    out += '}';
    return out;
}

const QString& ListFileOf(int Items, bool Numbered)
{
    return BenchFile(QStringLiteral("список-%1-%2.rtf").arg(Items).arg(Numbered ? "номера" : "точки"),
                     [=] { return MakeListRtf(Items, Numbered); });
}

// The writer alone, as the disk's own time would drown a list's share.
void WriteList(benchmark::State& state, bool Numbered)
{
    OpenOnce(ListFileOf(static_cast<int>(state.range(0)), Numbered));
    const QTextDocument& doc = *Form().Editor()->document();
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteRtf(doc));
}

void BM_WriteNumberedList(benchmark::State& state)
{
    WriteList(state, true);
}

void BM_WriteBulletedList(benchmark::State& state)
{
    WriteList(state, false);
}

// Steps at the document's end (range 1 = 1) or its start: the caret moved one
// character left and back, or a character typed and taken back with
// Backspace; each step runs the window's selection handling and status bar.
void CaretSteps(benchmark::State& state, bool Typing)
{
    OpenOnce(FileOf(static_cast<int>(state.range(0))));
    QTextEdit* editor = Form().Editor();
    editor->moveCursor(state.range(1) ? QTextCursor::End : QTextCursor::Start);
    if (state.range(1))
        editor->moveCursor(QTextCursor::Left);
    bool forth = true;
    for (auto _ : state) {
        if (Typing) {
            QTextCursor c = editor->textCursor();
            if (forth)
                c.insertText(QStringLiteral("ж"));
            else
                c.deletePreviousChar();
        } else {
            editor->moveCursor(forth ? QTextCursor::Left : QTextCursor::Right);
        }
        forth = !forth;
    }
    editor->document()->setModified(false);
}

void BM_CaretMove(benchmark::State& state)
{
    CaretSteps(state, false);
}

void BM_TypeChar(benchmark::State& state)
{
    CaretSteps(state, true);
}

BENCHMARK(BM_OpenDocument)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenPlainText)->Args({1, 0})->Args({1, 1})->Args({50, 1})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadRtfDetached)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadBytes)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveDocument)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WriteBytesWhole)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime();
constexpr int kListItems[] = { 1000, 4000, 16000 };
BENCHMARK(BM_WriteNumberedList)->Arg(1000)->Arg(4000)->Arg(16000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WriteBulletedList)->Arg(1000)->Arg(4000)->Arg(16000)->Unit(benchmark::kMillisecond)->UseRealTime();
constexpr int kStepMB[] = { 10, 100 };
BENCHMARK(BM_CaretMove)->ArgsProduct({ { 10, 100 }, { 0, 1 } })->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_TypeChar)->ArgsProduct({ { 10, 100 }, { 0, 1 } })->Unit(benchmark::kMicrosecond)->UseRealTime();

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

    const auto plain = [&](int mb, int oneLine) {
        return Report.Time("BM_OpenPlainText/" + std::to_string(mb) + "/" + std::to_string(oneLine) + "/real_time");
    };
    const double text1 = plain(1, 0), line1 = plain(1, 1), line50 = plain(50, 1);
    std::printf("\nplain text opened and settled: 1 MB of text %.1f ms; one line of 1 MB %.1f ms (%.2f x, target <= 2); "
                "of 50 MB %.1f ms per MB (%.2f x that at 1 MB, target <= 1.5); memory: the peak_MB column above\n",
                text1, line1, text1 > 0 ? line1 / text1 : 0.0, line50 / 50, line1 > 0 ? line50 / 50 / line1 : 0.0);

    std::printf("\nms per MB       save                   bytes written whole\n");
    for (int mb : kSizesMB)
        std::printf("%4d MB         %10.1f             %8.2f\n", mb, perMB("BM_SaveDocument", mb),
                    perMB("BM_WriteBytesWhole", mb));
    const double saveOne = perMB("BM_SaveDocument", 1), saveHundred = perMB("BM_SaveDocument", 100);
    std::printf("save: per MB at 100 MB / at 1 MB = %.2f\n", saveOne > 0 ? saveHundred / saveOne : 0.0);

    const auto perItem = [&](const char* name, int items) {
        const double ms = Report.Time(std::string(name) + "/" + std::to_string(items) + "/real_time");
        return ms < 0 ? -1.0 : ms * 1000 / items;
    };
    std::printf("\nus per item     written numbered list  written bulleted list   ratio\n");
    for (int items : kListItems) {
        const double numbered = perItem("BM_WriteNumberedList", items), bulleted = perItem("BM_WriteBulletedList", items);
        std::printf("%6d items    %10.2f             %8.2f             %5.2f\n", items, numbered, bulleted,
                    bulleted > 0 ? numbered / bulleted : 0.0);
    }

    const auto step = [&](const char* name, int mb, int atEnd) {
        return Report.Time(std::string(name) + "/" + std::to_string(mb) + "/" + std::to_string(atEnd) + "/real_time");
    };
    std::printf("\nus per step     caret at end   at start   start/end   typing at end   at start   start/end\n");
    for (int mb : kStepMB) {
        const double me = step("BM_CaretMove", mb, 1), ms = step("BM_CaretMove", mb, 0);
        const double te = step("BM_TypeChar", mb, 1), ts = step("BM_TypeChar", mb, 0);
        std::printf("%4d MB         %10.1f   %8.1f   %9.2f   %13.1f   %8.1f   %9.2f\n", mb, me, ms,
                    me > 0 ? ms / me : 0.0, te, ts, te > 0 ? ts / te : 0.0);
    }
    std::printf("typing at the start of 100 MB: %.1f ms a keystroke (target <= 50 ms)\n",
                step("BM_TypeChar", 100, 0) / 1000);
}

} // namespace

int main(int argc, char** argv)
{
    UseOffscreenUnlessChosen();
    QApplication app(argc, argv);
    RunBenchmarksWithFigures(argc, argv, PrintFigures);
    g_form.reset();
    return 0;
}
