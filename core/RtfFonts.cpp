#include "RtfFonts.h"

#include "Win1251.h"

#include <QByteArray>
#include <QStringDecoder>

#include <iconv.h>

#include <map>
#include <vector>

namespace {

// 0x80..0x9F of Windows-1252; the rest is Latin-1. Unassigned codes keep their
// C1 control value.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The Symbol font's encoding from 0x20 on; 0 where it has no character.
// Glyph pieces (brackets, extenders) are the Unicode characters of those
// pieces; the serif and sans-serif copies of (R), (C) and TM are one each.
constexpr char16_t kSymbol[224] = {
    // 0x20
    0x0020, 0x0021, 0x2200, 0x0023, 0x2203, 0x0025, 0x0026, 0x220B,
    0x0028, 0x0029, 0x2217, 0x002B, 0x002C, 0x2212, 0x002E, 0x002F,
    // 0x30
    0x0030, 0x0031, 0x0032, 0x0033, 0x0034, 0x0035, 0x0036, 0x0037,
    0x0038, 0x0039, 0x003A, 0x003B, 0x003C, 0x003D, 0x003E, 0x003F,
    // 0x40
    0x2245, 0x0391, 0x0392, 0x03A7, 0x0394, 0x0395, 0x03A6, 0x0393,
    0x0397, 0x0399, 0x03D1, 0x039A, 0x039B, 0x039C, 0x039D, 0x039F,
    // 0x50
    0x03A0, 0x0398, 0x03A1, 0x03A3, 0x03A4, 0x03A5, 0x03C2, 0x03A9,
    0x039E, 0x03A8, 0x0396, 0x005B, 0x2234, 0x005D, 0x22A5, 0x005F,
    // 0x60
    0x203E, 0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, 0x03C6, 0x03B3,
    0x03B7, 0x03B9, 0x03D5, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BF,
    // 0x70
    0x03C0, 0x03B8, 0x03C1, 0x03C3, 0x03C4, 0x03C5, 0x03D6, 0x03C9,
    0x03BE, 0x03C8, 0x03B6, 0x007B, 0x007C, 0x007D, 0x223C, 0,
    // 0x80, 0x90
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    // 0xA0
    0x20AC, 0x03D2, 0x2032, 0x2264, 0x2044, 0x221E, 0x0192, 0x2663,
    0x2666, 0x2665, 0x2660, 0x2194, 0x2190, 0x2191, 0x2192, 0x2193,
    // 0xB0
    0x00B0, 0x00B1, 0x2033, 0x2265, 0x00D7, 0x221D, 0x2202, 0x2022,
    0x00F7, 0x2260, 0x2261, 0x2248, 0x2026, 0x23D0, 0x23AF, 0x21B5,
    // 0xC0
    0x2135, 0x2111, 0x211C, 0x2118, 0x2297, 0x2295, 0x2205, 0x2229,
    0x222A, 0x2283, 0x2287, 0x2284, 0x2282, 0x2286, 0x2208, 0x2209,
    // 0xD0
    0x2220, 0x2207, 0x00AE, 0x00A9, 0x2122, 0x220F, 0x221A, 0x22C5,
    0x00AC, 0x2227, 0x2228, 0x21D4, 0x21D0, 0x21D1, 0x21D2, 0x21D3,
    // 0xE0
    0x25CA, 0x2329, 0x00AE, 0x00A9, 0x2122, 0x2211, 0x239B, 0x239C,
    0x239D, 0x23A1, 0x23A2, 0x23A3, 0x23A7, 0x23A8, 0x23A9, 0x23AA,
    // 0xF0
    0, 0x232A, 0x222B, 0x2320, 0x23AE, 0x2321, 0x239E, 0x239F,
    0x23A0, 0x23A4, 0x23A5, 0x23A6, 0x23AB, 0x23AC, 0x23AD, 0,
};

// The one conversion of double-byte text: glibc's converters, which carry the
// Windows code pages under their own names whatever Qt was built with. One
// or two bytes in, the character out; U+FFFD where the code page has none.
class CodePageDecoder {
public:
    explicit CodePageDecoder(int CodePage)
        : cd(iconv_open("UTF-16LE", ("CP" + QByteArray::number(CodePage)).constData()))
    {
    }
    ~CodePageDecoder()
    {
        if (cd != kNone)
            iconv_close(cd);
    }
    CodePageDecoder(const CodePageDecoder&) = delete;
    CodePageDecoder& operator=(const CodePageDecoder&) = delete;

    char16_t Char(const char* Bytes, size_t Size)
    {
        if (cd == kNone)
            return 0xFFFD;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char in[2] = { Bytes[0], Size > 1 ? Bytes[1] : '\0' };
        unsigned char out[4] = {};
        char* inp = in;
        char* outp = reinterpret_cast<char*>(out);
        size_t inLeft = Size, outLeft = sizeof out;
        if (iconv(cd, &inp, &inLeft, &outp, &outLeft) == static_cast<size_t>(-1) || inLeft != 0
            || sizeof out - outLeft != 2)
            return 0xFFFD;
        return static_cast<char16_t>(out[0] | out[1] << 8);
    }

private:
    static inline const iconv_t kNone = reinterpret_cast<iconv_t>(-1);
    iconv_t cd;
};

// The name of Qt's converter for the other single-byte code pages; empty for
// a code page read as Latin-1.
QByteArray SingleByteConverterName(int CodePage)
{
    if (CodePage >= 1250 && CodePage <= 1258)
        return "windows-" + QByteArray::number(CodePage);
    if (CodePage == 10000)
        return "macintosh";
    if (CodePage == 874)
        return "windows-874";
    if (CodePage == 437 || CodePage == 850 || CodePage == 866)
        return "IBM" + QByteArray::number(CodePage);
    return {};
}

// Whether CodePage has a table of its own rather than Latin-1's.
bool HasOwnTable(int CodePage)
{
    return CodePage == RtfSymbolCodePage || CodePage == RtfBytesAsIsCodePage || RtfIsDoubleByteCodePage(CodePage)
        || !SingleByteConverterName(CodePage).isEmpty();
}

RtfByteTable MakeTable(int CodePage)
{
    RtfByteTable t;
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
    if (CodePage == RtfSymbolCodePage) {
        // Bytes the encoding leaves empty stand for themselves.
        for (int b = 0x20; b < 256; ++b)
            if (const char16_t c = RtfSymbolChar(static_cast<unsigned char>(b)))
                t[b] = c;
        return t;
    }
    if (CodePage == RtfBytesAsIsCodePage)
        return t;
    if (RtfIsDoubleByteCodePage(CodePage)) {
        CodePageDecoder decoder(CodePage);
        for (int b = 0x80; b < 256; ++b) {
            const char byte = static_cast<char>(b);
            t[b] = RtfIsLeadByte(CodePage, static_cast<unsigned char>(b)) ? 0xFFFD : decoder.Char(&byte, 1);
        }
        return t;
    }
    // Other single-byte code pages through the converters Qt was built with;
    // where none answers, Latin-1 keeps the text readable.
    const QByteArray name = SingleByteConverterName(CodePage);
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

// The font families and their hints; the hint is what lets a missing face be
// replaced by one of its kind.
struct Family {
    const char* word;
    QFont::StyleHint hint;
};
constexpr Family kFamilies[] = {
    { "froman", QFont::Serif },     { "fswiss", QFont::SansSerif }, { "fmodern", QFont::TypeWriter },
    { "fscript", QFont::Cursive },  { "fdecor", QFont::Decorative }, { "ftech", QFont::System },
};

} // namespace

QFont::StyleHint RtfStyleHintOfFamily(std::string_view Word)
{
    for (const Family& f : kFamilies)
        if (Word == f.word)
            return f.hint;
    return QFont::AnyStyle;
}

const char* RtfFamilyOfStyleHint(QFont::StyleHint Hint)
{
    for (const Family& f : kFamilies)
        if (Hint == f.hint)
            return f.word;
    return "fnil";
}

int RtfCodePageOfCharset(int Charset)
{
    switch (Charset) {
    case 0: return 1252;
    case 2: return RtfSymbolCodePage;
    case 77: return 10000;
    case 128: return 932;
    case 129: return 949;
    case 134: return 936;
    case 136: return 950;
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

bool RtfIsSymbolFontName(const QString& Name)
{
    return Name.compare(u"Symbol", Qt::CaseInsensitive) == 0;
}

int RtfFontCodePage(int CharsetCodePage, const QString& Name)
{
    if (RtfIsSymbolFontName(Name))
        return RtfSymbolCodePage;
    if (CharsetCodePage != RtfSymbolCodePage)
        return CharsetCodePage;
    // Symbol charset: the dingbat fonts have encodings of their own.
    static const char16_t* const kDingbats[] = { u"Wingdings", u"Webdings", u"Marlett", u"Zapf",
                                                 u"OpenSymbol", u"MT Extra" };
    for (const char16_t* d : kDingbats)
        if (Name.startsWith(QStringView(d), Qt::CaseInsensitive))
            return RtfBytesAsIsCodePage;
    return RtfSymbolCodePage;
}

const RtfByteTable& RtfTableFor(int CodePage)
{
    // Every code page read as Latin-1 shares one table: the numbers come from
    // the file, and a table kept for each would grow without bound.
    static std::map<int, RtfByteTable> tables;
    const int key = HasOwnTable(CodePage) ? CodePage : 0;
    auto it = tables.find(key);
    if (it == tables.end())
        it = tables.emplace(key, MakeTable(key)).first;
    return it->second;
}

char16_t RtfSymbolChar(unsigned char Byte)
{
    return Byte < 0x20 ? 0 : kSymbol[Byte - 0x20];
}

bool RtfIsDoubleByteCodePage(int CodePage)
{
    return CodePage == 932 || CodePage == 936 || CodePage == 949 || CodePage == 950;
}

bool RtfIsLeadByte(int CodePage, unsigned char Byte)
{
    if (CodePage == 932)
        return (Byte >= 0x81 && Byte <= 0x9F) || (Byte >= 0xE0 && Byte <= 0xFC);
    return RtfIsDoubleByteCodePage(CodePage) && Byte >= 0x81 && Byte <= 0xFE;
}

bool RtfIsTrailByte(int CodePage, unsigned char Byte)
{
    switch (CodePage) {
    case 932: return Byte >= 0x40 && Byte <= 0xFC && Byte != 0x7F;
    case 936: return Byte >= 0x40 && Byte <= 0xFE && Byte != 0x7F;
    case 949: return (Byte >= 0x41 && Byte <= 0x5A) || (Byte >= 0x61 && Byte <= 0x7A) || (Byte >= 0x81 && Byte <= 0xFE);
    case 950: return (Byte >= 0x40 && Byte <= 0x7E) || (Byte >= 0xA1 && Byte <= 0xFE);
    default: return false;
    }
}

char16_t RtfDoubleByteChar(int CodePage, unsigned char Lead, unsigned char Trail)
{
    // The code page's pairs in one table, filled on first use: a document of
    // East Asian text asks for the same few thousand pairs again and again.
    static std::map<int, std::vector<char16_t>> tables;
    auto it = tables.find(CodePage);
    if (it == tables.end()) {
        std::vector<char16_t> table(0x10000, char16_t(0xFFFD));
        CodePageDecoder decoder(CodePage);
        for (int lead = 0x80; lead < 256; ++lead)
            for (int trail = 0; trail < 256; ++trail)
                if (RtfIsLeadByte(CodePage, lead) && RtfIsTrailByte(CodePage, trail)) {
                    const char pair[2] = { static_cast<char>(lead), static_cast<char>(trail) };
                    table[lead << 8 | trail] = decoder.Char(pair, 2);
                }
        it = tables.emplace(CodePage, std::move(table)).first;
    }
    return it->second[Lead << 8 | Trail];
}
