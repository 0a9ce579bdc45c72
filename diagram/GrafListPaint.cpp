// Painting the list page: the scales with their scores, the sound-letters in
// three columns and the summary lines; and the shown list page's scroll range,
// set when the page is shown or its box resized, never while painting.
#include "LemvGraf.h"

#include "ListLayout.h"
#include "PaintBox.h"

#include <cmath>

void TGrafForm::paintEvent(QPaintEvent* Event)
{
    QDialog::paintEvent(Event);
    FormPaint(this);
}

void TGrafForm::FormPaint(QObject*)
{
    try {
        if (Mode == 0 && PageKind == 1)
            PaintListPage(CurrentPage, height(), width());
    } catch (...) {
    }
}

void TGrafForm::PaintListPage(TRecFileGraf* Page, int Height, int Width)
{
    try {
        TCurrentPage* page = nullptr;
        TCanvas* c = ListPageCanvas(Page, page);
        if (!c)
            return;
        const int RowHeight = ListRowHeightFor(Height);
        const int ValueX = static_cast<int>(std::trunc(Width / 4.0));
        const int SoundGap = static_cast<int>(std::trunc(ValueX / 4.0));
        const int SummaryGap = static_cast<int>(std::trunc(ValueX / 3.0));
        const int FontSize = c->Font.Size;

        TListLayout layout;
        layout.Row = RowHeight;
        layout.NameX = 3;
        layout.ValueX = ValueX;
        layout.RuleOffset = RowHeight;
        layout.RuleBelow = FontSize;
        layout.SoundGap = SoundGap;
        layout.BottomRuleRows = 2;
        layout.SummaryGap = SummaryGap;
        layout.SummaryFirst = RowHeight;
        layout.SummaryStep = RowHeight;
        DrawPageList(*c, *page, layout);
    } catch (...) {
    }
}

int TGrafForm::ListLineStep() const
{
    return Mode == 0 && PageKind == 1 ? ListRowHeightFor(height()) : 0;
}

// What the current page's paint would draw decides how far its box scrolls.
void TGrafForm::ArrangeListPage()
{
    TCurrentPage* page = CurrentPage;
    if (!page || !page->ScrollBox || !page->PaintBox)
        return;
    TMeasuringCanvas drawn;
    page->PaintBox->Measure(drawn);
    SetListScrollRange(*page, ListLineStep(), drawn.Extent);
}
