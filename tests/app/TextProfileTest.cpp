// The text profile: the word and sentence cutting of the editor's lines, and
// the command's calls into the profile library.
#include "AppTestSupport.h"
#include "TextProfile.h"
#include "Win1251.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

enum class TUnit { Words, Sentences };

QStringList Pieces(TUnit Unit, const QStringList& Lines)
{
    const std::vector<std::string> lines = AnsiLines(Lines);
    QStringList pieces;
    const TPieceFeed feed = [&](const std::string& P) { pieces << AnsiToQString(P); };
    if (Unit == TUnit::Words)
        ProfileWords(lines, feed);
    else
        ProfileSentences(lines, feed);
    return pieces;
}

TEST(TextProfile, WordSeparatorsAreTheFiftyThreeAndNotTheHyphen)
{
    EXPECT_EQ(ProfileWordSeparators.Size(), 53);
    for (unsigned char c : std::string("#$%&-<>@^|~`09AZaz\x7F\x80\xA0\xA8\xC0\xFF"))
        EXPECT_FALSE(ProfileWordSeparators.Contains(c)) << int(c);
    for (unsigned char c : std::string("\t\n\r \"!'()*+,./:;=?[\\]_{}"))
        EXPECT_TRUE(ProfileWordSeparators.Contains(c)) << int(c);
    EXPECT_TRUE(ProfileWordSeparators.Contains(0));
}

TEST(TextProfile, CutsWordsAndSentences)
{
    struct {
        TUnit Unit;
        QStringList Lines;
        QStringList Expected;
    } cases[] = {
        {TUnit::Words, {"Жили-были дед да баба."}, {"Жили-были", "дед", "да", "баба"}},
        // A one-letter word is dropped; so is the last word with no separator after it.
        {TUnit::Words, {"дед и баба"}, {"дед"}},
        // Lines join with nothing between them.
        {TUnit::Words, {"жили дед", "да баба."}, {"жили", "дедда", "баба"}},
        {TUnit::Words, {"", "a1 x #tag, ", ""}, {"a1", "#tag"}},
        {TUnit::Sentences, {"Мама мыла раму. Папа спал."}, {"Мама мыла раму", " Папа спал"}},
        // A mark not followed by a space stays in the sentence.
        {TUnit::Sentences, {"Пи равно 3.14 примерно."}, {"Пи равно 3.14 примерно"}},
        {TUnit::Sentences, {"Да!!"}, {"Да!"}},
        // The mark at a line's end ends the sentence; the unfinished last one is not fed.
        {TUnit::Sentences, {"Он ушёл.", "Она", "осталась? И ждала"}, {"Он ушёл", "Онаосталась"}},
        // A sentence shorter than two characters collects on; its mark is dropped.
        {TUnit::Sentences, {"А. Б. В."}, {"А Б", " В"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Pieces(c.Unit, c.Lines), c.Expected) << c.Lines.join('|').toStdString();
}

TEST(TextProfile, SentenceEndIsTheLineEndOrASpaceAfter)
{
    EXPECT_TRUE(IsSentenceEnd("ab.", 3));
    EXPECT_TRUE(IsSentenceEnd("a. b", 2));
    EXPECT_FALSE(IsSentenceEnd("a.b", 2));
    EXPECT_FALSE(IsSentenceEnd("a.\xA0" "b", 2)); // a no-break space is not a space
}

class TextProfileCommand : public MainFormFixture {};

TEST_F(TextProfileCommand, FeedsWordsThenTheFileName)
{
    Editor()->setPlainText(QStringLiteral("Жили-были дед да баба.\nи дед\nда бабка"));
    Form->SetDocumentName(Path(QStringLiteral("проба.rtf")));
    Run(&TMainForm::RunTextProfile);
    EXPECT_EQ(FakeLibs::Log(), (QStringList {"+corvdll", "CreateCorvane", "InputCorvane Жили-были",
                                             "InputCorvane дед", "InputCorvane да", "InputCorvane баба",
                                             "InputCorvane дедда", "OutputCorvane проба.rtf", "DestroyCorvane",
                                             "-corvdll"}));
    EXPECT_TRUE(Modal.Seen.isEmpty());
}

TEST_F(TextProfileCommand, FeedsSentences)
{
    FakeLibs::SetCorvaneUnit(QStringLiteral("ПРЕДЛОЖЕНИЕ"));
    Editor()->setPlainText(QStringLiteral("Мама мыла раму. Папа спал.\nПи 3.14 Да!!\nконец"));
    Run(&TMainForm::RunTextProfile);
    EXPECT_EQ(FakeLibs::Calls(), (QStringList {"CreateCorvane", "InputCorvane Мама мыла раму",
                                               "InputCorvane  Папа спал", "InputCorvane Пи 3.14 Да!",
                                               "OutputCorvane Без Имени", "DestroyCorvane"}));
}

TEST_F(TextProfileCommand, OtherUnitsFeedNothing)
{
    struct {
        QString Unit;
        QStringList Calls;
        QStringList Messages;
    } cases[] = {
        {"АБЗАЦ", {"CreateCorvane", "OutputCorvane Без Имени", "DestroyCorvane"}, {"АБЗАЦ"}},
        {"слово", {"CreateCorvane", "OutputCorvane Без Имени", "DestroyCorvane"}, {}},
        {"", {"CreateCorvane", "DestroyCorvane"}, {}},
    };
    Editor()->setPlainText(QStringLiteral("Жили-были дед да баба."));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Unit.toStdString());
        FakeLibs::ClearLog();
        Modal.Seen.clear();
        FakeLibs::SetCorvaneUnit(c.Unit);
        Run(&TMainForm::RunTextProfile);
        EXPECT_EQ(FakeLibs::Calls(), c.Calls);
        EXPECT_EQ(Modal.Seen, c.Messages);
    }
}

TEST_F(TextProfileCommand, EmptyEditorLoadsAndUnloadsOnly)
{
    Run(&TMainForm::RunTextProfile);
    EXPECT_EQ(FakeLibs::Log(), (QStringList {"+corvdll", "-corvdll"}));
}

TEST_F(TextProfileCommand, FailuresEndTheCommand)
{
    Editor()->setPlainText(QStringLiteral("Жили-были дед да баба."));
    // A failing call: the library is unloaded without DestroyCorvane, nothing is said.
    FakeLibs::SetThrow(QStringLiteral("InputCorvane"));
    Run(&TMainForm::RunTextProfile);
    EXPECT_EQ(FakeLibs::Log(), (QStringList {"+corvdll", "CreateCorvane", "InputCorvane Жили-были", "-corvdll"}));
    EXPECT_TRUE(Modal.Seen.isEmpty());
    EXPECT_TRUE(Errors.isEmpty());

    FakeLibs::Use({"CORVDLL.DLL"});
    Run(&TMainForm::RunTextProfile);
    EXPECT_EQ(Modal.Seen, QStringList {QStringLiteral("Ошибка при загрузке библиотеки CORVDLL.DLL")});
}

} // namespace
