#pragma once
// The editor control: a text edit without an inner margin whose text is laid
// out in a formatting rectangle of its client area (the area inside the frame
// and the scroll bars). Outside that rectangle the client area shows the
// editor's background.
//
// A loaded document is built apart and handed over whole (NewDocument, then
// SetDocument): built inside the editor, every step of the building would lay
// out all that was built so far. Handed over, it is laid out once.
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QTextEdit>

#include <memory>

class TRichEdit : public QTextEdit {
    Q_OBJECT
public:
    explicit TRichEdit(QWidget* Parent = nullptr);

    QSize ClientSize() const;
    // The formatting rectangle in client coordinates, right and bottom exclusive.
    QRect FormattingRect() const;
    void SetFormattingRect(int Left, int Top, int Right, int Bottom);

    // An empty document with the settings of the one shown (default font,
    // margin, text options), unmodified and with nothing to undo; nothing lays
    // it out until it is shown.
    std::unique_ptr<QTextDocument> NewDocument() const;
    // Shows Doc in place of the current document, which is freed. The caret
    // stands in Doc now, so its position counts as changed.
    void SetDocument(std::unique_ptr<QTextDocument> Doc);
    // Replaces the whole text by Text in the editor's default attributes,
    // with nothing to undo: no attribute of the old text or of the caret's
    // place carries over.
    void SetText(const QString& Text);

    // The line of the character at Position as the control shows it, from 0,
    // the lines a paragraph wraps into counted apart, and Position's column in
    // that line, from 0. The paragraphs up to Position are laid out first.
    struct TLinePos {
        int Line = 0, Column = 0;
    };
    TLinePos LineOfChar(int Position);

signals:
    // The shown document's modified flag changed, whichever document it is.
    void ModificationChanged(bool Modified);

protected:
    // The control's own keys beside the text edit's: Alt+Backspace undoes the
    // last edit, whatever the platform binds to undo.
    void keyPressEvent(QKeyEvent* Event) override;

private:
    // Follows edits of the shown document that make a paragraph long.
    void FollowLongParagraphs(QTextDocument* Doc);
    // Follows edits and layouts of the shown document for LineOfChar.
    void CountLinesOf(QTextDocument* Doc);

    // The document's paragraphs keep their line counts in the document's
    // block map (Qt's rich-text layout leaves them at 1), which sums them for
    // the paragraphs before any one. Each paragraph ending at or before
    // countedTo_ holds the line count of its present layout.
    QPointer<QTextDocument> countedDoc_;
    QPointer<QObject> countedLayout_;
    int countedTo_ = 0;
    bool editPending_ = false;
};
