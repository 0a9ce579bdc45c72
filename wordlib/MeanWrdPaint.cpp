#include "MeanWrd.h"

#include "LemvGraf.h"
#include "PaintBox.h"
#include "NumFormat.h"
#include "U3.h"
#include "Win1251.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>

#include <cmath>

namespace {

// The caption of the tab that holds Sheet.
void SetTabCaption(QWidget* Sheet, const std::string& Caption)
{
    for (QWidget* w = Sheet ? Sheet->parentWidget() : nullptr; w; w = w->parentWidget())
        if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
            const int i = tabs->indexOf(Sheet);
            if (i >= 0 && tabs->tabText(i) != AnsiToQString(Caption))
                tabs->setTabText(i, AnsiToQString(Caption));
            return;
        }
}

} // namespace

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

    // A wide word that does not fit lets the box scroll a little further.
    const int end = c->PenPos().x();
    const int client = Form->ScrollBox1->viewport()->width();
    if (wide && client <= end)
        box->setMinimumWidth(client + Form->ScrollBox1->horizontalScrollBar()->singleStep() + 10);
    else if (!wide)
        box->setMinimumWidth(0);
}

void TStrShowAsscent::PaintScaleList(TRecFileGraf* Page, int AreaHeight, int AreaWidth)
{
    try {
        auto* page = dynamic_cast<TCurrentPage*>(Page);
        if (!page)
            return;
        SetTabCaption(page->TabSheet, page->Title);
        const int RowHeight = static_cast<int>(std::trunc(AreaHeight / 28.0));
        const int ValueX = static_cast<int>(std::trunc(AreaWidth / 4.0));
        // Only the paint box's own paint (or a test canvas) draws on it.
        TCanvas* c = page->PaintBox ? page->PaintBox->Canvas() : nullptr;
        if (!c)
            return;
        c->BrushColor = page->PaintBox->Color;
        c->FillRect(page->PaintBox->rect());
        c->Font.Bold = true;
        c->Font.Name = QStringLiteral("Times New Roman");
        c->Font.Size = 8;
        c->Font.Color = clBlack;
        c->PenWidth = 1;
        for (int i = 0; i < page->ScaleList.Count(); ++i) {
            page->CurScaleItem = page->ScaleList.Objects(i);
            if (!page->CurScaleItem)
                throw Exception("Scale entry without an item");
            const ScaleItem& item = *page->CurScaleItem;
            c->Font.Color = 6.0 - item.Value < 2.6 ? clRed : clBlack;
            c->TextOut(3, i * RowHeight, AnsiToQString(item.Name));
            c->TextOut(ValueX, i * RowHeight, AnsiToQString(FormatFixed(item.Value, 5, 2)));
        }
        if (QScrollArea* box = page->ScrollBox) {
            const int range = box->height() + 10 * box->verticalScrollBar()->singleStep();
            if (page->PaintBox->minimumHeight() != range)
                page->PaintBox->setMinimumHeight(range);
        }
    } catch (...) {
    }
}
