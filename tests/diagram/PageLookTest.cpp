// How the pages look: the chart tool buttons in the panel's font, a list page
// that paints nothing showing the button face, and texts at the top of a box
// keeping their accents.
#include "Canvas.h"
#include "GrafStyle.h"
#include "LemvGraf.h"
#include "PaintBox.h"
#include "Screen.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollArea>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class PageLook : public ::testing::Test {
protected:
    void SetUp() override { SetVirtualScreenSize(QSize(1024, 768)); }
    void TearDown() override { SetVirtualScreenSize(QSize()); }
};

} // namespace

TEST_F(PageLook, ChartToolButtonsDrawInThePanelsFont)
{
    TGrafForm w;
    w.SetMode(0);
    TCurrentPage* page = w.AddChartPage("T");
    ASSERT_NE(page, nullptr);
    w.Pages.AddObject("T", page); // the window frees its pages
    w.show();
    QApplication::processEvents();
    const QFont panel = page->ClientPanel->font();
    EXPECT_EQ(panel.family(), QStringLiteral("Times New Roman"));
    EXPECT_TRUE(panel.bold());
    const auto buttons = page->ToolBar->findChildren<QToolButton*>();
    int captioned = 0;
    for (const QToolButton* b : buttons) {
        if (b->text().isEmpty())
            continue;
        ++captioned;
        EXPECT_EQ(QFontInfo(b->font()).family().toStdString(), QFontInfo(panel).family().toStdString()) << b->text().toStdString();
        EXPECT_TRUE(QFontInfo(b->font()).bold()) << b->text().toStdString();
        EXPECT_EQ(QFontInfo(b->font()).pixelSize(), QFontInfo(panel).pixelSize()) << b->text().toStdString();
    }
    EXPECT_EQ(captioned, 3);
}

TEST_F(PageLook, ListPageThatPaintsNothingShowsTheButtonFace)
{
    // Outside a text window the list page paints nothing; what shows is the
    // paint box's ground, not whatever lay in the window system's buffer.
    for (int mode : { 1, 3 }) {
        TGrafForm w;
        w.SetMode(mode);
        TCurrentPage* page = w.AddListPage("# T");
        ASSERT_NE(page, nullptr);
        w.CurrentPage = page;
        w.Pages.AddObject("# T", page);
        w.SetPageKind(1);
        w.show();
        QApplication::processEvents();
        const QImage image = page->PaintBox->grab().toImage();
        ASSERT_FALSE(image.isNull());
        const QColor face = ToQColor(clBtnFace);
        int other = 0;
        for (int y = 0; y < image.height(); y += 7)
            for (int x = 0; x < image.width(); x += 7)
                other += image.pixelColor(x, y) != face;
        EXPECT_EQ(other, 0) << "mode " << mode;
    }
}

TEST(CanvasText, TextAtTheTopOfABoxKeepsItsAccents)
{
    // A text drawn with its top-left at the top of a box stays inside the box,
    // the breve of "Й" and the marks above other capitals included.
    const QString tall = QStringLiteral("ЙЁЇЎЌЃ");
    for (const char* face : { "Times New Roman", "Arial", "Courier New", "DejaVu Serif", "DejaVu Sans" })
        for (bool bold : { false, true })
            for (int size = 6; size <= 16; ++size) {
                QImage image(240, 80, QImage::Format_RGB32);
                image.fill(Qt::white);
                {
                    QPainter painter(&image);
                    painter.translate(0, 20); // the box's top lies at y = 20
                    TPainterCanvas canvas(painter);
                    canvas.Font.Name = QString::fromLatin1(face);
                    canvas.Font.Bold = bold;
                    canvas.Font.Size = size;
                    canvas.TextOut(2, 0, tall);
                }
                int above = 0;
                for (int y = 0; y < 20; ++y)
                    for (int x = 0; x < image.width(); ++x)
                        above += qGray(image.pixel(x, y)) < 250;
                EXPECT_EQ(above, 0) << face << (bold ? " bold " : " ") << size;
            }
}
