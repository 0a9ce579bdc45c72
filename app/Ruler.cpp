// The ruler above the editor: its tick caption and base line, the three
// indent markers placed from the paragraph's indents, and the markers dragged
// with the mouse, which set the indents where they are released.
//
// Points and pixels: 4/3 pixels to the point (96 to the inch), held in
// extended precision and truncated; the editor's left margin lies at pixel 6,
// the gutter that the formatting rectangle leaves. Every sum is a 32-bit one
// that raises the overflow error, every truncation the range error, as the
// program's arithmetic does.
#include "REMain.h"
#include "RulerPanel.h"
#include "TextAttributes.h"
#include "ui_REMain.h"

#include "Checked.h"

namespace {

constexpr long double RulerScale = 4.0L / 3.0L;
constexpr int RulerMargin = 6;

// The ruler's pixels for a length in points.
int RulerPixels(int Points)
{
    return TruncInt32(Points * RulerScale);
}

// The points of a length in the ruler's pixels.
int RulerPoints(int Pixels)
{
    return TruncInt32(Pixels / RulerScale);
}

// The left edge of a left-hand marker for an indent from the margin in
// points; the marker's tip is 4 pixels in.
int LeftMarkerX(int Points)
{
    return CheckedAdd(CheckedSub(RulerPixels(Points), 4), RulerMargin);
}

// Where a pressed marker's middle stands: its left edge plus half its width.
int DraggedPosition(const QWidget* Marker, int Offset)
{
    return CheckedAdd(Marker->x(), Offset);
}

} // namespace

void TMainForm::DrawRulerTicks()
{
    ui->Ruler->SetCaption(QStringLiteral("\t|").repeated(100));
}

void TMainForm::RulerResize()
{
    ui->RulerLine->resize(CheckedSub(ui->Ruler->contentsRect().width(), CheckedInt32(2LL * ui->RulerLine->x())),
                          ui->RulerLine->height());
}

void TMainForm::PlaceRulerMarkers(const TParaAttributes& P)
{
    const int first = P.FirstIndent();
    ui->FirstInd->move(LeftMarkerX(first), ui->FirstInd->y());
    ui->LeftInd->move(LeftMarkerX(CheckedAdd(P.LeftIndent(), first)), ui->LeftInd->y());
    ui->RightInd->move(CheckedSub(CheckedSub(ui->Ruler->contentsRect().width(), RulerMargin),
                                  RulerPixels(CheckedAdd(P.RightIndent(), 6))),
                       ui->RightInd->y());
}

// Any button: the marker's middle jumps under the pointer.
void TMainForm::RulerItemMouseDown(QWidget* Sender, Qt::MouseButton, Qt::KeyboardModifiers, int X, int)
{
    RulerDragOffset = Sender->width() / 2;
    Sender->move(CheckedSub(CheckedAdd(Sender->x(), X), RulerDragOffset), Sender->y());
    RulerDragging = true;
}

// The marker follows the pointer, past the ruler's ends too; the indent
// changes only at the release.
void TMainForm::RulerItemMouseMove(QWidget* Sender, Qt::KeyboardModifiers, int X, int)
{
    if (RulerDragging)
        Sender->move(CheckedSub(CheckedAdd(Sender->x(), X), RulerDragOffset), Sender->y());
}

void TMainForm::FirstIndMouseUp(QWidget* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    RulerDragging = false;
    Paragraph().SetFirstIndent(RulerPoints(CheckedSub(DraggedPosition(ui->FirstInd, RulerDragOffset), RulerMargin)));
    // The following lines stay where their own marker stands.
    LeftIndMouseUp(Sender, Button, Shift, X, Y);
}

void TMainForm::LeftIndMouseUp(QWidget*, Qt::MouseButton, Qt::KeyboardModifiers, int, int)
{
    RulerDragging = false;
    TParaAttributes p = Paragraph();
    const int left = RulerPoints(CheckedSub(DraggedPosition(ui->LeftInd, RulerDragOffset), RulerMargin));
    p.SetLeftIndent(CheckedSub(left, p.FirstIndent()));
    SelectionChange();
}

void TMainForm::RightIndMouseUp(QWidget*, Qt::MouseButton, Qt::KeyboardModifiers, int, int)
{
    RulerDragging = false;
    const int fromRight = CheckedSub(
        CheckedAdd(CheckedSub(ui->Ruler->contentsRect().width(), ui->RightInd->x()), RulerDragOffset), 2);
    Paragraph().SetRightIndent(CheckedSub(RulerPoints(fromRight), 12));
    SelectionChange();
}
