#pragma once
// Shell services of the main window: the screen's typefaces, and the files
// the desktop drops onto a window.
#include <QList>
#include <QString>
#include <QStringList>

class QMimeData;

// The longest face name a font description holds (32 characters with the
// terminating zero).
constexpr int MaxFaceNameLength = 31;

// A typeface as the font box lists it: its face name, and the family the font
// system knows it by (the same name unless the face name was cut short).
struct TFontFace {
    QString Name;
    QString Family;
    bool operator==(const TFontFace&) const = default;
};

// The typefaces of the font system's family names: a family listed once per
// foundry ("C059 [UKWN]", "C059 [urw]") is one typeface ("C059"); a face name
// is cut to MaxFaceNameLength characters and listed once (the first family
// that gives it). Sorted by face name without regard to case.
QList<TFontFace> FontFaces(const QStringList& Families);

// EnumFontsA over the screen with no face name: one face per typeface of the
// font system, as FontFaces lists them.
QList<TFontFace> EnumFontFaces();

// DragQueryFile: the local files of a drop, in the order they were dropped.
QStringList DroppedFiles(const QMimeData* Data);
// Whether a drag carries local files that a window accepting files takes.
bool CarriesFiles(const QMimeData* Data);
