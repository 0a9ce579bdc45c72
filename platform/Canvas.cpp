#include "Canvas.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>

#include <algorithm>

QColor ToQColor(TColor Color)
{
    if (Color == clBtnFace)
        return QApplication::palette().color(QPalette::Button);
    const auto c = static_cast<uint32_t>(Color);
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

QFont TCanvasFont::ToQFont() const
{
    QFont f(Name);
    // Points at the device's dots per inch (96 on the screen), rounded as the
    // window system sized its fonts.
    f.setPixelSize(qMax(1, (Size * PixelsPerInch + 36) / 72));
    f.setBold(Bold);
    return f;
}

void TCanvas::LineTo(int X, int Y)
{
    DrawLine(pen_, QPoint(X, Y));
    pen_ = QPoint(X, Y);
}

void TCanvas::TextOut(int X, int Y, const QString& Text)
{
    DrawText(X, Y, Text);
    pen_ = QPoint(X + TextWidth(Text), Y);
}

void TCanvas::FillRect(const QRect& Rect)
{
    DrawFill(Rect);
}

int TCanvas::TextWidth(const QString& Text) const
{
    return QFontMetrics(Font.ToQFont()).horizontalAdvance(Text);
}

namespace {

// How far the text's cell reaches above the baseline. The window system's
// cell holds the tallest letters of the code page, marks included; the
// font's ascent, as rounded at small sizes, can fall short of the breve of
// "Й" or the dots of "Ё", which a text at the top of a box would then lose.
int CellAscent(const QFontMetrics& Metrics)
{
    static const QString tallest = QStringLiteral("ЙЁЇЎЌЃ");
    return std::max(Metrics.ascent(), -Metrics.tightBoundingRect(tallest).top());
}

} // namespace

int TCanvas::TextHeight(const QString&) const
{
    const QFontMetrics m(Font.ToQFont());
    return CellAscent(m) + m.descent();
}

void TPainterCanvas::DrawText(int X, int Y, const QString& Text)
{
    const QFont f = Font.ToQFont();
    painter_.setFont(f);
    painter_.setPen(ToQColor(Font.Color));
    painter_.drawText(X, Y + CellAscent(QFontMetrics(f)), Text);
}

void TPainterCanvas::DrawLine(QPoint From, QPoint To)
{
    painter_.setPen(QPen(ToQColor(PenColor), PenWidth));
    painter_.drawLine(From, To);
}

void TPainterCanvas::DrawFill(const QRect& Rect)
{
    painter_.fillRect(Rect, ToQColor(BrushColor));
}

int TRecordingCanvas::TextWidth(const QString& Text) const
{
    return CharWidth > 0 ? CharWidth * static_cast<int>(Text.size()) : TCanvas::TextWidth(Text);
}

std::vector<TRecordingCanvas::Item> TRecordingCanvas::Texts() const
{
    std::vector<Item> r;
    for (const Item& i : Items)
        if (i.Kind == Op::Text)
            r.push_back(i);
    return r;
}

std::vector<TRecordingCanvas::Item> TRecordingCanvas::Lines() const
{
    std::vector<Item> r;
    for (const Item& i : Items)
        if (i.Kind == Op::Line)
            r.push_back(i);
    return r;
}

void TRecordingCanvas::DrawText(int X, int Y, const QString& Text)
{
    Items.push_back({ Op::Text, QPoint(X, Y), QPoint(X + TextWidth(Text), Y), Text, Font.Color, Font });
}

void TRecordingCanvas::DrawLine(QPoint From, QPoint To)
{
    Items.push_back({ Op::Line, From, To, {}, PenColor, Font });
}

void TRecordingCanvas::DrawFill(const QRect& Rect)
{
    Items.push_back({ Op::Fill, Rect.topLeft(), Rect.bottomRight(), {}, BrushColor, Font });
}

void TMeasuringCanvas::DrawText(int X, int Y, const QString& Text)
{
    const QRect r(X, Y, TextWidth(Text), TextHeight(Text));
    Texts.push_back({ Text, r });
    Extent |= r;
}

void TMeasuringCanvas::DrawLine(QPoint From, QPoint To)
{
    const int half = PenWidth / 2;
    Extent |= QRect(From, To).normalized().adjusted(-half, -half, half, half);
}
