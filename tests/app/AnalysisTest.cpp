// The analysis menu and the commands it runs: the text phonosemantics from the
// editor to the diagram window, the word command and the name generation.
#include "AppTestSupport.h"
#include "EditorText.h"
#include "LemvGraf.h"
#include "PhonText.h"
#include "TopList.h"
#include "Win1251.h"
#include "Waits.h"

#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

#include <cmath>

namespace {

// What the diagram window showed when it came up.
struct TShownWindow {
    bool Shown = false;
    QString Caption;
    int Mode = -1, PageKind = -1;
    QStringList Tabs;           // the Pages strings, in Windows-1251 turned back
    QStringList Titles, Notes;  // of each page
    int SoundCount = -1, WordCount = -1; // of the model's snapshot
};

class Analysis : public MainFormFixture {
protected:
    TShownWindow Window;

    void SetUp() override
    {
        MainFormFixture::SetUp();
        Modal.Inspect = [this](QDialog* D) {
            auto* w = qobject_cast<TGrafForm*>(D);
            if (!w)
                return;
            Window.Shown = true;
            Window.Caption = w->windowTitle();
            Window.Mode = w->Mode;
            Window.PageKind = w->PageKind;
            for (int i = 0; i < w->Pages.Count(); ++i) {
                Window.Tabs << AnsiToQString(w->Pages.Strings(i));
                Window.Titles << AnsiToQString(w->Pages.Objects(i)->Title);
                Window.Notes << AnsiToQString(w->Pages.Objects(i)->Note);
            }
            if (TextModel) {
                Window.SoundCount = TextModel->Snapshot.SoundCount;
                Window.WordCount = TextModel->Snapshot.WordCount;
            }
        };
    }

    // The model of a text fed alone (its last character stays pending).
    static TFileViewMem Fed(const QString& Text)
    {
        TFileViewMem m;
        m.Reset();
        m.ProcessString(QStringToAnsi(Text), 0);
        return m;
    }
};

const QString Fairy = QStringLiteral("Жили-были дед да баба, и была у них курочка Ряба.\n"
                                     "Снесла курочка яичко, да не простое, а золотое. Дед бил, бил, не разбил.\n"
                                     "Баба била, била, не разбила. Мышка бежала, хвостиком махнула.");

TEST_F(Analysis, SelectionIsAnalysedAloneAndTheEditorStaysAsItWas)
{
    Editor()->setPlainText(Fairy);
    const int from = Fairy.indexOf(QStringLiteral("Снесла")), to = Fairy.indexOf(QStringLiteral("Баба"));
    Select(from, to);
    Run(&TMainForm::RunTextPhonosemantics);
    ASSERT_TRUE(Window.Shown);
    EXPECT_EQ(Window.SoundCount, Fed(Fairy.mid(from, to - from)).SoundCount);
    EXPECT_EQ(Editor()->toPlainText(), Fairy);
    EXPECT_EQ(Editor()->textCursor().selectionStart(), from);
    EXPECT_EQ(Editor()->textCursor().selectionEnd(), to);
    EXPECT_EQ(FakeLibs::Calls(), (QStringList {"CreateMyMessage", "ShowMyMessage", "DestroyMyMessage"}));
    EXPECT_EQ(TextModel, nullptr);
}

TEST_F(Analysis, WithoutSelectionEveryLineIsFedWithNothingBetween)
{
    // The lines join: "дом" + "а" is one word, counted once.
    Editor()->setPlainText(QStringLiteral("дом\nа мыло"));
    Form->SetDocumentName(Path(QStringLiteral("дом.rtf")));
    Run(&TMainForm::RunTextPhonosemantics);
    ASSERT_TRUE(Window.Shown);
    const TFileViewMem joined = Fed(QStringLiteral("дома мыло"));
    EXPECT_EQ(Window.SoundCount, joined.SoundCount);
    EXPECT_EQ(Window.WordCount, 2);
    EXPECT_EQ(joined.WordCount, 2);
    EXPECT_EQ(Window.Caption, QStringLiteral("Lemvora - Фоносемантика текста"));
    EXPECT_EQ(Window.Mode, 0);

    // A no-break space is a character of the word, not a blank.
    Window = {};
    Editor()->setPlainText(QString::fromUtf8("мама\u00A0мыла раму"));
    Run(&TMainForm::RunTextPhonosemantics);
    ASSERT_TRUE(Window.Shown);
    EXPECT_EQ(Window.WordCount, 2);
}

TEST_F(Analysis, DocumentNameGivesTheTitleAndThePagePair)
{
    Editor()->setPlainText(Fairy);
    Form->SetDocumentName(Path(QStringLiteral("Тексты/проба.rtf")));
    Run(&TMainForm::RunTextPhonosemantics);
    ASSERT_TRUE(Window.Shown);
    EXPECT_EQ(Window.Tabs, (QStringList {"проба.rtf", "# проба.rtf"}));
    EXPECT_EQ(Window.Titles, (QStringList {"проба.rtf", "проба.rtf"}));
    EXPECT_EQ(Window.Notes, (QStringList {"", ""}));
    EXPECT_EQ(Modal.Seen.size(), 1) << "only the diagram window came up";
}

TEST_F(Analysis, UntitledDocumentIsNamedByItsFirstLine)
{
    struct Case {
        QString text, title;
    };
    const Case cases[] = {
        {QStringLiteral("Жили-были дед да баба\nи была у них курочка"), QStringLiteral("Жили-были дед да баба...")},
        {QStringLiteral("Снесла курочка яичко, да не простое, а золотое."), QStringLiteral("Снесла курочка яичко, да не пр...")},
        {QString(), QStringLiteral("...")},
    };
    for (const Case& c : cases) {
        Form->FileNew();
        Editor()->setPlainText(c.text);
        EXPECT_EQ(AnsiToQString(Form->BuildDocumentTitle()), c.title);
    }
}

TEST_F(Analysis, TextWithoutSoundLettersGivesTheNoteAndTheLoneListPage)
{
    Editor()->setPlainText(QStringLiteral("123 abc, ёё!"));
    Form->SetDocumentName(Path(QStringLiteral("пусто.txt")));
    Run(&TMainForm::RunTextPhonosemantics);
    ASSERT_TRUE(Window.Shown);
    ASSERT_EQ(Modal.Seen.size(), 2);
    EXPECT_EQ(Modal.Seen[0], QStringLiteral("Слишком мал текст для анализа!"));
    EXPECT_EQ(Window.Tabs, QStringList {"# пусто.txt"});
    EXPECT_EQ(Window.Notes, QStringList {"Слишком мал текст для анализа!"});
    EXPECT_EQ(Window.PageKind, 1);
    // The wait message was still up while the note was shown, and went before the window.
    EXPECT_EQ(FakeLibs::Calls(), (QStringList {"CreateMyMessage", "ShowMyMessage", "DestroyMyMessage"}));
}

// What is fed, printed and searched is read from the editor alike: a no-break
// space stays one, only the breaks differ.
TEST(EditorText, ReadingsKeepNoBreakSpacesAndDifferInTheBreaksOnly)
{
    QTextDocument doc;
    QTextCursor c(&doc);
    c.insertText(QString::fromUtf8("а\u00A0б"));
    c.insertText(QString(QChar::LineSeparator));
    c.insertText(QStringLiteral("в"));
    c.insertBlock();
    c.insertText(QStringLiteral("г"));
    EXPECT_EQ(EditorPlainText(doc), QString::fromUtf8("а\u00A0б\nв\nг"));
    std::string lines = "old contents";
    DocumentLinesAnsi(doc, lines);
    EXPECT_EQ(lines, Ansi("а\u00A0бвг"));
    c.select(QTextCursor::Document);
    EXPECT_EQ(SelectedAnsiText(c), Ansi("а\u00A0б\r\nв\r\nг"));
    EXPECT_EQ(SelectedAnsiText(QTextCursor(&doc)), "");
}

TEST(SignificanceNote, BoundIsNineInclusive)
{
    const std::string title = Ansi("проба");
    for (double best : {9.0, 12.5}) {
        TPhonText::ClearScaleScores();
        TextScales[4].Value = best;
        TextScales[7].Value = 8.5;
        RankTextScales();
        EXPECT_EQ(SignificanceNote(title), "") << best;
    }
    for (double best : {std::nextafter(9.0, 0.0), 8.99, -3.0}) {
        TPhonText::ClearScaleScores();
        TextScales[12].Value = best;
        RankTextScales();
        if (best < 0) {
            EXPECT_EQ(TopList.Slots[1].Value, 0.0); // the untouched scales rank first
        }
        EXPECT_EQ(SignificanceNote(title), Ansi("ЗНАЧИМЫХ признаков для текста проба НЕТ!")) << best;
    }
    TPhonText::ClearScaleScores();
}

TEST_F(Analysis, WindowHoldsThePairAtTheBoundAndTheListAloneBelowIt)
{
    TFileViewMem model;
    model.Reset();
    model.ProcessString(QStringToAnsi(Fairy + QStringLiteral(" ")), 0);
    TPhonText::ClearScaleScores();
    model.ComputeProfile();
    model.TakeSnapshot();
    for (double best : {9.0, std::nextafter(9.0, 0.0)}) {
        // The scores set at the seam, which no text hits exactly.
        TPhonText::ClearScaleScores();
        TextScales[2].Value = best;
        RankTextScales();
        const std::string note = SignificanceNote("T");
        std::unique_ptr<TGrafForm> w(BuildTextPhonosemanticsWindow("T", note, &model));
        ASSERT_TRUE(w);
        EXPECT_EQ(w->Pages.Count(), best >= 9.0 ? 2 : 1) << best;
        EXPECT_EQ(w->Pages.Strings(w->Pages.Count() - 1), "# T");
        EXPECT_EQ(w->Pages.Objects(0)->Note, note);
        EXPECT_EQ(w->PageKind, best >= 9.0 ? 0 : 1);
    }
    TPhonText::ClearScaleScores();
}

TEST_F(Analysis, MissingWaitMessageLibraryRunsNoAnalysis)
{
    FakeLibs::Use({"Tavrin.Dll"});
    Editor()->setPlainText(Fairy);
    ClearTopList();
    Run(&TMainForm::RunTextPhonosemantics);
    EXPECT_FALSE(Window.Shown);
    EXPECT_EQ(Modal.Seen, QStringList {QStringLiteral("Ошибка при загрузке библиотеки Tavrin.Dll")});
    EXPECT_EQ(TopList.Count, 0);
}

TEST_F(Analysis, FailureAfterLoadingEndsSilentlyAndRemovesTheWaitMessage)
{
    FakeLibs::SetThrow(QStringLiteral("ShowMyMessage"));
    Editor()->setPlainText(Fairy);
    Run(&TMainForm::RunTextPhonosemantics);
    FakeLibs::SetThrow({});
    EXPECT_FALSE(Window.Shown);
    EXPECT_TRUE(Modal.Seen.isEmpty());
    EXPECT_TRUE(Errors.isEmpty());
    EXPECT_EQ(FakeLibs::Log(), (QStringList {"+tavrin", "CreateMyMessage", "ShowMyMessage", "DestroyMyMessage", "-tavrin"}));
    EXPECT_EQ(LoadedModuleCount(), 0);
}

TEST_F(Analysis, F5ChecksTheWordCommandAndRunsOnlyIt)
{
    Ui::TMainForm& f = Probe().Form();
    Form->show();
    QApplication::setActiveWindow(Form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get(), EventWaitMs));
    Editor()->setFocus();
    f.GNameMenuItem->setEnabled(true); // only to move the mark away first
    f.GNameMenuItem->trigger();
    f.GNameMenuItem->setEnabled(false);
    EXPECT_FALSE(f.FsWordMenuItem->isChecked());
    FakeLibs::ClearLog();

    QTest::keyClick(Editor(), Qt::Key_F4); // the text command is disabled: nothing runs
    QTest::keyClick(Editor(), Qt::Key_F5);
    QApplication::processEvents();
    EXPECT_TRUE(f.FsWordMenuItem->isChecked());
    for (QAction* other : {f.FsTxtMenuItem, f.ColorMenuItem, f.GsTxtMenuItem, f.GNameMenuItem, f.inCorvaneMenuItem,
                           f.StyleMenuItem})
        EXPECT_FALSE(other->isChecked()) << other->objectName().toStdString();
    EXPECT_EQ(FakeLibs::Calls(), QStringList {"FonoSemWrd "});
    EXPECT_FALSE(f.FsTxtMenuItem->isEnabled());
    EXPECT_FALSE(f.FSTxtButton->isEnabled());
}

TEST_F(Analysis, WordCommandPassesTheSelectionUpTo49Characters)
{
    const QString longer = QStringLiteral("абвгдежзийклмнопрстуфхцчшщъыьэюяАБВГДЕЖЗИЙКЛМНОПРСТУФ"); // 53
    Editor()->setPlainText(longer);
    Run(&TMainForm::RunWordPhonosemantics); // no selection
    Select(0, 49);
    Run(&TMainForm::RunWordPhonosemantics);
    Editor()->selectAll();
    Run(&TMainForm::RunWordPhonosemantics);
    EXPECT_EQ(FakeLibs::Log(), (QStringList {"+quenlit", "FonoSemWrd ", "-quenlit",
                                             "+quenlit", "FonoSemWrd " + longer.left(49), "-quenlit",
                                             "+quenlit", "FonoSemWrd " + longer.left(49), "-quenlit"}));
    EXPECT_EQ(LoadedModuleCount(), 0);
}

TEST_F(Analysis, MissingLibrariesOfTheWordAndNameCommands)
{
    FakeLibs::Use({"QUENLIT.DLL", "Sindra.Dll"});
    Editor()->setPlainText(QStringLiteral("слово"));
    Editor()->selectAll();
    Run(&TMainForm::RunWordPhonosemantics);
    Run(&TMainForm::RunNameGeneration);
    EXPECT_EQ(Modal.Seen, (QStringList {QStringLiteral("Ошибка при загрузке библиотеки QUENLIT.DLL"),
                                        QStringLiteral("Ошибка при загрузке библиотеки Sindra.Dll")}));
    EXPECT_EQ(Editor()->toPlainText(), QStringLiteral("слово"));
    EXPECT_EQ(Editor()->textCursor().selectedText(), QStringLiteral("слово"));
    EXPECT_FALSE(Editor()->document()->isModified());
}

TEST_F(Analysis, NameGenerationCallsItsLibraryAndHandsOverNothing)
{
    Editor()->setPlainText(QStringLiteral("слово"));
    Run(&TMainForm::RunNameGeneration);
    EXPECT_EQ(FakeLibs::Log(), (QStringList {"+sindra", "GenWords", "-sindra"}));
}

} // namespace
