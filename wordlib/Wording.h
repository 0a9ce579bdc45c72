#pragma once
// The word hand-off of the entry dialog: the word in the middle of an entry,
// the check that it is a Russian word, and the way into the analysis.
#include <string>

// The run of word characters around the middle position of S (empty when the
// middle character ends a word or S is shorter than two characters).
std::string MiddleWord(const std::string& S);
// Whether every character of S is a letter А..я, Ё or ё, or a word delimiter
// below 128; an empty S is no Russian word.
bool IsRusWord(const std::string& S);

// Upper case by the user's locale rules, character by character, so that Latin
// letters are raised as well; a character whose capital the code page lacks
// stays as it is. S and the result are Windows-1251.
std::string AnsiUpperCase(const std::string& S);

// The word a confirmed entry hands to the analysis: the entry cut to 255
// characters, upper-cased, and its middle word.
std::string EntryWord(const std::string& Entry);

// A confirmed entry: its middle word, checked, goes to the stress window, or
// straight to the analysis when it has at most one vowel.
void StartWordAnalysis(const std::string& Word);
