#pragma once
// The editor's document format: a reader and a writer of RTF for a
// QTextDocument. They carry what the editor holds: per run the font, size,
// colour, bold, italic, underline and strike-out; per paragraph the
// alignment, the indents and bullets.
//
// Units: font sizes are points (RTF keeps half-points); the paragraph indents
// live in the block format as the editor lays them out, in pixels of 1/96 inch
// (RTF keeps twips, 15 twips to such a pixel): leftMargin is \li, rightMargin
// \ri, textIndent \fi (the first line's offset from leftMargin).
#include <QByteArray>
#include <QTextDocument>

enum class RtfLoad { Loaded, NotRtf, Failed };

// NotRtf: the bytes (after leading white space) do not start with "{\rtf";
// Failed: they do, but the header is no RTF header. Doc is untouched in both
// cases. Loaded: Doc holds what was read; unknown control words and groups are
// skipped, and a truncated file yields the text read up to its end.
RtfLoad ReadRtf(const QByteArray& Data, QTextDocument& Doc);

// RTF 1 with the Windows-1251 code page; characters outside it as \uN escapes.
QByteArray WriteRtf(const QTextDocument& Doc);

constexpr int RtfTwipsPerPixel = 15;
inline qreal RtfPixelsFromTwips(int Twips) { return Twips / qreal(RtfTwipsPerPixel); }
int RtfTwipsFromPixels(qreal Pixels);
