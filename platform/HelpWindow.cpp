#include "HelpWindow.h"
#include "WinPaths.h"

#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QUrl>
#include <QWindow>

namespace {

// The help engine ran beside the program, so its window took input while a
// modal window was up. Here the help window becomes a companion (transient
// child) of the topmost modal window, which leaves it unblocked. It moves on
// whenever it is blocked again: when a further modal window comes up, and when
// the window it joined goes while another modal window is still up.
void JoinModalWindow(QWidget* Help)
{
    QWindow* modal = QGuiApplication::modalWindow();
    QWindow* own = Help->windowHandle();
    if (!modal || !own || modal == own || own->transientParent() == modal)
        return;
    own->setTransientParent(modal);
    QObject::connect(modal, &QObject::destroyed, Help, [Help] { JoinModalWindow(Help); });
}

class TModalCompanion : public QObject {
public:
    explicit TModalCompanion(QWidget* Help) : QObject(Help), help_(Help) {}

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        if (Watched == help_ && Event->type() == QEvent::WindowBlocked)
            JoinModalWindow(help_);
        return false;
    }

private:
    QWidget* help_;
};

} // namespace

QString THelpWindowSystem::JumpTopic(const QString& Macro)
{
    static const QRegularExpression re(QString::fromLatin1(R"re(^\s*JumpID\s*\(\s*"[^"]*"\s*,\s*"([^"]*)"\s*\)\s*$)re"),
                                       QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = re.match(Macro);
    return m.hasMatch() ? m.captured(1) : QString();
}

bool THelpWindowSystem::Load(const QString& HelpFile)
{
    if (!window_) {
        window_ = new QTextBrowser();
        window_->setAttribute(Qt::WA_DeleteOnClose);
        window_->setOpenExternalLinks(false);
        window_->resize(640, 560);
        window_->installEventFilter(new TModalCompanion(window_));
        loaded_.clear();
    }
    window_->setWindowTitle(QStringLiteral("Справка"));
    if (loaded_ == HelpFile && !loaded_.isEmpty())
        return true;
    const QString host = HostPath(HelpFile);
    QFile f(host);
    if (host.isEmpty() || !f.open(QIODevice::ReadOnly)) {
        loaded_.clear();
        // The user knows the file by its name on this machine.
        const QString shown = host.isEmpty() ? HelpFile : QFileInfo(host).absoluteFilePath();
        window_->setHtml(QStringLiteral("<h3>Справка недоступна</h3><p>Не удается открыть файл справки "
                                        "<b>%1</b>.</p><p>Проверьте, что файл существует и доступен для чтения.</p>")
                             .arg(shown.toHtmlEscaped()));
        return false;
    }
    window_->setSearchPaths({ QFileInfo(host).absolutePath() });
    window_->setHtml(QString::fromUtf8(f.readAll()));
    loaded_ = HelpFile;
    return true;
}

void THelpWindowSystem::Help(const QString& HelpFile, unsigned Command, const QString& Data, int)
{
    if (Command == HELP_QUIT) {
        if (window_)
            window_->close();
        return;
    }
    if (Command != HELP_FINDER && Command != HELP_CONTEXT && Command != HELP_COMMAND)
        return;
    const bool ok = Load(HelpFile);
    if (ok) {
        const QString topic = Command == HELP_COMMAND ? JumpTopic(Data) : QString();
        if (topic.isEmpty()) {
            window_->moveCursor(QTextCursor::Start);
            window_->ensureCursorVisible();
        } else
            window_->scrollToAnchor(topic);
    }
    window_->winId(); // the native window, so that it can join a modal one before it shows
    JoinModalWindow(window_);
    window_->show();
    window_->raise();
}

THelpWindowSystem& HelpWindowSystem()
{
    static THelpWindowSystem system;
    return system;
}
