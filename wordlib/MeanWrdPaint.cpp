#include "MeanWrd.h"

#include "Errors.h"
#include "GrafSavePrint.h"
#include "LemvGraf.h"
#include "ListLayout.h"
#include "NumFormat.h"
#include "PaintBox.h"
#include "Printer.h"
#include "U3.h"
#include "Win1251.h"
#include "WordGraf.h"


#include <cmath>

int TStrShowAsscent::WordLeftMargin(TForm3* Form, bool& Wide) const
{
    const size_t L = AnalysedWord.size();
    const int W = Form->width();
    Wide = L >= 15;
    if (L <= 9)
        return W / 4;
    if (L <= 14)
        return W / 8;
    if (L <= 20)
        return W / 16;
    return W / 48;
}

void TStrShowAsscent::DrawStressedWord(TForm3* Form)
{
    TPaintBox* box = Form->PaintBox1;
    TCanvas* c = box->Canvas();
    // Outside the box's own paint the word is drawn by the repaint this asks for.
    if (!c) {
        box->update();
        return;
    }
    bool wide = false;
    const int x0 = WordLeftMargin(Form, wide);
    box->Color = clBtnFace;
    c->Font.Name = QStringLiteral("Times New Roman");
    c->Font.Size = 26;
    c->Font.Bold = true;
    const QString word = AnsiToQString(AnalysedWord);
    const QString mark = QString(QChar(StressMark));
    WordRect = QRect(x0, 5, c->TextWidth(word), c->TextHeight(mark));

    int p = 0;
    for (int i = 1; i <= StressPos && i <= word.size(); ++i)
        p += c->TextWidth(word.mid(i - 1, 1));
    const int h = StressPos >= 1 && StressPos <= word.size() ? c->TextWidth(word.mid(StressPos - 1, 1)) / 2 : 0;

    c->BrushColor = box->Color;
    c->FillRect(WordRect);
    c->TextOut(x0 + p - h, 5, mark);
    c->TextOut(x0, 20, word);
}

void TStrShowAsscent::PaintScaleList(TRecFileGraf* Page, int AreaHeight, int AreaWidth)
{
    try {
        const int RowHeight = ListRowHeightFor(AreaHeight);
        const int ValueX = static_cast<int>(std::trunc(AreaWidth / 4.0));
        TCurrentPage* page = nullptr;
        TCanvas* c = ListPageCanvas(Page, page);
        if (!c)
            return;
        for (int i = 0; i < page->ScaleList.Count(); ++i) {
            page->CurScaleItem = page->ScaleList.Objects(i);
            if (!page->CurScaleItem)
                throw Exception("Scale entry without an item");
            const ScaleItem& item = *page->CurScaleItem;
            c->Font.Color = MarksScaleValue(item.Value) ? clRed : clBlack;
            c->TextOut(3, i * RowHeight, AnsiToQString(item.Name));
            c->TextOut(ValueX, i * RowHeight, AnsiToQString(FormatFixed(item.Value, 5, 2)));
        }
    } catch (...) {
    }
}

bool MarksScaleValue(double Value)
{
    return 6.0 - Value < 2.6;
}

void DrawPrintedScaleList(TCanvas& C, TRecFileGraf& Page, int Width, int Height, bool Colours)
{
    UseListFont(C, 10);
    C.TextOut(Width / 16, Height / 3, AnsiToQString(Ansi("Полный анализ слова  -  ") + Page.Title));
    const int y0 = Height / 3 + Height / 16;
    for (int i = 0; i < Page.ScaleList.Count(); ++i) {
        Page.CurScaleItem = Page.ScaleList.Objects(i);
        if (!Page.CurScaleItem)
            throw Exception("Scale entry without an item");
        const ScaleItem& item = *Page.CurScaleItem;
        // The value and the marking the window shows; both x from the height.
        C.Font.Color = Colours && MarksScaleValue(item.Value) ? clRed : clBlack;
        const int y = y0 + i * (Height / 56);
        C.TextOut(Height / 16, y, AnsiToQString(item.Name));
        C.TextOut(Height / 4, y, AnsiToQString(FormatFixed(item.Value, 5, 2)));
    }
}

void TStrShowAsscent::PrintScaleList(TRecFileGraf* Page, int ColourMode)
{
    try {
        auto* page = dynamic_cast<TCurrentPage*>(Page);
        if (!page)
            return;
        TPrinterCanvas canvas;
        DrawPrintedScaleList(canvas, *page, Printer().PageWidth(), Printer().PageHeight(), ColourMode == 1);
    } catch (...) {
    }
}
