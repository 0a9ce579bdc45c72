#include "ChartFx.h"
#include "Errors.h"

#include <QFrame>

#include <gtest/gtest.h>

using Prop = TChartfx::TProperty;
using Kind = TChartfx::TPropKind;

TEST(ChartfxControl, KeepsEveryPropertyByIndexInTheOrderSet)
{
    TChartfx fx;
    fx.SetRGBBk(clBtnFace);
    fx.SetBarHorzGap(120);
    fx.SetType(69223170);
    fx.SetChartType(-3);
    fx.SetToolBar(true);
    fx.SetBool16Prop(44, false);
    const std::vector<Prop> expected = {
        { 35, Kind::Color, clBtnFace }, { 21, Kind::Int16, 120 }, { 5, Kind::Int32, 69223170 },
        { 42, Kind::Int16, -3 },        { 44, Kind::Bool16, -1 }, { 44, Kind::Bool16, 0 },
    };
    EXPECT_EQ(fx.PropertyLog(), expected);
    EXPECT_EQ(fx.Property(44), (Prop { 44, Kind::Bool16, 0 }));
    EXPECT_EQ(fx.Property(5)->Value, 69223170);
    EXPECT_FALSE(fx.Property(47));
}

TEST(ChartfxControl, Method77TakesTheChartFileAndNoOtherMethodExists)
{
    TChartfx fx;
    EXPECT_EQ(fx.Invoke(77, QStringLiteral("C:\\Data\\Выборы.chf")), 0);
    EXPECT_EQ(fx.ChartFile(), QStringLiteral("C:\\Data\\Выборы.chf"));
    EXPECT_THROW(fx.Invoke(76, QStringLiteral("x")), EOleError);
    EXPECT_EQ(fx.ChartFile(), QStringLiteral("C:\\Data\\Выборы.chf"));
}

TEST(ChartfxControl, ClientAlignmentFollowsTheParentAndRightAlignmentKeepsTheWidth)
{
    QFrame panel;
    panel.resize(300, 200);
    panel.show();
    auto* fx = new TChartfx(&panel);
    fx->SetAlign(alClient);
    EXPECT_EQ(fx->geometry(), panel.contentsRect());
    panel.resize(400, 250);
    EXPECT_EQ(fx->geometry(), QRect(0, 0, 400, 250));

    QFrame other;
    other.resize(200, 100);
    auto* side = new TChartfx();
    side->resize(50, 10);
    side->SetAlign(alRight);
    side->setParent(&other);
    EXPECT_EQ(side->geometry(), QRect(150, 0, 50, 100));
}

TEST(ChartfxControl, CreationFailsWhileTheControlIsNotRegistered)
{
    SetChartfxRegistered(false);
    QFrame panel;
    EXPECT_THROW(TChartfx { &panel }, EOleError);
    EXPECT_TRUE(panel.children().isEmpty());
    SetChartfxRegistered(true);
    EXPECT_NO_THROW(TChartfx { &panel });
}
