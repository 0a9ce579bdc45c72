// Painting the list page: the scales with their scores, the sound-letters in
// three columns and the summary lines.
#include "LemvGraf.h"

#include "ListLayout.h"

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
        auto* page = dynamic_cast<TCurrentPage*>(Page);
        TCanvas* c = page ? ListPageCanvas(*page) : nullptr;
        if (!c)
            return;
        const int RowHeight = static_cast<int>(std::trunc(Height / 28.0));
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

        SetListScrollRange(*page);
    } catch (...) {
    }
}
