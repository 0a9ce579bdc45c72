// Painting the word window: the word's scale list in mode 3, and in mode 0 the
// list with fixed distances and the bars of the values of 9 and more.
#include "WordGraf.h"

#include "ListLayout.h"
#include "MeanWrd.h"
#include "NumFormat.h"
#include "Win1251.h"

#include <cmath>

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


TCanvas* WordListCanvas(TGrafForm& Window, TRecFileGraf* Page, TCurrentPage*& Current)
{
    Current = dynamic_cast<TCurrentPage*>(Page);
    if (!Current)
        return nullptr;
    Window.SetTabCaption(Current, Current->Title);
    return ListPageCanvas(*Current);
}

void TWordGrafForm::PaintWordListPage(TRecFileGraf* Page)
{
    try {
        TCurrentPage* page = nullptr;
        TCanvas* c = WordListCanvas(*this, Page, page);
        if (!c)
            return;
        TListLayout layout;
        layout.Row = 15;
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
        SetListScrollRange(*page);
    } catch (...) {
    }
}

void TWordGrafForm::PaintScaleBars(TRecFileGraf* Page, bool Shadow, TColor ShadowColor)
{
    try {
        TCurrentPage* page = nullptr;
        TCanvas* c = WordListCanvas(*this, Page, page);
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
            const int Y = 50 + 20 * i;
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
        SetListScrollRange(*page);
    } catch (...) {
    }
}
