#include "Application.h"
#include "Errors.h"

#include <QApplication>
#include <QMessageBox>

namespace {
QString g_title;
bool g_titleSet = false;
std::function<void(const QString&)> g_errorHook;
} // namespace

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
