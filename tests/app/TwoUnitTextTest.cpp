// Characters of two UTF-16 units (an emoji, 𝔸) around breaks: the editor's
// Windows-1251 reading keeps every position of the editor, so the search, the
// text profile and the printed selection find their places (the golden
// section's case is with its tests).
#include "AppTestSupport.h"
#include "EditorText.h"
#include "Win1251.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

const QString kTexts[] = {
    QString::fromUtf8("😀\nабв"),
    QString::fromUtf8("аб\n😀в\u2029г𝔸д"),
    QString::fromUtf8("𝔸𝔸\u2028е\u2029😀"),
    QString::fromUtf8("ж\u2029\u2029😀😀\n"),
    QString::fromUtf8("😀😀😀😀😀😀😀😀\n"), // the break far past the end of a one-"?"-per-character text
};

TEST(EditorText, TwoUnitCharactersKeepEveryPosition)
{
    for (const QString& text : kTexts) {
        SCOPED_TRACE(text.toStdString());
        const std::string ansi = EditorAnsiText(text);
        ASSERT_EQ(ansi.size(), static_cast<size_t>(text.size()));
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t u = text[i].unicode();
            const char expected = IsLineBreak(u) ? '\n' : QChar::isSurrogate(u) ? '?' : static_cast<char>(UnicodeToWin1251(u));
            EXPECT_EQ(ansi[static_cast<size_t>(i)], expected) << "at " << i;
        }
    }
}

class TwoUnitText : public MainFormFixture {
protected:
    // The editor's text with paragraph ends as "\n", as the search reads it.
    QString Shown() const { return EditorPlainText(*Form->Editor()->document()); }
};

// From every position, the rest of the text is found where its reading first
// occurs (every character of two units reads "??" alike) and selected whole.
TEST_F(TwoUnitText, SearchFindsTheRestOfTheTextFromEveryPosition)
{
    for (const QString& text : kTexts) {
        SCOPED_TRACE(text.toStdString());
        Editor()->setPlainText(text);
        const QString shown = Shown();
        const std::string reading = EditorAnsiText(shown);
        for (qsizetype p = 0; p < shown.size(); ++p) {
            SCOPED_TRACE(p);
            const std::string rest = EditorAnsiText(shown.mid(p));
            Editor()->moveCursor(QTextCursor::Start);
            const int found = Form->FindAndSelectText(rest);
            EXPECT_EQ(found, static_cast<int>(reading.find(rest)));
            const QTextCursor c = Editor()->textCursor();
            EXPECT_EQ(c.selectionStart(), found);
            EXPECT_EQ(c.selectionEnd() - c.selectionStart(), static_cast<int>(rest.size()));
            EXPECT_EQ(EditorAnsiText(c.selectedText()), rest);
        }
    }
}

TEST_F(TwoUnitText, TextProfileKeepsTheLettersAfterABreak)
{
    Editor()->setPlainText(QString::fromUtf8("дед😀\nбаба 𝔸\nмама "));
    Run(&TMainForm::RunTextProfile);
    const QStringList fed = FakeLibs::Calls().filter(QStringLiteral("InputCorvane"));
    EXPECT_EQ(fed, (QStringList {"InputCorvane дед", "InputCorvane баба", "InputCorvane мама"}));
}

TEST_F(TwoUnitText, PrintedSelectionIsSelectedAgainWithItsBreaks)
{
    const QString text = QString::fromUtf8("первая 😀строка\nвторая 𝔸 строка\nтретья");
    Print.DialogRange = TPrintRange::Selection;
    for (const auto& [from, to] : {std::pair {7, 25}, std::pair {9, 30}}) {
        SCOPED_TRACE(from);
        Editor()->setPlainText(text);
        Select(from, to);
        Print.PrintedTexts.clear();
        Run(&TMainForm::FilePrint);
        EXPECT_EQ(Print.PrintedTexts, QStringList {text.mid(from, to - from)});
        EXPECT_EQ(Editor()->textCursor().selectionStart(), from);
        EXPECT_EQ(Editor()->textCursor().selectionEnd(), to);
    }
    EXPECT_TRUE(Errors.isEmpty()) << Errors.join('\n').toStdString();
}

} // namespace
