#include "TextProfile.h"

namespace {

// A piece shorter than this is not handed on.
constexpr size_t MinPieceLength = 2;

constexpr CharSet SentenceMarks = {10, 13, '!', '.', '?'};

} // namespace

constinit const CharSet ProfileWordSeparators = CharSet::Range(0, 32) | CharSet {
    '"', '!', '\'', '(', ')', '*', '+', ',', '.', '/', ':', ';', '=', '?', '[', '\\', ']', '_', '{', '}',
};

bool IsSentenceEnd(std::string_view Line, size_t Pos)
{
    return Pos == Line.size() || (Pos < Line.size() && Line[Pos] == ' ');
}

void ProfileWords(const std::vector<std::string>& Lines, const TPieceFeed& Feed)
{
    std::string token;
    for (const std::string& line : Lines)
        for (char c : line) {
            if (!ProfileWordSeparators.Contains(static_cast<unsigned char>(c))) {
                token += c;
                continue;
            }
            // A one-character word is dropped with the separator.
            if (token.size() >= MinPieceLength)
                Feed(token);
            token.clear();
        }
}

void ProfileSentences(const std::vector<std::string>& Lines, const TPieceFeed& Feed)
{
    std::string token;
    for (const std::string& line : Lines)
        for (size_t j = 1; j <= line.size(); ++j) {
            const char c = line[j - 1];
            if (!SentenceMarks.Contains(static_cast<unsigned char>(c)) || !IsSentenceEnd(line, j)) {
                token += c;
                continue;
            }
            // The mark is never part of the sentence; a shorter one collects on.
            if (token.size() >= MinPieceLength) {
                Feed(token);
                token.clear();
            }
        }
}
