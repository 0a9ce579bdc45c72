#include "Rtf.h"

#include "RtfFonts.h"

#include <QColor>
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

enum class Dest : unsigned char {
    Text, Skip, FontTable, ColorTable, ListTable, List, ListLevel, OverrideTable, Override, OverrideLevel, Pn,
};
enum class PnKind : unsigned char { None, Bullet, Number };

struct CharProps {
    int font = -1; // -1: the document's default font
    int halfPoints = 24;
    int color = 0; // 0: automatic
    bool bold = false, italic = false, underline = false, strike = false, hidden = false;
    unsigned char script = 0; // 0 on the line, 1 superscript, 2 subscript
    bool operator==(const CharProps&) const = default;
};

struct ParaProps {
    int align = 0; // 0 left, 1 centre, 2 right, 3 justified
    int fi = 0, li = 0, ri = 0, sb = 0, sa = 0;
    bool fiSet = false, liSet = false; // else the list level's indents apply
    PnKind pn = PnKind::None;          // from a {\*\pn ...} group
    int pnNfc = 0, pnStart = 1;
    int ls = 0, ilvl = 0; // from the list tables
};

struct State {
    Dest dest = Dest::Text;
    bool note = false; // text of a footnote
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
    int charsetCodePage = 0; // from \fcharset or \cpg; 0: the document's
    int codePage = 0;        // with the name taken into account (the Symbol font)
    QFont::StyleHint hint = QFont::AnyStyle;
};

struct LevelDef {
    int nfc = 0;
    int start = 1;
    int fi = 0, li = 0;
    bool fiSet = false, liSet = false;
};

struct ListDef {
    int id = 0;
    std::vector<LevelDef> levels;
};

struct OverrideDef {
    int ls = 0, listId = 0;
    std::vector<std::optional<int>> starts; // per level, a start of this \ls's own
    bool startAt = false;                   // \listoverridestartat in the open \lfolevel
};

// What a paragraph's list properties come to. Style undefined: no list.
struct ListPlace {
    QTextListFormat::Style style = QTextListFormat::ListStyleUndefined;
    int start = 1;
    int ls = 0, level = 0; // ls 0: the old paragraph numbering
    const LevelDef* levelDef = nullptr;
};

// Groups nested deeper than this share their parent's state: formatting
// inside them leaks outward, but the stack stays bounded.
constexpr size_t kMaxDepth = 4096;
// Range checks on what a file may ask for.
constexpr int kMaxIndent = 31680; // 22 inches in twips
constexpr int kMaxLevels = 9;
constexpr int kNoNumberNfc = 255;
// The old paragraph numbering's words for the number formats 0..4.
const char* const kPnNumberWords[] = { "pndec", "pnucrm", "pnlcrm", "pnucltr", "pnlcltr" };
// The line above the footnotes.
constexpr int kNoteSeparatorLength = 20;

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
        "headerf", "footer", "footerl", "footerr", "footerf", "annotation", "atnid",
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
    bool Destination(const std::string& w);
    void PropertyWord(const std::string& w, bool hasParam, int param);
    void TextByte(unsigned char b);
    void Decoded(char16_t c);
    void FlushLead();
    void TextChar(char16_t c);
    void NoteNumber(int n);
    void EndParagraph() { EndParagraph(Top().note); }
    void EndParagraph(bool Note);
    void EndNote();
    void Finish();
    void CommitFontName();
    int CodePage();
    QTextCharFormat Format(const CharProps& c) const;
    QString Text(const Run& r) const;

    const unsigned char* p;
    const unsigned char* end;
    std::vector<State> stack;
    size_t excess = 0;  // groups beyond kMaxDepth
    bool fresh = false; // nothing yet since the group opened
    bool star = false;  // \* seen at the group's start
    int skipChars = 0;  // fallback characters still to drop after \uN
    unsigned char lead = 0; // a double-byte character's first byte, waiting for its second
    // The byte table of the code page last decoded.
    int tableCodePage = INT_MIN;
    const RtfByteTable* table = nullptr;
    bool doubleByte = false;
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
    std::vector<OverrideDef> overrides;

    std::vector<Para> paras;
    Para cur;
    // Footnotes: their paragraphs go to the end of the document.
    int noteCount = 0;
    std::vector<Para> notes;
    Para noteCur;
};

void Reader::Push()
{
    FlushLead();
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
    FlushLead();
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
    if (Top().note && !stack[stack.size() - 2].note)
        EndNote();
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
            FlushLead();
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
        FlushLead();
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
    if (c == '\\' || c == '{' || c == '}') {
        // Also the second byte of a double-byte character.
        star = false;
        fresh = false;
        TextByte(c);
        return;
    }
    FlushLead();
    if (c == '*') {
        star = true;
        return;
    }
    star = false;
    fresh = false;
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

// A group's first control word may name its destination. True when it did.
bool Reader::Destination(const std::string& w)
{
    State& s = Top();
    Dest d;
    if (w == "fonttbl") {
        d = Dest::FontTable;
        tableFont = -1;
    } else if (w == "colortbl") {
        d = Dest::ColorTable;
        colors.clear();
        colorSet = false;
        red = green = blue = 0;
    } else if (w == "listtable") {
        d = Dest::ListTable;
    } else if (w == "listoverridetable") {
        d = Dest::OverrideTable;
    } else if (w == "list" && s.dest == Dest::ListTable) {
        d = Dest::List;
        lists.push_back(ListDef {});
    } else if (w == "listlevel" && s.dest == Dest::List) {
        // Levels past the ninth are read into a scratch level.
        d = Dest::ListLevel;
        if (lists.back().levels.size() <= kMaxLevels)
            lists.back().levels.push_back(LevelDef {});
    } else if (w == "listoverride" && s.dest == Dest::OverrideTable) {
        d = Dest::Override;
        overrides.push_back(OverrideDef {});
    } else if (w == "lfolevel" && s.dest == Dest::Override) {
        d = Dest::OverrideLevel;
        OverrideDef& o = overrides.back();
        if (o.starts.size() <= kMaxLevels)
            o.starts.emplace_back();
        o.startAt = false;
    } else if (w == "pn" && s.dest == Dest::Text) {
        d = Dest::Pn;
        s.pnOwner = static_cast<int>(stack.size()) - 2;
    } else if (w == "fldrslt") {
        d = s.dest; // a field's result is text, whether starred or not
    } else if (w == "footnote" && s.dest == Dest::Text) {
        // A footnote (or an endnote) numbers on from the notes before it and
        // starts with plain characters, not its reference mark's; a note
        // within a note is part of it.
        d = Dest::Text;
        if (!s.note) {
            ++noteCount;
            s.chr = CharProps {};
        }
        s.note = true;
    } else if (IsSkippedDestination(w)) {
        d = Dest::Skip;
    } else {
        return false;
    }
    s.dest = d;
    return true;
}

void Reader::Word(const std::string& w, bool hasParam, int param)
{
    const bool atStart = fresh;
    const bool starred = star;
    fresh = false;
    star = false;
    skipChars = 0;

    if (w == "bin") {
        // Raw bytes follow; they are never text.
        const long long n = hasParam && param > 0 ? param : 0;
        p += std::min<long long>(n, end - p);
        return;
    }
    if (Top().dest == Dest::Skip)
        return;
    if (atStart && Destination(w))
        return;
    if (starred) {
        // An unknown starred destination, or \* inside a group
        Top().dest = Dest::Skip;
        return;
    }
    PropertyWord(w, hasParam, param);
}

void Reader::PropertyWord(const std::string& w, bool hasParam, int param)
{
    State& s = Top();
    const auto on = [&] { return !hasParam || param != 0; };
    const auto indent = [&] { return std::clamp(param, -kMaxIndent, kMaxIndent); };
    const auto start = [&] { return std::clamp(param, 0, RtfMaxListStart); };

    switch (s.dest) {
    case Dest::FontTable:
        if (w == "f") {
            CommitFontName();
            tableFont = param;
            fonts[tableFont];
        } else if (fonts.count(tableFont) && (w == "fcharset" || (w == "cpg" && param > 0))) {
            FontDef& f = fonts[tableFont];
            f.charsetCodePage = w == "cpg" ? param : RtfCodePageOfCharset(param);
            f.codePage = RtfFontCodePage(f.charsetCodePage, f.name);
        } else if (const QFont::StyleHint hint = RtfStyleHintOfFamily(w);
                   hint != QFont::AnyStyle && fonts.count(tableFont)) {
            fonts[tableFont].hint = hint;
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
        if (w == "listid")
            lists.back().id = param;
        return;
    case Dest::ListLevel:
        if (LevelDef* level = lists.back().levels.empty() ? nullptr : &lists.back().levels.back()) {
            if (w == "levelnfc" || w == "levelnfcn")
                level->nfc = param;
            else if (w == "levelstartat")
                level->start = start();
            else if (w == "fi")
                level->fi = indent(), level->fiSet = true;
            else if (w == "li" || w == "lin")
                level->li = indent(), level->liSet = true;
        }
        return;
    case Dest::Override:
        if (w == "listid")
            overrides.back().listId = param;
        else if (w == "ls")
            overrides.back().ls = param;
        return;
    case Dest::OverrideLevel: {
        OverrideDef& o = overrides.back();
        if (w == "listoverridestartat")
            o.startAt = true;
        else if (w == "levelstartat" && o.startAt && !o.starts.empty())
            o.starts.back() = start();
        return;
    }
    case Dest::Pn:
        if (s.pnOwner >= 0 && s.pnOwner < static_cast<int>(stack.size())) {
            ParaProps& owner = stack[s.pnOwner].para;
            if (w == "pnlvlblt")
                owner.pn = PnKind::Bullet;
            else if (w == "pnlvlbody" || w == "pnlvl")
                owner.pn = PnKind::Number;
            else if (w == "pnlvlcont")
                owner.pn = PnKind::None;
            else if (w == "pnstart")
                owner.pnStart = start();
            else if (w == "pnord" || w == "pncard" || w == "pnordt")
                owner.pnNfc = 0;
            else if (const auto* it = std::find(std::begin(kPnNumberWords), std::end(kPnNumberWords), w);
                     it != std::end(kPnNumberWords))
                owner.pnNfc = static_cast<int>(it - std::begin(kPnNumberWords));
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
    else if (w == "sect" || w == "column") {
        // A section's or column's last paragraph often ends with the break
        // alone; after a paragraph mark the break opens no empty paragraph.
        if (!(s.note ? noteCur : cur).runs.empty())
            EndParagraph();
    } else if (w == "line") TextChar(0x2028);
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
    else if (w == "chftn") NoteNumber(s.note ? noteCount : noteCount + 1);
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
    else if (w == "super") c.script = on() ? 1 : 0;
    else if (w == "sub") c.script = on() ? 2 : 0;
    else if (w == "nosupersub") c.script = 0;
    // Paragraph properties.
    else if (w == "pard") pp = ParaProps {};
    else if (w == "ql") pp.align = 0;
    else if (w == "qc") pp.align = 1;
    else if (w == "qr") pp.align = 2;
    else if (w == "qj" || w == "qd") pp.align = 3;
    else if (w == "fi") pp.fi = indent(), pp.fiSet = true;
    else if (w == "li" || w == "lin") pp.li = indent(), pp.liSet = true;
    else if (w == "ri" || w == "rin") pp.ri = indent();
    else if (w == "sb") pp.sb = std::clamp(param, 0, kMaxIndent);
    else if (w == "sa") pp.sa = std::clamp(param, 0, kMaxIndent);
    else if (w == "ls") pp.ls = param;
    else if (w == "ilvl") pp.ilvl = std::clamp(param, 0, kMaxLevels - 1);
    // Document properties.
    else if (w == "ansi") docCodePage = 1252;
    else if (w == "ansicpg" && hasParam && param > 0) docCodePage = param;
    else if (w == "mac") docCodePage = 10000;
    else if (w == "pc") docCodePage = 437;
    else if (w == "pca") docCodePage = 850;
    else if (w == "deff") defFont = param;
}

// The code page of the text at hand: its font's, else the document's. A font
// table entry's name is never in a symbol font's encoding.
int Reader::CodePage()
{
    const State& s = Top();
    const bool table = s.dest == Dest::FontTable;
    const int f = table ? tableFont : (s.chr.font < 0 ? defFont : s.chr.font);
    const auto it = fonts.find(f);
    if (it == fonts.end() || it->second.codePage == 0)
        return docCodePage;
    if (table && it->second.codePage < 0)
        return docCodePage;
    return it->second.codePage;
}

void Reader::TextByte(unsigned char b)
{
    if (skipChars > 0) {
        --skipChars;
        return;
    }
    State& s = Top();
    if (s.dest == Dest::ColorTable) {
        if (b == ';') {
            if (colorSet)
                colors.emplace_back(QColor(red, green, blue));
            else
                colors.emplace_back(std::nullopt);
            red = green = blue = 0;
            colorSet = false;
        }
        return;
    }
    if (s.dest != Dest::Text && s.dest != Dest::FontTable)
        return;
    const int cp = CodePage();
    if (cp != tableCodePage) {
        tableCodePage = cp;
        table = &RtfTableFor(cp);
        doubleByte = RtfIsDoubleByteCodePage(cp);
    }
    if (lead) {
        // The second byte of a double-byte character may be any byte of its
        // range, also one written as a plain character.
        if (RtfIsTrailByte(cp, b)) {
            const unsigned char first = lead;
            lead = 0;
            Decoded(RtfDoubleByteChar(cp, first, b));
            return;
        }
        FlushLead();
    }
    if (doubleByte && RtfIsLeadByte(cp, b)) {
        lead = b;
        return;
    }
    if (s.dest == Dest::FontTable) {
        if (b == ';')
            CommitFontName();
        else
            Decoded(b < 0x80 ? b : (*table)[b]);
        return;
    }
    Decoded((*table)[b]);
}

// A character decoded from the bytes, into the text or a font's name.
void Reader::Decoded(char16_t c)
{
    if (Top().dest == Dest::FontTable) {
        if (c >= 0x20 && fonts.count(tableFont))
            pendingName += QChar(c);
        return;
    }
    TextChar(c);
}

// A lead byte that no second byte followed stands for no character.
void Reader::FlushLead()
{
    if (lead == 0)
        return;
    lead = 0;
    if (Top().dest == Dest::Text || Top().dest == Dest::FontTable)
        Decoded(0xFFFD);
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
    Para& para = s.note ? noteCur : cur;
    if (para.runs.empty() || !(para.runs.back().chr == s.chr))
        para.runs.push_back(Run { s.chr, {} });
    para.runs.back().text += QChar(c);
}

// A footnote's number, as its reference and at the start of its text: a
// superscript, whatever the writer's character style made of it.
void Reader::NoteNumber(int n)
{
    CharProps& c = Top().chr;
    const unsigned char script = c.script;
    c.script = 1;
    for (const QChar digit : QString::number(n))
        TextChar(digit.unicode());
    c.script = script;
}

// Ends the paragraph of the document's text or of the notes.
void Reader::EndParagraph(bool Note)
{
    const State& s = Top();
    if (done)
        return;
    Para& para = Note ? noteCur : cur;
    para.para = s.para;
    para.mark = s.chr;
    (Note ? notes : paras).push_back(std::move(para));
    para = Para {};
}

// The note's last paragraph needs no paragraph mark.
void Reader::EndNote()
{
    if (!noteCur.runs.empty())
        EndParagraph(true);
}

// Text after the last \par is a paragraph of its own; a final \par with
// nothing after it ends the last paragraph and opens none.
void Reader::Finish()
{
    if (!noteCur.runs.empty())
        EndParagraph(true);
    if (!cur.runs.empty())
        EndParagraph(false);
}

void Reader::CommitFontName()
{
    if (fonts.count(tableFont)) {
        const QString name = pendingName.trimmed();
        if (!name.isEmpty()) {
            FontDef& f = fonts[tableFont];
            f.name = name;
            f.codePage = RtfFontCodePage(f.charsetCodePage, name);
        }
    }
    pendingName.clear();
}

QTextCharFormat Reader::Format(const CharProps& c) const
{
    QTextCharFormat f;
    const auto it = fonts.find(c.font < 0 ? defFont : c.font);
    if (it != fonts.end()) {
        if (!it->second.name.isEmpty())
            f.setFontFamilies(QStringList { it->second.name });
        if (it->second.hint != QFont::AnyStyle)
            f.setFontStyleHint(it->second.hint);
    }
    f.setFontPointSize(c.halfPoints / 2.0);
    f.setFontWeight(c.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(c.italic);
    f.setFontUnderline(c.underline);
    f.setFontStrikeOut(c.strike);
    if (c.script)
        f.setVerticalAlignment(c.script == 1 ? QTextCharFormat::AlignSuperScript : QTextCharFormat::AlignSubScript);
    if (c.color > 0 && static_cast<size_t>(c.color) < colors.size() && colors[c.color])
        f.setForeground(*colors[c.color]);
    return f;
}

// A run's text as the document holds it. Unpaired surrogates become U+FFFD:
// the layout must not see half a character. In the Symbol font (as the font
// table finally names it) the private-use codes of its characters stand for
// those characters.
QString Reader::Text(const Run& r) const
{
    const auto font = fonts.find(r.chr.font < 0 ? defFont : r.chr.font);
    const bool symbol = font != fonts.end() && font->second.codePage == RtfSymbolCodePage;
    QString out = r.text;
    for (qsizetype i = 0; i < out.size(); ++i) {
        const QChar c = out.at(i);
        if (c.isHighSurrogate() && i + 1 < out.size() && out.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            out[i] = QChar(QChar::ReplacementCharacter);
        else if (symbol && c.unicode() >= 0xF020 && c.unicode() <= 0xF0FF)
            if (const char16_t m = RtfSymbolChar(static_cast<unsigned char>(c.unicode() - 0xF000)))
                out[i] = QChar(m);
    }
    return out;
}

// The lists the tables define, found by \ls and \listid; the first definition
// of a number counts.
class ListTables {
public:
    ListTables(const std::vector<ListDef>& Lists, const std::vector<OverrideDef>& Overrides)
    {
        for (const ListDef& l : Lists)
            byId.emplace(l.id, &l);
        for (const OverrideDef& o : Overrides)
            byLs.emplace(o.ls, &o);
    }

    ListPlace Resolve(const ParaProps& pp) const
    {
        ListPlace r;
        if (pp.ls > 0) {
            r.ls = pp.ls;
            r.level = pp.ilvl;
            r.style = QTextListFormat::ListDisc; // a list the tables do not define shows bullets
            const auto o = byLs.find(pp.ls);
            const auto l = o == byLs.end() ? byId.end() : byId.find(o->second->listId);
            if (l != byId.end()) {
                const std::vector<LevelDef>& levels = l->second->levels;
                if (static_cast<size_t>(pp.ilvl) < levels.size()) {
                    const LevelDef& level = levels[pp.ilvl];
                    if (level.nfc == kNoNumberNfc)
                        return ListPlace {};
                    r.style = RtfListStyleOfNfc(level.nfc);
                    r.start = level.start;
                    r.levelDef = &level;
                }
                const auto& starts = o->second->starts;
                if (static_cast<size_t>(pp.ilvl) < starts.size() && starts[pp.ilvl])
                    r.start = *starts[pp.ilvl];
                return r;
            }
            if (pp.pn == PnKind::None)
                return r;
        }
        if (pp.pn == PnKind::None)
            return ListPlace {};
        r = ListPlace {};
        r.style = pp.pn == PnKind::Bullet ? QTextListFormat::ListDisc : RtfListStyleOfNfc(pp.pnNfc);
        r.start = pp.pnStart;
        return r;
    }

private:
    std::map<int, const ListDef*> byId;
    std::map<int, const OverrideDef*> byLs;
};

QTextListFormat ListFormatOf(const ListPlace& Place)
{
    QTextListFormat f = RtfListFormat(false);
    f.setStyle(Place.style);
    if (Place.start != 1 && !RtfIsBulletList(f))
        RtfSetListStart(f, Place.start);
    if (Place.ls > 0)
        RtfSetListPlace(f, Place.ls, Place.level);
    return f;
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
    const ListTables tables(lists, overrides);
    // Per \ls the list of each level that numbers on; a level starts anew
    // after an item of a level above it.
    std::map<int, std::array<QTextList*, kMaxLevels>> lsLists;
    // The old paragraph numbering: a run of paragraphs of one style is a list.
    QTextList* pnList = nullptr;
    bool first = true;
    const auto add = [&](const Para& para) {
        const ListPlace place = tables.Resolve(para.para);
        int fi = para.para.fi, li = para.para.li;
        if (const LevelDef* level = place.levelDef) {
            if (!para.para.fiSet && level->fiSet)
                fi = level->fi;
            if (!para.para.liSet && level->liSet)
                li = level->li;
        }
        QTextBlockFormat bf;
        static constexpr Qt::Alignment kAlign[] = { Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight, Qt::AlignJustify };
        bf.setAlignment(kAlign[para.para.align]);
        bf.setTextIndent(RtfPixelsFromTwips(fi));
        bf.setLeftMargin(RtfPixelsFromTwips(li));
        bf.setRightMargin(RtfPixelsFromTwips(para.para.ri));
        bf.setTopMargin(RtfPixelsFromTwips(para.para.sb));
        bf.setBottomMargin(RtfPixelsFromTwips(para.para.sa));
        const QTextCharFormat mark = Format(para.mark);
        if (first) {
            cursor.setBlockFormat(bf);
            cursor.setBlockCharFormat(mark);
            first = false;
        } else {
            cursor.insertBlock(bf, mark);
        }
        const bool listed = place.style != QTextListFormat::ListStyleUndefined;
        const QTextListFormat format = listed ? ListFormatOf(place) : QTextListFormat();
        const auto joins = [&](const QTextList* list) {
            return list && (!RtfIsBulletList(format) || list->count() < kBulletListRun);
        };
        if (!listed) {
            pnList = nullptr;
        } else if (place.ls > 0) {
            pnList = nullptr;
            auto [it, added] = lsLists.try_emplace(place.ls);
            if (added)
                it->second.fill(nullptr);
            std::fill(it->second.begin() + place.level + 1, it->second.end(), nullptr);
            QTextList*& list = it->second[place.level];
            if (joins(list))
                list->add(cursor.block());
            else
                list = cursor.createList(format);
        } else if (joins(pnList) && pnList->format().style() == place.style) {
            pnList->add(cursor.block());
        } else {
            pnList = cursor.createList(format);
        }
        for (const Run& r : para.runs)
            cursor.insertText(Text(r), Format(r.chr));
        if (para.runs.empty())
            cursor.setCharFormat(mark);
    };
    for (const Para& para : paras)
        add(para);
    if (!notes.empty()) {
        Para separator;
        separator.runs.push_back(Run { CharProps {}, QString(kNoteSeparatorLength, u'_') });
        add(separator);
        for (const Para& para : notes)
            add(para);
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
