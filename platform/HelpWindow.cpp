#include "HelpWindow.h"
#include "WinPaths.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QUrl>

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
        loaded_.clear();
    }
    window_->setWindowTitle(QStringLiteral("Справка"));
    if (loaded_ == HelpFile && !loaded_.isEmpty())
        return true;
    const QString host = HostPath(HelpFile);
    QFile f(host);
    if (host.isEmpty() || !f.open(QIODevice::ReadOnly)) {
        loaded_.clear();
        window_->setHtml(QStringLiteral("<h3>Справка недоступна</h3><p>Не удается открыть файл справки "
                                        "<b>%1</b>.</p><p>Проверьте, что файл существует и доступен для чтения.</p>")
                             .arg(HelpFile.toHtmlEscaped()));
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
    window_->show();
    window_->raise();
}

THelpWindowSystem& HelpWindowSystem()
{
    static THelpWindowSystem system;
    return system;
}
