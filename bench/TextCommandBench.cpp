// The text command from the editor's text to the filled diagram window, just
// before it is shown, on a 1 MB document and on a one-page document; and in the
// same run the core's own feed of the same text, the baseline of the share
// spent reading the editor's lines, converting and feeding them. The golden
// section and the text profile (words and sentences) run on the 1 MB document
// against the text command, with the recording stand-ins of their libraries
// (logging nothing) and a silent speaker.
#include "Application.h"
#include "FigureReporter.h"
#include "LemvGraf.h"
#include "Loader.h"
#include "PhonText.h"
#include "REMain.h"
#include "RussianText.h"
#include "Speaker.h"
#include "Win1251.h"

#include <QApplication>
#include <QTextCursor>
#include <QTextEdit>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <utility>

namespace {

struct TDocument {
    QString text;      // as the editor holds it
    std::string ansi;  // the same in Windows-1251, lines joined as the command feeds them
};

TDocument MakeDocument(size_t bytes, uint32_t seed)
{
    std::string raw = GenerateRussianText(bytes, seed);
    TDocument d;
    d.text = AnsiToQString(raw).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    for (char c : raw)
        if (c != '\r' && c != '\n')
            d.ansi += c;
    return d;
}

const TDocument& Document(int which)
{
    static const TDocument big = MakeDocument(1 << 20, 1);
    static const TDocument page = MakeDocument(3000, 2);
    return which == 0 ? big : page;
}

// Made on first use, freed before the application goes.
std::unique_ptr<TMainForm> g_form;

TMainForm& FormWith(int which)
{
    static int loaded = -1;
    if (!g_form)
        g_form = std::make_unique<TMainForm>();
    if (loaded != which) {
        g_form->Editor()->setPlainText(Document(which).text);
        g_form->SetDocumentName(which == 0 ? QStringLiteral("/тексты/мегабайт.rtf") : QStringLiteral("/тексты/страница.rtf"));
        loaded = which;
    }
    // Nothing selected: the golden section leaves its vowel selected.
    g_form->Editor()->moveCursor(QTextCursor::Start);
    return *g_form;
}

void BM_TextCommand(benchmark::State& state)
{
    TMainForm& form = FormWith(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto model = std::make_unique<TFileViewMem>();
        TextModel = model.get();
        const std::string title = form.BuildDocumentTitle();
        std::string note;
        form.AnalyzeEditorText(TextModel, title, 0, note);
        if (!note.empty()) {
            state.SkipWithError("the document gave a note; the window would wait for the user");
            break;
        }
        std::unique_ptr<TGrafForm> window(BuildTextPhonosemanticsWindow(title, note, TextModel));
        benchmark::DoNotOptimize(window.get());
        window.reset();
        TextModel = nullptr;
    }
}

void BM_EditorFeed(benchmark::State& state)
{
    TMainForm& form = FormWith(static_cast<int>(state.range(0)));
    TFileViewMem model;
    for (auto _ : state) {
        std::string note;
        form.AnalyzeEditorText(&model, "t", 0, note);
        benchmark::DoNotOptimize(model.SoundCount);
    }
}

void BM_CoreFeed(benchmark::State& state)
{
    const std::string& text = Document(static_cast<int>(state.range(0))).ansi;
    TFileViewMem model;
    for (auto _ : state) {
        model.Reset();
        model.ProcessString(text, 0);
        benchmark::DoNotOptimize(model.SoundCount);
    }
}

void BM_GoldenSection(benchmark::State& state)
{
    TMainForm& form = FormWith(0);
    for (auto _ : state)
        form.RunGoldenSection();
}

void BM_TextProfile(benchmark::State& state)
{
    TMainForm& form = FormWith(0);
    qputenv("LEMV_FAKE_CORVANE", QByteArray::fromStdString(Ansi(state.range(0) == 0 ? "СЛОВО" : "ПРЕДЛОЖЕНИЕ")));
    for (auto _ : state)
        form.RunTextProfile();
}

BENCHMARK(BM_TextCommand)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GoldenSection)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextProfile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditorFeed)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CoreFeed)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void PrintFigures(const TFigureReporter& Report)
{
    const auto ms = [&](const char* n) { return Report.Time(n); };
    std::printf("\ntext command, 1 MB document:      %8.2f ms (target <= 300 ms)\n", ms("BM_TextCommand/0"));
    std::printf("text command, one-page document:  %8.2f ms (target <= 100 ms)\n", ms("BM_TextCommand/1"));
    for (int doc : {0, 1}) {
        const std::string a = "BM_EditorFeed/" + std::to_string(doc), b = "BM_CoreFeed/" + std::to_string(doc);
        const double feed = ms(a.c_str()), core = ms(b.c_str());
        std::printf("%s: editor lines, converted and fed %.3f ms; core feed %.3f ms; ratio %.2f (target <= 3)\n",
                    doc == 0 ? "1 MB document  " : "one-page document", feed, core, core > 0 ? feed / core : 0.0);
    }
    const double text = ms("BM_TextCommand/0");
    for (const auto& [name, label] : {std::pair {"BM_GoldenSection", "golden section"},
                                      std::pair {"BM_TextProfile/0", "text profile, words"},
                                      std::pair {"BM_TextProfile/1", "text profile, sentences"}}) {
        const double t = ms(name);
        std::printf("1 MB document: %-24s %8.2f ms; ratio to the text command %.2f (target <= 3)\n", label, t,
                    text > 0 ? t / text : 0.0);
    }
}

} // namespace

int main(int argc, char** argv)
{
    UseOffscreenUnlessChosen();
    QApplication app(argc, argv);
    SetLibraryFolder(ProgramDir() + QStringLiteral("/fakelibs"));
    struct : ISpeaker {
        void SquareWave(int, int) override {}
    } silence;
    SetSpeakerLayer(&silence);
    RunBenchmarksWithFigures(argc, argv, PrintFigures);
    g_form.reset();
    return 0;
}
