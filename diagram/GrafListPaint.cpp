// Painting the list page: the scales with their scores, the sound-letters in
// three columns and the summary lines.
#include "LemvGraf.h"

#include "Errors.h"
#include "NumFormat.h"
#include "PaintBox.h"
#include "Win1251.h"

#include <QScrollArea>
#include <QScrollBar>

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
        if (!page || !page->PaintBox)
            return;
        // Only the paint box's own paint (or a test canvas) can draw on it.
        TCanvas* c = page->PaintBox->Canvas();
        if (!c)
            return;
        const int RowHeight = static_cast<int>(std::trunc(Height / 28.0));
        const int ValueX = static_cast<int>(std::trunc(Width / 4.0));
        const int SoundGap = static_cast<int>(std::trunc(ValueX / 4.0));
        const int SummaryGap = static_cast<int>(std::trunc(ValueX / 3.0));

        c->BrushColor = page->PaintBox->Color;
        c->FillRect(page->PaintBox->rect());
        c->Font.Bold = true;
        c->Font.Name = QStringLiteral("Times New Roman");
        c->Font.Size = 8;
        const int FontSize = c->Font.Size;
        c->Font.Color = clBlack;
        c->PenWidth = 1;

        // Without scale rows the columns start at the value column's top.
        int X0 = ValueX, Y0 = 0;
        for (int i = 0; i < page->ScaleList.Count(); ++i) {
            page->CurScaleItem = page->ScaleList.Objects(i);
            if (!page->CurScaleItem)
                throw Exception("Scale entry without an item");
            c->Font.Color = page->CurScaleItem->Value >= 9.0 ? clRed : clBlack;
            c->TextOut(3, i * RowHeight, AnsiToQString(page->CurScaleItem->Name));
            c->TextOut(ValueX, i * RowHeight, AnsiToQString(FormatFixed(page->CurScaleItem->Value, 5, 2)));
            if (i == 0) {
                X0 = c->PenPos().x();
                Y0 = c->PenPos().y();
            }
        }
        const QPoint last = c->PenPos();
        c->MoveTo(X0 + RowHeight, Y0);
        c->LineTo(X0 + RowHeight, last.y() + FontSize);

        c->Font.Color = clBlack;
        int column = X0, row = 0;
        for (int i = 0; i < page->SoundList.Count(); ++i) {
            page->CurSoundItem = page->SoundList.Objects(i);
            if (!page->CurSoundItem)
                throw Exception("Sound entry without an item");
            c->Font.Color = std::fabs(page->CurSoundItem->Z) >= 1.0 ? clBlue : clBlack;
            c->TextOut(column + SoundGap, row * RowHeight, AnsiToQString(page->SoundList.Strings(i)));
            ++row;
            if (i == 14 || i == 29) {
                column = c->PenPos().x();
                row = 0;
            }
        }
        const QPoint end = c->PenPos();
        const int Y = end.y() + 2 * RowHeight;
        c->MoveTo(end.x(), Y);
        c->LineTo(X0 + SoundGap, Y);

        c->Font.Color = clMaroon;
        c->TextOut(X0 + SummaryGap, Y + RowHeight, AnsiToQString(page->SoundTotalLine));
        c->TextOut(X0 + SummaryGap, Y + 2 * RowHeight, AnsiToQString(page->SyllablesLine));
        c->TextOut(X0 + SummaryGap, Y + 3 * RowHeight, AnsiToQString(page->HighShareLine));

        if (QScrollArea* box = page->ScrollBox) {
            const int range = box->height() + 10 * box->verticalScrollBar()->singleStep();
            if (page->PaintBox->minimumHeight() != range)
                page->PaintBox->setMinimumHeight(range);
        }
    } catch (...) {
    }
}
