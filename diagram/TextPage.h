#pragma once
// Filling a page from a text analysis: the significant scales, the coding and
// rhythm verdicts, the scale and sound-letter lists and the summary lines.
#include "PageRecords.h"

#include <cstdint>
#include <string>

class TPhonText;

// Fills a page from a text model whose snapshot has been taken, with TopList and
// the scores of TextScales holding the ranking of that analysis. Failures end
// the filling silently; a model that is not a TFileViewMem leaves the page as it is.
void FillTextPage(TRecFileGraf* Page, const std::string& Title, TPhonText* Model);
void FillScalesAndVerdicts(TRecFileGraf* Page, const std::string& Title, TPhonText* Model);
void FillSoundsAndSummary(TRecFileGraf* Page, const std::string& Title, TPhonText* Model);

// The SoundList line of a sound-letter: «Б' 3 (1.20)», «А  12 (-0.46)».
std::string SoundLine(unsigned char Letter, int32_t Count, double Z);

// The verdict texts (Windows-1251).
std::string VerdictNeutral();
std::string VerdictSoft();
std::string VerdictHard();
