// Draws the main window's pictures into the folder given (app/res): the image
// strip "SMALLIMAGES" (27 pictures of 16 x 16 pixels side by side on fuchsia,
// the strip's transparent colour), the window's icon and the ruler's three
// indent markers; and, into a second folder given (wordlib/res), the word
// library's strip of four pictures for its chart tool bar. Run by hand (target
// lemv_make_images); the PNGs it writes are kept in those folders.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

namespace {

const QColor Fuchsia(255, 0, 255);
const QColor Ink(0, 0, 0);
const QColor Paper(255, 255, 255);
const QColor Navy(0, 0, 128);
const QColor Teal(0, 128, 128);
const QColor Maroon(128, 0, 0);
const QColor Olive(128, 128, 0);
const QColor Grey(128, 128, 128);
const QColor Silver(192, 192, 192);
const QColor Yellow(255, 255, 0);
const QColor Red(255, 0, 0);
const QColor Green(0, 128, 0);
const QColor Blue(0, 0, 255);

void Sheet(QPainter& p, int x, int y, int w, int h)
{
    p.setPen(Ink);
    p.setBrush(Paper);
    p.drawRect(x, y, w, h);
}

void Letter(QPainter& p, const QString& s, bool bold, bool italic, bool underline, const QColor& c, int size = 12)
{
    QFont f(QStringLiteral("Liberation Serif"));
    f.setPixelSize(size);
    f.setBold(bold);
    f.setItalic(italic);
    f.setUnderline(underline);
    f.setStyleStrategy(QFont::NoAntialias);
    p.setFont(f);
    p.setPen(c);
    p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, s);
}

void Lines(QPainter& p, const int (*rows)[2], int n, int y0)
{
    p.setPen(Ink);
    for (int i = 0; i < n; ++i)
        p.drawLine(rows[i][0], y0 + 3 * i, rows[i][1], y0 + 3 * i);
}

using Draw = std::function<void(QPainter&)>;

const Draw Pictures[27] = {
    // 0 new document: a sheet with a folded corner
    [](QPainter& p) { Sheet(p, 3, 1, 9, 13); p.setPen(Ink); p.drawLine(9, 1, 12, 4); p.drawLine(9, 1, 9, 4); p.drawLine(9, 4, 12, 4); },
    // 1 open: a yellow folder
    [](QPainter& p) { p.setPen(Ink); p.setBrush(Yellow); p.drawRect(1, 5, 12, 8); p.setBrush(Olive); p.drawRect(1, 3, 5, 2); },
    // 2 save: a diskette
    [](QPainter& p) { p.setPen(Ink); p.setBrush(Navy); p.drawRect(1, 1, 13, 13); p.setBrush(Paper); p.drawRect(4, 2, 7, 5); p.setBrush(Silver); p.drawRect(4, 10, 7, 4); },
    // 3 print: a printer with paper
    [](QPainter& p) { Sheet(p, 4, 1, 7, 5); p.setPen(Ink); p.setBrush(Silver); p.drawRect(1, 6, 13, 6); p.setPen(Green); p.drawPoint(12, 8); Sheet(p, 4, 11, 7, 3); },
    // 4 undo: an arrow bending back
    [](QPainter& p) { p.setPen(QPen(Navy, 2)); p.drawArc(3, 4, 10, 9, 90 * 16, -200 * 16); p.setPen(Navy); p.setBrush(Navy); p.drawPolygon(QPolygon({QPoint(2, 2), QPoint(8, 4), QPoint(3, 8)})); },
    // 5 cut: scissors
    [](QPainter& p) { p.setPen(Ink); p.drawLine(5, 1, 10, 9); p.drawLine(10, 1, 5, 9); p.setPen(Navy); p.setBrush(Qt::NoBrush); p.drawEllipse(2, 9, 4, 4); p.drawEllipse(9, 9, 4, 4); },
    // 6 copy: two sheets
    [](QPainter& p) { Sheet(p, 1, 1, 8, 10); Sheet(p, 6, 4, 8, 10); p.setPen(Navy); p.drawLine(8, 7, 12, 7); p.drawLine(8, 9, 12, 9); p.drawLine(8, 11, 12, 11); },
    // 7 paste: a clipboard with a sheet
    [](QPainter& p) { p.setPen(Ink); p.setBrush(Olive); p.drawRect(1, 2, 10, 12); p.setBrush(Silver); p.drawRect(4, 1, 4, 2); Sheet(p, 7, 6, 7, 8); },
    // 8 find: a magnifier
    [](QPainter& p) { p.setPen(QPen(Ink, 2)); p.drawEllipse(2, 2, 7, 7); p.drawLine(9, 9, 13, 13); },
    // 9 clear: a red cross
    [](QPainter& p) { p.setPen(QPen(Red, 2)); p.drawLine(3, 3, 12, 12); p.drawLine(12, 3, 3, 12); },
    // 10 select all: a dotted frame around a sheet
    [](QPainter& p) { p.setPen(QPen(Ink, 1, Qt::DotLine)); p.drawRect(1, 1, 13, 13); Sheet(p, 4, 4, 7, 7); },
    // 11 align left
    [](QPainter& p) { static const int r[5][2] = {{1, 13}, {1, 9}, {1, 13}, {1, 9}, {1, 13}}; Lines(p, r, 5, 2); },
    // 12 centre
    [](QPainter& p) { static const int r[5][2] = {{1, 13}, {3, 11}, {1, 13}, {3, 11}, {1, 13}}; Lines(p, r, 5, 2); },
    // 13 align right
    [](QPainter& p) { static const int r[5][2] = {{1, 13}, {5, 13}, {1, 13}, {5, 13}, {1, 13}}; Lines(p, r, 5, 2); },
    // 14 bulleted list
    [](QPainter& p) { p.setPen(Ink); p.setBrush(Ink); for (int i = 0; i < 3; ++i) { p.drawRect(2, 3 + 4 * i, 1, 1); p.drawLine(6, 3 + 4 * i, 13, 3 + 4 * i); } },
    // 15 word phonosemantics: a letter on a card
    [](QPainter& p) { Sheet(p, 1, 2, 13, 11); Letter(p, QStringLiteral("С"), true, false, false, Maroon, 11); },
    // 16 text phonosemantics: bars of a diagram
    [](QPainter& p) { p.setPen(Ink); p.setBrush(Blue); p.drawRect(2, 8, 2, 6); p.setBrush(Red); p.drawRect(6, 3, 2, 11); p.setBrush(Green); p.drawRect(10, 6, 2, 8); p.drawLine(1, 14, 14, 14); },
    // 17 colour associations: a palette of four colours
    [](QPainter& p) { p.setPen(Ink); p.setBrush(Red); p.drawRect(1, 1, 6, 6); p.setBrush(Yellow); p.drawRect(8, 1, 6, 6); p.setBrush(Blue); p.drawRect(1, 8, 6, 6); p.setBrush(Green); p.drawRect(8, 8, 6, 6); },
    // 18 golden section: a divided bar with the section mark
    [](QPainter& p) { p.setPen(Ink); p.setBrush(Olive); p.drawRect(1, 6, 8, 4); p.setBrush(Yellow); p.drawRect(9, 6, 5, 4); p.setPen(Red); p.drawLine(9, 2, 9, 13); },
    // 19 name generation: a name tag
    [](QPainter& p) { p.setPen(Ink); p.setBrush(Yellow); p.drawPolygon(QPolygon({QPoint(1, 4), QPoint(11, 4), QPoint(14, 8), QPoint(11, 12), QPoint(1, 12)})); p.setPen(Maroon); p.drawLine(3, 7, 9, 7); p.drawLine(3, 9, 7, 9); },
    // 20 bold
    [](QPainter& p) { Letter(p, QStringLiteral("B"), true, false, false, Ink, 14); },
    // 21 italic
    [](QPainter& p) { Letter(p, QStringLiteral("I"), true, true, false, Ink, 14); },
    // 22 underline
    [](QPainter& p) { Letter(p, QStringLiteral("U"), true, false, true, Ink, 13); },
    // 23 text profile: a curve across a grid
    [](QPainter& p) { p.setPen(Silver); for (int i = 2; i < 15; i += 4) { p.drawLine(i, 1, i, 14); p.drawLine(1, i, 14, i); } p.setPen(QPen(Red, 1)); p.drawPolyline(QPolygon({QPoint(1, 12), QPoint(4, 6), QPoint(7, 9), QPoint(10, 3), QPoint(14, 7)})); },
    // 24 a teal disc
    [](QPainter& p) { p.setPen(Ink); p.setBrush(Teal); p.drawEllipse(2, 2, 11, 11); },
    // 25 a grey diamond
    [](QPainter& p) { p.setPen(Ink); p.setBrush(Grey); p.drawPolygon(QPolygon({QPoint(7, 1), QPoint(14, 7), QPoint(7, 14), QPoint(0, 7)})); },
    // 26 style features: a quill over lines
    [](QPainter& p) { static const int r[3][2] = {{1, 13}, {1, 10}, {1, 12}}; Lines(p, r, 3, 8); p.setPen(QPen(Maroon, 2)); p.drawLine(5, 6, 13, 1); },
};

// The ruler's indent markers, black on transparent, one row of pixels per
// string ('#' black). Each arrow is centred on column 4 (counting from 0),
// where the ruler puts the indent it stands for.
struct MarkerPicture {
    const char* File;
    std::vector<const char*> Rows;
};

const MarkerPicture Markers[] = {
    // the first line's indent, 10 x 9: a solid arrow pointing down at the base line
    {"FirstInd.png",
     {"...###....",
      "...###....",
      "...###....",
      "...###....",
      "#########.",
      ".#######..",
      "..#####...",
      "...###....",
      "....#....."}},
    // the following lines' indent, 10 x 11: a solid arrow pointing up at it
    {"LeftInd.png",
     {"....#.....",
      "...###....",
      "..#####...",
      ".#######..",
      "#########.",
      "...###....",
      "...###....",
      "...###....",
      "...###....",
      "...###....",
      "...###...."}},
    // the right indent, 9 x 12: a hollow arrow pointing up
    {"RightInd.png",
     {"....#....",
      "...#.#...",
      "..#...#..",
      ".#.....#.",
      "###...###",
      "..#...#..",
      "..#...#..",
      "..#...#..",
      "..#...#..",
      "..#...#..",
      "..#...#..",
      "..#####.."}},
};

QImage MarkerImage(const MarkerPicture& M)
{
    QImage image(static_cast<int>(std::strlen(M.Rows[0])), static_cast<int>(M.Rows.size()), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (M.Rows[y][x] == '#')
                image.setPixelColor(x, y, Ink);
    return image;
}

// The word library's chart tool bar.
const Draw WordPictures[4] = {
    // 0 line chart: a broken line over an axis
    [](QPainter& p) { p.setPen(Ink); p.drawLine(1, 1, 1, 14); p.drawLine(1, 14, 14, 14); p.setPen(QPen(Red, 2)); p.drawPolyline(QPolygon({QPoint(3, 11), QPoint(6, 6), QPoint(9, 9), QPoint(13, 3)})); },
    // 1 bar chart: horizontal red bars from an axis
    [](QPainter& p) { p.setPen(Ink); p.drawLine(1, 1, 1, 14); p.setBrush(Red); p.drawRect(2, 2, 11, 2); p.drawRect(2, 6, 8, 2); p.drawRect(2, 10, 5, 2); },
    // 2 a list of values
    [](QPainter& p) { Sheet(p, 2, 1, 11, 13); static const int r[4][2] = {{4, 11}, {4, 9}, {4, 11}, {4, 8}}; Lines(p, r, 4, 4); },
    // 3 three-dimensional view: a shaded cube
    [](QPainter& p) { p.setPen(Ink); p.setBrush(Silver); p.drawRect(2, 5, 8, 8); p.setBrush(Paper); p.drawPolygon(QPolygon({QPoint(2, 5), QPoint(6, 1), QPoint(14, 1), QPoint(10, 5)})); p.setBrush(Grey); p.drawPolygon(QPolygon({QPoint(10, 5), QPoint(14, 1), QPoint(14, 9), QPoint(10, 13)})); },
};

// Count pictures side by side.
QImage Strip(const Draw* Pictures, int Count)
{
    QImage strip(16 * Count, 16, QImage::Format_RGB32);
    strip.fill(Fuchsia);
    for (int i = 0; i < Count; ++i) {
        QImage cell(16, 16, QImage::Format_RGB32);
        cell.fill(Fuchsia);
        QPainter p(&cell);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setRenderHint(QPainter::TextAntialiasing, false);
        Pictures[i](p);
        p.end();
        QPainter s(&strip);
        s.drawImage(16 * i, 0, cell);
    }
    return strip;
}

// The window's icon: a speech balloon with the bars of a diagram.
QImage MainIcon()
{
    QImage icon(32, 32, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(Navy, 2));
    p.setBrush(Paper);
    p.drawRoundedRect(2, 2, 28, 22, 5, 5);
    p.drawPolygon(QPolygon({QPoint(8, 23), QPoint(8, 30), QPoint(15, 23)}));
    p.setPen(Qt::NoPen);
    const QColor bars[4] = {Red, Blue, Green, Maroon};
    const int heights[4] = {8, 14, 10, 5};
    for (int i = 0; i < 4; ++i) {
        p.setBrush(bars[i]);
        p.drawRect(7 + 5 * i, 20 - heights[i], 4, heights[i]);
    }
    p.end();
    return icon;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER [WORDLIB-FOLDER]\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    bool written = Strip(Pictures, 27).save(out.filePath(QStringLiteral("SmallImages.png")), "PNG")
        && MainIcon().save(out.filePath(QStringLiteral("MainIcon.png")), "PNG");
    for (const MarkerPicture& m : Markers)
        written = written && MarkerImage(m).save(out.filePath(QString::fromLatin1(m.File)), "PNG");
    if (argc > 2) {
        // The library's strip: 64 x 16, 8 bits per pixel.
        const QDir words(QString::fromLocal8Bit(argv[2]));
        written = written && Strip(WordPictures, 4).convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither)
                                 .save(words.filePath(QStringLiteral("WordImages.png")), "PNG");
    }
    return written ? 0 : 1;
}
