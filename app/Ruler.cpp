// The ruler above the editor: its tick caption and base line, the three
// indent markers placed from the paragraph's indents, and the markers dragged
// with the mouse, which set the indents where they are released.
//
// Points and pixels: 4/3 pixels to the point (96 to the inch), held in
// extended precision and truncated; the editor's left margin lies at pixel 6,
// the gutter that the formatting rectangle leaves. Every sum is a 32-bit one
// that raises the overflow error, every truncation the range error, as the
// program's arithmetic does.
//
// A marker never leaves the ruler: dragged past an end it stops there, and
// indents that lie beyond the ruler show their marker at its end, so every
// marker can be taken and dragged back. An indent set at a release keeps the
// paragraph's lines inside the text's area, at least MinLineWidth wide.
#include "REMain.h"
#include "RulerPanel.h"
#include "TextAttributes.h"
#include "ui_REMain.h"

#include "Checked.h"
#include "RichEdit.h"

#include <algorithm>

namespace {

constexpr long double RulerScale = 4.0L / 3.0L;
constexpr int RulerMargin = 6;
// The narrowest line a release leaves a paragraph, in points (an inch): room
// for a word or two, where a line narrower than a letter would break the text
// into a column of single letters.
constexpr int MinLineWidth = 72;

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

// Puts Marker's left edge at Left, or at the end of the ruler (RulerWidth
// wide) that Left lies beyond, so that the whole marker stays on the ruler.
void MoveOnRuler(QWidget* Marker, int Left, int RulerWidth)
{
    const int last = std::max(0, RulerWidth - Marker->width());
    Marker->move(std::clamp(Left, 0, last), Marker->y());
}

// An indent in points kept between the margin (0) and the largest one that
// still leaves the lines MinLineWidth of Room: the text's width less the
// indent at the other margin.
int IndentWithin(int Points, int Room)
{
    return std::clamp(Points, 0, std::max(0, Room - MinLineWidth));
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
    const int width = ui->Ruler->contentsRect().width();
    const int first = P.FirstIndent();
    MoveOnRuler(ui->FirstInd, LeftMarkerX(first), width);
    MoveOnRuler(ui->LeftInd, LeftMarkerX(CheckedAdd(P.LeftIndent(), first)), width);
    MoveOnRuler(ui->RightInd, CheckedSub(CheckedSub(width, RulerMargin), RulerPixels(CheckedAdd(P.RightIndent(), 6))),
                width);
}

// The width of the editor's text in points, between its margins.
int TMainForm::TextWidthPoints() const
{
    return RulerPoints(ui->Editor->FormattingRect().width());
}

// Any button: the marker's middle jumps under the pointer.
void TMainForm::RulerItemMouseDown(QWidget* Sender, Qt::MouseButton, Qt::KeyboardModifiers, int X, int)
{
    RulerDragOffset = Sender->width() / 2;
    MoveOnRuler(Sender, CheckedSub(CheckedAdd(Sender->x(), X), RulerDragOffset), ui->Ruler->contentsRect().width());
    RulerDragging = true;
}

// The marker follows the pointer up to the ruler's ends; the indent changes
// only at the release.
void TMainForm::RulerItemMouseMove(QWidget* Sender, Qt::KeyboardModifiers, int X, int)
{
    if (RulerDragging)
        MoveOnRuler(Sender, CheckedSub(CheckedAdd(Sender->x(), X), RulerDragOffset),
                    ui->Ruler->contentsRect().width());
}

void TMainForm::FirstIndMouseUp(QWidget* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    RulerDragging = false;
    TParaAttributes p = Paragraph();
    const int first = RulerPoints(CheckedSub(DraggedPosition(ui->FirstInd, RulerDragOffset), RulerMargin));
    p.SetFirstIndent(IndentWithin(first, CheckedSub(TextWidthPoints(), p.RightIndent())));
    // The following lines stay where their own marker stands.
    LeftIndMouseUp(Sender, Button, Shift, X, Y);
}

void TMainForm::LeftIndMouseUp(QWidget*, Qt::MouseButton, Qt::KeyboardModifiers, int, int)
{
    RulerDragging = false;
    TParaAttributes p = Paragraph();
    const int left = IndentWithin(RulerPoints(CheckedSub(DraggedPosition(ui->LeftInd, RulerDragOffset), RulerMargin)),
                                  CheckedSub(TextWidthPoints(), p.RightIndent()));
    p.SetLeftIndent(CheckedSub(left, p.FirstIndent()));
    SelectionChange();
}

void TMainForm::RightIndMouseUp(QWidget*, Qt::MouseButton, Qt::KeyboardModifiers, int, int)
{
    RulerDragging = false;
    TParaAttributes p = Paragraph();
    const int fromRight = CheckedSub(
        CheckedAdd(CheckedSub(ui->Ruler->contentsRect().width(), ui->RightInd->x()), RulerDragOffset), 2);
    // The narrowest line starts at the first line's indent or at the following
    // lines', whichever lies further in.
    const int innerLeft = std::max(p.FirstIndent(), CheckedAdd(p.FirstIndent(), p.LeftIndent()));
    p.SetRightIndent(IndentWithin(CheckedSub(RulerPoints(fromRight), 12), CheckedSub(TextWidthPoints(), innerLeft)));
    SelectionChange();
}
