#pragma once
// The document engine's model: documents of paragraphs, runs, tables and
// pictures, worked on through one insertion point (or selection) the way a
// word processor's macro commands work on them, and saved as RTF. The
// WordBasic automation objects (WordBasic.h) drive it.
//
// Character formats live in the text: moving the insertion point takes the
// format found there, and formatting without a selection changes only what is
// typed next. Failures raise EOleError with a message for the user.
#include <QColor>
#include <QTextCursor>
#include <QTextDocument>

#include <memory>
#include <optional>
#include <vector>

class TEngineDocument {
public:
    TEngineDocument();
    TEngineDocument(const TEngineDocument&) = delete;
    TEngineDocument& operator=(const TEngineDocument&) = delete;

    const QTextDocument& Document() const { return doc_; }
    // The name it was last saved under (a host path); empty before.
    QString FileName;

    // Typing replaces the selection. "\r" (or "\r\n", "\n") ends a paragraph.
    void Insert(const QString& Text);
    // The picture file (a host path) at its own size, 96 pixels to the inch.
    void InsertPicture(const QString& HostFile);
    // A table at the insertion point, which goes to its first cell.
    void InsertTable(int Columns, int Rows);

    // The font, bold and colour of the selection and of what is typed next.
    void SetFont(const QString& Name, std::optional<qreal> Points);
    void SetBold(std::optional<bool> On); // no value: the opposite of the current state
    void SetColor(std::optional<QColor> Color); // no value: automatic

    void StartOfDocument();
    void EndOfDocument();
    bool AtEndOfDocument() const;
    // In a table only: the column's first cell; the next cell (selecting its
    // contents, and adding a row after the last cell); the whole row.
    void StartOfColumn();
    void NextCell();
    void SelectRow();
    // Sentences end after ".", "!", "?" or "…" and the blanks that follow, and
    // with their paragraph; words are runs of letters and digits, every other
    // character is a word of its own, and each keeps the blanks after it.
    void SelectCurSentence();
    void SelectCurWord();
    void SentRight();
    void WordRight();
    bool HasSelection() const { return cursor_.hasSelection(); }
    // The selected text, paragraph marks as "\r"; without a selection the
    // character after the insertion point.
    QString Selection() const;

    QByteArray Rtf() const;
    // Writes the RTF under the host path, whole or not at all.
    void SaveAs(const QString& HostName);

private:
    QTextTable* Table(const char* Command) const;
    void ReplaceSelection();
    void Merge(const QTextCharFormat& Format);
    int End() const;
    bool IsWordStart(int Pos) const;
    bool IsSentenceStart(int Pos) const;
    int WordCoreEnd(int Start) const;
    template <typename IsStart>
    void MoveRight(IsStart Start);

    QTextDocument doc_;
    QTextCursor cursor_;
    int pictures_ = 0;
};

// The application: its open documents, the last one active. It lives as long
// as an automation object holds it; the next connection finds it running.
class TEngineApplication {
public:
    bool Visible = false;

    TEngineDocument& NewDocument();
    // The active document; a new one when none is open.
    TEngineDocument& ActiveDocument();
    int DocumentCount() const { return static_cast<int>(docs_.size()); }
    // Closes every document without saving.
    void CloseAll() { docs_.clear(); }

    static std::shared_ptr<TEngineApplication> RunningOrNew();

private:
    std::vector<std::unique_ptr<TEngineDocument>> docs_;
};
