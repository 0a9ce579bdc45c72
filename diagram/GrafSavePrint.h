#pragma once
// Saving and printing a page: the chart snapshot, the bitmap file, where a
// bitmap goes on the printed sheet and the printed list. The library's window
// prints and saves its word pages with the same pieces.
#include "Canvas.h"
#include "PageRecords.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>
#include <string>

class TChart;

// The chart drawn on white at its size on the screen; afterwards its back and
// control colours are button face, whatever they were before.
QImage ChartSnapshot(TChart& Chart);

// A standard bitmap file under the host path, whole or not at all (EWriteError).
void SaveBitmapFile(const QImage& Bitmap, const QString& HostName);
// The snapshot as the print command prints it: written to the scratch file
// "MyBitmap.bmp" in the current directory and read back from it.
QImage ScratchSnapshot(TChart& Chart);

// Whether a save may write what it writes for the chosen name: the bitmap
// Chosen (when Bitmap) and the document (when Document) under Name. For a
// document Name becomes the chosen name in Windows-1251; a name longer than
// 255 characters or with characters outside Windows-1251 is refused with a
// message (it would be saved under another name). Files that exist are
// replaced only when the user agrees. False when the save must not go on.
bool MaySaveAs(const QString& Chosen, bool Bitmap, bool Document, std::string& Name);

// A canvas on the current printer page, its font sized at the printer's resolution.
class TPrinterCanvas : public TPainterCanvas {
public:
    TPrinterCanvas();
};

// Prints Bitmap fitted to the printer's page (PlaceBitmap with the printer's
// figures, the copy indexed on a palette device) as one print document;
// SameSheet then draws on the same sheet. The document ends also on an error.
void PrintFittedBitmap(const QImage& Bitmap, int Divisor, const std::function<void()>& SameSheet = {});

// Where a bitmap of BitmapSize goes on a page of PageSize (HORZRES, VERTRES)
// with the printing Offset: fitted to the width or the height of the area
// within the offsets on both sides, a Divisor-th of the spare length from the
// top or left edge. Raises for an empty bitmap or a Divisor of 0.
QRect PlaceBitmap(QSize PageSize, QPoint Offset, QSize BitmapSize, int Divisor);

// The printed list of a page of Width x Height printer units: the title, the
// scales, the sound-letters, the summary and the two verdicts, coloured only
// with Colours. An entry without its item raises, leaving what was drawn.
void DrawPrintedList(TCanvas& C, TRecFileGraf& Page, int Width, int Height, bool Colours);
