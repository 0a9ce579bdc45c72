// Runs the real library's word road on «МАМА» and saves the entry dialog, the
// stress window (with the screen around it), both tabs of the word window and
// its line chart (3D and flat) as PNG files into the folder given as the first
// argument (default: current); then saves the chart page there as word.bmp
// (with word.DOC) and prints it, as a user does with the window's buttons
// (a message naming the PDF file the sheet went into is saved as
// word-print-message.png).
#include "Loader.h"
#include "Settle.h"
#include "Win1251.h"

#include <QApplication>
#include <QDir>
#include <QDialog>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

namespace {

QWidget* TopLevel(const char* Name)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String(Name) && w->isVisible())
            return w;
    return nullptr;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    TLibHandle lib = LoadLibraryModule(QStringLiteral("QUENLIT.DLL"));
    if (!lib) {
        qWarning("libquenlit.so not found in %s", qPrintable(LibraryFolder()));
        return 1;
    }
    QDir().mkpath(out);
    auto* fonoSemWrd = reinterpret_cast<int32_t (*)(const char*)>(ModuleSymbol(lib, "FonoSemWrd"));
    const auto screen = [] { return QGuiApplication::primaryScreen()->grabWindow(0); };

    // The word window: both tabs, then closed.
    QTimer words;
    words.setInterval(50);
    QObject::connect(&words, &QTimer::timeout, [&] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || w->objectName() != QLatin1String("GrafForm"))
            return;
        words.stop();
        Settle();
        w->grab().save(out + "/word-chart.png");
        // The line through all significant scales, in 3D and flat; then the bars again.
        const auto press = [w](const QString& Name) {
            if (auto* b = w->findChild<QToolButton*>(Name))
                b->click();
            Settle();
        };
        press(QStringLiteral("ImageButton0"));
        w->grab().save(out + "/word-line3d.png");
        press(QStringLiteral("ImageButton3"));
        w->grab().save(out + "/word-line.png");
        press(QStringLiteral("ImageButton3"));
        press(QStringLiteral("ImageButton1"));
        if (auto* tabs = w->findChild<QTabWidget*>(QStringLiteral("PageControl1")))
            tabs->setCurrentIndex(1);
        Settle();
        w->grab().save(out + "/word-list.png");
        if (auto* tabs = w->findChild<QTabWidget*>(QStringLiteral("PageControl1")))
            tabs->setCurrentIndex(0);
        Settle();
        w->findChild<QToolButton*>(QStringLiteral("FileSaveSpeedButton"))->click();
        w->findChild<QToolButton*>(QStringLiteral("PrintSpeedButton"))->click();
        static_cast<QDialog*>(w)->reject();
    });
    // The save dialog: the name typed and accepted.
    QTimer files;
    files.setInterval(100);
    QObject::connect(&files, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (ShotAndAnswerMessage(modal, out + "/word-print-message.png"))
            return;
        auto* d = qobject_cast<QFileDialog*>(modal);
        if (!d)
            return;
        d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(out + "/word.bmp");
        QMetaObject::invokeMethod(d, "accept");
    });
    files.start();

    QTimer::singleShot(300, [&] {
        QWidget* entry = QApplication::activeModalWidget();
        Settle();
        entry->grab().save(out + "/word-entry.png");
        entry->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
        Settle();
        if (QWidget* stress = TopLevel("Form3")) {
            stress->grab().save(out + "/word-stress.png");
            screen().save(out + "/word-stress-screen.png");
            QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
            QApplication::sendEvent(stress, &right);
            Settle();
            stress->grab().save(out + "/word-stress-moved.png");
            words.start();
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(stress, &enter);
        }
        Settle();
        entry->findChild<QPushButton*>(QStringLiteral("BitBtn2"))->click();
    });
    const int result = fonoSemWrd(Ansi("мама").c_str());
    FreeLibraryModule(lib);
    return result == 1 ? 0 : 2;
}
