#pragma once
// A drawing canvas that keeps a pen position the way the system's layouts rely
// on: TextOut(x, y, s) draws s with its top-left corner at (x, y) and leaves the
// pen at (x + width of s, y); MoveTo sets the pen, LineTo draws to a point and
// leaves the pen there. Font sizes are points, at 96 dots per inch unless the
// font says otherwise (a printer's canvas).
#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>

#include <cstdint>
#include <vector>

class QPainter;

// The window system's colour value: red in the low byte, blue in bits 16..23.
// Values with the top bit set name system colours (clBtnFace).
using TColor = int32_t;
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clBtnFace = static_cast<TColor>(0x8000000F);

QColor ToQColor(TColor Color);

// The font of a canvas.
struct TCanvasFont {
    QString Name = QStringLiteral("Arial");
    int Size = 8; // points
    bool Bold = false;
    TColor Color = clBlack;
    int PixelsPerInch = 96; // of the device drawn on

    QFont ToQFont() const;
};

class TCanvas {
public:
    virtual ~TCanvas() = default;

    TCanvasFont Font;
    int PenWidth = 1;
    TColor PenColor = clBlack;
    TColor BrushColor = clWhite;

    QPoint PenPos() const { return pen_; }
    void MoveTo(int X, int Y) { pen_ = QPoint(X, Y); }
    void LineTo(int X, int Y);
    void TextOut(int X, int Y, const QString& Text);
    // Fills with the brush colour.
    void FillRect(const QRect& Rect);
    virtual int TextWidth(const QString& Text) const;
    virtual int TextHeight(const QString& Text) const;

protected:
    virtual void DrawText(int X, int Y, const QString& Text) = 0;
    virtual void DrawLine(QPoint From, QPoint To) = 0;
    virtual void DrawFill(const QRect& Rect) = 0;

private:
    QPoint pen_;
};

// Draws with a painter that the caller keeps open.
class TPainterCanvas : public TCanvas {
public:
    explicit TPainterCanvas(QPainter& Painter) : painter_(Painter) {}

protected:
    void DrawText(int X, int Y, const QString& Text) override;
    void DrawLine(QPoint From, QPoint To) override;
    void DrawFill(const QRect& Rect) override;

private:
    QPainter& painter_;
};

// Records what is drawn, for tests. With CharWidth > 0 every character is that
// wide, so positions can be computed by hand.
class TRecordingCanvas : public TCanvas {
public:
    enum class Op { Text, Line, Fill };
    struct Item {
        Op Kind;
        QPoint From;
        QPoint To; // lines: the end point; texts: the pen after the text
        QString Text;
        TColor Color; // texts: font colour; lines: pen colour; fills: brush colour
        TCanvasFont Font;
    };
    std::vector<Item> Items;
    int CharWidth = 0;

    int TextWidth(const QString& Text) const override;
    std::vector<Item> Texts() const;
    std::vector<Item> Lines() const;

protected:
    void DrawText(int X, int Y, const QString& Text) override;
    void DrawLine(QPoint From, QPoint To) override;
    void DrawFill(const QRect& Rect) override;
};

// Draws nothing: keeps where each text would stand (its width by the font, its
// height the font's cell) and the extent of the texts and lines, so that a
// paint routine run on it tells how much room its drawing takes. Fills do not
// count.
class TMeasuringCanvas : public TCanvas {
public:
    struct Text {
        QString Text;
        QRect Rect;
    };
    std::vector<Text> Texts;
    QRect Extent; // empty until something is drawn

protected:
    void DrawText(int X, int Y, const QString& Text) override;
    void DrawLine(QPoint From, QPoint To) override;
    void DrawFill(const QRect&) override {}
};
