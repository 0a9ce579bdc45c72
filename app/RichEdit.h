#pragma once
// The editor control: a text edit without an inner margin whose text is laid
// out in a formatting rectangle of its client area (the area inside the frame
// and the scroll bars). Outside that rectangle the client area shows the
// editor's background.
#include <QRect>
#include <QSize>
#include <QTextEdit>

class TRichEdit : public QTextEdit {
    Q_OBJECT
public:
    explicit TRichEdit(QWidget* Parent = nullptr);

    QSize ClientSize() const;
    // The formatting rectangle in client coordinates, right and bottom exclusive.
    QRect FormattingRect() const;
    void SetFormattingRect(int Left, int Top, int Right, int Bottom);
};
