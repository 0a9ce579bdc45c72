// Paragraphs far longer than a line: a run without a break opportunity wraps
// at the editor's edge (its document wrapped anywhere, so that its layout
// takes linear time), while ordinary text keeps wrapping at word boundaries.
#include "AppTestSupport.h"
#include "LongParagraphs.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QTextBlock>
#include <QTextLayout>

namespace {

TEST(LongParagraphs, LongestRunWithoutABreakOpportunity)
{
    const struct {
        QString Text;
        qsizetype Longest;
    } cases[] = {
        {QString(), 0},
        {QStringLiteral("abc"), 3},
        {QStringLiteral("мама мыла раму"), 5}, // the break comes after the blank
        {QStringLiteral("ab cdefgh ij"), 7},
        {QStringLiteral("one-two"), 4}, // a break after the hyphen
        {QString(5000, QLatin1Char('x')) + QStringLiteral(" y"), 5001},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LongestUnbreakableRun(c.Text), c.Longest) << c.Text.left(20).toStdString();
}

class LongParagraphsInTheEditor : public MainFormFixture {
protected:
    // The lines of the first paragraph as laid out in the editor.
    QTextLayout* FirstLayout()
    {
        Editor()->document()->documentLayout()->documentSize();
        return Editor()->document()->firstBlock().layout();
    }
    QTextOption::WrapMode Wrapping() const { return Form->Editor()->document()->defaultTextOption().wrapMode(); }
};

TEST_F(LongParagraphsInTheEditor, UnbreakableRunWrapsAtTheEdgeAndOrdinaryTextAtWords)
{
    Form->show();
    const QString run = Path(QStringLiteral("run.txt")), words = Path(QStringLiteral("words.txt"));
    QByteArray letters(3 * LongParagraphLength, 'x');
    for (int i = 0; i < letters.size(); ++i)
        letters[i] = "abcdefghijklmnopqrstuvwxyz0123456789"[i % 36];
    Write(run, letters);
    Write(words, QByteArray("мама мыла раму ").repeated(2000));

    RunHandler([&] { Form->OpenDocument(run); });
    EXPECT_EQ(Wrapping(), QTextOption::WrapAnywhere);
    QTextLayout* layout = FirstLayout();
    const qreal width = Editor()->viewport()->width();
    ASSERT_GT(layout->lineCount(), 10);
    for (int i = 0; i + 1 < layout->lineCount(); ++i) {
        SCOPED_TRACE(i);
        const QTextLine line = layout->lineAt(i);
        EXPECT_LE(line.naturalTextWidth(), width);
        EXPECT_GT(line.naturalTextWidth(), width - 20) << "full up to the edge";
    }

    // Ordinary text in the next document wraps at word boundaries again.
    RunHandler([&] { Form->OpenDocument(words); });
    EXPECT_EQ(Wrapping(), QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout = FirstLayout();
    ASSERT_GT(layout->lineCount(), 10);
    const QString text = Editor()->document()->firstBlock().text();
    for (int i = 1; i < layout->lineCount(); ++i)
        EXPECT_EQ(text.at(layout->lineAt(i).textStart() - 1), QLatin1Char(' ')) << "line " << i << " starts a word";
    EXPECT_TRUE(Errors.isEmpty()) << Errors.join('\n').toStdString();
}

TEST_F(LongParagraphsInTheEditor, PastedUnbreakableRunSwitchesToWrappingAnywhere)
{
    Form->show();
    Editor()->setPlainText(QStringLiteral("мама мыла раму"));
    EXPECT_EQ(Wrapping(), QTextOption::WrapAtWordBoundaryOrAnywhere);
    QTextCursor c(Editor()->document());
    c.movePosition(QTextCursor::End);
    c.insertText(QString(2 * LongParagraphLength, QLatin1Char('z')));
    QApplication::processEvents();
    EXPECT_EQ(Wrapping(), QTextOption::WrapAnywhere);
    EXPECT_EQ(Editor()->toPlainText().size(), 14 + 2 * LongParagraphLength) << "the text is what was typed";
}

// A run typed into the middle of a long paragraph of words, so that it joins
// the words around it; the search reads only the text around the edit.
TEST_F(LongParagraphsInTheEditor, RunTypedInsideALongParagraphSwitchesToWrappingAnywhere)
{
    Form->show();
    const QString words = QStringLiteral("мама мыла раму ").repeated(4 * LongParagraphLength / 15);
    Editor()->setPlainText(words);
    ASSERT_GT(Editor()->document()->firstBlock().length(), 2 * LongParagraphLength);
    QTextCursor c(Editor()->document());
    c.setPosition(words.size() / 2 + 1);
    c.insertText(QString(LongParagraphLength / 2, QLatin1Char('z')));
    QApplication::processEvents();
    EXPECT_EQ(Wrapping(), QTextOption::WrapAtWordBoundaryOrAnywhere) << "half a long run";
    c.insertText(QString(LongParagraphLength / 2, QLatin1Char('z')));
    QApplication::processEvents();
    EXPECT_EQ(Wrapping(), QTextOption::WrapAnywhere);
}

} // namespace
