#include "Win1251.h"

#include <array>

namespace {

// 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F in order. 0x98 has no character
// and maps to its C1 control code.
constexpr char16_t kHigh[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

constexpr char16_t ToUnicode(unsigned char c)
{
    if (c < 0x80)
        return c;
    if (c >= 0xC0)
        return static_cast<char16_t>(0x0410 + (c - 0xC0));
    return kHigh[c - 0x80];
}

// The code page backwards, one byte for each UTF-16 unit ('?' for one the code
// page lacks), as constant data: nothing is filled when the program starts,
// and only the pages of the table that a text touches are read in.
using Reverse = std::array<unsigned char, 0x10000>;

constexpr Reverse MakeReverse()
{
    Reverse map {};
    for (auto& b : map)
        b = '?';
    for (int c = 0; c < 0x100; ++c)
        map[ToUnicode(static_cast<unsigned char>(c))] = static_cast<unsigned char>(c);
    return map;
}

constexpr Reverse kReverse = MakeReverse();

} // namespace

char16_t Win1251ToUnicode(unsigned char c)
{
    return ToUnicode(c);
}

unsigned char UnicodeToWin1251(char16_t u)
{
    return kReverse[u];
}

QString AnsiToQString(std::string_view s)
{
    QString out(static_cast<qsizetype>(s.size()), Qt::Uninitialized);
    QChar* d = out.data();
    for (size_t i = 0; i < s.size(); ++i)
        d[i] = QChar(Win1251ToUnicode(static_cast<unsigned char>(s[i])));
    return out;
}

namespace {

// The conversion loop, compiled once for each choice about breaks: no flag is
// tested per character, and the editor's feed of a whole document (breaks
// left out) keeps its store on the straight path.
template <bool DropLineBreaks>
size_t ToAnsi(QStringView s, char* d)
{
    const Reverse& map = kReverse;
    const char16_t* src = s.utf16();
    size_t n = 0;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t u = src[i];
        // A character beyond the BMP is one character: one '?'.
        if (QChar::isHighSurrogate(u) && i + 1 < s.size() && QChar::isLowSurrogate(src[i + 1]))
            ++i;
        if (DropLineBreaks && IsLineBreak(u))
            continue;
        d[n++] = static_cast<char>(map[u]);
    }
    return n;
}

} // namespace

void QStringToAnsi(QStringView s, std::string& out, bool DropLineBreaks)
{
    out.resize(static_cast<size_t>(s.size()));
    out.resize(DropLineBreaks ? ToAnsi<true>(s, out.data()) : ToAnsi<false>(s, out.data()));
}

std::string QStringToAnsi(QStringView s)
{
    std::string out;
    QStringToAnsi(s, out);
    return out;
}

std::string Ansi(std::string_view utf8)
{
    return QStringToAnsi(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

std::string Cut255(std::string_view s)
{
    return std::string(s.substr(0, 255));
}
