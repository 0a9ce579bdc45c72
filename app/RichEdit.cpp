#include "RichEdit.h"

#include "LongParagraphs.h"

#include <QAbstractTextDocumentLayout>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace {

// More characters than a screen of the smallest text holds.
constexpr int TallDocumentLength = 200000;

} // namespace

TRichEdit::TRichEdit(QWidget* Parent) : QTextEdit(Parent)
{
    // The margin goes into the empty document's frame as a change of its own,
    // which is neither to be undone nor counted as an edit.
    document()->setDocumentMargin(0);
    document()->clearUndoRedoStacks();
    document()->setModified(false);
    connect(document(), &QTextDocument::modificationChanged, this, &TRichEdit::ModificationChanged);
    FollowLongParagraphs(document());
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
    // Laid out once, at the editor's width and with the wrapping its
    // paragraphs need: a document whose page has no size is not laid out, so
    // neither the old one on its way out nor the new one before the editor
    // gives it its width.
    Doc->setPageSize(QSizeF(0, 0));
    if (const QTextOption::WrapMode wrap = WrappingFor(*Doc); wrap != wordWrapMode()) {
        old->setPageSize(QSizeF(0, 0));
        setWordWrapMode(wrap);
    }
    // A document longer than any screen holds gets the vertical scroll bar
    // once laid out; with the bar there from the start it is laid out once,
    // at the width it keeps, not without the bar and then again with it.
    const Qt::ScrollBarPolicy vertical = verticalScrollBarPolicy();
    const bool tall = vertical == Qt::ScrollBarAsNeeded && Doc->characterCount() > TallDocumentLength;
    if (tall)
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Doc->setParent(this);
    setDocument(Doc.release());
    if (tall)
        setVerticalScrollBarPolicy(vertical);
    if (ours)
        delete old;
    connect(document(), &QTextDocument::modificationChanged, this, &TRichEdit::ModificationChanged);
    FollowLongParagraphs(document());
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

void TRichEdit::keyPressEvent(QKeyEvent* Event)
{
    if (Event->key() == Qt::Key_Backspace && (Event->modifiers() & ~Qt::KeypadModifier) == Qt::AltModifier) {
        undo();
        Event->accept();
        return;
    }
    QTextEdit::keyPressEvent(Event);
}

// An edit that makes a paragraph long keeps its shaped text; one that brings
// in a long unbreakable run (typed or pasted) switches the document to
// wrapping anywhere, once the edit is through.
void TRichEdit::FollowLongParagraphs(QTextDocument* Doc)
{
    connect(Doc, &QTextDocument::contentsChange, this, [this, Doc](int From, int, int Added) {
        const QTextBlock first = Doc->findBlock(From);
        QTextBlock last = Doc->findBlock(From + Added);
        if (first == last && first.length() <= LongParagraphLength)
            return;
        if (!last.isValid())
            last = Doc->lastBlock();
        KeepShapedText(first, last);
        if (Doc->defaultTextOption().wrapMode() != QTextOption::WrapAnywhere &&
            HasLongUnbreakableRun(first, last, From, From + Added))
            QTimer::singleShot(0, this, [this, Doc] {
                if (document() == Doc)
                    setWordWrapMode(QTextOption::WrapAnywhere);
            });
    });
}

// An edit changes the layout of the paragraphs from the edit on, and inside a
// table or frame that of its every cell, as its columns may change width. The
// layout that follows an edit reports the area it laid out again; one that no
// edit explains (a new width, default font or margin) may have changed any
// line, as may one from the top.
void TRichEdit::CountLinesOf(QTextDocument* Doc)
{
    QAbstractTextDocumentLayout* layout = Doc->documentLayout();
    if (countedDoc_ == Doc && countedLayout_ == layout)
        return;
    if (countedDoc_)
        disconnect(countedDoc_, nullptr, this, nullptr);
    if (countedLayout_)
        disconnect(countedLayout_, nullptr, this, nullptr);
    countedDoc_ = Doc;
    countedLayout_ = layout;
    countedTo_ = 0;
    editPending_ = false;
    connect(Doc, &QTextDocument::contentsChange, this, [this, Doc](int From, int, int) {
        QTextFrame* frame = Doc->frameAt(From);
        while (frame && frame->parentFrame() && frame->parentFrame()->parentFrame())
            frame = frame->parentFrame();
        const int from = frame && frame->parentFrame() ? frame->firstPosition() : From;
        countedTo_ = std::min(countedTo_, from);
        editPending_ = true;
    });
    connect(layout, &QAbstractTextDocumentLayout::update, this, [this](const QRectF& Area) {
        if (!editPending_ || Area.top() <= 0)
            countedTo_ = 0;
        editPending_ = false;
    });
}

TRichEdit::TLinePos TRichEdit::LineOfChar(int Position)
{
    QTextDocument* doc = document();
    CountLinesOf(doc);
    const QTextBlock block = doc->findBlock(Position);
    // Lays out the paragraphs up to this one, as showing it would.
    doc->documentLayout()->blockBoundingRect(block);
    if (countedTo_ < block.position()) {
        for (QTextBlock b = doc->findBlock(countedTo_); b.isValid() && b != block; b = b.next())
            b.setLineCount(std::max(1, b.layout() ? b.layout()->lineCount() : 1));
        countedTo_ = block.position();
    }
    TLinePos at {block.firstLineNumber(), Position - block.position()};
    if (const QTextLayout* layout = block.layout(); layout && layout->lineCount() > 0) {
        const QTextLine line = layout->lineForTextPosition(at.Column);
        if (line.isValid()) {
            at.Line += line.lineNumber();
            at.Column -= line.textStart();
        }
    }
    return at;
}
