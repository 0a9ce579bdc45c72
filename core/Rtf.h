#pragma once
// The editor's document format: a reader and a writer of RTF for a
// QTextDocument. They carry what the editor holds: per run the font (with
// its family's style hint), size, colour, bold, italic, underline,
// strike-out, superscript and subscript; per paragraph the alignment, the
// indents, the space before and after, and lists of bullets or numbers. The
// writer also writes tables and pictures (the document engine's documents
// hold them); the reader keeps the text of a table and leaves pictures out,
// and keeps footnotes as text: the reference as a superscript number, the
// notes at the end of the document under a separator line.
//
// Units: font sizes are points (RTF keeps half-points); the paragraph indents
// live in the block format as the editor lays them out, in pixels of 1/96 inch
// (RTF keeps twips, 15 twips to such a pixel): leftMargin is \li, rightMargin
// \ri, textIndent \fi (the first line's offset from leftMargin), topMargin
// \sb and bottomMargin \sa.
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

// What a list read from a file keeps of it, so that a save writes it back:
// the number its first item carries (1 where unset), the file's list it
// belongs to (its \ls; 0 for a list made in the editor) and its level in that
// list (0..8). One file list shows as a list per level, and a level's list
// starts anew after an item of a level above it.
constexpr int RtfMaxListStart = 32767;
int RtfListStart(const QTextListFormat& Format);
void RtfSetListStart(QTextListFormat& Format, int Start);
int RtfListNumber(const QTextListFormat& Format);
int RtfListLevel(const QTextListFormat& Format);
void RtfSetListPlace(QTextListFormat& Format, int Number, int Level);

// The marker of a list's item (Index counts from 0): a bullet, or the item's
// number in the list's style followed by "." ("5.", "c.", "iv.").
QString RtfListItemText(const QTextListFormat& Format, int Index);

// RTF's number formats (\levelnfc: 0 decimal, 1 and 2 upper and lower roman,
// 3 and 4 upper and lower letters, 23 bullet) and the list styles they show
// as; other formats show as decimal.
QTextListFormat::Style RtfListStyleOfNfc(int Nfc);
int RtfNfcOfListStyle(QTextListFormat::Style Style);
