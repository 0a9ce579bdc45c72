#pragma once
// The editor control: a text edit without an inner margin whose text is laid
// out in a formatting rectangle of its client area (the area inside the frame
// and the scroll bars). Outside that rectangle the client area shows the
// editor's background.
//
// A loaded document is built apart and handed over whole (NewDocument, then
// SetDocument): built inside the editor, every step of the building would lay
// out all that was built so far. Handed over, it is laid out once.
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

signals:
    // The shown document's modified flag changed, whichever document it is.
    void ModificationChanged(bool Modified);
};
