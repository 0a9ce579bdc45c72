#include "LemvGraf.h"
#include "PaintBox.h"
#include "NumFormat.h"
#include "Win1251.h"

#include <QScrollArea>

#include <gtest/gtest.h>

namespace {

constexpr int kChar = 6; // every character 6 pixels wide on the recording canvas

// A list page of Scales values and Sounds deviations, painted onto a recording canvas.
class ListPaint : public ::testing::Test {
protected:
    void SetUp() override
    {
        w_.SetMode(0);
        page_ = w_.AddListPage("# T");
        w_.CurrentPage = page_;
        w_.Pages.AddObject("# T", page_);
        w_.SetPageKind(1);
        canvas_.CharWidth = kChar;
        page_->PaintBox->TestCanvas = &canvas_;
    }
    void Fill(int Scales, int Sounds, double FirstValue = 9.0)
    {
        for (int i = 0; i < Scales; ++i)
            page_->ScaleList.AddObject("s", new ScaleItem { "Scale" + std::to_string(i), i == 0 ? FirstValue : 8.99 });
        for (int i = 0; i < Sounds; ++i) {
            auto* item = new SoundItem();
            item->Z = i == 0 ? 1.0 : i == 1 ? -1.0 : 0.99;
            // Lines of growing length show that columns follow the pen.
            page_->SoundList.AddObject(std::string(static_cast<size_t>(3 + i % 4), 'x'), item);
        }
        page_->SoundTotalLine = "total";
        page_->SyllablesLine = "syll";
        page_->HighShareLine = "share";
    }
    std::vector<TRecordingCanvas::Item> Texts() const { return canvas_.Texts(); }

    TGrafForm w_;
    TCurrentPage* page_ = nullptr;
    TRecordingCanvas canvas_;
};

} // namespace

TEST_F(ListPaint, LayoutFollowsTheAreaAndThePen)
{
    Fill(20, 45);
    // Height 560: RowHeight 20; width 703: ValueX 175, SoundGap 43, SummaryGap 58.
    w_.PaintListPage(page_, 560, 703);
    const auto t = Texts();
    ASSERT_EQ(t.size(), 20u * 2 + 45 + 3);
    EXPECT_EQ(t[0].From, QPoint(3, 0));
    EXPECT_EQ(t[1].From, QPoint(175, 0));
    EXPECT_EQ(t[1].Text, AnsiToQString(FormatFixed(9.0, 5, 2)));
    EXPECT_EQ(t[39].From, QPoint(175, 19 * 20));
    const int X0 = 175 + 4 * kChar; // after "9.00"

    const auto lines = canvas_.Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].From, QPoint(X0 + 20, 0));
    EXPECT_EQ(lines[0].To, QPoint(X0 + 20, 19 * 20 + 8));

    // Three columns of 15; each starts where the previous column's 15th line ended.
    int column = X0;
    for (int i = 0; i < 45; ++i) {
        const auto& s = t[40 + i];
        EXPECT_EQ(s.From, QPoint(column + 43, (i % 15) * 20)) << i;
        if (i == 14 || i == 29)
            column = s.To.x();
    }
    const auto& last = t[84];
    EXPECT_EQ(lines[1].From, QPoint(last.To.x(), 14 * 20 + 40)); // row 16
    EXPECT_EQ(lines[1].To, QPoint(X0 + 43, 16 * 20));
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(t[85 + k].From, QPoint(X0 + 58, (17 + k) * 20));
        EXPECT_EQ(t[85 + k].Color, clMaroon);
        EXPECT_TRUE(t[85 + k].Font.Bold);
        EXPECT_EQ(t[85 + k].Font.Name, QStringLiteral("Times New Roman"));
    }
    EXPECT_EQ(t[85].Text, QStringLiteral("total"));
    EXPECT_EQ(page_->PaintBox->minimumHeight(), 0) << "painting leaves the box's size alone";
}

TEST_F(ListPaint, ColourThresholdsIncludeTheirBounds)
{
    Fill(2, 3);
    w_.PaintListPage(page_, 560, 703);
    const auto t = Texts();
    EXPECT_EQ(t[0].Color, clRed);   // 9.0 name
    EXPECT_EQ(t[1].Color, clRed);   // and value
    EXPECT_EQ(t[2].Color, clBlack); // 8.99
    EXPECT_EQ(t[4].Color, clBlue);  // Z 1.0
    EXPECT_EQ(t[5].Color, clBlue);  // Z -1.0
    EXPECT_EQ(t[6].Color, clBlack); // Z 0.99
}

TEST_F(ListPaint, ShortAndEmptySoundLists)
{
    Fill(1, 4);
    w_.PaintListPage(page_, 560, 703);
    const int X0 = 175 + 4 * kChar;
    auto t = Texts();
    // One column; the rule two rows below the last line.
    EXPECT_EQ(t[5].From, QPoint(X0 + 43, 3 * 20));
    EXPECT_EQ(canvas_.Lines()[1].From, QPoint(t[5].To.x(), 5 * 20));

    canvas_.Items.clear();
    page_->FreeSoundItems();
    page_->SoundList.Clear();
    w_.PaintListPage(page_, 560, 703);
    const auto lines = canvas_.Lines();
    ASSERT_EQ(lines.size(), 2u);
    // From the lower end of the vertical rule, two rows further down.
    EXPECT_EQ(lines[1].From, QPoint(lines[0].To.x(), lines[0].To.y() + 40));
    EXPECT_EQ(lines[1].To, QPoint(X0 + 43, lines[0].To.y() + 40));
}

TEST_F(ListPaint, MoreThanFortyFiveLinesStayInTheThirdColumn)
{
    Fill(1, 50);
    w_.PaintListPage(page_, 560, 703);
    const auto t = Texts();
    EXPECT_EQ(t[2 + 45].From.x(), t[2 + 30].From.x());
    EXPECT_EQ(t[2 + 49].From.y(), 19 * 20);
}

TEST_F(ListPaint, FormPaintOnlyForTheListPageOfATextWindow)
{
    Fill(20, 45);
    const struct {
        int mode, kind;
        bool paints;
    } cases[] = { { 0, 1, true }, { 0, 0, false }, { 3, 1, false }, { 1, 1, false }, { 0, 2, false } };
    for (const auto& c : cases) {
        canvas_.Items.clear();
        w_.SetMode(c.mode);
        w_.SetPageKind(c.kind);
        w_.FormPaint(&w_);
        EXPECT_EQ(!canvas_.Items.empty(), c.paints) << c.mode << "/" << c.kind;
    }
    // The measures come from the window's client area.
    w_.SetMode(0);
    w_.SetPageKind(1);
    canvas_.Items.clear();
    w_.FormPaint(&w_);
    EXPECT_EQ(Texts()[1].From.x(), w_.width() / 4);
    EXPECT_EQ(Texts()[2].From.y(), w_.height() / 28);

    canvas_.Items.clear();
    TRecFileGraf notAPage;
    w_.PaintListPage(&notAPage, 560, 703);
    EXPECT_TRUE(canvas_.Items.empty());
}
