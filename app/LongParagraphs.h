#pragma once
// Paragraphs far longer than a line. The text layout wraps a line at a word
// boundary, or anywhere when a word is longer than the line, by measuring
// each line first up to its next break opportunity: in a run without one (a
// base64 block, a binary file read as text) every line measures the whole
// rest of the run, and the paragraph costs the square of its length. A
// document holding such a run is wrapped anywhere instead: the run wraps at
// the window's edge as it did, in linear time; words elsewhere in that
// document may then be broken at the edge too.
//
// And a paragraph this long keeps its shaped text between layouts, so that
// painting it and placing the caret in it do not itemize and shape all of it
// again each time.
#include <QStringView>
#include <QTextOption>

#include <limits>

class QTextBlock;
class QTextDocument;

// Runs and paragraphs of at least this many characters are long.
constexpr int LongParagraphLength = 16384;

// The length of the longest stretch of Text without a line-break opportunity.
qsizetype LongestUnbreakableRun(QStringView Text);

// The paragraphs from First to Last: each long one keeps its shaped text.
void KeepShapedText(const QTextBlock& First, const QTextBlock& Last);
// Whether one of the paragraphs from First to Last holds a long run without
// a break opportunity that reaches into the document's positions From..To
// (anywhere by default). Only the text within a long run's length of them is
// read, so that an edit in a long paragraph is not followed by a search of
// all of it.
bool HasLongUnbreakableRun(const QTextBlock& First, const QTextBlock& Last, qsizetype From = 0,
                           qsizetype To = std::numeric_limits<int>::max());

// The wrapping Doc needs: anywhere when a paragraph holds a long unbreakable
// run, else at word boundaries (anywhere only in a word longer than the
// line). Its long paragraphs keep their shaped text from now on.
QTextOption::WrapMode WrappingFor(const QTextDocument& Doc);
