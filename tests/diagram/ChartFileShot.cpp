// Writes a chart file with its companion files (the list page's from a real
// text analysis), opens it with the diagram window's open command into the
// tab menu's page pair and into a legend page, and saves each tab, and the
// open dialog, as a PNG into the folder given as the first argument (default:
// current).
#include "ChartFileFixtures.h"
#include "FileDialogs.h"
#include "GrafTestHelpers.h"
#include "Settle.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

using namespace chartfiles;

namespace {

// The list page of a text analysis as a list page file's record.
ListPageRecord RecordOf(const TCurrentPage& Page)
{
    ListPageRecord r;
    r.Title = Page.Title;
    r.Marker = Page.Note;
    for (int i = 0; i < Page.ScaleList.Count(); ++i)
        r.Scales.emplace_back(Page.ScaleList.Strings(i), Page.ScaleList.Objects(i)->Value);
    for (int i = 0; i < Page.SoundList.Count(); ++i)
        r.Sounds.emplace_back(Page.SoundList.Objects(i)->Z, Page.SoundList.Strings(i));
    r.Lines = { Page.SoundTotalLine, Page.SyllablesLine, Page.HighShareLine, Page.CodingVerdict, Page.RhythmVerdict };
    return r;
}

// Opens Chf in a new window of Mode and saves its tabs as Name-<tab>.png.
void OpenAndShoot(int Mode, const QString& Chf, const QString& Out, const QString& Name)
{
    SetFileDialogHook([Chf](TFileDialog& D) {
        D.FileName = Chf;
        return true;
    });
    TGrafForm w;
    w.SetMode(Mode);
    w.setWindowTitle(QStringLiteral("Lemvora - Фоносемантика текста"));
    w.CreatePageClick();
    QTimer::singleShot(300, [&] {
        Settle();
        w.FileOpenSpeedButtonClick();
        for (int tab = 0; tab < w.PageControl1->count(); ++tab) {
            w.PageControl1->setCurrentIndex(tab);
            Settle();
            w.grab().save(Out + "/" + Name + "-" + QString::number(tab) + ".png");
        }
        w.ExitSpeedButtonClick();
    });
    w.exec();
    SetFileDialogHook({});
}

// The open command's own dialog, cancelled after its picture is taken.
void ShootOpenDialog(const QString& Out)
{
    TGrafForm w;
    w.CreatePageClick();
    QTimer::singleShot(300, [&] {
        QTimer::singleShot(500, [&] {
            Settle();
            if (QWidget* dialog = QApplication::activeModalWidget(); dialog && dialog != &w) {
                dialog->grab().save(Out + "/chartfile-open-dialog.png");
                dialog->close();
            }
            w.ExitSpeedButtonClick();
        });
        w.FileOpenSpeedButtonClick();
    });
    w.exec();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QTemporaryDir dir;
    auto write = [&](const QString& Base, const char* Ext, const std::string& Bytes) {
        WriteFile(QFile::encodeName(dir.filePath(Base + QLatin1String(Ext))).toStdString(), Bytes);
    };

    ShootOpenDialog(out);
    TTextAnalysisWindow r = BuildTextAnalysisWindow(SampleRussianText(), Ansi("Курочка Ряба"));
    const TCurrentPage& list = *r.Window->Pages.Objects(1);

    // A chart with its list lines.
    const QString pair = QStringLiteral("Курочка Ряба");
    write(pair, ".chf", "chart");
    ChartListRecord chart { list.Title, {}, "", list.CodingVerdict, list.RhythmVerdict, {} };
    for (int i = 0; i < list.ScaleList.Count(); ++i)
        chart.Lines.push_back(list.ScaleList.Strings(i));
    write(pair, ".CNF", Bytes(chart));
    write(pair, ".FNF", Bytes(RecordOf(list)));
    OpenAndShoot(0, dir.filePath(pair + ".chf"), out, QStringLiteral("chartfile-pair"));

    // A caption in place of the chart.
    const QString captioned = QStringLiteral("Подпись");
    write(captioned, ".chf", "chart");
    write(captioned, ".CNF", Bytes(ChartListRecord { Ansi("С подписью"), { "a" }, Ansi("Диаграмма не построена"), "", "", {} }));
    write(captioned, ".FNF", Bytes(RecordOf(list)));
    OpenAndShoot(0, dir.filePath(captioned + ".chf"), out, QStringLiteral("chartfile-caption"));

    // A legend page.
    const QString legend = QStringLiteral("Легенда");
    write(legend, ".chf", "chart");
    write(legend, ".CNA", LegendBytes({ Ansi("Легенда"), Ansi("Прекрасный"), Ansi("Светлый"), Ansi("Сильный"),
                                        Ansi("Тихий"), Ansi("Зловещий") }));
    OpenAndShoot(1, dir.filePath(legend + ".chf"), out, QStringLiteral("chartfile-legend"));
    return 0;
}
