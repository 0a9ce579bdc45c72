#pragma once
// The full list of a page as the list page paints it and as it is printed:
// the scales with their values, the sound-letters in columns of 15, a rule
// beside the values and one under the sound-letters, and the three summary
// lines. Screen and printer differ only in their measures. Also the list
// page's canvas, which every list painter uses, and its scroll range.
#include "Canvas.h"
#include "PageRecords.h"

struct TListLayout {
    int Top = 0;            // y of the first row
    int Row = 0;            // row height
    int NameX = 0;          // x of the scale names
    int ValueX = 0;         // x of the scale values
    int RuleOffset = 0;     // the vertical rule stands this far right of the first value's end...
    int RuleBelow = 0;      // ...and reaches this far below the last scale row's y
    int SoundGap = 0;       // sound columns start this far right of their base; the bottom rule ends there
    int BottomRuleRows = 0; // the bottom rule lies this many rows below the last sound line
    int SummaryGap = 0;     // the summary lines start this far right of the first value's end
    int SummaryFirst = 0;   // the first summary line lies this far below the bottom rule...
    int SummaryStep = 0;    // ...and each further one this far below the one before
    bool Colours = true;    // red scales of 9 and more, blue sounds of |Z| >= 1, maroon summary; else black
};

struct TListMarks {
    int X0 = 0;    // where the first scale value ends
    int RuleY = 0; // the bottom rule's y
};

// The lists' font: bold Times New Roman of Size points in black, with a pen of 1.
void UseListFont(TCanvas& C, int Size);

// Draws Page's list with the canvas's font (its colour is set here), the pen
// as the layout leaves it. Points the page's cursors at the items drawn; an
// entry without its item raises, leaving what was drawn so far.
TListMarks DrawPageList(TCanvas& C, TRecFileGraf& Page, const TListLayout& L);

// The canvas of Page's paint box while it paints or is measured (or its test
// canvas), filled with the box's colour and set to the lists' font of 8
// points; nullptr when the page has no paint box or the box is not painting.
TCanvas* ListPageCanvas(TCurrentPage& Page);
// The same for any page record: Current is Page as a page, or nullptr.
TCanvas* ListPageCanvas(TRecFileGraf* Page, TCurrentPage*& Current);

// The row height of a list laid out on an area AreaHeight high: a 28th of it.
int ListRowHeightFor(int AreaHeight);

// The page's scroll box scrolls by LineStep and as far as Drawn reaches
// down, so that the last line drawn can be brought into view and no further.
void SetListScrollRange(TCurrentPage& Page, int LineStep, const QRect& Drawn);
