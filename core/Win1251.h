#pragma once
// Windows-1251 text: the core keeps every string as single-byte Windows-1251
// codes (std::string of bytes); these routines convert at the Qt boundary.
#include <QString>
#include <string>
#include <string_view>

// Unicode code point of a Windows-1251 byte.
char16_t Win1251ToUnicode(unsigned char c);
// Windows-1251 byte of a UTF-16 code unit; '?' where the code page has none.
unsigned char UnicodeToWin1251(char16_t u);

QString AnsiToQString(std::string_view s);
std::string QStringToAnsi(QStringView s);
// A break of the text: a line feed, a line break (U+2028) or the end of a
// paragraph (U+2029).
constexpr bool IsLineBreak(char16_t u)
{
    return u == u'\n' || u == 0x2028 || u == 0x2029;
}
// Converts into an existing buffer, reusing its storage; with DropLineBreaks
// the breaks are left out.
void QStringToAnsi(QStringView s, std::string& out, bool DropLineBreaks = false);

// UTF-8 source text (string literals) to Windows-1251.
std::string Ansi(std::string_view utf8);

// A short string holds at most 255 characters; longer texts are cut.
std::string Cut255(std::string_view s);
