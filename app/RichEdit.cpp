#include "RichEdit.h"

#include <QTextDocument>

#include <algorithm>

TRichEdit::TRichEdit(QWidget* Parent) : QTextEdit(Parent)
{
    // The margin goes into the empty document's frame as a change of its own,
    // which is neither to be undone nor counted as an edit.
    document()->setDocumentMargin(0);
    document()->clearUndoRedoStacks();
    document()->setModified(false);
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
