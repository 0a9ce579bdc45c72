#pragma once
// The help window: an HTML help file with topic anchors, shown in a browser
// window of its own. HELP_FINDER and HELP_CONTEXT show the contents (the top of
// the file), HELP_COMMAND with the macro JumpID("","topic") jumps to the
// topic's anchor, HELP_QUIT closes the window. A file that cannot be read is
// reported inside the window.
#include "HelpLayer.h"

#include <QPointer>
#include <QString>
#include <QTextBrowser>

class THelpWindowSystem : public IHelpSystem {
public:
    void Help(const QString& HelpFile, unsigned Command, const QString& Data, int Context) override;
    // The window while it is open (tests read what it shows).
    QTextBrowser* Window() const { return window_; }
    // The topic of a JumpID macro, empty for any other text.
    static QString JumpTopic(const QString& Macro);

private:
    bool Load(const QString& HelpFile);
    QPointer<QTextBrowser> window_;
    QString loaded_;
};

// The help system that HelpSystem() returns when no test replaced it.
THelpWindowSystem& HelpWindowSystem();
