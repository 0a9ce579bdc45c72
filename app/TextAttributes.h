#pragma once
// The attributes a formatting command reads and changes: the characters' (of
// the selected text, or the editor's defaults with nothing selected) and the
// paragraphs' (of the paragraphs the selection touches).
#include <QColor>
#include <QFont>
#include <QString>

#include <functional>

class QTextBlock;
class QTextBlockFormat;
class QTextCharFormat;
class QTextEdit;

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// The character attributes one formatting command changes: those of the
// selected text, or the editor's default attributes when nothing is selected.
class TTextAttributes {
public:
    TTextAttributes(QTextEdit* Editor, bool Selection) : editor_(Editor), selection_(Selection) {}

    bool IsSelection() const { return selection_; }
    QString Name() const;
    void SetName(const QString& Name);
    int Size() const; // whole points
    // Sizes below 1 point change nothing; the largest is 1638 points.
    void SetSize(int Points);
    unsigned Style() const; // TFontStyle bits
    void SetStyle(unsigned Style);
    QColor Color() const;
    void SetColor(const QColor& Color);
    // Face, size and style together, as a font dialog shows and gives them;
    // Assign makes one change of them and the colour.
    QFont Font() const;
    void Assign(const QFont& Font, const QColor& Color);

private:
    void MergeIntoSelection(const QTextCharFormat& Format);
    void ChangeDefaultFont(const std::function<void(QFont&)>& Change);

    QTextEdit* editor_;
    bool selection_;
};

// The attributes of the paragraphs the selection touches: read from the
// first of them, written to each of them. Indents are whole points (20 twips;
// what is held is truncated toward zero).
class TParaAttributes {
public:
    explicit TParaAttributes(QTextEdit* Editor) : editor_(Editor) {}

    // The first line's indent from the left margin.
    int FirstIndent() const;
    void SetFirstIndent(int Points);
    // The following lines' indent, counted from the first line's.
    int LeftIndent() const;
    void SetLeftIndent(int Points);
    // The indent from the right margin.
    int RightIndent() const;
    void SetRightIndent(int Points);
    // 0 left, 1 right, 2 centre; 3 for justified text, which no button sets.
    int Alignment() const;
    void SetAlignment(int Alignment);
    bool Bullets() const;
    void SetBullets(bool Bullets);

private:
    QTextBlock First() const;
    // Applies Change to the block format of each paragraph the selection touches.
    template <typename F>
    void Change(F&& Change);

    QTextEdit* editor_;
};
