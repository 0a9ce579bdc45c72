#include "RichEdit.h"

#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <utility>

TRichEdit::TRichEdit(QWidget* Parent) : QTextEdit(Parent)
{
    // The margin goes into the empty document's frame as a change of its own,
    // which is neither to be undone nor counted as an edit.
    document()->setDocumentMargin(0);
    document()->clearUndoRedoStacks();
    document()->setModified(false);
    connect(document(), &QTextDocument::modificationChanged, this, &TRichEdit::ModificationChanged);
    // The margins around the formatting rectangle are painted like the text's ground.
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

QSize TRichEdit::ClientSize() const
{
    const QMargins m = viewportMargins();
    return viewport()->size().grownBy(m);
}

QRect TRichEdit::FormattingRect() const
{
    const QMargins m = viewportMargins();
    return QRect(QPoint(m.left(), m.top()), viewport()->size());
}

void TRichEdit::SetFormattingRect(int Left, int Top, int Right, int Bottom)
{
    const QSize client = ClientSize();
    setViewportMargins(std::max(0, Left), std::max(0, Top), std::max(0, client.width() - Right),
                       std::max(0, client.height() - Bottom));
}

std::unique_ptr<QTextDocument> TRichEdit::NewDocument() const
{
    const QTextDocument& shown = *document();
    auto doc = std::make_unique<QTextDocument>();
    doc->setDefaultFont(shown.defaultFont());
    doc->setDefaultTextOption(shown.defaultTextOption());
    doc->setDocumentMargin(shown.documentMargin());
    doc->setIndentWidth(shown.indentWidth());
    doc->setUseDesignMetrics(shown.useDesignMetrics());
    doc->setDefaultCursorMoveStyle(shown.defaultCursorMoveStyle());
    doc->setUndoRedoEnabled(shown.isUndoRedoEnabled());
    doc->clearUndoRedoStacks();
    doc->setModified(false);
    return doc;
}

void TRichEdit::SetDocument(std::unique_ptr<QTextDocument> Doc)
{
    QTextDocument* old = document();
    // The first document belongs to the text edit, which frees it itself; the
    // ones handed over belong to this control.
    const bool ours = old->parent() == this;
    const bool wasModified = old->isModified();
    Doc->setParent(this);
    setDocument(Doc.release());
    if (ours)
        delete old;
    connect(document(), &QTextDocument::modificationChanged, this, &TRichEdit::ModificationChanged);
    if (document()->isModified() != wasModified)
        emit ModificationChanged(document()->isModified());
    // Qt hands the old caret's attributes on to the new caret, so that typing
    // at the start of the new text would take them; a fresh caret takes the
    // text's own. Qt reports the move while the caret still holds the old
    // ones, and not at all when the caret stays at 0.
    setTextCursor(QTextCursor(document()));
    emit cursorPositionChanged();
}

void TRichEdit::SetText(const QString& Text)
{
    std::unique_ptr<QTextDocument> doc = NewDocument();
    if (!Text.isEmpty()) {
        doc->setUndoRedoEnabled(false);
        doc->setPlainText(Text);
        doc->setUndoRedoEnabled(isUndoRedoEnabled());
        doc->setModified(false);
    }
    SetDocument(std::move(doc));
}
