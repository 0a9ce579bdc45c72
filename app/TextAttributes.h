#pragma once
// The attributes a formatting command reads and changes: the characters' (of
// the selected text, or the editor's defaults with nothing selected) and the
// paragraphs' (of the paragraphs the selection touches).
#include <QColor>
#include <QString>

class QTextEdit;

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4 };

// The character attributes one formatting command changes: those of the
// selected text, or the editor's default attributes when nothing is selected.
class TTextAttributes {
public:
    TTextAttributes(QTextEdit* Editor, bool Selection) : editor_(Editor), selection_(Selection) {}

    bool IsSelection() const { return selection_; }
    QString Name() const;
    void SetName(const QString& Name);
    int Size() const; // whole points
    void SetSize(int Points);
    unsigned Style() const; // TFontStyle bits
    void SetStyle(unsigned Style);
    QColor Color() const;
    void SetColor(const QColor& Color);

private:
    QTextEdit* editor_;
    bool selection_;
};

// The attributes of the paragraphs the selection touches, in whole points.
struct TParaAttributes {
    int FirstIndent = 0; // first line, from the left margin
    int LeftIndent = 0;  // following lines, from the first line's indent
    int RightIndent = 0; // from the right margin
    int Alignment = 0;   // 0 left, 1 right, 2 centre
    bool Bullets = false;
};
