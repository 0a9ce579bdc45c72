#pragma once
// The editor's text as the system reads it. The editor ends a paragraph with
// U+2029 and breaks a line within one with U+2028; every other character,
// a no-break space included, stays what it is (a no-break space is 0xA0 in
// Windows-1251). What is analysed, printed and searched is read here, so the
// three agree.
#include <QString>

#include <string>
#include <vector>

class QTextCursor;
class QTextDocument;

// The text with each break as "\n", character for character otherwise: a
// position in the result is a position in the editor.
QString EditorPlainText(QStringView Text);
QString EditorPlainText(const QTextDocument& Document);
// The same in Windows-1251: still a position in the result is a position in
// the editor, so a character of two UTF-16 units (an emoji) is two "?".
std::string EditorAnsiText(QStringView Text);
std::string EditorAnsiText(const QTextDocument& Document);

// The document's first line (its first paragraph up to a line break), at most
// MaxLength characters of it, in Windows-1251.
std::string FirstLineAnsi(const QTextDocument& Document, qsizetype MaxLength);
// The selected text in Windows-1251, each break as CR LF; empty without a selection.
std::string SelectedAnsiText(const QTextCursor& Cursor);
// Every line of the document in Windows-1251, one after another with nothing
// between them, into Out (its storage reused).
void DocumentLinesAnsi(const QTextDocument& Document, std::string& Out);
// The lines of the document in Windows-1251, each apart; none when it is empty.
std::vector<std::string> DocumentLines(const QTextDocument& Document);
// The same lines from the document's text as EditorAnsiText reads it.
std::vector<std::string> EditorLines(const std::string& Text);
