#pragma once
// The word analysis: one word, its stressed letter and its vowels, and its
// values on the 25 bipolar scales (1..5, 3 neutral, low toward the left pole).
// A value is the weighted mean of the sounds' ratings, where rare sounds weigh
// more, the first letter four times and the stressed vowel twice.
#include "PhonText.h"
#include "TopList.h"

#include <QRect>

#include <cstdint>
#include <string>

class QObject;
class TCanvas;
class TCurrentPage;
class TForm3;
class TGrafForm;
class TRecFileGraf;

constexpr int BipolarScaleCount = 25;

// One bipolar scale; the names are 14 characters wide, right-aligned.
struct BipolarScale {
    std::string LeftName;
    std::string RightName;
    double Value = 0;
};

struct VowelStress {
    unsigned char Letter;
    double Unstressed;
    double Stressed;
};

// The pole names, and in Value the accumulators of ComputeWordProfile.
extern Array1<BipolarScale, BipolarScaleCount> BipolarScales;
extern const Array1<VowelStress, 9> VowelStressFreq;
// Rating x 10 of sound i (SoundLetterTable's order) on bipolar scale k.
extern const Array1<Array1<int32_t, BipolarScaleCount>, SoundLetterCount> SoundScaleMatrix;
constexpr unsigned char StressMark = '/';

// The word analysis' ranking, by significance.
extern TTopList WordTopList;

// Significance of a value: v from 3.0 up, 6.0 - v below (mirrored about 3).
double Significance(double Value);

// The letter the word analysis reads: Ё as Е and ё as е, as Russian print
// does; every other code as it is. The word itself keeps its Ё.
unsigned char WordLetter(unsigned char Letter);
// A vowel of the word: one of CyrillicVowels, Ё and ё included.
bool IsWordVowel(unsigned char Letter);

class TStrShowAsscent : public TFileViewMem {
public:
    TStrShowAsscent();

    std::string AnalysedWord; // upper case, at most 255 characters
    uint8_t StressPos = 0;    // 1-based; 0 without a vowel
    uint8_t VowelsInWord = 0;
    QRect WordRect;
    Array1<BipolarScale, BipolarScaleCount> Scales;

    // Takes the word, counts its vowels, puts the stress on the first one.
    void SetWord(const std::string& Word);
    // The stress window's move: Step letters at a time, wrapping round, until
    // the stress stands on a vowel. False, and nothing moves, without a vowel.
    bool MoveStress(int Step);
    void ClearScaleValues();
    void ComputeWordProfile();
    void CopyScaleValues();
    // Ranks the scales afresh in WordTopList by their significance.
    void RankScales() const;
    // The stress window's "Далее...": the word's scale values at its current
    // stress, ranked in WordTopList.
    void AnalyseAtStress();

    // Builds the word's chart page and list page in a diagram window; false
    // when building failed. A Target that is no diagram window gets nothing.
    virtual bool FillGrafForm(QObject* Target, int32_t Unused, int32_t Mode);

    // The word with the stress mark on the stress window's paint box.
    void DrawStressedWord(TForm3* Form);
    // The left margin of the word in the stress window, and whether it is wide.
    int WordLeftMargin(TForm3* Form, bool& Wide) const;

    // The scale list of a word list page on its paint box.
    void PaintScaleList(TRecFileGraf* Page, int AreaHeight, int AreaWidth);
    // The same list on the printer's current page, in colour for ColourMode 1;
    // the caller opens and closes the print document.
    void PrintScaleList(TRecFileGraf* Page, int ColourMode);

    // The document open in the word processor, walked sentence by sentence
    // (Mode 0) or word by word; words are counted either way. The ranking goes
    // into the library's TopList. Failures of the word processor pass on.
    void AnalyzeWordDocument(const std::string& Title, int32_t Mode, std::string& Note) override;
};

// The one word analysis while the stress window exists.
extern TStrShowAsscent* CurrentWordAnalysis;

// Whether a word page marks a scale item's Value (in red: the window's list,
// its printout and the exported table alike): 6.0 - Value below 2.6.
bool MarksScaleValue(double Value);

// The printed scale list of a word page on a page of Width x Height printer
// units: the title, then each scale's pole and its value as the window shows
// them, the marked ones red with Colours. An entry without its item raises.
void DrawPrintedScaleList(TCanvas& C, TRecFileGraf& Page, int Width, int Height, bool Colours);
