// The word command with the real library: from F5 to the entry dialog shown
// (the library's load included) against opening an empty dialog; and from a
// confirmed word to its filled word window, just before it is shown, against
// the text command on a one-page document up to its filled window. Times run
// to the windows' show events, where a filter takes them and closes the
// windows again.
#include "Application.h"
#include "FigureReporter.h"
#include "REMain.h"
#include "RussianText.h"
#include "Win1251.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

QElapsedTimer g_clock;

// Takes the time at which a window of the given name is shown and closes it
// from the event loop; Shown then runs for it.
class TShowWatch : public QObject {
public:
    QString Name;
    qint64 ShownAt = -1;
    std::function<void(QDialog*)> Shown = [](QDialog* D) { QMetaObject::invokeMethod(D, "reject", Qt::QueuedConnection); };

    explicit TShowWatch(const QString& WindowName) : Name(WindowName) { qApp->installEventFilter(this); }
    ~TShowWatch() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        if (Event->type() == QEvent::Show && Watched->objectName() == Name) {
            if (auto* d = qobject_cast<QDialog*>(Watched)) {
                ShownAt = g_clock.nsecsElapsed();
                Shown(d);
            }
        }
        return false;
    }
};

std::unique_ptr<TMainForm> g_form;

TMainForm& Form()
{
    if (!g_form) {
        g_form = std::make_unique<TMainForm>();
        g_form->Editor()->setPlainText(AnsiToQString(GenerateRussianText(3000, 2)));
        g_form->SetDocumentName(QStringLiteral("/тексты/страница.rtf"));
    }
    g_form->Editor()->moveCursor(QTextCursor::Start);
    return *g_form;
}

double Seconds(qint64 From, qint64 To)
{
    return (To - From) / 1e9;
}

// Times Run up to the show event Watch takes, for every iteration.
void TimeToShow(benchmark::State& state, TShowWatch& Watch, const std::function<void()>& Run, const char* Missing)
{
    for (auto _ : state) {
        Watch.ShownAt = -1;
        const qint64 start = g_clock.nsecsElapsed();
        Run();
        if (Watch.ShownAt < 0) {
            state.SkipWithError(Missing);
            break;
        }
        state.SetIterationTime(Seconds(start, Watch.ShownAt));
    }
}

void BM_EntryDialogShown(benchmark::State& state)
{
    TMainForm& form = Form();
    TShowWatch entry(QStringLiteral("EditDB"));
    TimeToShow(state, entry, [&] { form.RunWordPhonosemantics(); },
               "the entry dialog did not come up: is libquenlit.so in the program's folder?");
}

void BM_EmptyDialogShown(benchmark::State& state)
{
    TShowWatch empty(QStringLiteral("Empty"));
    for (auto _ : state) {
        const qint64 start = g_clock.nsecsElapsed();
        QDialog d;
        d.setObjectName(QStringLiteral("Empty"));
        d.exec();
        state.SetIterationTime(Seconds(start, empty.ShownAt));
    }
}

void BM_WordWindowFilled(benchmark::State& state)
{
    TMainForm& form = Form();
    qint64 confirmed = -1;
    TShowWatch window(QStringLiteral("GrafForm"));
    TShowWatch entry(QStringLiteral("EditDB"));
    // The entry dialog confirms «КОТ» (one vowel: straight to the analysis),
    // then closes once the word window has come and gone.
    entry.Shown = [&](QDialog* D) {
        QTimer::singleShot(0, D, [&, D] {
            D->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("КОТ"));
            confirmed = g_clock.nsecsElapsed();
            D->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
            D->reject();
        });
    };
    for (auto _ : state) {
        window.ShownAt = -1;
        form.RunWordPhonosemantics();
        if (window.ShownAt < 0) {
            state.SkipWithError("the word window did not come up");
            break;
        }
        state.SetIterationTime(Seconds(confirmed, window.ShownAt));
    }
}

void BM_TextWindowFilled(benchmark::State& state)
{
    TMainForm& form = Form();
    TShowWatch window(QStringLiteral("GrafForm"));
    TimeToShow(state, window, [&] { form.RunTextPhonosemantics(); }, "the text window did not come up");
}

BENCHMARK(BM_EntryDialogShown)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EmptyDialogShown)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WordWindowFilled)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextWindowFilled)->UseManualTime()->Unit(benchmark::kMillisecond);

void PrintFigures(const TFigureReporter& Report)
{
    const double entry = Report.Time("BM_EntryDialogShown/manual_time");
    const double empty = Report.Time("BM_EmptyDialogShown/manual_time");
    const double word = Report.Time("BM_WordWindowFilled/manual_time");
    const double text = Report.Time("BM_TextWindowFilled/manual_time");
    std::printf("\nF5 to the entry dialog shown:        %8.3f ms; empty dialog shown %.3f ms, ratio %.1f "
                "(aim: <= 150 ms, or <= 5 x the empty dialog)\n",
                entry, empty, empty > 0 ? entry / empty : 0.0);
    std::printf("confirmed word to its filled window: %8.3f ms; text command to its window, one page %.3f ms, "
                "ratio %.2f (aim: <= 100 ms)\n",
                word, text, text > 0 ? word / text : 0.0);
}

} // namespace

int main(int argc, char** argv)
{
    UseOffscreenUnlessChosen();
    QApplication app(argc, argv);
    g_clock.start();
    RunBenchmarksWithFigures(argc, argv, PrintFigures);
    g_form.reset();
    return 0;
}
