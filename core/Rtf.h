#pragma once
// The editor's document format: a reader and a writer of RTF for a
// QTextDocument. They carry what the editor holds: per run the font, size,
// colour, bold, italic, underline and strike-out; per paragraph the
// alignment, the indents and bullets. The writer also writes tables and
// pictures (the document engine's documents hold them); the reader keeps
// the text of a table and leaves pictures out.
//
// Units: font sizes are points (RTF keeps half-points); the paragraph indents
// live in the block format as the editor lays them out, in pixels of 1/96 inch
// (RTF keeps twips, 15 twips to such a pixel): leftMargin is \li, rightMargin
// \ri, textIndent \fi (the first line's offset from leftMargin).
#include <QByteArray>
#include <QTextDocument>
#include <QTextListFormat>

enum class RtfLoad { Loaded, NotRtf, Failed };

// NotRtf: the bytes (after leading white space) do not start with "{\rtf";
// Failed: they do, but the header is no RTF header. Doc is untouched in both
// cases. Loaded: Doc holds what was read; unknown control words and groups are
// skipped, and a truncated file yields the text read up to its end.
RtfLoad ReadRtf(const QByteArray& Data, QTextDocument& Doc);

// RTF 1 with the Windows-1251 code page; characters outside it as \uN escapes.
// Tables span the default text width in equal columns with single borders;
// pictures are the document's image resources as PNG, shrunk to that width.
QByteArray WriteRtf(const QTextDocument& Doc);

// Font sizes in half-points that a file may carry, and the largest size in
// points a document keeps.
constexpr int RtfMaxHalfPoints = 3276;
constexpr int RtfMaxPoints = RtfMaxHalfPoints / 2;
// The text width of a page without page settings: 12240 - 2 x 1800 twips.
constexpr int RtfTextWidthTwips = 8640;

constexpr int RtfTwipsPerPixel = 15;
inline qreal RtfPixelsFromTwips(int Twips) { return Twips / qreal(RtfTwipsPerPixel); }
int RtfTwipsFromPixels(qreal Pixels);

// How the document holds a bulleted or a numbered paragraph: as an item of a
// list of this format.
QTextListFormat RtfListFormat(bool Bullets);
// A list whose items carry bullets rather than numbers.
bool RtfIsBulletList(const QTextListFormat& Format);
