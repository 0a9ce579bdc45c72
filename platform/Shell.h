#pragma once
// Shell services of the main window: the screen's typefaces, and the files
// the desktop drops onto a window.
#include <QString>
#include <QStringList>

class QMimeData;

// EnumFontsA over the screen with no face name: one face name per typeface,
// in the order the font system lists them.
QStringList EnumFontFaces();

// DragQueryFile: the local files of a drop, in the order they were dropped.
QStringList DroppedFiles(const QMimeData* Data);
// Whether a drag carries local files that a window accepting files takes.
bool CarriesFiles(const QMimeData* Data);
