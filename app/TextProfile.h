#pragma once
// The text profile's cutting of the editor's lines (Windows-1251) into the
// pieces the profile library asks for: words or sentences. The lines are
// scanned one after another with nothing between them; a piece is handed on
// when a separator or a sentence end follows it and it holds at least two
// characters, so the piece still being collected at the end is never handed on.
#include "PhonTables.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The 53 characters that end a word: codes 0..32, the double quote and
// ! ' ( ) * + , . / : ; = ? [ \ ] _ { }. The hyphen belongs to the word.
extern const CharSet ProfileWordSeparators;

// Whether the sentence mark at 1-based position Pos of Line ends a sentence:
// it is the line's last character, or a space follows it.
bool IsSentenceEnd(std::string_view Line, size_t Pos);

using TPieceFeed = std::function<void(const std::string&)>;

// The words of Lines, in text order.
void ProfileWords(const std::vector<std::string>& Lines, const TPieceFeed& Feed);
// The sentences of Lines, in text order, without their final mark; the space
// after the previous mark stays at the start of a sentence.
void ProfileSentences(const std::vector<std::string>& Lines, const TPieceFeed& Feed);
