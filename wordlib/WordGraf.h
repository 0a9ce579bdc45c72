#pragma once
// The library's diagram window: the program's window showing one word
// analysis in mode 3, a chart page and a list page with the note "Слово".
#include "LemvGraf.h"
#include "PhonText.h"

#include <string>

// A new word window; creation failures pass on.
TGrafForm* CreateWordGrafForm();

// Fills a word page (chart or list) from the analysis: the significant scales
// in ranking order (at most 14), all 25 scales leaning to their pole, and the
// mirrored values. Does nothing unless Analysis is a word analysis.
void FillWordPage(TRecFileGraf* Page, const std::string& Word, TFileViewMem* Analysis);
