// Shows a filled text-analysis window and saves each tab and the help window
// as PNG files into the folder given as the first argument (default: current).
#include "GrafTestHelpers.h"
#include "HelpLayer.h"
#include "HelpWindow.h"
#include "Settle.h"

#include <QApplication>
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
    QTimer::singleShot(300, [&] {
        // Bars and line, each in the 3D view (the default) and flat.
        Settle();
        w.grab().save(out + "/diagram-chart.png");
        w.BuildLineChart();
        Settle();
        w.grab().save(out + "/diagram-line3d.png");
        w.Toggle3D();
        Settle();
        w.grab().save(out + "/diagram-line.png");
        w.BuildHorizBars();
        Settle();
        w.grab().save(out + "/diagram-chart2d.png");
        w.Toggle3D();
        w.BuildHorizBars();
        SelectNextPage(w.PageControl1, true);
        Settle();
        w.grab().save(out + "/diagram-list.png");
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
