#include "Rtf.h"
#include "RtfFonts.h"

#include <QFile>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// What the editor keeps of a document, in a form tests can compare.
struct RunSpec {
    QString text;
    QString family = "Times New Roman";
    qreal pt = 12;
    bool bold = false, italic = false, underline = false, strike = false;
    QColor color; // invalid: automatic
};

struct ParaSpec {
    std::vector<RunSpec> runs;
    Qt::Alignment align = Qt::AlignLeft;
    int fi = 0, li = 0, ri = 0; // twips
    int list = 0;               // 0 none, 1 bullets, 2 numbers
};

using DocSpec = std::vector<ParaSpec>;

QTextCharFormat FormatOf(const RunSpec& r)
{
    QTextCharFormat f;
    f.setFontFamilies({ r.family });
    f.setFontPointSize(r.pt);
    f.setFontWeight(r.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(r.italic);
    f.setFontUnderline(r.underline);
    f.setFontStrikeOut(r.strike);
    if (r.color.isValid())
        f.setForeground(r.color);
    return f;
}

void Build(const DocSpec& spec, QTextDocument& doc)
{
    doc.clear();
    QTextCursor c(&doc);
    QTextList* list = nullptr;
    int listKind = 0;
    for (size_t i = 0; i < spec.size(); ++i) {
        const ParaSpec& p = spec[i];
        QTextBlockFormat bf;
        bf.setAlignment(p.align);
        bf.setTextIndent(RtfPixelsFromTwips(p.fi));
        bf.setLeftMargin(RtfPixelsFromTwips(p.li));
        bf.setRightMargin(RtfPixelsFromTwips(p.ri));
        if (i == 0)
            c.setBlockFormat(bf);
        else
            c.insertBlock(bf);
        if (p.list == 0)
            list = nullptr;
        else if (list && listKind == p.list)
            list->add(c.block());
        else
            list = c.createList(p.list == 1 ? QTextListFormat::ListDisc : QTextListFormat::ListDecimal);
        listKind = p.list;
        for (const RunSpec& r : p.runs) {
            c.insertText(r.text, FormatOf(r));
        }
    }
}

std::string Describe(const QTextCharFormat& f)
{
    const QStringList fam = f.fontFamilies().toStringList();
    std::string s = "[" + (fam.isEmpty() ? std::string("-") : fam.first().toStdString()) + " "
        + QString::number(f.fontPointSize()).toStdString();
    if (f.fontWeight() > QFont::Medium) s += " b";
    if (f.fontItalic()) s += " i";
    if (f.fontUnderline()) s += " u";
    if (f.fontStrikeOut()) s += " s";
    if (f.foreground().style() != Qt::NoBrush) s += " " + f.foreground().color().name().toStdString();
    return s + "]";
}

std::string Describe(const RunSpec& r)
{
    return Describe(FormatOf(r));
}

std::string AlignName(Qt::Alignment a)
{
    a &= Qt::AlignHorizontal_Mask;
    if (a & Qt::AlignJustify) return "J";
    if (a & Qt::AlignHCenter) return "C";
    if (a & Qt::AlignRight) return "R";
    return "L";
}

// One line per paragraph: alignment, indents, list, then each run's format and text.
std::vector<std::string> Describe(const DocSpec& spec)
{
    std::vector<std::string> out;
    for (const ParaSpec& p : spec) {
        std::string s = AlignName(p.align) + " " + std::to_string(p.fi) + "/" + std::to_string(p.li) + "/"
            + std::to_string(p.ri) + " list" + std::to_string(p.list) + ":";
        std::string last;
        for (const RunSpec& r : p.runs) {
            if (r.text.isEmpty())
                continue;
            const std::string d = Describe(r);
            if (d != last)
                s += d;
            last = d;
            s += r.text.toStdString();
        }
        out.push_back(s);
    }
    return out;
}

std::vector<std::string> Describe(const QTextDocument& doc)
{
    std::vector<std::string> out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const QTextBlockFormat bf = b.blockFormat();
        int list = 0;
        if (const QTextList* l = b.textList())
            list = l->format().style() == QTextListFormat::ListDecimal ? 2 : 1;
        std::string s = AlignName(bf.alignment()) + " " + std::to_string(RtfTwipsFromPixels(bf.textIndent())) + "/"
            + std::to_string(RtfTwipsFromPixels(bf.leftMargin())) + "/"
            + std::to_string(RtfTwipsFromPixels(bf.rightMargin())) + " list" + std::to_string(list) + ":";
        std::string last;
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const std::string d = Describe(it.fragment().charFormat());
            if (d != last)
                s += d;
            last = d;
            s += it.fragment().text().toStdString();
        }
        out.push_back(s);
    }
    return out;
}

QStringList Texts(const QTextDocument& doc)
{
    QStringList out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        out << b.text();
    return out;
}

RunSpec R(const char* text)
{
    RunSpec r;
    r.text = QString::fromUtf8(text);
    return r;
}
template <typename F>
RunSpec R(const char* text, F set)
{
    RunSpec r = R(text);
    set(r);
    return r;
}

struct RoundTripCase {
    const char* name;
    DocSpec doc;
};

const RoundTripCase kRoundTrips[] = {
    { "PlainText", { { { R("Hello, world") } } } },
    { "FontsAndSizes",
      { { { R("Arial ", [](RunSpec& r) { r.family = "Arial"; r.pt = 10; }),
            R("Courier ", [](RunSpec& r) { r.family = "Courier New"; r.pt = 13.5; }),
            R("big", [](RunSpec& r) { r.pt = 72; }), R("tiny", [](RunSpec& r) { r.pt = 1; }) } } } },
    { "Styles",
      { { { R("b", [](RunSpec& r) { r.bold = true; }), R("i", [](RunSpec& r) { r.italic = true; }),
            R("u", [](RunSpec& r) { r.underline = true; }), R("s", [](RunSpec& r) { r.strike = true; }),
            R("all", [](RunSpec& r) { r.bold = r.italic = r.underline = r.strike = true; }),
            R("none") } } } },
    { "Colours",
      { { { R("red", [](RunSpec& r) { r.color = QColor(255, 0, 0); }),
            R("grey", [](RunSpec& r) { r.color = QColor(0x12, 0x34, 0x56); }), R("auto"),
            R("red again", [](RunSpec& r) { r.color = QColor(255, 0, 0); }) } },
        { { R("black", [](RunSpec& r) { r.color = QColor(0, 0, 0); }) } } } },
    { "AlignmentAndIndents",
      { { { R("left") }, Qt::AlignLeft, 0, 0, 0 },
        { { R("centre") }, Qt::AlignHCenter, 360, 720, 0 },
        { { R("right") }, Qt::AlignRight, 0, 0, 1440 },
        { { R("justified hanging") }, Qt::AlignJustify, -360, 1080, 300 } } },
    { "BulletsAndNumbers",
      { { { R("one") }, Qt::AlignLeft, 0, 0, 0, 1 },
        { { R("two") }, Qt::AlignLeft, 0, 0, 0, 1 },
        { { R("plain") } },
        { { R("first") }, Qt::AlignLeft, 0, 0, 0, 2 },
        { { R("second") }, Qt::AlignLeft, 0, 0, 0, 2 },
        { { R("bullet after numbers") }, Qt::AlignCenter, 0, 720, 0, 1 } } },
    { "EmptyParagraphs", { { {} }, { { R("middle") } }, { {} }, { {} } } },
    { "SpecialCharacters",
      { { { R("tab\there, line\u2028break, {braces} \\back\\slash; semi") } } } },
    { "CyrillicAndBeyondTheCodePage",
      { { { R("Привет, мир! Ёё № «»—…"), R("€ α 中文 😀", [](RunSpec& r) { r.family = "Arial"; }) } } } },
    { "CyrillicFontName", { { { R("текст", [](RunSpec& r) { r.family = QString::fromUtf8("Шрифт {1}"); }) } } } },
    // In the Symbol font a byte reads as Greek: letters typed in it stay letters.
    { "TypedInTheSymbolFont", { { { R("ab\\{1} ё α", [](RunSpec& r) { r.family = "Symbol"; }) } } } },
};

void PrintTo(const RoundTripCase& C, std::ostream* Os)
{
    *Os << C.name;
}

class RtfRoundTrip : public ::testing::TestWithParam<RoundTripCase> { };

TEST_P(RtfRoundTrip, EveryFeatureSurvivesWriteAndRead)
{
    QTextDocument doc;
    Build(GetParam().doc, doc);
    ASSERT_EQ(Describe(doc), Describe(GetParam().doc)) << "the fixture itself";
    const QByteArray rtf = WriteRtf(doc);
    QTextDocument back;
    ASSERT_EQ(ReadRtf(rtf, back), RtfLoad::Loaded) << rtf.constData();
    EXPECT_EQ(Describe(back), Describe(GetParam().doc)) << rtf.constData();
    // What was read writes the same document again.
    EXPECT_EQ(WriteRtf(back), rtf);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, RtfRoundTrip, ::testing::ValuesIn(kRoundTrips),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RtfWrite, CodePageFontTableAndEscapes)
{
    QTextDocument doc;
    Build({ { { R("Пп 中 😀 ё", [](RunSpec& r) { r.pt = 13.5; r.color = QColor(1, 2, 3); }) },
              Qt::AlignHCenter, -360, 720, 180, 1 } },
          doc);
    const QByteArray rtf = WriteRtf(doc);
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl")) << rtf.constData();
    EXPECT_TRUE(rtf.contains("\\fcharset204 Times New Roman;}"));
    EXPECT_TRUE(rtf.contains("{\\colortbl ;\\red1\\green2\\blue3;}"));
    EXPECT_TRUE(rtf.contains("\\uc1"));
    EXPECT_TRUE(rtf.contains("\\qc\\fi-360\\li720\\ri180"));
    // The bullet in the list tables, its marker as text before the paragraph.
    EXPECT_TRUE(rtf.contains("{\\*\\listtable\r\n{\\list{\\listlevel\\levelnfc23")) << rtf.constData();
    EXPECT_TRUE(rtf.contains("{\\listtext\\f1 \\'95\\tab}\\pard\\qc\\fi-360\\li720\\ri180\\ls1\\ilvl0"));
    EXPECT_TRUE(rtf.contains("\\fs27\\cf1 "));
    // Cyrillic as code-page bytes, the rest as signed 16-bit \u escapes, a
    // surrogate pair as two of them, each with its one fallback character.
    EXPECT_TRUE(rtf.contains("\\'cf\\'ef \\u20013? \\u-10179?\\u-8704? \\'b8")) << rtf.constData();
    for (char c : rtf)
        EXPECT_LT(static_cast<unsigned char>(c), 0x80);
}

// What other readers need to see: the family word in the font table, the
// spacing words, and a raised run ended by \nosupersub (some readers lose
// the text after a \super that \plain or \par ends).
TEST(RtfWrite, FamiliesSpacingAndSuperscriptsInTheWordsOfOtherReaders)
{
    QTextDocument doc;
    QTextCursor c(&doc);
    QTextBlockFormat bf;
    bf.setTopMargin(RtfPixelsFromTwips(120));
    bf.setBottomMargin(RtfPixelsFromTwips(240));
    c.setBlockFormat(bf);
    QTextCharFormat serif;
    serif.setFontFamilies({ "Times New Roman" });
    serif.setFontStyleHint(QFont::Serif);
    serif.setFontPointSize(12);
    c.insertText("note", serif);
    QTextCharFormat raised = serif;
    raised.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    c.insertText("1", raised);
    c.setBlockCharFormat(raised);
    const QByteArray rtf = WriteRtf(doc);
    EXPECT_TRUE(rtf.contains("{\\f1\\froman\\fcharset204 Times New Roman;}")) << rtf.constData();
    EXPECT_TRUE(rtf.contains("\\pard\\ql\\sb120\\sa240\\plain")) << rtf.constData();
    EXPECT_TRUE(rtf.contains("\\super 1\\nosupersub\\plain\\f1\\fs24 \\par")) << rtf.constData();
}

// Documents in the styles other programs write.
struct ForeignCase {
    const char* name;
    const char* rtf;
    std::vector<std::string> expected; // as Describe() gives it
};

const ForeignCase kForeign[] = {
    { "WordPadRussian",
      R"({\rtf1\ansi\ansicpg1251\deff0\deflang1049{\fonttbl{\f0\fswiss\fcharset204{\*\fname Arial;}Arial CYR;}{\f1\fnil\fcharset2 Symbol;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\f0\fs20\'cf\'f0\'e8\'e2\'e5\'f2 \b\'ec\'e8\'f0\b0\par
{\pntext\f1\'b7\tab}{\*\pn\pnlvlblt\pnf1\pnindent0{\pntxtb\'b7}}\fi-720\li720\cf1\'ef\'f3\'ed\'ea\'f2\cf0\par
\pard\qc\i\'d6\'e5\'ed\'f2\'f0\i0\line\'e2\'f2\'ee\'f0\'e0\'ff\tab\'f1\'f2\'f0\'ee\'ea\'e0\par
}
)",
      { "L 0/0/0 list0:[Arial CYR 10]Привет [Arial CYR 10 b]мир",
        "L -720/720/0 list1:[Arial CYR 10 #ff0000]пункт",
        "C 0/0/0 list0:[Arial CYR 10 i]Центр[Arial CYR 10]\u2028вторая\tстрока" } },
    { "WordWithUnicodeAndListTable",
      R"({\rtf1\adeflang1025\ansi\ansicpg1252\uc1\adeff31507\deff0\stshfdbch31505\deflang1033\deflangfe1033{\fonttbl{\f0\fbidi \froman\fcharset0\fprq2{\*\panose 02020603050405020304}Times New Roman;}
{\f1\fbidi \fswiss\fcharset204\fprq2{\*\panose 020b0604020202020204}Arial;}{\f3\fbidi \froman\fcharset2\fprq2{\*\panose 05050102010706020507}Symbol;}}
{\colortbl;\red0\green0\blue0;\red0\green0\blue255;}{\*\defchp \fs22 }{\stylesheet{\ql \li0\ri0\widctlpar\wrapdefault\aspalpha\aspnum\faauto\adjustright\rin0\lin0\itap0 \rtlch\fcs1 \af31507\afs22\alang1025 \ltrch\fcs0 \fs22\lang1049\langfe1033\cgrid\langnp1049\langfenp1033 \snext0 \sqformat \spriority0 Normal;}}
{\*\listtable{\list\listtemplateid-1{\listlevel\levelnfc23\levelnfcn23\leveljc0\leveljcn0\levelfollow0\levelstartat1\levelspace0\levelindent0{\leveltext\leveltemplateid68747265\'01\u-3913 ?;}{\levelnumbers;}\f3\fbias0 \fi-360\li720\lin720 }{\listname ;}\listid1}
{\list\listtemplateid2{\listlevel\levelnfc0\levelnfcn0\leveljc0{\leveltext\'02\'00.;}{\levelnumbers\'01;}\fi-360\li720}\listid2}}
{\*\listoverridetable{\listoverride\listid1\listoverridecount0\ls1}{\listoverride\listid2\listoverridecount0\ls2}}
{\*\generator Microsoft Word 11.0.0000;}{\info{\title x}{\author y}}{\*\xmlnstbl {\xmlns1 http://schemas.microsoft.com/office/word/2003/wordml}}
\paperw11906\paperh16838\margl1701\margr850\margt1134\margb1134\sectd \linex0\endnhere\sectlinegrid360\sectdefaultcl\sftnbj
{\*\pnseclvl1\pnucrm\pnstart1\pnindent720\pnhang {\pntxta .}}
\pard\plain \ltrpar\s0\qj \li0\ri0\widctlpar\wrapdefault\aspalpha\aspnum\faauto\adjustright\rin0\lin0\itap0 \rtlch\fcs1 \af31507\afs22\alang1025 \ltrch\fcs0 \fs22\lang1049\langfe1033\cgrid\langnp1049\langfenp1033 {\rtlch\fcs1 \af0 \ltrch\fcs0 \f1\fs28\ul\insrsid1 \u1055\'cf\u1088\'f0\u1086\'ee\u1079\'e7\u1072\'e0}{\rtlch\fcs1 \af0 \ltrch\fcs0 \f1\fs28\insrsid1 \~\u8212\'97 \'93quote\'94\emdash\endash\lquote\rquote}{\field{\*\fldinst {\rtlch\fcs1 \af0 \ltrch\fcs0 \insrsid1  HYPERLINK "http://x/" }}{\fldrslt {\rtlch\fcs1 \af0 \ltrch\fcs0 \cf2\insrsid1 link}}}{\rtlch\fcs1 \af0 \ltrch\fcs0 \insrsid1 \par }
{\listtext\pard\plain\ltrpar \rtlch\fcs1 \af0\afs22 \ltrch\fcs0 \f3\fs22\insrsid1 \loch\af3\dbch\af0\hich\f3 \'b7\tab}\pard \ltrpar\ql \fi-360\li720\ri0\widctlpar\wrapdefault\aspalpha\aspnum\faauto\ls1\adjustright\rin0\lin720\itap0\pararsid1 {\rtlch\fcs1 \af0 \ltrch\fcs0 \insrsid1 bullet}{\v hidden}{\rtlch\fcs1 \af0 \ltrch\fcs0 \insrsid1 \par }
{\listtext\pard\plain\ltrpar \rtlch\fcs1 \af0\afs22 \ltrch\fcs0 \insrsid1 \hich\af0\dbch\af0\loch\f0 1.\tab}\pard \ltrpar\ql \fi-360\li720\ri0\ls2\rin0\lin720 {\insrsid1 number\par }
{\*\themedata 504b030414000600080000002100e9de0fbfff0000001c020000130000005b436f6e74656e745f54797065735d2e786d6cac91cb4ec3301045f748fc83e52d4a}
{\*\datastore 0105000002000000180000004d73786d6c322e534158584d4c5265616465722e352e3000000000000000000000060000}}
)",
      { "J 0/0/0 list0:[Arial 14 u]Проза[Arial 14]\u00a0— “quote”—–‘’[Times New Roman 11 #0000ff]link",
        "L -360/720/0 list1:[Times New Roman 11]bullet",
        "L -360/720/0 list2:[Times New Roman 11]number" } },
    { "ControlCodesInFontName", "{\\rtf1{\\fonttbl{\\f0\\fnil \x05" "Ari\x01" "al\\u1?;}}x}",
      { "L 0/0/0 list0:[Arial 12]x" } },
    { "PlainWithoutFontTable", R"({\rtf1 one\par two)", { "L 0/0/0 list0:[- 12]one", "L 0/0/0 list0:[- 12]two" } },
    { "ParInsideGroupsAndControlSymbols",
      "{\\rtf1\\ansi{\\fonttbl\\f0\\fnil Courier New;\\f1\\fnil Arial;}{\\b bold\\par}\\f1 a\\\\b\\{c\\}\r\nd\\\r\ne}",
      { "L 0/0/0 list0:[Courier New 12 b]bold", "L 0/0/0 list0:[Arial 12]a\\b{c}d", "L 0/0/0 list0:[Arial 12]e" } },
    { "UnicodeSkipCountsAndStarredUnknowns",
      R"({\rtf1\ansi\ansicpg1251\uc2 \u1055\'cf\'cf!{\uc0\u1088}\u1080 xy-{\*\unknown hidden}{\unknownword shown}\par})",
      { "L 0/0/0 list0:[- 12]П!ри-shown" } },
};

void PrintTo(const ForeignCase& C, std::ostream* Os)
{
    *Os << C.name;
}

class RtfForeign : public ::testing::TestWithParam<ForeignCase> { };

TEST_P(RtfForeign, ReadsTextAndFormatting)
{
    QTextDocument doc;
    ASSERT_EQ(ReadRtf(QByteArray(GetParam().rtf), doc), RtfLoad::Loaded);
    EXPECT_EQ(Describe(doc), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Styles, RtfForeign, ::testing::ValuesIn(kForeign),
                         [](const auto& info) { return std::string(info.param.name); });

// Reductions of real documents. A paragraph reads as its space before and
// after (twips, where it has any), its list marker, then its text with each
// change of font family as <family> and superscripts as ^{...}.
std::string FamilyName(const QTextCharFormat& f)
{
    if (!f.hasProperty(QTextFormat::FontStyleHint))
        return "none";
    switch (f.fontStyleHint()) {
    case QFont::Serif: return "serif";
    case QFont::SansSerif: return "sans";
    case QFont::TypeWriter: return "fixed";
    case QFont::Cursive: return "script";
    case QFont::Decorative: return "decor";
    case QFont::System: return "tech";
    default: return "other";
    }
}

std::vector<std::string> Lines(const QTextDocument& doc)
{
    std::vector<std::string> out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        std::string s;
        const QTextBlockFormat bf = b.blockFormat();
        const int sb = RtfTwipsFromPixels(bf.topMargin()), sa = RtfTwipsFromPixels(bf.bottomMargin());
        if (sb || sa)
            s += "[" + std::to_string(sb) + "/" + std::to_string(sa) + "] ";
        if (const QTextList* l = b.textList())
            s += RtfListItemText(l->format(), l->itemNumber(b)).toStdString() + " ";
        std::string family = "none";
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (FamilyName(f) != family)
                s += "<" + (family = FamilyName(f)) + ">";
            const std::string text = it.fragment().text().toStdString();
            s += f.verticalAlignment() == QTextCharFormat::AlignSuperScript ? "^{" + text + "}" : text;
        }
        out.push_back(s);
    }
    return out;
}

struct ReductionCase {
    const char* name;
    const char* rtf;
    std::vector<std::string> expected; // as Lines() gives them
};

const ReductionCase kReductions[] = {
    { "FieldResult",
      R"({\rtf1\ansi\pard see {\field{\*\fldinst { HYPERLINK "http://x/"}}{\*\fldrslt{the link}}} here, )"
      R"({\field{\*\fldinst PAGE}{\fldrslt 7}} of {\*\unknown hidden}n\par})",
      { "see the link here, 7 of n" } },
    { "Footnotes",
      R"({\rtf1\ansi\pard text{\super\chftn{\footnote\pard{\super\chftn} the note}} after{\cs15\chftn})"
      R"({\*\footnote\chftn\~second\par\pard continued\par}.\par end\par})",
      { "text^{1} after^{2}.", "end", "____________________", "^{1} the note", "^{2}\u00a0second", "continued" } },
    { "ListsFromTheTables",
      R"({\rtf1\ansi{\*\listtable{\list{\listlevel\levelnfc0\levelstartat1\fi-360\li720})"
      R"({\listlevel\levelnfc4\levelstartat1\fi-360\li1440}\listid10}{\list{\listlevel\levelnfc1\levelstartat5}\listid20})"
      R"({\list{\listlevel\levelnfc3}{\listlevel\levelnfc2\levelstartat3}{\listlevel\levelnfc23}\listid30}})"
      R"({\*\listoverridetable{\listoverride\listid10\listoverridecount0\ls1}{\listoverride\listid20\ls2})"
      R"({\listoverride\listid30\listoverridecount1{\lfolevel\listoverridestartat\levelstartat4}\ls3}})"
      R"(\pard\ls1 one\par \pard between\par \pard\ls1 two\par \pard\ls1\ilvl1 sub\par \pard\ls1\ilvl1 sub\par)"
      R"( \pard\ls1 three\par \pard\ls1\ilvl1 sub again\par \pard\ls2 five\par \pard\ls2 six\par)"
      R"( \pard\ls3 letter\par \pard\ls3\ilvl1 roman\par \pard\ls3\ilvl2 bullet\par \pard\ls3\ilvl1 roman\par \pard\ls1 four\par})",
      { "1. one", "between", "2. two", "a. sub", "b. sub", "3. three", "a. sub again", "V. five", "VI. six", "D. letter",
        "iii. roman", "\u2022 bullet", "iv. roman", "4. four" } },
    { "OldParagraphNumbering",
      R"({\rtf1\ansi\pard{\*\pn\pnlvlbody\pnlcrm\pnstart3{\pntxta.}}x\par{\*\pn\pnlvlbody\pnlcrm\pnstart1}y\par)"
      R"(\pard{\*\pn\pnlvlblt{\pntxtb\'b7}}z\par})",
      { "iii. x", "iv. y", "\u2022 z" } },
    { "SectionAndColumnBreaks",
      R"({\rtf1\ansi\ansicpg1251\pard \'cf\'e5\'f0\'e2\'e0\'ff \'f1\'e5\'ea\'f6\'e8\'ff\sect\sectd\cols2)"
      R"( \'c2\'f2\'ee\'f0\'e0\'ff\column \'f2\'f0\'e5\'f2\'fc\'ff\par\sect\column\page last\par})",
      { "Первая секция", "Вторая", "третья", "", "last" } },
    { "SpacingAndFontFamilies",
      R"({\rtf1\ansi\deff6{\fonttbl{\f0\froman Times New Roman;}{\f1\fswiss Arial;}{\f2\fmodern Courier New;})"
      R"({\f3\fscript Script;}{\f4\fdecor Deco;}{\f5\ftech Tech;}{\f6\fnil Plain;}})"
      R"(\pard\sb120\sa240\f0 a\f1 b\f2 c\f3 d\f4 e\f5 f\f6 g\par\pard\sa60 h\par\pard i\par})",
      { "[120/240] <serif>a<sans>b<fixed>c<script>d<decor>e<tech>f<none>g", "[0/60] h", "i" } },
    { "DoubleByteCodePages",
      R"({\rtf1\ansi{\fonttbl{\f0\fcharset128 MS Mincho;}{\f1\fcharset134 SimSun;}{\f2\fcharset136 MingLiU;})"
      R"({\f3\fcharset129 Gulim;}{\f4\fcharset128 \'82\'6c\'82r \'96\'be\'92\'a9;}{\f5\fcharset0 Arial;}})"
      R"(\pard\f0 \'93\'fa\'96\'7b \'83e\'83X\'83)" "\r\n" R"(g \'b1\'93\par\f1 \'d6\'d0\'ce\'c4\par\f2 \'a4\'a4\'a4\'e5\par)"
      R"(\f3 \'c7\'d1\'b1\'b9\par\f5 \'93\'fa\par})",
      { "日本 テスト ｱ\uFFFD", "中文", "中文", "한국", "“ú" } },
    { "DocumentCodePageDoubleByte", R"({\rtf1\ansi\ansicpg932\uc2 \'93\'fa\u26412\'96\'7b\'96\{\par})", { "日本本" } },
    { "SymbolFont",
      R"({\rtf1\ansi{\fonttbl{\f0 Times;}{\f1\fcharset2 Symbol;}{\f2\froman\fcharset0 Symbol;}{\f3\fcharset2 Wingdings;}})"
      R"(\pard{\f1 \'61\'62\'47 = \'70\'b3\'a5\'ae}, {\f2\u61537\'3f\u61472\'3f\u8364\'3f}, {\f3 J}, a\par})",
      { "αβΓ = π≥∞→, <serif>α €<none>, J, a" } },
};

void PrintTo(const ReductionCase& C, std::ostream* Os)
{
    *Os << C.name;
}

class RtfReduction : public ::testing::TestWithParam<ReductionCase> { };

// Each reads to its text and keeps it, with its list markers and formats,
// through a save and a load.
TEST_P(RtfReduction, ReadsAndSavesTheText)
{
    QTextDocument doc;
    ASSERT_EQ(ReadRtf(QByteArray(GetParam().rtf), doc), RtfLoad::Loaded);
    EXPECT_EQ(Lines(doc), GetParam().expected);
    const QByteArray rtf = WriteRtf(doc);
    QTextDocument back;
    ASSERT_EQ(ReadRtf(rtf, back), RtfLoad::Loaded);
    EXPECT_EQ(Lines(back), GetParam().expected) << rtf.constData();
    EXPECT_EQ(WriteRtf(back), rtf);
}

INSTANTIATE_TEST_SUITE_P(Documents, RtfReduction, ::testing::ValuesIn(kReductions),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RtfRead, DocumentWrittenByTheOfficeSuiteConverter)
{
    QFile f(RTF_FIXTURES "/libreoffice-html.rtf");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QTextDocument doc;
    ASSERT_EQ(ReadRtf(f.readAll(), doc), RtfLoad::Loaded);
    const std::vector<std::string> expected {
        "C 0/0/0 list0:[Liberation Serif 12 b]Жирный[Liberation Serif 12] [Liberation Serif 12 i]курсив"
        "[Liberation Serif 12] [Liberation Serif 12 u]подчёркнутый[Liberation Serif 12] "
        "[Liberation Serif 12 s]зачёркнутый",
        "L 0/1440/0 list0:[Courier New 18 #ff0000]Красный Courier[Liberation Serif 12] € 中",
        "L -283/709/0 list1:[Liberation Serif 12]Первый пункт",
        "L -283/709/0 list1:[Liberation Serif 12]Второй пункт",
        "R 0/0/0 list0:[Liberation Serif 12]Справа",
    };
    EXPECT_EQ(Describe(doc), expected);
}

// Broken input: each case gives the result and, when it loads, the paragraphs.
struct MalformedCase {
    const char* name;
    QByteArray rtf;
    RtfLoad result;
    QStringList texts;
};

QByteArray Nested(int depth)
{
    return "{\\rtf1 " + QByteArray(depth, '{') + "deep\\b" + QByteArray(depth, '}') + " after}";
}

const MalformedCase kMalformed[] = {
    { "Empty", "", RtfLoad::NotRtf, {} },
    { "PlainText", "Just text", RtfLoad::NotRtf, {} },
    { "HalfAHeader", "{\\rt", RtfLoad::NotRtf, {} },
    { "OtherControlWord", "{\\rtfx1 text}", RtfLoad::Failed, {} },
    { "LeadingWhiteSpace", " \r\n\t{\\rtf1 x}", RtfLoad::Loaded, { "x" } },
    { "HeaderOnly", "{\\rtf", RtfLoad::Loaded, { "" } },
    { "ExtraClosingBraces", "{\\rtf1 a}}}}} b", RtfLoad::Loaded, { "a" } },
    { "MissingClosingBraces", "{\\rtf1 {\\b a\\par {b", RtfLoad::Loaded, { "a", "b" } },
    { "TruncatedInControlWord", "{\\rtf1 abc\\pa", RtfLoad::Loaded, { "abc" } },
    { "TruncatedAfterBackslash", "{\\rtf1 abc\\", RtfLoad::Loaded, { "abc" } },
    { "TruncatedInFontTable", "{\\rtf1{\\fonttbl{\\f0 Ari", RtfLoad::Loaded, { "" } },
    { "BadHexEscapes", "{\\rtf1 a\\'zb\\'4\\'", RtfLoad::Loaded, { "azb4" } },
    { "HugeNumbers", "{\\rtf1\\fs99999999999\\li-99999999999999\\f123456789012 x\\u99999999?y\\uc999999999 z}",
      RtfLoad::Loaded, { "xyz" } },
    { "BinPastTheEnd", "{\\rtf1 a\\bin999999 bcd", RtfLoad::Loaded, { "a" } },
    { "BinSkipsBraces", "{\\rtf1 a{\\*\\blob\\bin3 }}{}b}", RtfLoad::Loaded, { "ab" } },
    { "NulBytes", QByteArray("{\\rtf1 a\0b}", 11), RtfLoad::Loaded, { "ab" } },
    { "DeepNesting", Nested(100000), RtfLoad::Loaded, { "deep after" } },
    { "UnpairedSurrogate", "{\\rtf1 a\\u-10179?b\\u-8704?c}", RtfLoad::Loaded, { "a\uFFFDb\uFFFDc" } },
    { "ParagraphSeparatorAsCharacter", "{\\rtf1 a\\u8233?b\\u13?c}", RtfLoad::Loaded, { "a\u2028b\u2028c" } },
};

void PrintTo(const MalformedCase& C, std::ostream* Os)
{
    *Os << C.name;
}

class RtfMalformed : public ::testing::TestWithParam<MalformedCase> { };

TEST_P(RtfMalformed, NeverCrashesAndKeepsWhatWasRead)
{
    QTextDocument doc;
    doc.setPlainText("previous");
    const RtfLoad r = ReadRtf(GetParam().rtf, doc);
    ASSERT_EQ(r, GetParam().result);
    if (r == RtfLoad::Loaded)
        EXPECT_EQ(Texts(doc), GetParam().texts);
    else
        EXPECT_EQ(doc.toPlainText(), "previous"); // left as it was for the caller's fallback
}

INSTANTIATE_TEST_SUITE_P(Inputs, RtfMalformed, ::testing::ValuesIn(kMalformed),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RtfRead, OutOfRangeValuesKeepSaneFormatting)
{
    QTextDocument doc;
    ASSERT_EQ(ReadRtf("{\\rtf1\\fs20\\fs99999999999\\fs0\\fs-4\\li99999999\\cf99 x\\par}", doc), RtfLoad::Loaded);
    const QTextBlock b = doc.begin();
    EXPECT_EQ(b.begin().fragment().charFormat().fontPointSize(), 10); // the last valid size
    EXPECT_EQ(RtfTwipsFromPixels(b.blockFormat().leftMargin()), 31680);
    EXPECT_EQ(b.begin().fragment().charFormat().foreground().style(), Qt::NoBrush);
}

// Code pages that the file names and no converter knows are read as Latin-1,
// all through one table: a file cycling through numbers keeps no table each.
TEST(RtfRead, UnknownCodePagesShareTheLatin1Table)
{
    const RtfByteTable& unknown = RtfTableFor(12345);
    EXPECT_EQ(&RtfTableFor(54321), &unknown);
    EXPECT_EQ(&RtfTableFor(7), &unknown);
    EXPECT_EQ(unknown[0xE9], u'\u00e9');
    EXPECT_NE(&RtfTableFor(1251), &unknown);
    EXPECT_EQ(RtfTableFor(1251)[0xC0], u'\u0410');
    QTextDocument doc;
    ASSERT_EQ(ReadRtf("{\\rtf1\\ansi\\ansicpg777 caf\\'e9\\par}", doc), RtfLoad::Loaded);
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("caf\u00e9"));
}

TEST(RtfRead, ReplacesTheDocumentWithoutUndoHistory)
{
    QTextDocument doc;
    QTextCursor(&doc).insertText("typed");
    ASSERT_TRUE(doc.isUndoAvailable());
    ASSERT_EQ(ReadRtf("{\\rtf1 loaded\\par}", doc), RtfLoad::Loaded);
    EXPECT_EQ(doc.toPlainText(), "loaded");
    EXPECT_FALSE(doc.isUndoAvailable()); // the load cannot be undone into the old text
    EXPECT_TRUE(doc.isUndoRedoEnabled());
}

TEST(RtfRead, FinalParMarkOpensNoParagraph)
{
    // Writers end the last paragraph with \par; text after it is a paragraph of its own.
    const std::pair<const char*, QStringList> cases[] = {
        { "{\\rtf1 a\\par}", { "a" } },
        { "{\\rtf1 a\\par b}", { "a", "b" } },
        { "{\\rtf1 a\\par\\par}", { "a", "" } },
        { "{\\rtf1}", { "" } },
    };
    for (const auto& [rtf, texts] : cases) {
        QTextDocument doc;
        ASSERT_EQ(ReadRtf(rtf, doc), RtfLoad::Loaded);
        EXPECT_EQ(Texts(doc), texts) << rtf;
    }
}

TEST(RtfRead, LongListsKeepEveryItemAndItsNumber)
{
    // Long bulleted runs are built in pieces; every paragraph still carries its
    // bullet, and a numbered list counts on across all its items.
    const int n = 700;
    for (const char* level : { "\\pnlvlblt", "\\pnlvlbody\\pndec" }) {
        QByteArray rtf = "{\\rtf1 ";
        for (int i = 0; i < n; ++i)
            rtf += QByteArray("\\pard{\\*\\pn") + level + "} item\\par ";
        rtf += "\\pard after\\par}";
        QTextDocument doc;
        ASSERT_EQ(ReadRtf(rtf, doc), RtfLoad::Loaded);
        ASSERT_EQ(doc.blockCount(), n + 1);
        const bool bullets = QByteArray(level) == "\\pnlvlblt";
        int listed = 0;
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
            if (const QTextList* list = b.textList()) {
                EXPECT_EQ(RtfIsBulletList(list->format()), bullets);
                ++listed;
            }
        EXPECT_EQ(listed, n) << level;
        EXPECT_EQ(doc.lastBlock().textList(), nullptr);
        if (!bullets) {
            const QTextBlock last = doc.findBlockByNumber(n - 1);
            EXPECT_EQ(last.textList()->itemNumber(last), n - 1);
        }
    }
}

// Each item of a numbered list is written with its place in the list, in a
// long list and where other paragraphs, another list and a table's cells stand
// between its items.
TEST(RtfWrite, NumberedListItemsWriteTheirPlaceInTheList)
{
    QTextDocument doc;
    QTextCursor c(&doc);
    const int n = 1500;
    QTextList* first = c.createList(QTextListFormat::ListDecimal);
    c.insertText("1");
    for (int i = 2; i <= n; ++i) {
        c.insertBlock(); // the new paragraph stays in the list
        c.insertText(QString::number(i));
    }
    c.insertBlock(QTextBlockFormat());
    c.insertText("plain");
    c.insertBlock(QTextBlockFormat());
    QTextList* second = c.createList(QTextListFormat::ListDecimal);
    c.insertText("other");
    c.insertBlock(QTextBlockFormat());
    first->add(c.block());
    c.insertText("first again");
    c.insertBlock(QTextBlockFormat());
    QTextTable* table = c.insertTable(1, 2);
    for (int col = 0; col < 2; ++col) {
        QTextCursor cell = table->cellAt(0, col).firstCursorPosition();
        (col == 0 ? first : second)->add(cell.block());
        cell.insertText("cell");
    }
    c.movePosition(QTextCursor::End);
    first->add(c.block());
    c.insertText("last");

    std::vector<int> expected;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        if (const QTextList* l = b.textList())
            expected.push_back(l->itemNumber(b) + 1);
    ASSERT_EQ(expected.size(), size_t(n + 5));
    ASSERT_EQ(expected.back(), n + 3) << "the fixture itself";

    const QByteArray rtf = WriteRtf(doc);
    std::vector<int> written;
    static const QRegularExpression kNumber(QStringLiteral(R"(\{\\listtext\\f\d+ (\d+)\.\\tab\})"));
    for (auto it = kNumber.globalMatch(QString::fromLatin1(rtf)); it.hasNext();)
        written.push_back(it.next().captured(1).toInt());
    EXPECT_EQ(written, expected);
}

} // namespace
