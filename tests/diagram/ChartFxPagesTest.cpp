#include "ChartFx.h"
#include "LemvGraf.h"
#include "Screen.h"
#include "Shape.h"
#include "Win1251.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace {

using Prop = TChartfx::TProperty;
using Kind = TChartfx::TPropKind;

class ChartFxPages : public ::testing::Test {
protected:
    void SetUp() override { SetVirtualScreenSize(QSize(1024, 768)); }
    void TearDown() override
    {
        SetVirtualScreenSize(QSize());
        SetChartfxRegistered(true);
    }
};

// The page's controls take their places once the window is laid out.
void ShowPage(TGrafForm& W, TCurrentPage* Page)
{
    W.show();
    W.PageControl1->setCurrentWidget(Page->TabSheet);
    QApplication::processEvents();
}

void ExpectSideBySide(TCurrentPage* P)
{
    const QWidget* tab = P->TabSheet;
    EXPECT_EQ(P->RightPanel->parentWidget(), tab);
    EXPECT_EQ(P->ClientPanel->parentWidget(), tab);
    EXPECT_EQ(P->RightPanel->width(), 185);
    EXPECT_EQ(P->RightPanel->geometry().right(), tab->width() - 1);
    EXPECT_EQ(P->ClientPanel->x(), 0);
    EXPECT_EQ(P->ClientPanel->geometry().right() + 1, P->RightPanel->x());
    EXPECT_EQ(P->ChartFx->parentWidget(), P->ClientPanel);
    EXPECT_EQ(P->ChartFx->geometry(), P->ClientPanel->contentsRect());
    EXPECT_TRUE(P->ChartFx->isVisible());
}

} // namespace

TEST_F(ChartFxPages, ListPageHoldsTheControlBesideADisabledListBox)
{
    TGrafForm w;
    TCurrentPage* p = w.AddChartFxListPage(Ansi("Выборы"));
    ASSERT_NE(p, nullptr);
    w.Pages.AddObject("x", p);
    EXPECT_EQ(w.CurrentPage, p);
    EXPECT_EQ(w.PageControl1->tabText(0), QStringLiteral("Выборы"));
    const std::vector<Prop> table = {
        { 35, Kind::Color, clBtnFace }, { 36, Kind::Color, clBtnFace }, { 37, Kind::Color, clBtnFace },
        { 21, Kind::Int16, 120 },       { 5, Kind::Int32, 69223170 },   { 47, Kind::Int32, 202720 },
        { 44, Kind::Bool16, -1 },
    };
    EXPECT_EQ(p->ChartFx->PropertyLog(), table);
    EXPECT_EQ(p->ChartFx->Align(), alClient);
    EXPECT_EQ(p->ChartFx->focusPolicy(), Qt::StrongFocus);
    EXPECT_EQ(p->ListBox->parentWidget(), p->RightPanel);
    EXPECT_FALSE(p->ListBox->isEnabled());
    EXPECT_EQ(p->CaptionLabel->parentWidget(), p->ClientPanel);
    EXPECT_EQ(p->CaptionLabel->pos(), QPoint(w.frameGeometry().width() / 6, w.frameGeometry().height() / 4));
    EXPECT_TRUE(p->CaptionLabel->text().isEmpty());
    // A label draws on its panel, beneath the chart control.
    const QObjectList stack = p->ClientPanel->children();
    EXPECT_LT(stack.indexOf(p->CaptionLabel), stack.indexOf(p->ChartFx));
    EXPECT_EQ(p->Chart, nullptr);
    EXPECT_EQ(p->PaintBox, nullptr);
    EXPECT_EQ(p->LegendShapes[0], nullptr);
    EXPECT_EQ(p->LegendLabels[0], nullptr);
    ShowPage(w, p);
    ExpectSideBySide(p);
    EXPECT_TRUE(p->ListBox->isVisible());
}

TEST_F(ChartFxPages, LegendPageHasFixedCirclesAndEmptyLabels)
{
    SetVirtualScreenSize(QSize(1600, 1200)); // the legend does not follow the window
    TGrafForm w;
    TCurrentPage* p = w.AddLegendPage("L");
    ASSERT_NE(p, nullptr);
    w.Pages.AddObject("L", p);
    const std::vector<Prop> table = {
        { 35, Kind::Color, clBtnFace }, { 36, Kind::Color, clBtnFace }, { 37, Kind::Color, clBtnFace },
        { 5, Kind::Int32, 2113795 },    { 47, Kind::Int32, 202720 },    { 42, Kind::Int16, 3 },
        { 44, Kind::Bool16, -1 },
    };
    EXPECT_EQ(p->ChartFx->PropertyLog(), table);
    const TColor colours[5] = { 0x0000FF, 0x00FFFF, 0x008000, 0xFFFF00, 0xFF0000 };
    for (int i = 0; i < 5; ++i) {
        const TShape* c = p->LegendShapes[i];
        EXPECT_EQ(c->parentWidget(), p->RightPanel) << i;
        EXPECT_EQ(c->geometry(), QRect(20, 20 + 20 * i, 10, 10)) << i;
        EXPECT_EQ(c->Shape, stCircle) << i;
        EXPECT_EQ(c->BrushColor, colours[i]) << i;
        EXPECT_EQ(p->LegendLabels[i]->pos(), QPoint(40, 20 + 20 * i)) << i;
        EXPECT_TRUE(p->LegendLabels[i]->text().isEmpty()) << i;
    }
    EXPECT_EQ(p->CaptionLabel, nullptr);
    EXPECT_EQ(p->ListBox, nullptr);
    ShowPage(w, p);
    ExpectSideBySide(p);
}

TEST_F(ChartFxPages, WithoutTheControlTheBuildersFailKeepingTheHalfBuiltPage)
{
    SetChartfxRegistered(false);
    TGrafForm w;
    EXPECT_EQ(w.AddChartFxListPage("A"), nullptr);
    ASSERT_NE(w.CurrentPage, nullptr); // the half-built page
    EXPECT_NE(w.CurrentPage->RightPanel, nullptr);
    EXPECT_EQ(w.CurrentPage->ChartFx, nullptr);
    EXPECT_EQ(w.PageControl1->count(), 1); // its tab stays with the window
    delete w.CurrentPage;
    w.CurrentPage = nullptr;
    EXPECT_EQ(w.AddLegendPage("L"), nullptr);
    ASSERT_NE(w.CurrentPage, nullptr);
    EXPECT_NE(w.CurrentPage->LegendShapes[4], nullptr);
    delete w.CurrentPage;
    w.CurrentPage = nullptr;
}

TEST_F(ChartFxPages, TabMenuAddsAPairOrALegendPageWithTheControlHidden)
{
    TGrafForm text;
    text.SetMode(0);
    text.CreatePageClick();
    ASSERT_EQ(text.Pages.Count(), 2);
    EXPECT_EQ(text.Pages.Strings(0), "...");
    EXPECT_EQ(text.Pages.Strings(1), "# ...");
    EXPECT_TRUE(text.Pages.Objects(0)->ChartFx->isHidden());
    EXPECT_NE(text.Pages.Objects(1)->PaintBox, nullptr);
    EXPECT_EQ(text.PageControl1->tabText(1), QStringLiteral("# ..."));

    TGrafForm legend;
    legend.SetMode(1);
    legend.CreatePageClick();
    ASSERT_EQ(legend.Pages.Count(), 1);
    EXPECT_NE(legend.Pages.Objects(0)->LegendShapes[4], nullptr);
    EXPECT_TRUE(legend.Pages.Objects(0)->ChartFx->isHidden());
}
