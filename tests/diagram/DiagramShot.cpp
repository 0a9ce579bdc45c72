// Shows a filled text-analysis window and saves each tab and the help window
// as PNG files into the folder given as the first argument (default: current),
// as the screen shows them.
#include "GrafTestHelpers.h"
#include "HelpLayer.h"
#include "HelpWindow.h"
#include "Settle.h"

#include <QApplication>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    TTextAnalysisWindow r = BuildTextAnalysisWindow(SampleRussianText(), Ansi("Курочка Ряба.rtf"));
    TGrafForm& w = *r.Window;
    const auto shot = [&w, &out](const char* Name) {
        w.screen()->grabWindow(w.winId()).save(out + QLatin1Char('/') + QLatin1String(Name));
    };
    QTimer::singleShot(300, [&] {
        // Bars and line, each in the 3D view (the default) and flat.
        Settle();
        shot("diagram-chart.png");
        w.BuildLineChart();
        Settle();
        shot("diagram-line3d.png");
        w.Toggle3D();
        Settle();
        shot("diagram-line.png");
        w.BuildHorizBars();
        Settle();
        shot("diagram-chart2d.png");
        w.Toggle3D();
        w.BuildHorizBars();
        Settle();
        shot("diagram-chart-again.png"); // as diagram-chart.png
        SelectNextPage(w.PageControl1, true);
        Settle();
        shot("diagram-list.png");
        if (TCurrentPage* list = w.CurrentPage; list && list->ScrollBox) {
            const QScrollBar* bar = list->ScrollBox->verticalScrollBar();
            qInfo("list page: scroll %d of %d, page step %d", bar->value(), bar->maximum(), bar->pageStep());
        }
        w.HelpSpeedButtonClick();
        Settle();
        if (auto* h = HelpWindowSystem().Window())
            h->grab().save(out + "/diagram-help.png");
        w.ExitSpeedButtonClick();
    });
    w.exec();
    return 0;
}
