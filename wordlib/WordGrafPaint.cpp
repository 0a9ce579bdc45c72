// Painting the word window: the word's scale list in mode 3, and in mode 0 the
// list with fixed distances and the bars of the values of 9 and more.
#include "WordGraf.h"

#include "ListLayout.h"
#include "MeanWrd.h"
#include "NumFormat.h"
#include "Win1251.h"

#include <cmath>

namespace {

constexpr int kWordListRow = 15; // the rows of the list with fixed distances
constexpr int kScaleBarRow = 20; // the rows of the scale bars

} // namespace

void TWordGrafForm::FormPaint(QObject*)
{
    try {
        if (Mode == 0) {
            if (PageKind == 0)
                PaintWordListPage(CurrentPage);
            else if (PageKind == 1)
                PaintScaleBars(CurrentPage, true, clRed);
        } else if (Mode == 3 && CurrentWordAnalysis) {
            CurrentWordAnalysis->PaintScaleList(CurrentPage, height(), width());
        }
    } catch (...) {
    }
}

int TWordGrafForm::ListLineStep() const
{
    if (Mode == 0)
        return PageKind == 0 ? kWordListRow : PageKind == 1 ? kScaleBarRow : 0;
    return Mode == 3 ? ListRowHeightFor(height()) : 0;
}

// The shown page's tab takes the page's title; then the program's arrangement
// of its scroll box.
void TWordGrafForm::ArrangeListPage()
{
    try {
        if (CurrentPage && CurrentPage->TabSheet)
            SetTabCaption(CurrentPage, CurrentPage->Title);
    } catch (...) {
    }
    TGrafForm::ArrangeListPage();
}

void TWordGrafForm::PaintWordListPage(TRecFileGraf* Page)
{
    try {
        TCurrentPage* page = nullptr;
        TCanvas* c = ListPageCanvas(Page, page);
        if (!c)
            return;
        TListLayout layout;
        layout.Row = kWordListRow;
        layout.NameX = 3;
        layout.ValueX = 150;
        layout.RuleOffset = 20;
        layout.RuleBelow = c->Font.Size;
        layout.SoundGap = 50;
        layout.BottomRuleRows = 2;
        layout.SummaryGap = 70;
        layout.SummaryFirst = 5;
        layout.SummaryStep = 20;
        DrawPageList(*c, *page, layout);
    } catch (...) {
    }
}

void TWordGrafForm::PaintScaleBars(TRecFileGraf* Page, bool Shadow, TColor ShadowColor)
{
    try {
        TCurrentPage* page = nullptr;
        TCanvas* c = ListPageCanvas(Page, page);
        if (!c)
            return;
        c->TextOut(192, 1, QStringLiteral("10     12     14     16     18     20"));
        c->TextOut(192, 20, QStringLiteral(" |        |        |        |        |        |"));
        const int PX = c->PenPos().x();
        const int Span = PX - 180;
        for (int i = 0; i < page->SignificantNames.Count(); ++i) {
            const QString value = AnsiToQString(page->SignificantValues.Strings(i));
            const double v = StrToFloat(page->SignificantValues.Strings(i));
            // A value below 9 leaves its row empty.
            if (v < 9.0)
                continue;
            const QString name = AnsiToQString(page->SignificantNames.Strings(i));
            const int Y = 50 + kScaleBarRow * i;
            if (Shadow) {
                c->Font.Color = ShadowColor;
                c->TextOut(12, Y - 1, name);
            }
            c->Font.Color = clBlack;
            c->TextOut(10, Y, name);
            // 0.091, not 1/11: a value of 20 reaches a little past the span.
            int L = static_cast<int>(std::trunc((static_cast<long double>(v) - 9.0L) * Span * 0.091L));
            if (L > Span)
                L = Span;
            c->PenWidth = 5;
            if (Shadow) {
                c->PenColor = ShadowColor;
                c->MoveTo(182 + L, Y - 2);
                c->LineTo(182, Y - 2);
            }
            c->PenColor = clBlue;
            c->MoveTo(180 + L, Y);
            c->LineTo(180, Y);
            if (Shadow) {
                c->Font.Color = ShadowColor;
                c->TextOut(PX + 52, Y - 1, value);
            }
            c->Font.Color = clBlack;
            c->TextOut(PX + 50, Y, value);
        }
    } catch (...) {
    }
}
