#pragma once
// The text model: turns a stream of Windows-1251 characters into sound-letter
// counts, z-scores and the 20 text-scale scores (held in TextScales).
#include "PhonTables.h"

#include <cstdint>
#include <string>
#include <string_view>

struct TTextSnapshot {
    int32_t SoundCount = 0;
    int32_t HighCount = 0;
    int32_t VowelCount = 0;
    int32_t WordCount = 0;
    double SyllablesPerWord = 0;
};

class TPhonText {
public:
    TPhonText() = default;
    virtual ~TPhonText() = default;

    // Feeds the clipboard's text and its terminating zero, then empties the clipboard.
    virtual void ReadClipboard();

    void Reset();
    // Classifies the pending character with Ch as look-ahead, then makes Ch pending.
    void ProcessChar(unsigned char Ch, int32_t Mode);
    static int32_t FindSound(unsigned char Letter);
    static void ClearScaleScores();
    void ComputeProfile();
    void TakeSnapshot();

    int32_t FeedPos = 0;
    int32_t FeedLength = 0;
    std::string Title; // at most 255 characters
    int32_t SoundCount = 0;
    int32_t HighCount = 0;
    int32_t VowelCount = 0;
    int32_t WordCount = 0;
    double SyllablesPerWord = 0;
    TTextSnapshot Snapshot;
    unsigned char PendingChar = 0;
    bool InWord = false;
    bool WordVowelSeen = false;
    double SoftSum = 0;
    double HardSum = 0;
    Array1<SoundItem, SoundLetterCount> Sounds;
    Array1<SoundItem, SoundLetterCount> SnapshotSounds;

protected:
    // Feeds a run of characters; counters are checked for overflow once per run.
    void Feed(const unsigned char* Data, size_t Length, int32_t Mode);

private:
    template <bool CountWords>
    void FeedFast(const unsigned char* Data, size_t Length);
};

class TFileViewMem : public TPhonText {
public:
    // Walks the document open in the word processor sentence by sentence (Mode
    // 0) or word by word; Note is empty on success, else the message to show.
    virtual void AnalyzeWordDocument(const std::string& Title, int32_t Mode, std::string& Note);

    // Every character of S in turn (S holds Windows-1251 bytes).
    void ProcessString(std::string_view S, int32_t Mode);

protected:
    // The end of a document walk: profile, snapshot and ranking when anything
    // was counted; the note, empty when the text has significant features.
    std::string DocumentNote();
};

// The model of the running text analysis; created, fed and freed by the text command.
extern TFileViewMem* TextModel;

// Ranks the 20 text-scale scores in TopList (cleared first), in scale order.
void RankTextScales();
