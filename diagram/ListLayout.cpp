#include "ListLayout.h"

#include "Errors.h"
#include "NumFormat.h"
#include "PaintBox.h"
#include "Win1251.h"

#include <QScrollArea>
#include <QScrollBar>

#include <cmath>

void UseListFont(TCanvas& C, int Size)
{
    C.Font.Bold = true;
    C.Font.Name = QStringLiteral("Times New Roman");
    C.Font.Size = Size;
    C.Font.Color = clBlack;
    C.PenWidth = 1;
}

TListMarks DrawPageList(TCanvas& C, TRecFileGraf& Page, const TListLayout& L)
{
    const auto colour = [&L](bool Marked, TColor Mark) { return L.Colours && Marked ? Mark : clBlack; };

    // Without scale rows the columns start at the value column's top.
    TListMarks m;
    m.X0 = L.ValueX;
    int Y0 = L.Top;
    for (int i = 0; i < Page.ScaleList.Count(); ++i) {
        Page.CurScaleItem = Page.ScaleList.Objects(i);
        if (!Page.CurScaleItem)
            throw Exception("Scale entry without an item");
        C.Font.Color = colour(Page.CurScaleItem->Value >= 9.0, clRed);
        C.TextOut(L.NameX, L.Top + i * L.Row, AnsiToQString(Page.CurScaleItem->Name));
        C.TextOut(L.ValueX, L.Top + i * L.Row, AnsiToQString(FormatFixed(Page.CurScaleItem->Value, 5, 2)));
        if (i == 0) {
            m.X0 = C.PenPos().x();
            Y0 = C.PenPos().y();
        }
    }
    const QPoint last = C.PenPos();
    C.MoveTo(m.X0 + L.RuleOffset, Y0);
    C.LineTo(m.X0 + L.RuleOffset, last.y() + L.RuleBelow);

    C.Font.Color = clBlack;
    int column = m.X0, row = 0;
    for (int i = 0; i < Page.SoundList.Count(); ++i) {
        Page.CurSoundItem = Page.SoundList.Objects(i);
        if (!Page.CurSoundItem)
            throw Exception("Sound entry without an item");
        C.Font.Color = colour(std::fabs(Page.CurSoundItem->Z) >= 1.0, clBlue);
        C.TextOut(column + L.SoundGap, L.Top + row * L.Row, AnsiToQString(Page.SoundList.Strings(i)));
        ++row;
        if (i == 14 || i == 29) {
            column = C.PenPos().x();
            row = 0;
        }
    }
    const QPoint end = C.PenPos();
    m.RuleY = end.y() + L.BottomRuleRows * L.Row;
    C.MoveTo(end.x(), m.RuleY);
    C.LineTo(m.X0 + L.SoundGap, m.RuleY);

    C.Font.Color = colour(true, clMaroon);
    const int y = m.RuleY + L.SummaryFirst;
    C.TextOut(m.X0 + L.SummaryGap, y, AnsiToQString(Page.SoundTotalLine));
    C.TextOut(m.X0 + L.SummaryGap, y + L.SummaryStep, AnsiToQString(Page.SyllablesLine));
    C.TextOut(m.X0 + L.SummaryGap, y + 2 * L.SummaryStep, AnsiToQString(Page.HighShareLine));
    return m;
}

TCanvas* ListPageCanvas(TCurrentPage& Page)
{
    // Only the paint box's own paint (or a test canvas) can draw on it.
    TCanvas* c = Page.PaintBox ? Page.PaintBox->Canvas() : nullptr;
    if (!c)
        return nullptr;
    c->BrushColor = Page.PaintBox->Color;
    c->FillRect(Page.PaintBox->rect());
    UseListFont(*c, 8);
    return c;
}

TCanvas* ListPageCanvas(TRecFileGraf* Page, TCurrentPage*& Current)
{
    Current = dynamic_cast<TCurrentPage*>(Page);
    return Current ? ListPageCanvas(*Current) : nullptr;
}

int ListRowHeightFor(int AreaHeight)
{
    return static_cast<int>(std::trunc(AreaHeight / 28.0));
}

void SetListScrollRange(TCurrentPage& Page, int LineStep, const QRect& Drawn)
{
    QScrollArea* box = Page.ScrollBox;
    if (!box || !Page.PaintBox)
        return;
    if (LineStep > 0)
        box->verticalScrollBar()->setSingleStep(LineStep);
    // The box grows past the view only for what is drawn, with the margin the
    // names keep from the left edge below the last line.
    constexpr int kMargin = 3;
    const int height = Drawn.isEmpty() ? 0 : Drawn.bottom() + 1 + kMargin;
    if (Page.PaintBox->minimumHeight() != height)
        Page.PaintBox->setMinimumHeight(height);
}
