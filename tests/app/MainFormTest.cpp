// The main window: caption, save prompt, Save and Save As, keys, images, menus.
#include "AppTestSupport.h"
#include "Shell.h"
#include "UpDown.h"
#include "Win1251.h"
#include "Waits.h"

#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <QLineEdit>
#include <QSet>
#include <QMimeData>
#include <QTest>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

namespace {

class MainForm : public MainFormFixture {};

TEST_F(MainForm, CaptionNamesTheFileWithoutFolderAndTheTitle)
{
    EXPECT_EQ(Form->DocumentName(), QStringLiteral("Без Имени"));
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Без Имени - ") + AppTitle);

    Editor()->setPlainText(QStringLiteral("текст"));
    DialogAnswers << Path(QStringLiteral("a.rtf"));
    Run(&TMainForm::FileSaveAs);
    EXPECT_EQ(Form->DocumentName(), Path(QStringLiteral("a.rtf")));
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("a.rtf - ") + AppTitle);
    EXPECT_TRUE(Errors.isEmpty());
}

// A "\" is part of a file name here: caption and title keep it alike.
TEST_F(MainForm, CaptionAndTitleTakeTheSameNamePart)
{
    for (const QString& name : {QStringLiteral("a.rtf"), QStringLiteral("a\\b.rtf"), QStringLiteral("Тексты\\проба.rtf")}) {
        SCOPED_TRACE(name.toStdString());
        Form->SetDocumentName(Path(name));
        EXPECT_EQ(Form->windowTitle(), name + QStringLiteral(" - ") + AppTitle);
        EXPECT_EQ(AnsiToQString(Form->BuildDocumentTitle()), name);
    }
}

TEST_F(MainForm, ShownWindowShowsCaretAtStartAndNoModifiedMark)
{
    Form->show();
    EXPECT_EQ(Probe().Status(0), QStringLiteral("Ст:   1   Кол:   1"));
    EXPECT_EQ(Probe().Status(1), QString());
    Type(QStringLiteral("ab\ncdef"));
    Probe().RichEditChange();
    EXPECT_EQ(Probe().Status(1), QStringLiteral("Изменен"));
    QTextCursor c = Editor()->textCursor();
    c.setPosition(5); // "cd|ef"
    Editor()->setTextCursor(c);
    EXPECT_EQ(Probe().Status(0), QStringLiteral("Ст:   2   Кол:   3"));
}

// The three answers of the save prompt for each command that asks it.
enum class Asker { Open, Drop, Close };
struct PromptCase {
    Asker Command;
    int Answer; // 6 Yes, 7 No, 2 Cancel
    bool Saved;
    bool GoesOn;
};

std::string PromptName(const PromptCase& C)
{
    static const char* const Commands[] = {"Open", "Drop", "Close"};
    const char* answer = C.Answer == 6 ? "Yes" : C.Answer == 7 ? "No" : "Cancel";
    return std::string(Commands[static_cast<int>(C.Command)]) + answer;
}
void PrintTo(const PromptCase& C, std::ostream* Os)
{
    *Os << PromptName(C);
}

// A window whose save prompt is met by opening, dropping or closing.
class AskingFixture : public MainFormFixture {
protected:
    // Runs Command with Other as the file it opens; for Close, whether the window closed.
    bool RunAsker(Asker Command, const QString& Other)
    {
        switch (Command) {
        case Asker::Open:
            DialogAnswers << Other;
            Run(&TMainForm::FileOpen);
            return false;
        case Asker::Drop: {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(Other)});
            RunHandler([&] { Probe().HandleDroppedFiles(&data); });
            return false;
        }
        case Asker::Close:
            return Form->close();
        }
        return false;
    }
};

class SavePrompt : public AskingFixture, public ::testing::WithParamInterface<PromptCase> {};

TEST_P(SavePrompt, AnswerDecidesSavingAndGoingOn)
{
    const PromptCase c = GetParam();
    const QString doc = OpenedAndChanged(QStringLiteral("doc.rtf"), QStringLiteral("новый текст"));
    const QString other = Path(QStringLiteral("other.txt"));
    Write(other, "other file");
    Modal.Answers << c.Answer;
    Form->show();

    const bool closed = RunAsker(c.Command, other);

    ASSERT_EQ(Modal.Seen, QStringList {QStringLiteral("Сохранить изменения в %1?").arg(doc)});
    EXPECT_EQ(Read(doc) != "saved text", c.Saved);
    if (c.Command == Asker::Close) {
        EXPECT_EQ(closed, c.GoesOn);
    } else {
        EXPECT_EQ(Form->DocumentName(), c.GoesOn ? other : doc);
        EXPECT_EQ(Editor()->toPlainText(), c.GoesOn ? QStringLiteral("other file") : QStringLiteral("новый текст"));
    }
    EXPECT_TRUE(Errors.isEmpty()) << Errors.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Answers, SavePrompt,
                         ::testing::Values(PromptCase {Asker::Open, 6, true, true}, PromptCase {Asker::Open, 7, false, true},
                                           PromptCase {Asker::Open, 2, false, false},
                                           PromptCase {Asker::Drop, 6, true, true}, PromptCase {Asker::Drop, 7, false, true},
                                           PromptCase {Asker::Drop, 2, false, false},
                                           PromptCase {Asker::Close, 6, true, true}, PromptCase {Asker::Close, 7, false, true},
                                           PromptCase {Asker::Close, 2, false, false}),
                         [](const auto& Info) { return PromptName(Info.param); });

TEST_F(MainForm, UnmodifiedDocumentIsNotAskedAbout)
{
    const QString other = Path(QStringLiteral("other.txt"));
    Write(other, "other file");
    DialogAnswers << other;
    Run(&TMainForm::FileOpen);
    EXPECT_TRUE(Modal.Seen.isEmpty());
    EXPECT_EQ(Form->DocumentName(), other);
    EXPECT_EQ(Probe().OpenDialog().InitialDir, Dir.path());
}

TEST_F(MainForm, SaveOfUntitledRunsSaveAsAndItsCancelWritesNothing)
{
    Type(QStringLiteral("черновик"));
    Run(&TMainForm::FileSave);
    EXPECT_EQ(DialogsRun, QList<TFileDialogKind> {TFileDialogKind::Save});
    EXPECT_EQ(Form->DocumentName(), QStringLiteral("Без Имени"));
    EXPECT_TRUE(Editor()->document()->isModified());
    EXPECT_TRUE(QDir(Dir.path()).isEmpty());
}

// «Да» for an untitled document runs Save As; when that saves nothing (its
// dialog cancelled, or overwriting declined) the command that asked stops as
// for «Отменить»: the window stays with the text, nothing is opened.
struct UnsavedYesCase {
    Asker Command;
    bool DeclineOverwrite; // the dialog names an existing file and «Нет» answers "Записать как"
};

std::string UnsavedYesName(const UnsavedYesCase& C)
{
    static const char* const Commands[] = {"Open", "Drop", "Close"};
    return std::string(Commands[static_cast<int>(C.Command)]) + (C.DeclineOverwrite ? "OverwriteDeclined" : "DialogCancelled");
}
void PrintTo(const UnsavedYesCase& C, std::ostream* Os)
{
    *Os << UnsavedYesName(C);
}

class UnsavedYes : public AskingFixture, public ::testing::WithParamInterface<UnsavedYesCase> {};

TEST_P(UnsavedYes, StopsTheCommandThatAsked)
{
    const UnsavedYesCase c = GetParam();
    Type(QStringLiteral("черновик"));
    const QString other = Path(QStringLiteral("other.txt"));
    Write(other, "other file");
    Modal.Answers << 6;
    if (c.DeclineOverwrite) {
        DialogAnswers << other;
        Modal.Answers << 7;
    } else {
        DialogAnswers << QString();
    }
    Form->show();

    const bool closed = RunAsker(c.Command, other);

    EXPECT_EQ(Modal.Seen.first(), QStringLiteral("Сохранить изменения в Без Имени?"));
    EXPECT_EQ(DialogsRun, QList<TFileDialogKind> {TFileDialogKind::Save}) << "no open dialog after it";
    EXPECT_FALSE(closed);
    EXPECT_TRUE(Form->isVisible());
    EXPECT_EQ(Form->DocumentName(), QStringLiteral("Без Имени"));
    EXPECT_EQ(Editor()->toPlainText(), QStringLiteral("черновик"));
    EXPECT_TRUE(Editor()->document()->isModified());
    EXPECT_EQ(Read(other), "other file");
    EXPECT_TRUE(Errors.isEmpty()) << Errors.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Commands, UnsavedYes,
                         ::testing::Values(UnsavedYesCase {Asker::Open, false}, UnsavedYesCase {Asker::Drop, false},
                                           UnsavedYesCase {Asker::Close, false}, UnsavedYesCase {Asker::Close, true}),
                         [](const auto& Info) { return UnsavedYesName(Info.param); });

TEST_F(MainForm, SaveAsOntoExistingFileAsksAndOnlyYesWrites)
{
    const QString existing = Path(QStringLiteral("exists.rtf"));
    for (int answer : {7, 2, 6}) {
        SCOPED_TRACE(answer);
        Write(existing, "old");
        Type(QStringLiteral("новое"));
        Modal.Seen.clear();
        Modal.Answers = {answer};
        DialogAnswers = {existing};
        Run(&TMainForm::FileSaveAs);
        EXPECT_EQ(Modal.Seen, QStringList {QStringLiteral("Записать как %1").arg(existing)});
        const bool yes = answer == 6;
        EXPECT_EQ(Read(existing) == "old", !yes);
        EXPECT_EQ(Form->DocumentName(), yes ? existing : QStringLiteral("Без Имени"));
        EXPECT_EQ(Editor()->document()->isModified(), !yes);
    }
}

TEST_F(MainForm, SavedDocumentIsRichTextWhateverTheExtension)
{
    Editor()->setPlainText(QStringLiteral("Съешь же ещё этих мягких булок"));
    QTextCursor c(Editor()->document());
    c.movePosition(QTextCursor::NextWord, QTextCursor::KeepAnchor);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    c.mergeCharFormat(bold);
    const QString txt = Path(QStringLiteral("NOTE.TXT"));
    DialogAnswers << txt;
    Run(&TMainForm::FileSaveAs);
    EXPECT_TRUE(Read(txt).startsWith("{\\rtf"));
    EXPECT_TRUE(QFile::exists(txt)) << "no extension added or changed";

    Form->FileNew();
    RunHandler([&] { Form->OpenDocument(txt); });
    EXPECT_EQ(Editor()->toPlainText(), QStringLiteral("Съешь же ещё этих мягких булок"));
    QTextCursor first(Editor()->document());
    first.setPosition(1);
    EXPECT_EQ(first.charFormat().fontWeight(), QFont::Bold);
}

TEST_F(MainForm, NewEmptiesAndUntitlesWithoutPrompt)
{
    OpenedAndChanged(QStringLiteral("doc.rtf"), QStringLiteral("текст"));
    Form->FileNew();
    EXPECT_TRUE(Modal.Seen.isEmpty());
    EXPECT_EQ(Form->DocumentName(), QStringLiteral("Без Имени"));
    EXPECT_TRUE(Editor()->toPlainText().isEmpty());
    EXPECT_FALSE(Editor()->document()->isModified());
    EXPECT_EQ(Probe().Status(1), QString());
}

// Keys: the menu takes its shortcuts; those of disabled items or of the
// disabled edit menu are used up; Esc closes; a letter, sign or space with
// Alt that no menu takes types nothing; other keys reach the editor.
struct KeyCase {
    const char* Name;
    Qt::Key Key;
    Qt::KeyboardModifiers Mods;
    const char* Text; // the editor's text afterwards ("x" before)
    bool Closed;
    int HelpFinders;
};

void PrintTo(const KeyCase& K, std::ostream* Os)
{
    *Os << K.Name;
}

class Keys : public MainFormFixture, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(Keys, ReachTheirMenuItemOrNothing)
{
    const KeyCase k = GetParam();
    QApplication::clipboard()->setText(QStringLiteral("PASTE"));
    Form->show();
    QApplication::setActiveWindow(Form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get(), EventWaitMs));
    Editor()->setFocus();
    Editor()->setPlainText(QStringLiteral("x"));
    Editor()->selectAll();
    Editor()->document()->setModified(false);
    QTest::keyClick(Editor(), k.Key, k.Mods);
    QApplication::processEvents();
    EXPECT_EQ(Editor()->toPlainText(), QString::fromUtf8(k.Text));
    EXPECT_EQ(!Form->isVisible(), k.Closed);
    EXPECT_EQ(Help.Calls.filter(QStringLiteral("11 ")).size(), k.HelpFinders);
}

INSTANTIATE_TEST_SUITE_P(
    Window, Keys,
    ::testing::Values(KeyCase {"CtrlV", Qt::Key_V, Qt::ControlModifier, "x", false, 0},
                      KeyCase {"CtrlX", Qt::Key_X, Qt::ControlModifier, "x", false, 0},
                      KeyCase {"CtrlZ", Qt::Key_Z, Qt::ControlModifier, "x", false, 0},
                      KeyCase {"CtrlN", Qt::Key_N, Qt::ControlModifier, "x", false, 0},
                      KeyCase {"F4", Qt::Key_F4, Qt::NoModifier, "x", false, 0},
                      KeyCase {"F1", Qt::Key_F1, Qt::NoModifier, "x", false, 1},
                      KeyCase {"AltX", Qt::Key_X, Qt::AltModifier, "x", true, 0},
                      KeyCase {"AltQ", Qt::Key_Q, Qt::AltModifier, "x", false, 0},
                      KeyCase {"AltZ", Qt::Key_Z, Qt::AltModifier, "x", false, 0},
                      KeyCase {"AltShiftQ", Qt::Key_Q, Qt::AltModifier | Qt::ShiftModifier, "x", false, 0},
                      KeyCase {"CtrlAltQ", Qt::Key_Q, Qt::AltModifier | Qt::ControlModifier, "x", false, 0},
                      KeyCase {"AltDigit", Qt::Key_5, Qt::AltModifier, "x", false, 0},
                      KeyCase {"AltSpace", Qt::Key_Space, Qt::AltModifier, "x", false, 0},
                      KeyCase {"AltTab", Qt::Key_Tab, Qt::AltModifier, "x", false, 0},
                      KeyCase {"Esc", Qt::Key_Escape, Qt::NoModifier, "x", true, 0},
                      KeyCase {"Letter", Qt::Key_A, Qt::NoModifier, "a", false, 0}),
    [](const auto& Info) { return std::string(Info.param.Name); });

// The menus' Cyrillic mnemonics open their menus; the letter is not typed.
TEST_F(MainForm, AltWithAMenusMnemonicOpensThatMenu)
{
    Form->show();
    QApplication::setActiveWindow(Form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get(), EventWaitMs));
    const std::pair<QChar, QMenu*> mnemonics[] = {{u'ф', Probe().Form().FileMenu},
                                                  {u'с', Probe().Form().LanguageMenu}};
    for (const auto& [letter, menu] : mnemonics) {
        SCOPED_TRACE(QString(letter).toStdString());
        Editor()->setFocus();
        Editor()->setPlainText(QStringLiteral("x"));
        QTest::sendKeyEvent(QTest::Click, Editor(), Qt::Key(letter.toUpper().unicode()), QString(letter),
                            Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([menu = menu] { return menu->isVisible(); }, EventWaitMs));
        menu->hide();
        EXPECT_EQ(Editor()->toPlainText(), QStringLiteral("x"));
    }
}

// The editor's own keys, which no menu item holds: Shift+Delete cuts,
// Ctrl+Insert copies, Shift+Insert pastes and Alt+Backspace undoes each step,
// while Ctrl+Z stays used up by the disabled menu.
TEST_F(MainForm, EditorsOwnKeysCutCopyPasteAndAltBackspaceUndoes)
{
    QClipboard* clipboard = QApplication::clipboard();
    Form->show();
    QApplication::setActiveWindow(Form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get(), EventWaitMs));
    Editor()->setFocus();
    Editor()->setPlainText(QStringLiteral("вырезать"));
    Editor()->document()->clearUndoRedoStacks();

    Select(0, 3);
    QTest::keyClick(Editor(), Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(Editor()->toPlainText(), QStringLiteral("езать"));
    EXPECT_EQ(clipboard->text(), QStringLiteral("выр"));
    QTest::keyClick(Editor(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Editor()->toPlainText(), QStringLiteral("езать"));
    QTest::keyClick(Editor(), Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(Editor()->toPlainText(), QStringLiteral("вырезать"));

    Select(3, 8);
    QTest::keyClick(Editor(), Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), QStringLiteral("езать"));
    Select(0, 0);
    QTest::keyClick(Editor(), Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(Editor()->toPlainText(), QStringLiteral("езатьвырезать"));
    QTest::keyClick(Editor(), Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(Editor()->toPlainText(), QStringLiteral("вырезать"));
    EXPECT_FALSE(Editor()->document()->isUndoAvailable());
}

TEST_F(MainForm, EscWithModifiedDocumentAsksAndCancelKeepsWindow)
{
    Form->show();
    QApplication::setActiveWindow(Form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get(), EventWaitMs));
    Editor()->setFocus();
    Type(QStringLiteral("текст"));
    Modal.Answers << 2;
    QTest::keyClick(Editor(), Qt::Key_Escape);
    EXPECT_EQ(Modal.Seen, QStringList {QStringLiteral("Сохранить изменения в Без Имени?")});
    EXPECT_TRUE(Form->isVisible());
    EXPECT_TRUE(Help.Calls.contains(QStringLiteral("2 ") + Probe().HelpFilePath())) << "closing sends HELP_QUIT";
}

TEST_F(MainForm, HelpFileLiesUnderDataOfTheInstallation)
{
    EXPECT_TRUE(Probe().HelpFilePath().endsWith(QStringLiteral("Data\\Lemvora.hlp"))) << Probe().HelpFilePath().toStdString();
    EXPECT_LE(Probe().HelpFilePath().size(), 255);
    Form->HelpMenuItemClick();
    EXPECT_EQ(Help.Calls, QStringList {QStringLiteral("11 ") + Probe().HelpFilePath()});
}

TEST_F(MainForm, ImageStripGivesTwentySevenDistinctImages)
{
    ASSERT_EQ(Probe().ToolbarImages().size(), 27);
    QSet<QByteArray> distinct;
    for (const QIcon& icon : Probe().ToolbarImages()) {
        const QImage img = icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(img.pixelColor(0, 0).alpha(), 0) << "fuchsia corner is transparent";
        distinct.insert(QByteArray(reinterpret_cast<const char*>(img.constBits()), img.sizeInBytes()));
    }
    EXPECT_EQ(distinct.size(), 27);
    EXPECT_FALSE(Probe().Form().BoldButton->icon().isNull());
}

TEST_F(MainForm, DefaultAttributesAreTheSystemFontOfEightPoints)
{
    const TTextAttributes def(Editor(), false);
    EXPECT_EQ(def.Name(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(def.Size(), 8);
    EXPECT_FALSE(Probe().CurrentAttributes().IsSelection());
}

// The font list is no part of the first frame: the box shows the selection's
// face at once and gets its items once the window is on the screen, with the
// item of the face shown chosen and no face applied.
TEST_F(MainForm, FontListFollowsTheFirstFrameAndAppliesNoFace)
{
    Editor()->setPlainText(QStringLiteral("шрифт"));
    QTextCursor all(Editor()->document());
    all.select(QTextCursor::Document);
    QTextCharFormat serif;
    serif.setFontFamilies({QStringLiteral("Liberation Serif")});
    all.mergeCharFormat(serif);
    Editor()->setTextCursor(all);
    Editor()->document()->setModified(false);
    Probe().SelectionChange();
    QComboBox* box = Probe().FontName();
    EXPECT_EQ(box->count(), 0);
    EXPECT_EQ(box->currentText(), QStringLiteral("Liberation Serif"));

    ShowOnScreen();
    QStringList names;
    for (const TFontFace& face : EnumFontFaces())
        names << face.Name;
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    EXPECT_EQ(items, names);
    EXPECT_EQ(box->currentText(), QStringLiteral("Liberation Serif"));
    EXPECT_EQ(box->currentIndex(), box->findText(QStringLiteral("Liberation Serif")));
    EXPECT_GE(box->currentIndex(), 0);
    EXPECT_EQ(TTextAttributes(Editor(), true).Name(), QStringLiteral("Liberation Serif"));
    EXPECT_FALSE(Editor()->document()->isModified());
}

TEST_F(MainForm, NoContextMenuOffersEditCommandsOrHidesToolBars)
{
    Form->show();
    Ui::TMainForm& f = Probe().Form();
    for (QWidget* w : {Editor()->viewport(), static_cast<QWidget*>(f.StandardToolBar),
                       static_cast<QWidget*>(f.LemvoraToolBar)}) {
        SCOPED_TRACE(w->objectName().toStdString());
        QPointer<QWidget> popup;
        QTimer::singleShot(0, [&] {
            if ((popup = QApplication::activePopupWidget()))
                popup->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), w->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(w, &event);
        QApplication::processEvents();
        EXPECT_TRUE(popup.isNull());
    }
    EXPECT_TRUE(f.StandardToolBar->isVisible());
    EXPECT_TRUE(f.LemvoraToolBar->isVisible());
}

// The font boxes as their handlers meet them once the tool bar is in reach.
TEST_F(MainForm, FontSizeArrowsStepFromTheShownNumberAndTypedFacesAreNotListed)
{
    Form->show();
    Probe().Form().StandardToolBar->setEnabled(true);
    const QList<QToolButton*> arrows = Probe().UpDown1()->findChildren<QToolButton*>();
    ASSERT_EQ(arrows.size(), 2);
    struct {
        const char* Shown;
        int Arrow; // 0 up, 1 down
        const char* After;
    } cases[] = {
        {"14", 0, "15"},   // from the selection's size, not from the arrows' own count
        {"9", 1, "8"},
        {"100", 0, "100"}, // no wrap at either end
        {"0", 1, "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Shown);
        Probe().FontSize()->setText(QString::fromUtf8(c.Shown));
        arrows[c.Arrow]->click();
        EXPECT_EQ(Probe().FontSize()->text(), QString::fromUtf8(c.After));
    }

    const int faces = Probe().FontName()->count();
    Probe().FontName()->setFocus();
    QTest::keyClicks(Probe().FontName(), QStringLiteral("NoSuchFace"));
    QTest::keyClick(Probe().FontName(), Qt::Key_Return);
    EXPECT_EQ(Probe().FontName()->count(), faces);
}

TEST_F(MainForm, AnalysisMenuShowsOnlyTheCheckMarkOfTheCheckedItem)
{
    Ui::TMainForm& f = Probe().Form();
    QMenu* menu = f.LanguageMenu;
    menu->ensurePolished();
    menu->adjustSize();
    const QImage picture = menu->grab().toImage();
    // The check column: left of the caption, inside the item.
    auto column = [&](QAction* Item) {
        const QRect r = menu->actionGeometry(Item);
        QSet<QRgb> colours;
        for (int y = r.top() + 2; y < r.bottom() - 1; ++y)
            for (int x = r.left() + 2; x < r.left() + 18; ++x)
                colours.insert(picture.pixel(x, y));
        return colours.size();
    };
    EXPECT_GT(column(f.FsWordMenuItem), 1) << "the checked item shows its mark";
    for (QAction* item : {f.FsTxtMenuItem, f.GsTxtMenuItem, f.ColorMenuItem, f.GNameMenuItem, f.inCorvaneMenuItem,
                          f.StyleMenuItem})
        EXPECT_EQ(column(item), 1) << item->objectName().toStdString();
}

TEST_F(MainForm, FindAndSelectTextSearchesFromTheSelectionEnd)
{
    Editor()->setPlainText(QString::fromUtf8("мама мыла раму, мама\nпапа\u00A0спал"));
    struct {
        int SelStart, SelEnd;
        const char* Text;
        int Found;
    } cases[] = {
        {0, 0, "мама", 0},   // no selection: from the start
        {0, 4, "мама", 16},  // from the end of the selection
        {2, 2, "мама", 0},   // a caret alone searches from 0
        {0, 4, "Мама", -1},  // case-sensitive
        {17, 20, "мыла", -1}, // nothing after the selection
        // A no-break space matches itself, and a line break counts one position.
        {0, 0, "папа\u00A0спал", 21},
        {0, 0, "папа спал", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        QTextCursor cur(Editor()->document());
        cur.setPosition(c.SelStart);
        cur.setPosition(c.SelEnd, QTextCursor::KeepAnchor);
        Editor()->setTextCursor(cur);
        EXPECT_EQ(Form->FindAndSelectText(Ansi(c.Text)), c.Found);
        const QTextCursor after = Editor()->textCursor();
        if (c.Found >= 0) {
            EXPECT_EQ(after.selectionStart(), c.Found);
            EXPECT_EQ(after.selectedText(), QString::fromUtf8(c.Text));
        } else {
            EXPECT_EQ(after.selectionStart(), c.SelStart);
            EXPECT_EQ(after.selectionEnd(), c.SelEnd);
        }
    }
}

} // namespace
