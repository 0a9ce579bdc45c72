#include "EditorText.h"

#include "Win1251.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

QString EditorPlainText(QStringView Text)
{
    QString s = Text.toString();
    for (QChar& c : s)
        if (IsLineBreak(c.unicode()))
            c = QLatin1Char('\n');
    return s;
}

// The raw text: the plain text of the document would turn a no-break space
// into a blank.
QString EditorPlainText(const QTextDocument& Document)
{
    return EditorPlainText(Document.toRawText());
}

std::string EditorAnsiText(QStringView Text)
{
    // Unit by unit, so that each half of a character beyond the BMP is a "?"
    // of its own and every later position stays the editor's.
    std::string out(static_cast<size_t>(Text.size()), '\0');
    const char16_t* src = Text.utf16();
    for (qsizetype i = 0; i < Text.size(); ++i)
        out[static_cast<size_t>(i)] = IsLineBreak(src[i]) ? '\n' : static_cast<char>(UnicodeToWin1251(src[i]));
    return out;
}

std::string EditorAnsiText(const QTextDocument& Document)
{
    return EditorAnsiText(Document.toRawText());
}

std::string FirstLineAnsi(const QTextDocument& Document, qsizetype MaxLength)
{
    const QString first = Document.firstBlock().text();
    const qsizetype lineEnd = first.indexOf(QChar::LineSeparator);
    const QStringView line = QStringView(first).left(lineEnd < 0 ? first.size() : lineEnd);
    return QStringToAnsi(line.left(MaxLength));
}

std::string SelectedAnsiText(const QTextCursor& Cursor)
{
    QString text = EditorPlainText(Cursor.selectedText());
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return QStringToAnsi(text);
}

void DocumentLinesAnsi(const QTextDocument& Document, std::string& Out)
{
    QStringToAnsi(Document.toRawText(), Out, true);
}

std::vector<std::string> DocumentLines(const QTextDocument& Document)
{
    return EditorLines(EditorAnsiText(Document));
}

std::vector<std::string> EditorLines(const std::string& Text)
{
    std::vector<std::string> lines;
    if (Text.empty())
        return lines;
    for (size_t start = 0;;) {
        const size_t end = Text.find('\n', start);
        lines.emplace_back(Text, start, end == std::string::npos ? std::string::npos : end - start);
        if (end == std::string::npos)
            return lines;
        start = end + 1;
    }
}
