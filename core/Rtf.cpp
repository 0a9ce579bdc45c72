#include "Rtf.h"

#include "Win1251.h"

#include <QColor>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextList>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <cmath>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

QTextListFormat RtfListFormat(bool Bullets)
{
    QTextListFormat f;
    f.setStyle(Bullets ? QTextListFormat::ListDisc : QTextListFormat::ListDecimal);
    f.setIndent(1);
    return f;
}

bool RtfIsBulletList(const QTextListFormat& Format)
{
    const QTextListFormat::Style style = Format.style();
    return style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle
        || style == QTextListFormat::ListSquare;
}

int RtfTwipsFromPixels(qreal Pixels)
{
    const qreal t = std::round(Pixels * RtfTwipsPerPixel);
    if (!(t > INT_MIN))
        return INT_MIN;
    if (!(t < INT_MAX))
        return INT_MAX;
    return static_cast<int>(t);
}

namespace {

// ---------------------------------------------------------------------------
// Code pages

using ByteTable = std::array<char16_t, 256>;
constexpr int SymbolCodePage = -1; // bytes stand for themselves

// 0x80..0x9F of Windows-1252; the rest is Latin-1. Unassigned codes keep their
// C1 control value.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

ByteTable MakeTable(int CodePage)
{
    ByteTable t;
    for (int b = 0; b < 256; ++b)
        t[b] = static_cast<char16_t>(b);
    if (CodePage == 1251) {
        for (int b = 0x80; b < 256; ++b)
            t[b] = Win1251ToUnicode(static_cast<unsigned char>(b));
        return t;
    }
    if (CodePage == 1252) {
        for (int b = 0x80; b < 0xA0; ++b)
            t[b] = kCp1252High[b - 0x80];
        return t;
    }
    if (CodePage == SymbolCodePage)
        return t;
    // Other single-byte code pages through the converters Qt was built with;
    // where none answers, Latin-1 keeps the text readable.
    QByteArray name;
    if (CodePage >= 1250 && CodePage <= 1258)
        name = "windows-" + QByteArray::number(CodePage);
    else if (CodePage == 10000)
        name = "macintosh";
    else if (CodePage == 874)
        name = "windows-874";
    else if (CodePage == 437 || CodePage == 850 || CodePage == 866)
        name = "IBM" + QByteArray::number(CodePage);
    if (name.isEmpty())
        return t;
    QStringDecoder dec(name.constData());
    if (!dec.isValid())
        return t;
    for (int b = 0x80; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        const QString s = dec.decode(QByteArrayView(&byte, 1));
        dec.resetState();
        if (s.size() == 1)
            t[b] = s.at(0).unicode();
    }
    return t;
}

const ByteTable& TableFor(int CodePage)
{
    static std::map<int, ByteTable> tables;
    auto it = tables.find(CodePage);
    if (it == tables.end())
        it = tables.emplace(CodePage, MakeTable(CodePage)).first;
    return it->second;
}

// \fcharset to code page; 0 means the document's code page.
int CodePageOfCharset(int Charset)
{
    switch (Charset) {
    case 0: return 1252;
    case 2: return SymbolCodePage;
    case 77: return 10000;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 255: return 437;
    default: return 0;
    }
}

// ---------------------------------------------------------------------------
// Reader

enum class Dest : unsigned char {
    Text, Skip, FontTable, ColorTable, ListTable, List, ListLevel, OverrideTable, Override, Pn,
};
enum class ListKind : unsigned char { None, Bullet, Number };

struct CharProps {
    int font = -1; // -1: the document's default font
    int halfPoints = 24;
    int color = 0; // 0: automatic
    bool bold = false, italic = false, underline = false, strike = false, hidden = false;
    bool operator==(const CharProps&) const = default;
};

struct ParaProps {
    int align = 0; // 0 left, 1 centre, 2 right, 3 justified
    int fi = 0, li = 0, ri = 0;
    ListKind pn = ListKind::None; // from a {\*\pn ...} group
    int ls = 0, ilvl = 0;         // from the list tables
};

struct State {
    Dest dest = Dest::Text;
    int uc = 1;
    int pnOwner = -1; // stack index of the state a \pn group describes
    CharProps chr;
    ParaProps para;
};

struct Run {
    CharProps chr;
    QString text;
};

struct Para {
    ParaProps para;
    CharProps mark; // character properties of the paragraph mark
    std::vector<Run> runs;
};

struct FontDef {
    QString name;
    int codePage = 0;
};

struct ListDef {
    int id = 0;
    std::vector<int> nfc; // number format of each level; 23 is a bullet
};

// Groups nested deeper than this share their parent's state: formatting
// inside them leaks outward, but the stack stays bounded.
constexpr size_t kMaxDepth = 4096;
// Range checks on what a file may ask for.
constexpr int kMaxIndent = 31680; // 22 inches in twips

bool IsLetter(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
int HexValue(unsigned char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Destinations whose content is not document text.
bool IsSkippedDestination(const std::string& w)
{
    static const char* const kNames[] = {
        "stylesheet", "info", "pict", "object", "objdata", "result", "header", "headerl", "headerr",
        "headerf", "footer", "footerl", "footerr", "footerf", "footnote", "annotation", "atnid",
        "atnauthor", "fldinst", "pntext", "listtext", "pnseclvl", "pntxtb", "pntxta", "shp", "shpinst",
        "shptxt", "shppict", "nonshppict", "sp", "sn", "sv", "xe", "tc", "txe", "rxe", "bkmkstart",
        "bkmkend", "themedata", "colorschememapping", "latentstyles", "datastore", "xmlnstbl",
        "rsidtbl", "generator", "revtbl", "filetbl", "userprops", "docvar", "template", "private",
        "fchars", "lchars", "pgdsctbl", "comment", "title", "author", "operator", "subject",
        "keywords", "doccomm", "company", "manager", "category", "hlinkbase", "buptim", "creatim",
        "printim", "revtim", "mmathPr", "ftnsep", "ftnsepc", "ftncn", "aftnsep", "aftnsepc",
        "aftncn", "falt", "panose", "blipuid", "listpicture", "do", "background", "protusertbl",
    };
    for (const char* n : kNames)
        if (w == n)
            return true;
    return false;
}

bool IsUnderlineOn(const std::string& w)
{
    static const char* const kNames[] = {
        "ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave", "ulldash", "ulth",
        "ulthd", "ulthdash", "ulthdashd", "ulthdashdd", "ulthldash", "ululdbwave", "ulw", "ulwave",
    };
    for (const char* n : kNames)
        if (w == n)
            return true;
    return false;
}

class Reader {
public:
    Reader(const unsigned char* Begin, const unsigned char* End) : p(Begin), end(End) {}

    void Parse();
    void Build(QTextDocument& Doc) const;

private:
    State& Top() { return stack.back(); }
    void Push();
    void Pop();
    void Control();
    void Word(const std::string& w, bool hasParam, int param);
    void TextByte(unsigned char b);
    void TextChar(char16_t c);
    void EndParagraph();
    void Finish();
    void CommitFontName();
    int CodePage();
    ListKind Resolve(const ParaProps& pp) const;
    QTextCharFormat Format(const CharProps& c) const;

    const unsigned char* p;
    const unsigned char* end;
    std::vector<State> stack;
    size_t excess = 0;  // groups beyond kMaxDepth
    bool fresh = false; // nothing yet since the group opened
    bool star = false;  // \* seen at the group's start
    int skipChars = 0;  // fallback characters still to drop after \uN
    bool done = false;

    int docCodePage = 1252;
    int defFont = 0;
    std::map<int, FontDef> fonts;
    int tableFont = -1;
    QString pendingName;
    std::vector<std::optional<QColor>> colors;
    int red = 0, green = 0, blue = 0;
    bool colorSet = false;
    std::vector<ListDef> lists;
    std::vector<std::pair<int, int>> overrides; // \ls number, list id

    std::vector<Para> paras;
    Para cur;
};

void Reader::Push()
{
    skipChars = 0;
    if (stack.size() >= kMaxDepth)
        ++excess;
    else
        stack.push_back(stack.back());
    fresh = true;
    star = false;
}

void Reader::Pop()
{
    skipChars = 0;
    fresh = false;
    star = false;
    if (excess > 0) {
        --excess;
        return;
    }
    if (Top().dest == Dest::FontTable)
        CommitFontName();
    if (stack.size() == 2) {
        // The document group closes: what follows it is not read.
        Finish();
        done = true;
        return;
    }
    stack.pop_back();
}

void Reader::Parse()
{
    stack.push_back(State {});
    while (p < end && !done) {
        const unsigned char c = *p++;
        switch (c) {
        case '{':
            Push();
            break;
        case '}':
            if (stack.size() > 1)
                Pop();
            break;
        case '\\':
            Control();
            break;
        case '\r':
        case '\n':
        case 0:
            break;
        case '\t':
            star = false;
            fresh = false;
            skipChars = 0;
            if (Top().dest == Dest::Text)
                TextChar(u'\t');
            break;
        default:
            star = false;
            fresh = false;
            TextByte(c);
            break;
        }
    }
    if (!done)
        Finish(); // a truncated file keeps what it held
}

void Reader::Control()
{
    if (p >= end)
        return;
    if (IsLetter(*p)) {
        std::string w;
        while (p < end && IsLetter(*p)) {
            if (w.size() < 32)
                w += static_cast<char>(*p);
            ++p;
        }
        bool hasParam = false;
        bool negative = false;
        long long v = 0;
        if (p + 1 < end && *p == '-' && IsDigit(p[1])) {
            negative = true;
            ++p;
        }
        while (p < end && IsDigit(*p)) {
            hasParam = true;
            if (v <= INT_MAX)
                v = v * 10 + (*p - '0');
            ++p;
        }
        if (p < end && *p == ' ')
            ++p;
        if (negative)
            v = -v;
        const int param = static_cast<int>(std::clamp<long long>(v, INT_MIN + 1, INT_MAX));
        Word(w, hasParam, param);
        return;
    }
    const unsigned char c = *p++;
    if (c == '\'') {
        // A byte in hex; an escape without two hex digits is dropped.
        if (p + 1 < end && HexValue(p[0]) >= 0 && HexValue(p[1]) >= 0) {
            const int b = HexValue(p[0]) * 16 + HexValue(p[1]);
            p += 2;
            star = false;
            fresh = false;
            TextByte(static_cast<unsigned char>(b));
        }
        return;
    }
    if (c == '*') {
        star = true;
        return;
    }
    star = false;
    fresh = false;
    if (c == '\\' || c == '{' || c == '}') {
        TextByte(c);
        return;
    }
    skipChars = 0;
    if (Top().dest != Dest::Text)
        return;
    switch (c) {
    case '~': TextChar(0x00A0); break;
    case '_': TextChar(0x2011); break;
    case '-': TextChar(0x00AD); break;
    case '\r':
    case '\n': EndParagraph(); break;
    default: break;
    }
}

void Reader::Word(const std::string& w, bool hasParam, int param)
{
    const bool atStart = fresh;
    const bool starred = star;
    fresh = false;
    star = false;
    skipChars = 0;
    State& s = Top();

    if (w == "bin") {
        // Raw bytes follow; they are never text.
        const long long n = hasParam && param > 0 ? param : 0;
        p += std::min<long long>(n, end - p);
        return;
    }
    if (s.dest == Dest::Skip)
        return;

    if (atStart) {
        Dest d = Dest::Text;
        bool known = true;
        if (w == "fonttbl")
            d = Dest::FontTable;
        else if (w == "colortbl")
            d = Dest::ColorTable;
        else if (w == "listtable")
            d = Dest::ListTable;
        else if (w == "listoverridetable")
            d = Dest::OverrideTable;
        else if (w == "list" && s.dest == Dest::ListTable)
            d = Dest::List;
        else if (w == "listlevel" && s.dest == Dest::List)
            d = Dest::ListLevel;
        else if (w == "listoverride" && s.dest == Dest::OverrideTable)
            d = Dest::Override;
        else if (w == "pn" && s.dest == Dest::Text)
            d = Dest::Pn;
        else if (IsSkippedDestination(w))
            d = Dest::Skip;
        else
            known = false;
        if (!known && starred) {
            s.dest = Dest::Skip;
            return;
        }
        if (known) {
            if (d == Dest::List)
                lists.push_back(ListDef {});
            else if (d == Dest::ListLevel && !lists.empty())
                lists.back().nfc.push_back(0);
            else if (d == Dest::Override)
                overrides.emplace_back(0, 0);
            else if (d == Dest::Pn)
                s.pnOwner = static_cast<int>(stack.size()) - 2;
            else if (d == Dest::FontTable)
                tableFont = -1;
            else if (d == Dest::ColorTable) {
                colors.clear();
                colorSet = false;
                red = green = blue = 0;
            }
            s.dest = d;
            return;
        }
    } else if (starred) {
        s.dest = Dest::Skip;
        return;
    }

    const auto on = [&] { return !hasParam || param != 0; };

    switch (s.dest) {
    case Dest::FontTable:
        if (w == "f") {
            CommitFontName();
            tableFont = param;
            fonts[tableFont];
        } else if (w == "fcharset" && fonts.count(tableFont)) {
            fonts[tableFont].codePage = CodePageOfCharset(param);
        } else if (w == "cpg" && fonts.count(tableFont)) {
            fonts[tableFont].codePage = param;
        } else if (w == "u" && hasParam) {
            const int u = param < 0 ? param + 65536 : param;
            if (u >= 0x20 && u <= 0xFFFF)
                pendingName += QChar(static_cast<char16_t>(u));
            skipChars = s.uc;
        } else if (w == "uc") {
            s.uc = std::clamp(param, 0, 16);
        }
        return;
    case Dest::ColorTable:
        if (w == "red") { red = std::clamp(param, 0, 255); colorSet = true; }
        else if (w == "green") { green = std::clamp(param, 0, 255); colorSet = true; }
        else if (w == "blue") { blue = std::clamp(param, 0, 255); colorSet = true; }
        return;
    case Dest::List:
        if (w == "listid" && !lists.empty())
            lists.back().id = param;
        return;
    case Dest::ListLevel:
        if ((w == "levelnfc" || w == "levelnfcn") && !lists.empty() && !lists.back().nfc.empty())
            lists.back().nfc.back() = param;
        return;
    case Dest::Override:
        if (!overrides.empty()) {
            if (w == "listid")
                overrides.back().second = param;
            else if (w == "ls")
                overrides.back().first = param;
        }
        return;
    case Dest::Pn:
        if (s.pnOwner >= 0 && s.pnOwner < static_cast<int>(stack.size())) {
            ParaProps& owner = stack[s.pnOwner].para;
            if (w == "pnlvlblt")
                owner.pn = ListKind::Bullet;
            else if (w == "pnlvlbody" || w == "pnlvl")
                owner.pn = ListKind::Number;
            else if (w == "pnlvlcont")
                owner.pn = ListKind::None;
        }
        return;
    case Dest::ListTable:
    case Dest::OverrideTable:
    case Dest::Skip:
        return;
    case Dest::Text:
        break;
    }

    CharProps& c = s.chr;
    ParaProps& pp = s.para;
    // Paragraph and line structure, special characters.
    if (w == "par" || w == "row" || w == "nestrow" || w == "page") EndParagraph();
    else if (w == "line") TextChar(0x2028);
    else if (w == "tab" || w == "cell" || w == "nestcell") TextChar(u'\t');
    else if (w == "emdash") TextChar(0x2014);
    else if (w == "endash") TextChar(0x2013);
    else if (w == "emspace") TextChar(0x2003);
    else if (w == "enspace") TextChar(0x2002);
    else if (w == "qmspace") TextChar(0x2005);
    else if (w == "bullet") TextChar(0x2022);
    else if (w == "lquote") TextChar(0x2018);
    else if (w == "rquote") TextChar(0x2019);
    else if (w == "ldblquote") TextChar(0x201C);
    else if (w == "rdblquote") TextChar(0x201D);
    else if (w == "u") {
        if (hasParam && param >= -32768 && param <= 65535)
            TextChar(static_cast<char16_t>(param < 0 ? param + 65536 : param));
        skipChars = s.uc;
    } else if (w == "uc") s.uc = std::clamp(param, 0, 16);
    // Character properties.
    else if (w == "plain") c = CharProps {};
    else if (w == "f") c.font = param;
    else if (w == "fs") {
        if (hasParam && param >= 1 && param <= RtfMaxHalfPoints)
            c.halfPoints = param;
    } else if (w == "cf") c.color = std::max(param, 0);
    else if (w == "b") c.bold = on();
    else if (w == "i") c.italic = on();
    else if (IsUnderlineOn(w)) c.underline = on();
    else if (w == "ulnone") c.underline = false;
    else if (w == "strike" || w == "striked") c.strike = on();
    else if (w == "v") c.hidden = on();
    // Paragraph properties.
    else if (w == "pard") pp = ParaProps {};
    else if (w == "ql") pp.align = 0;
    else if (w == "qc") pp.align = 1;
    else if (w == "qr") pp.align = 2;
    else if (w == "qj" || w == "qd") pp.align = 3;
    else if (w == "fi") pp.fi = std::clamp(param, -kMaxIndent, kMaxIndent);
    else if (w == "li" || w == "lin") pp.li = std::clamp(param, -kMaxIndent, kMaxIndent);
    else if (w == "ri" || w == "rin") pp.ri = std::clamp(param, -kMaxIndent, kMaxIndent);
    else if (w == "ls") pp.ls = param;
    else if (w == "ilvl") pp.ilvl = std::clamp(param, 0, 8);
    // Document properties.
    else if (w == "ansi") docCodePage = 1252;
    else if (w == "ansicpg" && hasParam) docCodePage = param;
    else if (w == "mac") docCodePage = 10000;
    else if (w == "pc") docCodePage = 437;
    else if (w == "pca") docCodePage = 850;
    else if (w == "deff") defFont = param;
}

int Reader::CodePage()
{
    const State& s = Top();
    int f = s.dest == Dest::FontTable ? tableFont : (s.chr.font < 0 ? defFont : s.chr.font);
    const auto it = fonts.find(f);
    if (it != fonts.end() && it->second.codePage != 0)
        return it->second.codePage;
    return docCodePage;
}

void Reader::TextByte(unsigned char b)
{
    State& s = Top();
    if (skipChars > 0) {
        --skipChars;
        return;
    }
    switch (s.dest) {
    case Dest::Text:
        TextChar(b < 0x80 ? b : TableFor(CodePage())[b]);
        return;
    case Dest::FontTable:
        if (b == ';')
            CommitFontName();
        else if (b >= 0x20 && fonts.count(tableFont))
            pendingName += QChar(b < 0x80 ? b : TableFor(CodePage())[b]);
        return;
    case Dest::ColorTable:
        if (b == ';') {
            if (colorSet)
                colors.emplace_back(QColor(red, green, blue));
            else
                colors.emplace_back(std::nullopt);
            red = green = blue = 0;
            colorSet = false;
        }
        return;
    default:
        return;
    }
}

void Reader::TextChar(char16_t c)
{
    const State& s = Top();
    if (s.chr.hidden)
        return;
    if (c == 0x2029 || c == u'\r' || c == u'\n')
        c = 0x2028; // a paragraph break only comes from \par
    else if ((c < 0x20 && c != u'\t') || c == 0xFFFC)
        return; // control codes and object markers are not text
    if (cur.runs.empty() || !(cur.runs.back().chr == s.chr))
        cur.runs.push_back(Run { s.chr, {} });
    cur.runs.back().text += QChar(c);
}

void Reader::EndParagraph()
{
    const State& s = Top();
    if (done)
        return;
    cur.para = s.para;
    cur.mark = s.chr;
    paras.push_back(std::move(cur));
    cur = Para {};
}

// Text after the last \par is a paragraph of its own; a final \par with
// nothing after it ends the last paragraph and opens none.
void Reader::Finish()
{
    if (!cur.runs.empty())
        EndParagraph();
}

void Reader::CommitFontName()
{
    if (fonts.count(tableFont)) {
        const QString name = pendingName.trimmed();
        if (!name.isEmpty())
            fonts[tableFont].name = name;
    }
    pendingName.clear();
}

ListKind Reader::Resolve(const ParaProps& pp) const
{
    if (pp.ls <= 0)
        return pp.pn;
    for (const auto& [ls, id] : overrides) {
        if (ls != pp.ls)
            continue;
        for (const ListDef& l : lists) {
            if (l.id != id)
                continue;
            if (static_cast<size_t>(pp.ilvl) >= l.nfc.size())
                return ListKind::Bullet;
            const int nfc = l.nfc[pp.ilvl];
            if (nfc == 23)
                return ListKind::Bullet;
            return nfc == 255 ? ListKind::None : ListKind::Number;
        }
    }
    return ListKind::Bullet;
}

QTextCharFormat Reader::Format(const CharProps& c) const
{
    QTextCharFormat f;
    const auto it = fonts.find(c.font < 0 ? defFont : c.font);
    if (it != fonts.end() && !it->second.name.isEmpty())
        f.setFontFamilies(QStringList { it->second.name });
    f.setFontPointSize(c.halfPoints / 2.0);
    f.setFontWeight(c.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(c.italic);
    f.setFontUnderline(c.underline);
    f.setFontStrikeOut(c.strike);
    if (c.color > 0 && static_cast<size_t>(c.color) < colors.size() && colors[c.color])
        f.setForeground(*colors[c.color]);
    return f;
}

// Unpaired surrogates become U+FFFD: the layout must not see half a character.
QString Sanitized(const QString& s)
{
    QString out = s;
    for (qsizetype i = 0; i < out.size(); ++i) {
        const QChar c = out.at(i);
        if (c.isHighSurrogate() && i + 1 < out.size() && out.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            out[i] = QChar(QChar::ReplacementCharacter);
    }
    return out;
}

// Adding a paragraph to a list costs the text engine time in proportion to
// the list's length, so a long run of bulleted paragraphs is built as several
// lists of at most this many: its bullets look the same, and the building
// stays linear. Numbered lists stay whole, or their numbers would start again.
constexpr int kBulletListRun = 256;

void Reader::Build(QTextDocument& Doc) const
{
    const bool undo = Doc.isUndoRedoEnabled();
    Doc.setUndoRedoEnabled(false);
    Doc.clear();
    QTextCursor cursor(&Doc);
    cursor.beginEditBlock();
    QTextList* list = nullptr;
    ListKind listKind = ListKind::None;
    bool first = true;
    for (const Para& para : paras) {
        QTextBlockFormat bf;
        static constexpr Qt::Alignment kAlign[] = { Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight, Qt::AlignJustify };
        bf.setAlignment(kAlign[para.para.align]);
        bf.setTextIndent(RtfPixelsFromTwips(para.para.fi));
        bf.setLeftMargin(RtfPixelsFromTwips(para.para.li));
        bf.setRightMargin(RtfPixelsFromTwips(para.para.ri));
        const QTextCharFormat mark = Format(para.mark);
        if (first) {
            cursor.setBlockFormat(bf);
            cursor.setBlockCharFormat(mark);
            first = false;
        } else {
            cursor.insertBlock(bf, mark);
        }
        const ListKind kind = Resolve(para.para);
        if (kind == ListKind::None) {
            list = nullptr;
        } else if (list && kind == listKind && (kind != ListKind::Bullet || list->count() < kBulletListRun)) {
            list->add(cursor.block());
        } else {
            list = cursor.createList(RtfListFormat(kind == ListKind::Bullet));
        }
        listKind = kind;
        for (const Run& r : para.runs)
            cursor.insertText(Sanitized(r.text), Format(r.chr));
        if (para.runs.empty())
            cursor.setCharFormat(mark);
    }
    cursor.endEditBlock();
    Doc.setUndoRedoEnabled(undo);
}

} // namespace

RtfLoad ReadRtf(const QByteArray& Data, QTextDocument& Doc)
{
    const auto* b = reinterpret_cast<const unsigned char*>(Data.constData());
    const auto* e = b + Data.size();
    const auto* p = b;
    while (p < e && (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n' || *p == '\f' || *p == '\v'))
        ++p;
    static const char kHead[] = "{\\rtf";
    if (e - p < 5 || !std::equal(kHead, kHead + 5, p))
        return RtfLoad::NotRtf;
    // "{\rtf" must be the control word \rtf (with or without its version).
    if (p + 5 < e && IsLetter(p[5]))
        return RtfLoad::Failed;
    Reader reader(p, e);
    reader.Parse();
    reader.Build(Doc);
    return RtfLoad::Loaded;
}
