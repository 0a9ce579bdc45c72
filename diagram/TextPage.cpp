#include "TextPage.h"

#include "CaseMap.h"
#include "NumFormat.h"
#include "PhonText.h"
#include "TopList.h"
#include "Win1251.h"

std::string VerdictNeutral() { return Ansi("ТЕКСТ СУГГЕСТИВНО НЕЙТРАЛЬНЫЙ"); }
std::string VerdictSoft() { return Ansi("ОРИЕНТАЦИЯ НА МЯГКОЕ КОДИРОВАНИЕ"); }
std::string VerdictHard() { return Ansi("ОРИЕНТАЦИЯ НА ЖЕСТКОЕ КОДИРОВАНИЕ"); }

std::string SoundLine(unsigned char Letter, int32_t Count, double Z)
{
    std::string line;
    if (Letter >= 0xE0) { // a soft consonant: its capital with the mark "'"
        line += static_cast<char>(RusUpCase(Letter));
        line += '\'';
    } else {
        line += static_cast<char>(Letter);
        line += ' ';
    }
    line += ' ';
    line += std::to_string(Count);
    line += " (";
    line += FormatFixed(Z, 7, 2);
    line += ')';
    return line;
}

void FillScalesAndVerdicts(TRecFileGraf* Page, const std::string& Title, TPhonText* Model)
{
    auto* model = dynamic_cast<TFileViewMem*>(Model);
    if (!model || !Page)
        return;
    Page->Title = Cut255(Title);
    Page->SignificantNames.Clear();
    Page->SignificantValues.Clear();

    // Significant scales: the first ranks down to 8.0, at most 8, each listed
    // when its own score reaches 9.0.
    for (int r = 1; r <= 8 && TopList.Slots[r].Value >= 8.0; ++r) {
        const int k = TopList.Slots[r].Index;
        if (TextScales[k].Value >= 9.0) {
            Page->SignificantNames.Add(TextScales[k].Name);
            Page->SignificantValues.Add(FormatFixed(TextScales[k].Value, 5, 2));
        }
    }

    // Soft scales 1..8, hard scales 12..20; 9..11 count in neither.
    model->SoftSum = 0;
    model->HardSum = 0;
    for (int r = 1; r <= TextScaleCount && TopList.Slots[r].Value >= 9.0; ++r) {
        const int k = TopList.Slots[r].Index;
        if (k <= 8)
            model->SoftSum += TopList.Slots[r].Value;
        else if (k >= 12)
            model->HardSum += TopList.Slots[r].Value;
    }
    if (model->SoftSum <= 0 && model->HardSum <= 0)
        Page->CodingVerdict = VerdictNeutral();
    else if (model->SoftSum > model->HardSum)
        Page->CodingVerdict = VerdictSoft();
    else
        Page->CodingVerdict = VerdictHard();

    // Extended-precision thresholds: 2.06 and 2.44 rounded to a 64-bit mantissa.
    constexpr long double HighBelow = 2.05999999999999999995L;
    constexpr long double MediumUpTo = 2.44000000000000000005L;
    const long double v = model->Snapshot.SyllablesPerWord;
    Page->RhythmVerdict = Ansi("РИТМИЧНОСТЬ");
    if (v < HighBelow)
        Page->RhythmVerdict += Ansi(" ВЫСОКАЯ");
    else if (v <= MediumUpTo)
        Page->RhythmVerdict += Ansi(" СРЕДНЯЯ");
    else
        Page->RhythmVerdict += Ansi(" НИЗКАЯ");
}

void FillSoundsAndSummary(TRecFileGraf* Page, const std::string&, TPhonText* Model)
{
    auto* model = dynamic_cast<TFileViewMem*>(Model);
    if (!model || !Page)
        return;
    // A fresh page holds no items; any left from an earlier filling are freed
    // rather than lost.
    Page->ClearSoundsAndScales();

    for (int k = 1; k <= TextScaleCount; ++k) {
        Page->CurScaleItem = new ScaleItem { TextScales[k].Name.substr(0, 14), TextScales[k].Value };
        Page->ScaleList.AddObject(TextScales[k].Name, Page->CurScaleItem);
    }
    for (int i = 1; i <= SoundLetterCount; ++i) {
        const SoundItem& snap = model->SnapshotSounds[i];
        Page->CurSoundItem = new SoundItem();
        Page->CurSoundItem->Z = snap.Z;
        Page->SoundList.AddObject(SoundLine(SoundLetterTable[i].Letter, snap.Count, snap.Z), Page->CurSoundItem);
    }
    const TTextSnapshot& s = model->Snapshot;
    Page->SoundTotalLine = Ansi("Всего звукобукв: ") + std::to_string(s.SoundCount);
    Page->SyllablesLine = Ansi("Средняя длина слова в слогах: ") + FormatFixed(s.SyllablesPerWord, 7, 2);
    // Without sound-letters the share has no value; the line stays as it was.
    if (s.SoundCount == 0)
        return;
    const long double share = static_cast<long double>(s.HighCount) * 100 / s.SoundCount;
    Page->HighShareLine = Cut255(Ansi("Доля высоких звуков: ") + FormatFixed(share, 7, 2) + " " + "%");
}

void FillTextPage(TRecFileGraf* Page, const std::string& Title, TPhonText* Model)
{
    try {
        FillScalesAndVerdicts(Page, Title, Model);
        FillSoundsAndSummary(Page, Title, Model);
    } catch (...) {
    }
}
