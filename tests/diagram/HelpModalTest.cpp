// The help window takes input while a modal window is up: opened from the
// diagram window's help button, from a message box's help button over it, and
// when it was open before the modal window came up.
#include "GrafTestHelpers.h"
#include "HelpLayer.h"
#include "HelpWindow.h"
#include "MymsgDlg.h"
#include "Screen.h"

#include <QApplication>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Clicks the help window's scroll-down arrow as the window system delivers a
// click (a window blocked by a modal one drops it); the lines it moved.
int ClickScrollDown()
{
    QTextBrowser* help = HelpWindowSystem().Window();
    if (!help || !help->isVisible())
        return -1;
    QScrollBar* bar = help->verticalScrollBar();
    const int before = bar->value();
    const QPoint arrow = bar->mapTo(help, QPoint(bar->width() / 2, bar->height() - 4));
    QTest::mouseClick(help->windowHandle(), Qt::LeftButton, Qt::NoModifier, arrow);
    return bar->value() - before;
}

void Settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

} // namespace

TEST(HelpWindow, TakesInputBesideModalWindows)
{
    SetVirtualScreenSize(QSize(1024, 768));
    SetHelpSystem(nullptr);
    TGrafForm w;
    const QString file = AnsiToQString(w.HelpFilePath);
    // Open before the modal window comes up.
    ApplicationHelpCommand(HELP_QUIT);
    SetApplicationHelpFile(file);
    ApplicationHelpCommand(HELP_FINDER);
    Settle();
    ASSERT_GT(ClickScrollDown(), 0);

    int before = 0, fromButton = 0, fromMessage = 0, afterMessage = 0;
    bool messageOpen = false;
    QTimer::singleShot(0, [&] {
        Settle();
        before = ClickScrollDown();
        w.HelpSpeedButtonClick();
        Settle();
        fromButton = ClickScrollDown();
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            box->findChild<QPushButton*>(QStringLiteral("aBitBtn11"))->click();
            Settle();
            fromMessage = ClickScrollDown();
            messageOpen = box->isVisible();
            box->findChild<QPushButton*>(QStringLiteral("aBitBtn3"))->click();
        });
        MyMessageDlg(QStringLiteral("Справка?"), mdInformation, { mdbOK, mdbHelp }, 0, QString(), file);
        Settle();
        afterMessage = ClickScrollDown(); // the message box has gone; the diagram window is still up
        w.ExitSpeedButtonClick();
    });
    w.exec();
    EXPECT_GT(before, 0);
    EXPECT_GT(fromButton, 0);
    EXPECT_GT(fromMessage, 0);
    EXPECT_TRUE(messageOpen);
    EXPECT_GT(afterMessage, 0);
    ApplicationHelpCommand(HELP_QUIT);
    SetVirtualScreenSize(QSize());
}
