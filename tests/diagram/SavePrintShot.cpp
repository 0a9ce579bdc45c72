// Saves and prints a filled text-analysis window the way a user does: the save
// button with the save dialog answered by typing a name, then the print
// button. Writes into the folder given as the first argument (default:
// current) the screenshots of the window and of the dialog, and the saved
// files x.bmp and x.DOC; the printout goes where the printer sends it, and
// the message naming a PDF file it went into is saved as print-message.png.
#include "GrafTestHelpers.h"
#include "Settle.h"
#include "WordBasic.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QTranslator>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTranslator qt;
    if (qt.load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qt);
    RegisterDocumentEngine();
    const QString out = QDir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".")).absolutePath();
    // Files of an earlier run would bring the question whether to replace them.
    QFile::remove(out + "/x.bmp");
    QFile::remove(out + "/x.DOC");
    TTextAnalysisWindow r = BuildTextAnalysisWindow(SampleRussianText(), Ansi("Курочка Ряба"));
    TGrafForm& w = *r.Window;

    // The save dialog: a screenshot, then the name typed and accepted.
    QTimer dialogs;
    dialogs.setInterval(200);
    QObject::connect(&dialogs, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (ShotAndAnswerMessage(modal, out + "/print-message.png"))
            return;
        auto* d = qobject_cast<QFileDialog*>(modal);
        if (!d)
            return;
        Settle();
        d->grab().save(out + "/save-dialog.png");
        d->findChild<QLineEdit*>()->setText(out + "/x.bmp");
        d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Save)->click();
    });
    dialogs.start();
    QTimer::singleShot(300, [&] {
        Settle();
        w.grab().save(out + "/window.png");
        w.FileSaveSpeedButton->click();
        QImage(out + "/x.bmp").save(out + "/x-bmp.png");
        w.PrintSpeedButton->click();
        w.ExitSpeedButtonClick();
    });
    w.exec();
    return 0;
}
