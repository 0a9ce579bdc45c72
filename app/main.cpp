// The program block: one copy per machine, the application title, the main
// window and the hidden diagram window, then the event loop.
#include "REMain.h"

#include "Application.h"
#include "FontConfiguration.h"
#include "KeptPixmaps.h"
#include "LemvGraf.h"
#include "MymsgDlg.h"
#include "SingleInstance.h"
#include "WordBasic.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

// LEMV_AUTO_ANSWER=<result>: every modal window is answered with that result
// and its texts go to standard output, and "started" is printed once the main
// window shows; so scripts and tests drive the program without a person.
void InstallAutoAnswer(QApplication& App)
{
    const QByteArray answer = qgetenv("LEMV_AUTO_ANSWER");
    if (answer.isEmpty())
        return;
    const int result = answer.toInt();
    auto* timer = new QTimer(&App);
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [result] {
        static bool started = false;
        if (!started && MainForm && MainForm->isVisible()) {
            started = true;
            std::printf("started\n");
            std::fflush(stdout);
        }
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        QStringList texts;
        for (const QLabel* label : dialog->findChildren<QLabel*>())
            if (!label->text().isEmpty())
                texts << label->text();
        std::printf("dialog: %s\n", texts.join(QLatin1Char('|')).toUtf8().constData());
        std::fflush(stdout);
        dialog->done(result);
    });
    timer->start();
}

} // namespace

int main(int argc, char** argv)
{
    // Read while the application connects to the display; the main window's
    // first text needs it.
    TFontConfigurationReader fontConfiguration;
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Lemvora"));
    UseRussianStandardDialogs();
    InstallAutoAnswer(app);

    // Held, never closed: the marker lives exactly as long as this process.
    static TInstanceMarker marker;
    switch (marker.Create(QStringLiteral("LemvMap"))) {
    case TMarkerResult::NotCreated:
        MyShowMessage(QStringLiteral("Ошибка выделения памяти!"));
        return 0;
    case TMarkerResult::AlreadyExists:
        MyShowMessage(QStringLiteral("Программа уже загружена на Вашем ПК!"));
        return 0;
    case TMarkerResult::Created:
        break;
    }

    // The word processor the diagram window exports to is the document engine.
    RegisterDocumentEngine();
    SetApplicationTitle(QStringLiteral("\"Lemvora\" предвыборной борьбы"));
    // The menu stays in the window: asking the desktop for a menu bar of its
    // own is a call on the session bus before the window could show.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    // The bars' extension buttons read their pictures when first drawn, so no
    // image plugin loads before the window shows.
    QApplication::setStyle(new TDeferredExtensionIconsStyle);
    fontConfiguration.Wait();
    MainForm = new TMainForm;
    MainForm->show();
    // The diagram window of the program block stays hidden, so it is made once
    // the main window is on the screen; it goes with the application. GrafForm
    // later names the text command's own windows; this one is kept here.
    std::unique_ptr<TGrafForm> startupGraf;
    AfterFirstFrame(MainForm, [&startupGraf] {
        RunHandler([&startupGraf] {
            startupGraf = std::make_unique<TGrafForm>(nullptr);
            GrafForm = startupGraf.get();
        });
    });
    const int code = app.exec();
    delete MainForm;
    startupGraf.reset();
    return code;
}
