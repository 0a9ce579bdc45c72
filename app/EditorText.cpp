#include "EditorText.h"

#include "Win1251.h"

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
