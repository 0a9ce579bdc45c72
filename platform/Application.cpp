#include "Application.h"
#include "Errors.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTimer>
#include <QTranslator>
#include <QWidget>
#include <QWindow>

#include <utility>

namespace {
QString g_title;
bool g_titleSet = false;
std::function<void(const QString&)> g_errorHook;
} // namespace

namespace {

// The texts of the file dialogs' list that Qt's Russian translations lack.
class TDialogTextsSupplement : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* Context, const char* Source, const char*, int) const override
    {
        static const struct {
            const char* context;
            const char* source;
            const char* russian;
        } kTexts[] = {
            { "QAbstractFileIconProvider", "Folder", "Папка" },
            { "QAbstractFileIconProvider", "Drive", "Диск" },
            { "QAbstractFileIconProvider", "Shortcut", "Ярлык" },
            { "QAbstractFileIconProvider", "Unknown", "Неизвестный" },
        };
        for (const auto& t : kTexts)
            if (qstrcmp(Context, t.context) == 0 && qstrcmp(Source, t.source) == 0)
                return QString::fromUtf8(t.russian);
        return {};
    }
};

// Waits for the first exposure of a window, then posts the work: the window
// paints the exposed frame before the posted work runs.
class TFirstFrameWatch : public QObject {
public:
    TFirstFrameWatch(QWindow* Window, std::function<void()> Work) : QObject(Window), work_(std::move(Work))
    {
        Window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        if (Event->type() == QEvent::Expose && static_cast<QWindow*>(Watched)->isExposed()) {
            Watched->removeEventFilter(this);
            QTimer::singleShot(0, Watched, std::move(work_));
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> work_;
};

} // namespace

void AfterFirstFrame(QWidget* Window, std::function<void()> Work)
{
    // A window closed meanwhile needs none of it.
    auto work = [Window, Work = std::move(Work)] {
        if (Window->isVisible())
            Work();
    };
    QWindow* handle = Window->windowHandle();
    if (!handle || handle->isExposed())
        QTimer::singleShot(0, Window, std::move(work));
    else
        new TFirstFrameWatch(handle, std::move(work));
}

void UseRussianStandardDialogs()
{
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    // The file types the dialogs show (the desktop's descriptions) follow the
    // default locale; numbers on the pages keep the user's locale (QLocale::system()).
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    QLocale::setDefault(russian);
    QObject* app = QCoreApplication::instance();
    auto* qt = new QTranslator(app);
    if (qt->load(russian, QStringLiteral("qtbase"), QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    QCoreApplication::installTranslator(new TDialogTextsSupplement(app));
}

QString ProgramDir()
{
    return QCoreApplication::applicationDirPath();
}

QString ApplicationTitle()
{
    if (g_titleSet)
        return g_title;
    const QString display = QGuiApplication::applicationDisplayName();
    return display.isEmpty() ? QCoreApplication::applicationName() : display;
}

void SetApplicationTitle(const QString& Title)
{
    g_title = Title;
    g_titleSet = true;
}

void ShowDefaultError(const std::exception& E)
{
    const QString text = QString::fromUtf8(E.what());
    if (g_errorHook) {
        g_errorHook(text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, ApplicationTitle(), text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

void RunHandler(const std::function<void()>& Handler)
{
    try {
        Handler();
    } catch (const EAbort&) {
    } catch (const std::exception& e) {
        ShowDefaultError(e);
    }
}

void SetDefaultErrorHook(std::function<void(const QString&)> Hook)
{
    g_errorHook = std::move(Hook);
}

TBusyCursor::TBusyCursor()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

TBusyCursor::~TBusyCursor()
{
    QApplication::restoreOverrideCursor();
}
