// The word command's library run over and over through its export: loaded,
// FonoSemWrd called with the entry dialog answered by a timer (a one-vowel
// word to its word window, a two-vowel word through the stress window to its
// word window, then cancelled), unloaded. Prints the resident memory (and the
// heap in use) after the first runs and every hundredth, and the resident
// memory's growth past the tenth run.
// Usage: bench_wordmemory [RUNS] (default 1000).
#include "Loader.h"
#include "ProcStatus.h"
#include "Win1251.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <malloc.h>
#include <cstdlib>

namespace {

long ResidentKiB()
{
    return static_cast<long>(ProcStatusKiB("VmRSS:"));
}

QWidget* TopLevel(const char* Name)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String(Name) && w->isVisible())
            return w;
    return nullptr;
}

// Answers the library's windows as they come up: the entry dialog runs its
// script once, every other modal window is closed.
class TAnswers : public QObject {
public:
    int WordWindows = 0;
    TAnswers() { qApp->installEventFilter(this); }
    ~TAnswers() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        if (Event->type() != QEvent::Show)
            return false;
        auto* d = qobject_cast<QDialog*>(Watched);
        if (!d)
            return false;
        if (d->objectName() == QLatin1String("EditDB")) {
            QTimer::singleShot(0, d, [d] {
                auto* edit = d->findChild<QLineEdit*>(QStringLiteral("Edit1"));
                auto* next = d->findChild<QPushButton*>(QStringLiteral("BitBtn1"));
                edit->setText(QStringLiteral("КОТ"));
                next->click();
                edit->setText(QStringLiteral("МАМА"));
                next->click();
                if (QWidget* stress = TopLevel("Form3")) {
                    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
                    QApplication::sendEvent(stress, &enter);
                }
                d->reject();
            });
        } else {
            if (d->objectName() == QLatin1String("GrafForm"))
                ++WordWindows;
            QMetaObject::invokeMethod(d, "reject", Qt::QueuedConnection);
        }
        return false;
    }
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 1000;
    TAnswers answers;
    long tenth = 0;
    for (int run = 1; run <= runs; ++run) {
        TLibHandle lib = LoadLibraryModule(QStringLiteral("QUENLIT.DLL"));
        if (!lib) {
            std::fprintf(stderr, "libquenlit.so not found in %s\n", qPrintable(LibraryFolder()));
            return 1;
        }
        auto* fonoSemWrd = reinterpret_cast<int32_t (*)(const char*)>(ModuleSymbol(lib, "FonoSemWrd"));
        const int32_t result = fonoSemWrd("");
        FreeLibraryModule(lib);
        if (result != 1) {
            std::fprintf(stderr, "run %d: FonoSemWrd gave %d\n", run, result);
            return 1;
        }
        const long rss = ResidentKiB();
        if (run == 10)
            tenth = rss;
        if (run <= 10 || run % 100 == 0)
            std::printf("run %4d: resident %ld KiB, heap in use %zu bytes\n", run, rss, mallinfo2().uordblks);
    }
    const long last = ResidentKiB();
    std::printf("%d runs, %d word windows; resident after run 10: %ld KiB, at the end: %ld KiB, growth %+ld KiB\n",
                runs, answers.WordWindows, tenth, last, last - tenth);
    return 0;
}
