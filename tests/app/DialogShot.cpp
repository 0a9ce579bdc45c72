// Shows every standard dialog the program opens (open, save as, print, font,
// the default error box) as the program sets them up, and saves a screenshot
// of each as PNG into the folder given as the first argument; then prints
// the document through the accepted print dialog and saves the window with
// its status bar (where no printer is installed it names the PDF file
// written). Not a test.
#include "Application.h"
#include "Errors.h"
#include "REMain.h"
#include "Settle.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QScreen>
#include <QTextEdit>
#include <QTimer>

namespace {

// Saves the screen once the next modal dialog shows, then closes it.
void ShotOfNextDialog(const QString& File)
{
    auto* look = new QTimer(qApp);
    QObject::connect(look, &QTimer::timeout, [look, File] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        look->stop();
        look->deleteLater();
        Settle();
        QGuiApplication::primaryScreen()->grabWindow(0).save(File);
        dialog->reject();
    });
    look->start(50);
}

// Accepts the next modal dialog once it shows.
void AcceptNextDialog()
{
    auto* look = new QTimer(qApp);
    QObject::connect(look, &QTimer::timeout, [look] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        look->stop();
        look->deleteLater();
        dialog->accept();
    });
    look->start(50);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    UseRussianStandardDialogs();
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    MainForm = new TMainForm;
    MainForm->show();
    QTimer::singleShot(300, [&] {
        ShotOfNextDialog(out + "/dialog-open.png");
        RunHandler([] { MainForm->FileOpen(); });
        ShotOfNextDialog(out + "/dialog-saveas.png");
        RunHandler([] { MainForm->FileSaveAs(); });
        ShotOfNextDialog(out + "/dialog-print.png");
        RunHandler([] { MainForm->FilePrint(); });
        // The font command of the edit menu, which the form keeps disabled.
        ShotOfNextDialog(out + "/dialog-font.png");
        MainForm->findChild<QAction*>(QStringLiteral("EditFontCmd"))->trigger();
        ShotOfNextDialog(out + "/dialog-error.png");
        RunHandler([] { throw Exception("Cannot open file /нет/такого.rtf"); });
        MainForm->Editor()->setPlainText(QStringLiteral("Колокол звонит."));
        AcceptNextDialog();
        RunHandler([] { MainForm->FilePrint(); });
        Settle();
        MainForm->grab().save(out + "/main-printed.png");
        app.quit();
    });
    const int code = app.exec();
    delete MainForm;
    return code;
}
