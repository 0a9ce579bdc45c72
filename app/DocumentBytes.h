#pragma once
// The editor's reading of a file's bytes: rich text when they read as RTF,
// else plain text (UTF-8 when the bytes are valid UTF-8, else Windows-1251),
// with CR LF and lone CR as paragraph ends.
#include <QByteArray>

class QTextDocument;

// Fills Doc (empty, not shown) from Data.
void ReadDocumentBytes(const QByteArray& Data, QTextDocument& Doc);
