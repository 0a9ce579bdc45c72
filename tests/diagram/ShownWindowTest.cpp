// The text analysis window as the screen shows it: quiet once drawn, on
// either tab, and its chart rebuilt from bars to a line and back without a
// trace of the builds between.
#include "GrafTestHelpers.h"
#include "Screen.h"
#include "ShownWindow.h"

#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class ShownTextWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetVirtualScreenSize(QSize(1024, 768));
        r_ = BuildTextAnalysisWindow(SampleRussianText(), "T");
        ASSERT_TRUE(r_.Note.empty());
        r_.Window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(r_.Window.get()));
    }
    void TearDown() override
    {
        r_.Window.reset();
        SetVirtualScreenSize(QSize());
    }
    TTextAnalysisWindow r_;
};

} // namespace

TEST_F(ShownTextWindow, RestsOnEitherTab)
{
    ExpectEveryTabAtRest(r_.Window.get(), r_.Window->PageControl1);
}

TEST_F(ShownTextWindow, BarsLineBarsLeaveNothingBehind)
{
    TCurrentPage* page = r_.Window->Pages.Objects(0);
    const auto press = [page](const char* Caption) {
        for (QToolButton* b : page->ToolBar->findChildren<QToolButton*>())
            if (b->text() == QString::fromUtf8(Caption))
                b->click();
    };
    ExpectRebuildsLeaveNothingBehind(page->Chart, [&] { press("График"); }, [&] { press("Диаграмма"); });
}
