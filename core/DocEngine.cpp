#include "DocEngine.h"

#include "Errors.h"
#include "Rtf.h"
#include "SafeFile.h"

#include <QDir>
#include <QImage>
#include <QTextBlock>
#include <QTextTable>
#include <QUrl>

#include <algorithm>

namespace {

[[noreturn]] void Fail(const QString& Message)
{
    throw EOleError(Message.toStdString());
}

// The marks that open and close a table and its cells: no unit starts there.
bool IsFrameMark(QChar c)
{
    return c.unicode() == 0xFDD0 || c.unicode() == 0xFDD1;
}

// Paragraph marks, and the frame marks.
bool IsMark(QChar c)
{
    return c == QChar::ParagraphSeparator || IsFrameMark(c);
}

bool IsBlank(QChar c)
{
    return !IsMark(c) && (c.isSpace() || c == QChar::LineSeparator);
}

bool IsWordChar(QChar c)
{
    return c.isLetterOrNumber() || c.isMark() || c == QLatin1Char('_');
}

bool IsSentenceEnd(QChar c)
{
    return c == QLatin1Char('.') || c == QLatin1Char('!') || c == QLatin1Char('?') || c.unicode() == 0x2026;
}

// Closing quotes and brackets may stand between a sentence's end and the blanks.
bool IsCloser(QChar c)
{
    return c == QLatin1Char(')') || c == QLatin1Char('"') || c == QLatin1Char('\'') || c.unicode() == 0x00BB
        || c.unicode() == 0x201D || c.unicode() == 0x2019;
}

} // namespace

TEngineDocument::TEngineDocument()
    : cursor_(&doc_)
{
    doc_.setUndoRedoEnabled(false);
    doc_.setDefaultFont(QFont(QStringLiteral("Times New Roman"), 10));
}

int TEngineDocument::End() const
{
    return doc_.characterCount() - 1;
}

QTextTable* TEngineDocument::Table(const char* Command) const
{
    QTextTable* table = cursor_.currentTable();
    if (!table)
        Fail(QStringLiteral("Команда %1 выполняется только в таблице.").arg(QLatin1String(Command)));
    return table;
}

void TEngineDocument::ReplaceSelection()
{
    if (!cursor_.hasSelection())
        return;
    if (cursor_.hasComplexSelection()) {
        // Cells selected: their contents go, the text goes into the first.
        int row = 0, rows = 0, col = 0, cols = 0;
        cursor_.selectedTableCells(&row, &rows, &col, &cols);
        QTextTable* table = cursor_.currentTable();
        for (int r = row; r < row + rows; ++r) {
            for (int c = col; c < col + cols; ++c) {
                QTextCursor cell = table->cellAt(r, c).firstCursorPosition();
                cell.setPosition(table->cellAt(r, c).lastPosition(), QTextCursor::KeepAnchor);
                cell.removeSelectedText();
            }
        }
        cursor_ = table->cellAt(row, col).firstCursorPosition();
        return;
    }
    cursor_.removeSelectedText();
}

void TEngineDocument::Insert(const QString& Text)
{
    ReplaceSelection();
    qsizetype from = 0;
    for (qsizetype i = 0; i <= Text.size(); ++i) {
        const bool end = i == Text.size();
        if (!end && Text[i] != QLatin1Char('\r') && Text[i] != QLatin1Char('\n'))
            continue;
        if (i > from)
            cursor_.insertText(Text.mid(from, i - from));
        if (end)
            break;
        cursor_.insertBlock();
        if (Text[i] == QLatin1Char('\r') && i + 1 < Text.size() && Text[i + 1] == QLatin1Char('\n'))
            ++i;
        from = i + 1;
    }
}

void TEngineDocument::InsertPicture(const QString& HostFile)
{
    QImage image;
    if (!image.load(HostFile))
        Fail(QStringLiteral("Не удалось вставить рисунок «%1»: файл не найден или не является рисунком.")
                 .arg(QDir::toNativeSeparators(HostFile)));
    ReplaceSelection();
    const QString name = QStringLiteral("picture:%1").arg(++pictures_);
    doc_.addResource(QTextDocument::ImageResource, QUrl(name), image);
    QTextImageFormat format;
    format.merge(cursor_.charFormat());
    format.setName(name);
    format.setWidth(image.width());
    format.setHeight(image.height());
    cursor_.insertImage(format);
}

void TEngineDocument::InsertTable(int Columns, int Rows)
{
    ReplaceSelection();
    // The cells take the paragraph's formatting.
    const QTextCharFormat format = cursor_.charFormat();
    QTextTableFormat table;
    table.setBorder(1);
    table.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    table.setCellPadding(2);
    table.setCellSpacing(0);
    table.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    QTextTable* t = cursor_.insertTable(Rows, Columns, table);
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Columns; ++c)
            t->cellAt(r, c).firstCursorPosition().setBlockCharFormat(format);
    // So does the paragraph that follows the table.
    QTextCursor after = t->lastCursorPosition();
    if (after.movePosition(QTextCursor::NextBlock))
        after.setBlockCharFormat(format);
    cursor_ = t->cellAt(0, 0).firstCursorPosition();
}

void TEngineDocument::Merge(const QTextCharFormat& Format)
{
    cursor_.mergeCharFormat(Format);
    // Selected cells keep the format for what is typed into them later.
    if (cursor_.hasComplexSelection())
        cursor_.mergeBlockCharFormat(Format);
}

void TEngineDocument::SetFont(const QString& Name, std::optional<qreal> Points)
{
    QTextCharFormat f;
    f.setFontFamilies(QStringList { Name });
    if (Points)
        f.setFontPointSize(*Points);
    Merge(f);
}

void TEngineDocument::SetBold(std::optional<bool> On)
{
    const bool bold = On ? *On : !(cursor_.charFormat().fontWeight() > QFont::Medium);
    QTextCharFormat f;
    f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    Merge(f);
}

void TEngineDocument::SetColor(std::optional<QColor> Color)
{
    QTextCharFormat f;
    f.setForeground(Color ? QBrush(*Color) : QBrush()); // no brush: automatic
    Merge(f);
}

void TEngineDocument::StartOfDocument()
{
    cursor_.movePosition(QTextCursor::Start);
}

void TEngineDocument::EndOfDocument()
{
    cursor_.movePosition(QTextCursor::End);
}

bool TEngineDocument::AtEndOfDocument() const
{
    return cursor_.selectionEnd() >= End();
}

void TEngineDocument::StartOfColumn()
{
    QTextTable* table = Table("StartOfColumn");
    const int column = table->cellAt(cursor_.selectionStart()).column();
    cursor_ = table->cellAt(0, column).firstCursorPosition();
}

void TEngineDocument::NextCell()
{
    QTextTable* table = Table("NextCell");
    const QTextTableCell cell = table->cellAt(cursor_.selectionEnd());
    int row = cell.row();
    int column = cell.column() + cell.columnSpan();
    if (column >= table->columns()) {
        column = 0;
        row += cell.rowSpan();
        if (row >= table->rows()) {
            // The new row takes the formatting of the one above.
            table->appendRows(1);
            for (int c = 0; c < table->columns(); ++c) {
                const QTextCharFormat above = table->cellAt(row - 1, c).firstCursorPosition().blockCharFormat();
                table->cellAt(row, c).firstCursorPosition().setBlockCharFormat(above);
            }
        }
    }
    const QTextTableCell next = table->cellAt(row, column);
    cursor_ = next.firstCursorPosition();
    cursor_.setPosition(next.lastPosition(), QTextCursor::KeepAnchor);
}

void TEngineDocument::SelectRow()
{
    QTextTable* table = Table("TableSelectRow");
    const int row = table->cellAt(cursor_.selectionStart()).row();
    cursor_.setPosition(table->cellAt(row, 0).firstPosition());
    cursor_.setPosition(table->cellAt(row, table->columns() - 1).lastPosition(), QTextCursor::KeepAnchor);
}

bool TEngineDocument::IsWordStart(int Pos) const
{
    if (Pos <= 0 || Pos >= End())
        return true;
    const QChar c = doc_.characterAt(Pos);
    const QChar before = doc_.characterAt(Pos - 1);
    if (IsFrameMark(c))
        return false;
    if (IsMark(c) || IsMark(before))
        return true;
    if (IsBlank(c))
        return false;
    return IsBlank(before) || !(IsWordChar(c) && IsWordChar(before));
}

bool TEngineDocument::IsSentenceStart(int Pos) const
{
    if (Pos <= 0 || Pos >= End())
        return true;
    if (IsFrameMark(doc_.characterAt(Pos)))
        return false;
    if (IsMark(doc_.characterAt(Pos - 1)))
        return true;
    if (IsBlank(doc_.characterAt(Pos)) || IsMark(doc_.characterAt(Pos)) || !IsBlank(doc_.characterAt(Pos - 1)))
        return false;
    int q = Pos - 1;
    while (q > 0 && IsBlank(doc_.characterAt(q)))
        --q;
    while (q > 0 && IsCloser(doc_.characterAt(q)))
        --q;
    return IsSentenceEnd(doc_.characterAt(q));
}

int TEngineDocument::WordCoreEnd(int Start) const
{
    const int end = End();
    if (Start >= end)
        return end;
    const QChar c = doc_.characterAt(Start);
    int e = Start + 1;
    if (IsWordChar(c))
        while (e < end && IsWordChar(doc_.characterAt(e)))
            ++e;
    else if (IsBlank(c))
        while (e < end && IsBlank(doc_.characterAt(e)))
            ++e;
    return e;
}

void TEngineDocument::SelectCurWord()
{
    int start = cursor_.selectionStart();
    while (!IsWordStart(start))
        --start;
    cursor_.setPosition(start);
    cursor_.setPosition(WordCoreEnd(start), QTextCursor::KeepAnchor);
}

void TEngineDocument::SelectCurSentence()
{
    int start = cursor_.selectionStart();
    while (!IsSentenceStart(start))
        --start;
    int end = start + 1;
    while (end < End() && !IsSentenceStart(end))
        ++end;
    end = std::min(end, End());
    // A sentence ends with its cell.
    while (end > start && IsFrameMark(doc_.characterAt(end - 1)))
        --end;
    cursor_.setPosition(start);
    cursor_.setPosition(end, QTextCursor::KeepAnchor);
}

// From a selection its end counts as the first step when a unit starts
// there; otherwise the insertion point goes to the next unit's start, or to
// the end.
template <typename IsStart>
void TEngineDocument::MoveRight(IsStart Start)
{
    int to = cursor_.selectionEnd();
    if (!cursor_.hasSelection() || !Start(to))
        do
            ++to;
        while (to < End() && !Start(to));
    to = std::min(to, End());
    cursor_.setPosition(to);
    // The cursor may put a position at a table's edge back; then the next one.
    while (cursor_.position() < to && to < End()) {
        do
            ++to;
        while (to < End() && !Start(to));
        cursor_.setPosition(to);
    }
}

void TEngineDocument::SentRight()
{
    MoveRight([this](int p) { return IsSentenceStart(p); });
}

void TEngineDocument::WordRight()
{
    MoveRight([this](int p) { return IsWordStart(p); });
}

QString TEngineDocument::Selection() const
{
    QString text = cursor_.hasSelection() ? cursor_.selectedText() : QString(doc_.characterAt(cursor_.position()));
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c == QChar::ParagraphSeparator)
            out += QLatin1Char('\r');
        else if (c == QChar::LineSeparator)
            out += QLatin1Char('\v');
        else if (c == QChar::ObjectReplacementCharacter)
            out += QChar(1);
        else if (!IsFrameMark(c))
            out += c;
    }
    return out;
}

QByteArray TEngineDocument::Rtf() const
{
    return WriteRtf(doc_);
}

void TEngineDocument::SaveAs(const QString& HostName)
{
    try {
        WriteFileWhole(HostName, Rtf());
    } catch (const EWriteError& e) {
        throw EOleError(e.what());
    }
    FileName = HostName;
}

TEngineDocument& TEngineApplication::NewDocument()
{
    docs_.push_back(std::make_unique<TEngineDocument>());
    return *docs_.back();
}

TEngineDocument& TEngineApplication::ActiveDocument()
{
    return docs_.empty() ? NewDocument() : *docs_.back();
}

std::shared_ptr<TEngineApplication> TEngineApplication::RunningOrNew()
{
    static std::weak_ptr<TEngineApplication> running;
    std::shared_ptr<TEngineApplication> app = running.lock();
    if (!app) {
        app = std::make_shared<TEngineApplication>();
        running = app;
    }
    return app;
}
