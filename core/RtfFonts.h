#pragma once
// What the reader and the writer know of an RTF font table: the font
// families, which code page a font's \fcharset names, the byte tables of
// single-byte code pages, the double-byte code pages of East Asian text, and
// the Symbol font's encoding.
#include <QFont>
#include <QString>

#include <string_view>

#include <array>

// A font family's control word (\froman, \fswiss ...) and the style hint the
// character format keeps for it; \fnil is AnyStyle.
QFont::StyleHint RtfStyleHintOfFamily(std::string_view Word); // AnyStyle: no family word
const char* RtfFamilyOfStyleHint(QFont::StyleHint Hint);     // "fnil" where none fits

// Code page numbers of the fonts that have none: the Symbol font, whose bytes
// stand for Greek letters and symbols, and other symbol fonts (dingbats),
// whose bytes are kept as they are.
constexpr int RtfSymbolCodePage = -1;
constexpr int RtfBytesAsIsCodePage = -2;

// \fcharset to code page; 0 when the charset names none (the document's
// code page applies).
int RtfCodePageOfCharset(int Charset);

// The code page of a font from its charset's code page and its name: the font
// named Symbol reads as Symbol whatever its charset, other symbol fonts keep
// their bytes.
int RtfFontCodePage(int CharsetCodePage, const QString& Name);
bool RtfIsSymbolFontName(const QString& Name);

using RtfByteTable = std::array<char16_t, 256>;
// The characters of a single-byte code page's bytes (of a double-byte code
// page: its single bytes; a lead byte stands for U+FFFD).
const RtfByteTable& RtfTableFor(int CodePage);

// The Symbol font's character for a byte; 0 where the encoding has none.
char16_t RtfSymbolChar(unsigned char Byte);

// Shift-JIS (932), GBK (936), UHC (949) and Big5 (950).
bool RtfIsDoubleByteCodePage(int CodePage);
bool RtfIsLeadByte(int CodePage, unsigned char Byte);
bool RtfIsTrailByte(int CodePage, unsigned char Byte);
// The character of a lead byte and its trail byte; U+FFFD where the code
// page has none.
char16_t RtfDoubleByteChar(int CodePage, unsigned char Lead, unsigned char Trail);
