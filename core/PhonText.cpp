#include "PhonText.h"

#include "Automation.h"
#include "CaseMap.h"
#include "ClipboardLayer.h"
#include "TopList.h"
#include "Win1251.h"

#include <algorithm>
#include <climits>
#include <cmath>

TFileViewMem* TextModel = nullptr;

namespace {

// What the feed loop needs of a byte b as the pending character, that is of
// its capital RusUpCase(b), derived once from the character classes.
struct PendingClass {
    uint8_t vowel;     // a vowel: the first one after a delimiter counts a word
    uint8_t keep;      // neither vowel nor delimiter: the word state carries over
    uint8_t delimiter; // ends a word
    uint8_t russian;   // starts a word
    uint8_t sound[2];  // sound number, [1] when a softening letter follows; 0 = none
    uint8_t pad[2];
};

struct FeedTables {
    PendingClass pending[256]; // indexed by the raw byte
    uint8_t softening[256];
    uint8_t upper[256];
    uint8_t highSound[SoundLetterCount + 1];  // sound number i is a high sound
    uint8_t vowelSound[SoundLetterCount + 1]; // sound number i is a vowel

    FeedTables()
    {
        for (int c = 0; c < 256; ++c) {
            const auto ch = static_cast<unsigned char>(c);
            upper[c] = RusUpCase(ch);
            softening[c] = SofteningLetters.Contains(ch);
        }
        for (int c = 0; c < 256; ++c) {
            const unsigned char P = upper[c];
            PendingClass& p = pending[c];
            p = PendingClass {};
            p.delimiter = P <= 127 && WordDelimiters.Contains(P);
            p.russian = RussianLetters.Contains(P);
            if (P >= 0xC0 && P <= 0xDF) {
                p.vowel = CyrillicVowels.Contains(P);
                p.sound[0] = static_cast<uint8_t>(TPhonText::FindSound(P));
                p.sound[1] = SoftenableConsonants.Contains(P)
                    ? static_cast<uint8_t>(TPhonText::FindSound(RusLowCase(P)))
                    : p.sound[0];
            }
            p.keep = !(p.vowel || p.delimiter);
        }
        highSound[0] = vowelSound[0] = 0;
        for (int i = 1; i <= SoundLetterCount; ++i) {
            const unsigned char capital = RusUpCase(SoundLetterTable[i].Letter);
            highSound[i] = HighSounds.Contains(capital);
            vowelSound[i] = CyrillicVowels.Contains(capital);
        }
    }
};

const FeedTables& Tables()
{
    static const FeedTables t;
    return t;
}

} // namespace

void TPhonText::Reset()
{
    PendingChar = ' ';
    SoundCount = 0;
    HighCount = 0;
    VowelCount = 0;
    WordCount = 0;
    SyllablesPerWord = 0;
    InWord = false;
    WordVowelSeen = false;
    for (SoundItem& s : Sounds) {
        s.Count = 0;
        s.Z = 0;
    }
}

int32_t TPhonText::FindSound(unsigned char Letter)
{
    if (!RussianLetters.Contains(Letter))
        return 0;
    for (int i = 1; i <= SoundLetterCount; ++i)
        if (SoundLetterTable[i].Letter == Letter)
            return i;
    return 0;
}

void TPhonText::ProcessChar(unsigned char Ch, int32_t Mode)
{
    const unsigned char P = PendingChar;

    if (InWord) {
        InWord = !(P <= 127 && WordDelimiters.Contains(P));
    } else {
        InWord = RussianLetters.Contains(P);
        if (InWord)
            WordVowelSeen = false;
    }

    const unsigned char up = RusUpCase(P);
    if (up >= 0xC0 && up <= 0xDF) {
        unsigned char letter = P;
        if (HighSounds.Contains(letter))
            CheckedInc(HighCount);
        if (CyrillicVowels.Contains(letter)) {
            CheckedInc(VowelCount);
            if (Mode == 0 && !WordVowelSeen) {
                CheckedInc(WordCount);
                WordVowelSeen = true;
            }
        }
        if (SoftenableConsonants.Contains(letter) && SofteningLetters.Contains(Ch))
            letter = RusLowCase(letter);
        const int32_t i = FindSound(letter);
        if (i > 0) {
            CheckedInc(Sounds[i].Count);
            CheckedInc(SoundCount);
        }
    }

    PendingChar = RusUpCase(Ch);
}

// The feed of a run, equivalent to ProcessChar for each byte but without its
// per-character branches:
// - Sounds: the sound of a pending character depends only on it and on the
//   look-ahead, so the run is a histogram of byte pairs.
// - Words: leaving out characters that are neither vowels nor delimiters, a
//   word is counted at each vowel whose predecessor is a delimiter (or, at the
//   start of the run, when the current word has no vowel yet).
// - The word state at the end follows from the last word start of the run:
//   after a delimiter and a Cyrillic letter the state no longer depends on
//   what came before, so only the tail from there is walked character by
//   character.
template <bool CountWords>
void TPhonText::FeedFast(const unsigned char* Data, size_t Length)
{
    const FeedTables& t = Tables();
    // A pending small letter (only ever set from outside) is classified the slow way.
    while (Length > 0 && t.upper[PendingChar] != PendingChar) {
        ProcessChar(*Data++, CountWords ? 0 : 1);
        --Length;
    }
    if (Length == 0)
        return;

    // Four histograms (slot 0: no sound) so that repeated letters do not wait
    // on each other's increments.
    uint32_t hist[4][SoundLetterCount + 1] = {};
    const unsigned first = PendingChar;
    unsigned prev = first;
    unsigned afterDelimiter = !(InWord && WordVowelSeen);
    int32_t words = 0;

    const auto step = [&](unsigned ch, uint32_t* h) {
        const PendingClass& c = t.pending[prev];
        if constexpr (CountWords) {
            words += static_cast<int32_t>(afterDelimiter & c.vowel);
            afterDelimiter = (afterDelimiter & c.keep) | c.delimiter;
        }
        h[c.sound[t.softening[ch]]] += 1;
        prev = ch;
    };
    size_t k = 0;
    for (; k + 4 <= Length; k += 4) {
        step(Data[k], hist[0]);
        step(Data[k + 1], hist[1]);
        step(Data[k + 2], hist[2]);
        step(Data[k + 3], hist[3]);
    }
    for (; k < Length; ++k)
        step(Data[k], hist[0]);

    // Every high sound and every vowel is a sound-letter, so their counts
    // follow from the histogram.
    for (int i = 1; i <= SoundLetterCount; ++i) {
        const int32_t n = static_cast<int32_t>(hist[0][i] + hist[1][i] + hist[2][i] + hist[3][i]);
        Sounds.Items[i - 1].Count += n;
        SoundCount += n;
        if (t.highSound[i])
            HighCount += n;
        if (t.vowelSound[i])
            VowelCount += n;
    }
    WordCount += words;

    // The pending character of step j is the byte before it.
    const auto pendingAt = [&](size_t j) { return j == 0 ? first : unsigned(Data[j - 1]); };
    // The last word start: the earliest Cyrillic letter after the last
    // delimiter that one follows.
    size_t from = 0;
    bool inWord = InWord, vowelSeen = WordVowelSeen;
    size_t letter = Length;
    for (size_t j = Length; j-- > 0;) {
        const PendingClass& c = t.pending[pendingAt(j)];
        if (c.russian) {
            letter = j;
        } else if (c.delimiter && letter != Length) {
            from = letter + 1;
            inWord = true;
            vowelSeen = CountWords && t.pending[pendingAt(letter)].vowel;
            break;
        }
    }
    for (size_t j = from; j < Length; ++j) {
        const PendingClass& c = t.pending[pendingAt(j)];
        if (inWord) {
            inWord = !c.delimiter;
        } else {
            inWord = c.russian;
            if (inWord)
                vowelSeen = false;
        }
        if (CountWords && c.vowel)
            vowelSeen = true;
    }
    InWord = inWord;
    WordVowelSeen = vowelSeen;
    PendingChar = t.upper[Data[Length - 1]];
}

void TPhonText::Feed(const unsigned char* Data, size_t Length, int32_t Mode)
{
    // Each character raises every counter by at most one: a run that cannot
    // reach the 32-bit limit needs no check per character.
    const int64_t room = INT32_MAX - static_cast<int64_t>(
        std::max(std::max(SoundCount, HighCount), std::max(VowelCount, WordCount)));
    if (static_cast<int64_t>(Length) <= room) {
        if (Mode == 0)
            FeedFast<true>(Data, Length);
        else
            FeedFast<false>(Data, Length);
        return;
    }
    for (size_t k = 0; k < Length; ++k)
        ProcessChar(Data[k], Mode);
}

void TFileViewMem::ProcessString(std::string_view S, int32_t Mode)
{
    FeedLength = static_cast<int32_t>(std::min<size_t>(S.size(), INT32_MAX));
    Feed(reinterpret_cast<const unsigned char*>(S.data()), S.size(), Mode);
    FeedPos = FeedLength;
}

void TPhonText::ClearScaleScores()
{
    for (ScaleItem& s : TextScales)
        s.Value = 0;
}

void TPhonText::ComputeProfile()
{
    const int32_t N = SoundCount;
    if (N < 1) {
        Reset();
        return;
    }
    const double r = 1.0 / N;
    for (int i = 1; i <= SoundLetterCount; ++i) {
        const long double f = SoundLetterTable[i].Freq;
        const long double z = sqrtl(static_cast<long double>(N) / ((1.0L - f) * f))
            * (static_cast<long double>(Sounds[i].Count) * static_cast<long double>(r) - f);
        Sounds[i].Z = static_cast<double>(z);
        const double Z = Sounds[i].Z;
        if (std::fabs(Z) >= 1.0) {
            for (int j = 1; j <= TextScaleCount; ++j) {
                const long double add = (static_cast<long double>(TextScaleWeights[i][j]) * Z) * 0.01L;
                TextScales[j].Value = static_cast<double>(TextScales[j].Value + add);
            }
        }
    }
    if (WordCount > 0)
        SyllablesPerWord = static_cast<double>(VowelCount) / static_cast<double>(WordCount);
}

void TPhonText::TakeSnapshot()
{
    Snapshot = TTextSnapshot { SoundCount, HighCount, VowelCount, WordCount, SyllablesPerWord };
    for (int i = 1; i <= SoundLetterCount; ++i) {
        SnapshotSounds[i].Count = Sounds[i].Count;
        SnapshotSounds[i].Z = Sounds[i].Z;
    }
}

void TPhonText::ReadClipboard()
{
    IClipboard& clipboard = ClipboardLayer();
    if (!clipboard.HasText())
        return;
    std::string buffer = QStringToAnsi(clipboard.Text());
    // The text ends at its first zero, as a zero-terminated copy does.
    buffer.resize(std::char_traits<char>::length(buffer.c_str()));
    FeedLength = static_cast<int32_t>(std::min<size_t>(buffer.size(), INT32_MAX));
    // Every character, then the terminating zero, so the last one is classified.
    Feed(reinterpret_cast<const unsigned char*>(buffer.c_str()), buffer.size() + 1, 0);
    FeedPos = FeedLength;
    clipboard.Clear();
}

void TFileViewMem::AnalyzeWordDocument(const std::string& Title_, int32_t Mode, std::string& Note)
{
    Title = Cut255(Title_);
    Reset();

    std::unique_ptr<IAutomationObject> word = CreateAutomationObject("Word.Basic");
    word->Call("MenuMode");
    word->Call("StartOfDocument");

    const auto selection = [&] { return Cut255(QStringToAnsi(word->Call("Selection").toString())); };
    if (Mode == 0) {
        while (word->Call("AtEndOfDocument").toInt() != -1) {
            try {
                word->Call("SelectCurSentence");
                const std::string s = selection();
                if (!s.empty())
                    ProcessString(s, Mode);
            } catch (const std::exception&) {
                word->Call("EditCopy");
                ReadClipboard();
            }
            word->Call("SentRight");
        }
    } else {
        while (word->Call("AtEndOfDocument").toInt() != -1) {
            try {
                word->Call("SelectCurWord");
                const std::string s = selection();
                if (!s.empty())
                    ProcessString(s, Mode);
            } catch (const std::exception&) {
            }
            word->Call("WordRight");
        }
    }

    Note = DocumentNote();
}

std::string TFileViewMem::DocumentNote()
{
    if (SoundCount < 1)
        return Ansi("Слишком мал текст для анализа!");
    ClearScaleScores();
    ComputeProfile();
    TakeSnapshot();
    RankTextScales();
    if (TopList.Slots[1].Value >= 8.0)
        return {};
    return Cut255(Ansi("ЗНАЧИМЫХ признаков для текста ") + Title + Ansi(" НЕТ!"));
}

void RankTextScales()
{
    ClearTopList();
    for (int j = 1; j <= TextScaleCount; ++j)
        AddToTopList(j, TextScales[j].Value);
}
