// The RTF writer: paragraphs with their runs, lists with their tables,
// tables row by row, pictures as PNG data.
#include "Rtf.h"

#include "RtfFonts.h"
#include "Win1251.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QTextBlock>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <optional>
#include <unordered_map>
#include <variant>
#include <vector>

namespace {

// The empty paragraph in which a table was inserted: only the table's opening
// mark is left of it.
bool OpensTable(const QTextBlock& Block)
{
    return Block.length() == 1 && Block.document()->characterAt(Block.position()).unicode() == 0xFDD0;
}

struct WriteProps {
    int font = 0, halfPoints = 24, color = 0;
    bool bold = false, italic = false, underline = false, strike = false;
    int script = 0; // 1 superscript, 2 subscript
    bool operator==(const WriteProps&) const = default;
};

struct FontEntry {
    QString family;
    QFont::StyleHint hint = QFont::AnyStyle;
    bool operator==(const FontEntry&) const = default;
};

// A level of a written list: the format of its first list (style, start)
// and the indents of its first item (twips).
struct LevelEntry {
    std::optional<QTextListFormat> format;
    int fi = 0, li = 0;
};

// A written list: one \ls with its levels. The editor's lists are one each;
// the lists read from one file's list are one together.
struct ListEntry {
    std::vector<LevelEntry> levels;
};
using ListKey = std::variant<int, const QTextList*>;

class Writer {
public:
    explicit Writer(const QTextDocument& Doc) : doc(Doc) {}
    QByteArray Write();

private:
    void Frame(const QTextFrame* frame, QByteArray& out);
    void Table(const QTextTable* table, QByteArray& out);
    void CellContent(QTextFrame::iterator it, QByteArray& out, bool& first);
    // A paragraph without its end: the caller writes \par or \cell.
    void Paragraph(const QTextBlock& block, bool inTable, QByteArray& out);
    void Picture(const QTextImageFormat& f, QByteArray& out);
    int FontIndex(const FontEntry& font);
    int ColorIndex(const QTextCharFormat& f);
    WriteProps Props(const QTextCharFormat& f);
    void EmitProps(const WriteProps& w, QByteArray& out);
    static void EmitText(QStringView s, QByteArray& out, bool inFontTable = false, bool symbol = false);
    int ItemNumber(const QTextList* list, const QTextBlock& block);
    int ListNumber(const QTextList* list, const QTextBlock& block, int& level);
    void ListTables(QByteArray& out) const;

    const QTextDocument& doc;
    std::vector<FontEntry> fonts;
    std::vector<QRgb> colors;
    std::map<ListKey, int> listNumbers; // \ls of each list written, from 1
    std::vector<ListEntry> listEntries;  // by \ls - 1
    std::optional<WriteProps> last;
    // Per list, the index of the item last numbered: the paragraphs come in
    // document order, which is the order of a list's items.
    std::unordered_map<const QTextList*, int> lastItem;
};

// The item's index in its list, as QTextList::itemNumber gives it, without
// searching the list from its start for every item.
int Writer::ItemNumber(const QTextList* list, const QTextBlock& block)
{
    int& i = lastItem[list];
    const int count = list->count();
    while (i < count && list->item(i) != block)
        ++i;
    if (i == count)
        i = list->itemNumber(block);
    return i;
}

int Writer::FontIndex(const FontEntry& font)
{
    auto it = std::find(fonts.begin(), fonts.end(), font);
    if (it == fonts.end()) {
        fonts.push_back(font);
        it = fonts.end() - 1;
    }
    return static_cast<int>(it - fonts.begin());
}

// The \ls of a list paragraph, and its level there; the first item of each
// level gives the level its format, start and indents.
int Writer::ListNumber(const QTextList* list, const QTextBlock& block, int& level)
{
    const QTextListFormat format = list->format();
    const int fileList = RtfListNumber(format);
    const ListKey key = fileList > 0 ? ListKey(fileList) : ListKey(list);
    auto [it, added] = listNumbers.try_emplace(key, static_cast<int>(listEntries.size()) + 1);
    if (added)
        listEntries.emplace_back();
    ListEntry& entry = listEntries[it->second - 1];
    level = fileList > 0 ? std::clamp(RtfListLevel(format), 0, 8) : 0;
    if (entry.levels.size() <= static_cast<size_t>(level))
        entry.levels.resize(level + 1);
    LevelEntry& l = entry.levels[level];
    if (!l.format) {
        const QTextBlockFormat bf = block.blockFormat();
        l = LevelEntry { format, RtfTwipsFromPixels(bf.textIndent()), RtfTwipsFromPixels(bf.leftMargin()) };
    }
    return it->second;
}

// The list table and the override table: a list per \ls, with the levels up
// to the deepest one used.
void Writer::ListTables(QByteArray& out) const
{
    if (listEntries.empty())
        return;
    out += "{\\*\\listtable";
    for (size_t i = 0; i < listEntries.size(); ++i) {
        out += "\r\n{\\list";
        const std::vector<LevelEntry>& levels = listEntries[i].levels;
        for (size_t n = 0; n < levels.size(); ++n) {
            // A level no item uses numbers from 1.
            const LevelEntry& l = levels[n];
            const QTextListFormat format = l.format.value_or(RtfListFormat(false));
            const QByteArray nfc = QByteArray::number(RtfNfcOfListStyle(format.style()));
            out += "{\\listlevel\\levelnfc" + nfc + "\\levelnfcn" + nfc + "\\leveljc0\\leveljcn0\\levelfollow0\\levelstartat"
                + QByteArray::number(RtfListStart(format));
            if (RtfIsBulletList(format))
                out += "{\\leveltext\\'01\\u8226 ?;}{\\levelnumbers;}";
            else
                out += "{\\leveltext\\'02\\'0" + QByteArray::number(static_cast<int>(n)) + ".;}{\\levelnumbers\\'01;}";
            out += "\\fi" + QByteArray::number(l.fi) + "\\li" + QByteArray::number(l.li) + '}';
        }
        out += "\\listid" + QByteArray::number(static_cast<int>(i) + 1) + '}';
    }
    out += "}\r\n{\\*\\listoverridetable";
    for (size_t i = 0; i < listEntries.size(); ++i) {
        const QByteArray n = QByteArray::number(static_cast<int>(i) + 1);
        out += "{\\listoverride\\listid" + n + "\\listoverridecount0\\ls" + n + '}';
    }
    out += "}\r\n";
}

int Writer::ColorIndex(const QTextCharFormat& f)
{
    if (f.foreground().style() == Qt::NoBrush)
        return 0;
    const QRgb rgb = f.foreground().color().rgb() & 0xFFFFFF;
    auto it = std::find(colors.begin(), colors.end(), rgb);
    if (it == colors.end()) {
        colors.push_back(rgb);
        it = colors.end() - 1;
    }
    return static_cast<int>(it - colors.begin()) + 1;
}

WriteProps Writer::Props(const QTextCharFormat& f)
{
    WriteProps w;
    const QStringList families = f.fontFamilies().toStringList();
    FontEntry font { !families.isEmpty() && !families.first().isEmpty() ? families.first() : doc.defaultFont().family() };
    if (f.hasProperty(QTextFormat::FontStyleHint))
        font.hint = f.fontStyleHint();
    w.font = FontIndex(font);
    qreal pt = f.fontPointSize();
    if (!(pt > 0)) {
        const QFont df = doc.defaultFont();
        pt = df.pointSizeF() > 0 ? df.pointSizeF() : df.pixelSize() > 0 ? df.pixelSize() * 0.75 : 12;
    }
    w.halfPoints = static_cast<int>(std::clamp<qreal>(std::round(pt * 2), 1, RtfMaxHalfPoints));
    w.color = ColorIndex(f);
    w.bold = f.fontWeight() > QFont::Medium;
    w.italic = f.fontItalic();
    w.underline = f.underlineStyle() != QTextCharFormat::NoUnderline;
    w.strike = f.fontStrikeOut();
    if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        w.script = 1;
    else if (f.verticalAlignment() == QTextCharFormat::AlignSubScript)
        w.script = 2;
    return w;
}

void Writer::EmitProps(const WriteProps& w, QByteArray& body)
{
    if (last && *last == w)
        return;
    // \plain alone does not end a raised or lowered run for every reader.
    if (last && last->script)
        body += "\\nosupersub";
    last = w;
    body += "\\plain\\f" + QByteArray::number(w.font) + "\\fs" + QByteArray::number(w.halfPoints);
    if (w.color)
        body += "\\cf" + QByteArray::number(w.color);
    if (w.bold)
        body += "\\b";
    if (w.italic)
        body += "\\i";
    if (w.underline)
        body += "\\ul";
    if (w.strike)
        body += "\\strike";
    if (w.script)
        body += w.script == 1 ? "\\super" : "\\sub";
    body += ' ';
}

// In the Symbol font a byte reads as the font's character, so every other
// character is written as its code.
void Writer::EmitText(QStringView s, QByteArray& out, bool inFontTable, bool symbol)
{
    // \uc1: one '?' after each escape for readers without Unicode
    const auto code = [&](char16_t c) { out += "\\u" + QByteArray::number(static_cast<int>(static_cast<int16_t>(c))) + '?'; };
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t c = s[i].unicode();
        if (symbol && c >= 0x20 && c != 0x2028 && c != 0x2029 && c != 0xFFFC
            && !(c < 0x80 && RtfSymbolChar(static_cast<unsigned char>(c)) == c)) {
            code(c);
        } else if (c == u'\\' || c == u'{' || c == u'}') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == u'\t' && !inFontTable) {
            out += "\\tab ";
        } else if ((c == 0x2028 || c == 0x2029) && !inFontTable) {
            out += "\\line ";
        } else if (c < 0x20 || c == 0xFFFC) {
            // control codes and object markers have no text to write
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (const unsigned char b = UnicodeToWin1251(c); b != '?') {
            static const char kHex[] = "0123456789abcdef";
            out += "\\'";
            out += kHex[b >> 4];
            out += kHex[b & 15];
        } else {
            code(c);
        }
    }
}

void Writer::Picture(const QTextImageFormat& f, QByteArray& out)
{
    const QVariant res = doc.resource(QTextDocument::ImageResource, QUrl(f.name()));
    QImage image;
    if (res.canConvert<QImage>())
        image = res.value<QImage>();
    if (image.isNull() && res.canConvert<QPixmap>())
        image = res.value<QPixmap>().toImage();
    if (image.isNull() && res.typeId() == QMetaType::QByteArray)
        image.loadFromData(res.toByteArray());
    if (image.isNull())
        return;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return;

    // Shown at the format's size (pixels of 1/96 inch), else the image's own,
    // never wider than the text.
    qreal w = f.width() > 0 ? f.width() : image.width();
    qreal h = f.height() > 0 ? f.height() : image.height();
    if (w * RtfTwipsPerPixel > RtfTextWidthTwips) {
        h = h * RtfTextWidthTwips / (w * RtfTwipsPerPixel);
        w = qreal(RtfTextWidthTwips) / RtfTwipsPerPixel;
    }
    out += "{\\pict\\pngblip\\picw" + QByteArray::number(image.width()) + "\\pich" + QByteArray::number(image.height())
        + "\\picwgoal" + QByteArray::number(RtfTwipsFromPixels(w)) + "\\pichgoal"
        + QByteArray::number(RtfTwipsFromPixels(h)) + "\r\n";
    const QByteArray hex = png.toHex();
    for (qsizetype i = 0; i < hex.size(); i += 128) {
        out += hex.mid(i, 128);
        out += "\r\n";
    }
    out += '}';
}

void Writer::Paragraph(const QTextBlock& block, bool inTable, QByteArray& out)
{
    const QTextBlockFormat bf = block.blockFormat();
    QByteArray para = inTable ? "\\pard\\intbl" : "\\pard";
    const Qt::Alignment a = bf.alignment() & Qt::AlignHorizontal_Mask;
    if (a & Qt::AlignJustify)
        para += "\\qj";
    else if (a & Qt::AlignHCenter)
        para += "\\qc";
    else if (a & (Qt::AlignRight | Qt::AlignTrailing))
        para += "\\qr";
    else
        para += "\\ql";
    // A list item's indents are its own, also where they are 0, rather than
    // its list level's.
    const QTextList* list = block.textList();
    if (const int fi = RtfTwipsFromPixels(bf.textIndent()); fi || list)
        para += "\\fi" + QByteArray::number(fi);
    if (const int li = RtfTwipsFromPixels(bf.leftMargin()); li || list)
        para += "\\li" + QByteArray::number(li);
    if (const int ri = RtfTwipsFromPixels(bf.rightMargin()))
        para += "\\ri" + QByteArray::number(ri);
    if (const int sb = RtfTwipsFromPixels(bf.topMargin()))
        para += "\\sb" + QByteArray::number(sb);
    if (const int sa = RtfTwipsFromPixels(bf.bottomMargin()))
        para += "\\sa" + QByteArray::number(sa);

    // Runs first, so that the numbering text can name the first run's font.
    QByteArray runs;
    int firstFont = -1;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment frag = it.fragment();
        if (!frag.isValid())
            continue;
        const WriteProps w = Props(frag.charFormat());
        if (firstFont < 0)
            firstFont = w.font;
        EmitProps(w, runs);
        if (frag.charFormat().isImageFormat()) {
            for (qsizetype i = 0; i < frag.length(); ++i)
                Picture(frag.charFormat().toImageFormat(), runs);
        } else {
            EmitText(frag.text(), runs, false, RtfIsSymbolFontName(fonts[w.font].family));
        }
    }
    // A raised paragraph mark shows nothing, and some readers lose the text
    // around a \super that a \par or \plain ends.
    WriteProps mark = Props(block.charFormat());
    mark.script = 0;
    if (firstFont < 0)
        firstFont = mark.font;
    EmitProps(mark, runs);

    if (list) {
        // The item's place in the list tables, and before the paragraph its
        // marker as text for readers without lists. No old paragraph
        // numbering beside it: readers that know both take that one.
        int level = 0;
        const int ls = ListNumber(list, block, level);
        para += "\\ls" + QByteArray::number(ls) + "\\ilvl" + QByteArray::number(level);
        const QTextListFormat format = list->format();
        out += "{\\listtext\\f" + QByteArray::number(firstFont) + ' ';
        if (RtfIsBulletList(format))
            out += "\\'95";
        else
            EmitText(RtfListItemText(format, ItemNumber(list, block)), out);
        out += "\\tab}";
    }
    // A control word before text needs its delimiter.
    if (!runs.startsWith('\\'))
        para += ' ';
    out += para;
    out += runs;
}

void Writer::Frame(const QTextFrame* frame, QByteArray& out)
{
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        if (const QTextFrame* child = it.currentFrame()) {
            if (const auto* table = qobject_cast<const QTextTable*>(child))
                Table(table, out);
            else
                Frame(child, out);
        } else if (const QTextBlock block = it.currentBlock(); block.isValid() && !OpensTable(block)) {
            Paragraph(block, false, out);
            out += "\\par\r\n";
        }
    }
}

// The paragraphs of a cell, nested frames flattened, each ended by \par but
// the last, which the caller ends with \cell.
void Writer::CellContent(QTextFrame::iterator it, QByteArray& out, bool& first)
{
    for (; !it.atEnd(); ++it) {
        if (const QTextFrame* child = it.currentFrame()) {
            CellContent(child->begin(), out, first);
        } else if (it.currentBlock().isValid()) {
            if (!first)
                out += "\\par\r\n";
            first = false;
            Paragraph(it.currentBlock(), true, out);
        }
    }
}

void Writer::Table(const QTextTable* table, QByteArray& out)
{
    const int columns = table->columns();
    if (columns < 1)
        return;
    const int width = RtfTextWidthTwips / columns;
    static const QByteArray kBorders = "\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10"
                                       "\\clbrdrb\\brdrs\\brdrw10\\clbrdrr\\brdrs\\brdrw10";
    for (int row = 0; row < table->rows(); ++row) {
        out += "\\trowd\\trgaph108\\trleft0";
        for (int col = 0; col < columns; ++col) {
            const QTextTableCell cell = table->cellAt(row, col);
            // Spanned cells: the first of a merge and the ones it covers.
            if (cell.columnSpan() > 1)
                out += cell.column() == col ? "\\clmgf" : "\\clmrg";
            if (cell.rowSpan() > 1)
                out += cell.row() == row ? "\\clvmgf" : "\\clvmrg";
            out += kBorders + "\\cellx" + QByteArray::number(width * (col + 1));
        }
        out += "\r\n";
        for (int col = 0; col < columns; ++col) {
            const QTextTableCell cell = table->cellAt(row, col);
            if (cell.row() == row && cell.column() == col) {
                bool first = true;
                CellContent(cell.begin(), out, first);
            } else {
                out += "\\pard\\intbl ";
            }
            out += "\\cell\r\n";
        }
        out += "\\row\r\n";
    }
}

QByteArray Writer::Write()
{
    FontIndex(FontEntry { doc.defaultFont().family() }); // \deff0
    QByteArray content;
    Frame(doc.rootFrame(), content);

    QByteArray out = "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl";
    for (size_t i = 0; i < fonts.size(); ++i) {
        const bool symbol = RtfIsSymbolFontName(fonts[i].family);
        out += "{\\f" + QByteArray::number(static_cast<int>(i)) + '\\' + RtfFamilyOfStyleHint(fonts[i].hint)
            + (symbol ? "\\fcharset2 " : "\\fcharset204 ");
        EmitText(fonts[i].family, out, true);
        out += ";}";
    }
    out += "}\r\n{\\colortbl ;";
    for (QRgb c : colors)
        out += "\\red" + QByteArray::number(qRed(c)) + "\\green" + QByteArray::number(qGreen(c))
            + "\\blue" + QByteArray::number(qBlue(c)) + ';';
    out += "}\r\n";
    ListTables(out);
    out += "\\uc1\r\n";
    out += content;
    out += "}\r\n";
    return out;
}

} // namespace

QByteArray WriteRtf(const QTextDocument& Doc)
{
    return Writer(Doc).Write();
}
