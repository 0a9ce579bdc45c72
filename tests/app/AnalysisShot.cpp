// Runs the text command on the sample document as the user would and saves
// screenshots (PNG) into the folder given as the first argument: the main
// window, the wait message, each tab of the diagram window, and the editor
// after the golden section has marked its vowel. Not a test.
#include "LemvGraf.h"
#include "REMain.h"
#include "Settle.h"
#include "Siblings.h"

#include <QApplication>
#include <QDialog>
#include <QScreen>
#include <QTabWidget>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

namespace {

void Shot(const QString& File)
{
    Settle();
    QGuiApplication::primaryScreen()->grabWindow(0).save(File);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    const QString doc = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("samples/Образец.rtf");
    MainForm = new TMainForm;
    MainForm->show();
    MainForm->OpenDocument(doc);

    QTimer::singleShot(500, [&] {
        Shot(out + "/main.png");
        // The wait message the command shows while it analyses.
        WithSibling(QStringLiteral("Tavrin.Dll"), [&](TSibling& Library) {
            Library.Proc<void()>("CreateMyMessage")();
            Library.Proc<void()>("ShowMyMessage")();
            Shot(out + "/wait.png");
            Library.Proc<void()>("DestroyMyMessage")();
        });
        auto* look = new QTimer(&app);
        int tab = 0;
        QObject::connect(look, &QTimer::timeout, [&, look] {
            auto* w = qobject_cast<TGrafForm*>(QApplication::activeModalWidget());
            if (!w)
                return;
            Shot(out + QStringLiteral("/diagram-tab%1.png").arg(tab));
            if (++tab < w->PageControl1->count()) {
                w->PageControl1->setCurrentIndex(tab);
                return;
            }
            look->stop();
            w->done(0);
        });
        look->start(100);
        MainForm->RunTextPhonosemantics();
        MainForm->RunGoldenSection();
        Shot(out + "/golden.png");
        // The caret moved off the vowel, as a click in the text does, shows its red.
        MainForm->Editor()->moveCursor(QTextCursor::Start);
        Shot(out + "/golden-red.png");
        // The colours changed the document; the driver does not save them.
        MainForm->Editor()->document()->setModified(false);
        app.quit();
    });
    const int code = app.exec();
    delete MainForm;
    return code;
}
