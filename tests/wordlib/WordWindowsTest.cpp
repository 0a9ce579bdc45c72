// The entry dialog, the stress and hint windows and the way from a confirmed
// word to the result window, with the library's three windows as the entry
// creates them.
#include "ModalDriver.h"

#include "Application.h"
#include "ClipboardLayer.h"
#include "LemvGraf.h"
#include "MeanWrd.h"
#include "PaintBox.h"
#include "Screen.h"
#include "ShownWindow.h"
#include "Tabedit.h"
#include "U2.h"
#include "U3.h"
#include "Win1251.h"
#include "WordBasic.h"
#include "WordTestHelpers.h"
#include "Wording.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QToolButton>
#include <gtest/gtest.h>

#include <algorithm>

extern "C" int32_t FonoSemWrd(const char* Word);

namespace {

// What a modal window showed: a message, or the word window's caption and tabs.
QString Describe(QWidget* W)
{
    if (auto* box = qobject_cast<QMessageBox*>(W))
        return QStringLiteral("box:") + box->text();
    if (auto* graf = qobject_cast<TGrafForm*>(W)) {
        QStringList tabs;
        for (int i = 0; i < graf->PageControl1->count(); ++i)
            tabs << graf->PageControl1->tabText(i);
        return QStringLiteral("graf:%1|mode %2|%3").arg(graf->windowTitle()).arg(graf->Mode).arg(tabs.join(QLatin1Char(',')));
    }
    const QString message = MessageText(W);
    return QStringLiteral("message:") + message;
}

// Closes every modal window that comes up and keeps what it showed.
struct ModalLog {
    QStringList Seen;
    ModalDriver Driver { [this](QWidget* W) {
        Seen << Describe(W);
        if (auto* d = qobject_cast<QDialog*>(W))
            d->reject();
    } };
};

class WordWindows : public WordWindowsFixture {
protected:
    static void Key(QWidget* W, int Qtkey, Qt::KeyboardModifiers Mods = Qt::NoModifier, const QString& Text = {})
    {
        QKeyEvent press(QEvent::KeyPress, Qtkey, Mods, Text);
        QApplication::sendEvent(W, &press);
    }
};

} // namespace

TEST_F(WordWindows, CopyKeysReplaceTheEntryAndNeverReachTheEditBox)
{
    QGuiApplication::clipboard()->setText(QStringLiteral("ZZ"));
    const struct {
        int key;
        Qt::KeyboardModifiers mods;
        bool replaced;
    } cases[] = {
        { Qt::Key_C, Qt::ControlModifier, true },
        { 0x0421, Qt::ControlModifier, true }, // С of the Russian layout: the same key
        { Qt::Key_3, Qt::ControlModifier | Qt::KeypadModifier, true },
        { Qt::Key_Delete, Qt::ShiftModifier, true },
        { Qt::Key_Insert, Qt::ShiftModifier, true }, // no paste follows
        { Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier, false },
        { Qt::Key_V, Qt::ControlModifier, false },
        { Qt::Key_X, Qt::ControlModifier, false },
        { Qt::Key_Delete, Qt::ControlModifier | Qt::ShiftModifier, false },
    };
    for (const auto& c : cases) {
        EditDB->SetEntry(QStringLiteral("КОТ"));
        EditDB->Edit1->setCursorPosition(3);
        Key(EditDB->Edit1, c.key, c.mods);
        if (c.replaced)
            EXPECT_EQ(EditDB->Edit1->text(), QStringLiteral("****")) << std::hex << c.key;
        else
            EXPECT_NE(EditDB->Edit1->text(), QStringLiteral("****")) << c.key;
        EXPECT_FALSE(EditDB->Edit1->isReadOnly());
    }
}

TEST_F(WordWindows, EntryIsUpperCasedAndLongCallerTextsStayWhole)
{
    EditDB->SetEntry(QString());
    Key(EditDB->Edit1, 0x041A, Qt::NoModifier, QStringLiteral("к"));
    Key(EditDB->Edit1, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    EXPECT_EQ(EditDB->Edit1->text(), QStringLiteral("КA"));

    const QString sixty(60, QChar(0x0416));
    EditDB->SetEntry(sixty);
    EXPECT_EQ(EditDB->Edit1->text(), sixty);
    EditDB->Edit1->end(false);
    Key(EditDB->Edit1, Qt::Key_B, Qt::NoModifier, QStringLiteral("b"));
    EXPECT_EQ(EditDB->Edit1->text(), sixty) << "typing never lengthens a text past the limit";
}

TEST_F(WordWindows, EntriesThatAreNoRussianWordGetTheNotice)
{
    ModalLog log;
    for (const char* entry : { "КОТ1", "CAT", "Я", "ДОМ И САД" })
        StartWordAnalysis(Ansi(entry));
    EXPECT_EQ(log.Seen, QStringList(4, QStringLiteral("box:Слово не принадлежит русскому языку!")));
    StartWordAnalysis("");
    EXPECT_EQ(log.Seen.size(), 4) << "an empty entry does nothing";
    EXPECT_FALSE(Form3->isVisible());
}

TEST_F(WordWindows, OneVowelGoesStraightToTheWordWindow)
{
    ModalLog log;
    StartWordAnalysis(Ansi("кот пес"));
    EXPECT_EQ(log.Seen, QStringList { QStringLiteral("graf:Фоносемантика слова|mode 3|КОТ,# КОТ") });
    EXPECT_FALSE(Form3->isVisible());
    EXPECT_EQ(GrafForm, nullptr) << "the window is freed after it closed";

    // Ranked by significance, equal ones in scale order.
    for (int i = 1; i < 25; ++i) {
        EXPECT_GE(WordTopList.Slots[i].Value, WordTopList.Slots[i + 1].Value);
        if (WordTopList.Slots[i].Value == WordTopList.Slots[i + 1].Value) {
            EXPECT_LT(WordTopList.Slots[i].Index, WordTopList.Slots[i + 1].Index);
        }
    }
    EXPECT_EQ(WordTopList.Count, 25);
    EXPECT_EQ(WordTopList.Slots[1].Index, 25); // 2.228 leans to ПОДВИЖНЫЙ with 3.77
}

TEST_F(WordWindows, TwoVowelsOpenTheStressWindowBesideTheHint)
{
    ModalLog log;
    StartWordAnalysis(Ansi("мама"));
    EXPECT_TRUE(log.Seen.isEmpty());
    EXPECT_TRUE(Form3->isVisible());
    EXPECT_TRUE(Form2->isVisible());
    EXPECT_EQ(CurrentWordAnalysis->AnalysedWord, Ansi("МАМА"));
    EXPECT_EQ(CurrentWordAnalysis->StressPos, 2);
    // The hint never takes the focus or input.
    EXPECT_NE(QApplication::activeWindow(), Form2);
    EXPECT_TRUE(Form2->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_TRUE(Form2->windowFlags() & Qt::WindowDoesNotAcceptFocus);
    EXPECT_EQ(Form2->focusPolicy(), Qt::NoFocus);

    // Esc hides both without an analysis.
    Key(Form3, Qt::Key_Escape);
    EXPECT_FALSE(Form3->isVisible());
    EXPECT_FALSE(Form2->isVisible());
    EXPECT_FALSE(Form2->isEnabled());
    EXPECT_TRUE(log.Seen.isEmpty());
}

TEST_F(WordWindows, StressMovesBetweenVowelsAndWrapsRound)
{
    const struct {
        const char* word;
        std::vector<int> right, left;
    } cases[] = {
        { "МАМА", { 4, 2, 4 }, { 4, 2 } },
        { "КОЛОКОЛ", { 4, 6, 2, 4 }, { 6, 4, 2 } },
    };
    for (const auto& c : cases) {
        CurrentWordAnalysis->SetWord(Ansi(c.word));
        for (int expected : c.right) {
            Form3->RightSpeedButtonClick();
            EXPECT_EQ(CurrentWordAnalysis->StressPos, expected) << c.word;
        }
        CurrentWordAnalysis->SetWord(Ansi(c.word));
        for (int expected : c.left) {
            Form3->LeftSpeedButtonClick();
            EXPECT_EQ(CurrentWordAnalysis->StressPos, expected) << c.word;
        }
    }
    // The arrow keys move it with Shift or Ctrl held as well.
    CurrentWordAnalysis->SetWord(Ansi("КОЛОКОЛ"));
    Key(Form3, Qt::Key_Right, Qt::ShiftModifier);
    Key(Form3, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(CurrentWordAnalysis->StressPos, 6);
    Key(Form3, Qt::Key_Left);
    EXPECT_EQ(CurrentWordAnalysis->StressPos, 4);
}

TEST_F(WordWindows, StressedWordStandsAtItsMarginWithTheMarkOverTheVowel)
{
    // The margin by the word's length, from the stress window's client width 567.
    const struct {
        int length, margin;
        bool wide;
    } margins[] = { { 0, 141, false }, { 9, 141, false }, { 10, 70, false }, { 14, 70, false },
                    { 15, 35, true },  { 20, 35, true },  { 21, 11, true },   { 60, 11, true } };
    for (const auto& m : margins) {
        CurrentWordAnalysis->SetWord(std::string(static_cast<size_t>(m.length), '\xC1'));
        bool wide = !m.wide;
        EXPECT_EQ(CurrentWordAnalysis->WordLeftMargin(Form3, wide), m.margin) << m.length;
        EXPECT_EQ(wide, m.wide) << m.length;
    }

    TRecordingCanvas canvas;
    canvas.CharWidth = 10;
    Form3->PaintBox1->TestCanvas = &canvas;
    CurrentWordAnalysis->SetWord(Ansi("КОЛОКОЛ"));
    Form3->RightSpeedButtonClick(); // the stress on the fourth letter
    const auto texts = canvas.Texts();
    ASSERT_EQ(texts.size(), 2u);
    // The mark's left edge at the middle of the stressed letter: 141 + 4 * 10 - 10 / 2.
    EXPECT_EQ(texts[0].Text, QStringLiteral("/"));
    EXPECT_EQ(texts[0].From, QPoint(176, 5));
    EXPECT_EQ(texts[1].Text, QStringLiteral("КОЛОКОЛ"));
    EXPECT_EQ(texts[1].From, QPoint(141, 20));
    EXPECT_EQ(texts[1].Font.Size, 26);
    EXPECT_TRUE(texts[1].Font.Bold);
    ASSERT_EQ(canvas.Items.front().Kind, TRecordingCanvas::Op::Fill); // the mark's row is cleared first
    EXPECT_EQ(canvas.Items.front().From, QPoint(141, 5));
    EXPECT_EQ(canvas.Items.front().To.x(), 141 + 70 - 1);

    Form3->PaintBox1->TestCanvas = nullptr;
}

// A word wider than the view scrolls as far as its end and no further, and a
// moved stress mark comes into view; a word that fits does not scroll.
TEST_F(WordWindows, LongWordScrollsToItsEndAndTheMovedMarkComesIntoView)
{
    const auto drawn = [] {
        TMeasuringCanvas c;
        Form3->PaintBox1->Measure(c);
        return c;
    };
    CurrentWordAnalysis->SetWord(Ansi("ВЫСОКОПРЕВОСХОДИТЕЛЬСТВО"));
    Form3->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form3));
    QScrollBar* bar = Form3->ScrollBox1->horizontalScrollBar();
    const int view = Form3->ScrollBox1->viewport()->width();
    const TMeasuringCanvas first = drawn();
    ASSERT_EQ(first.Texts.size(), 2u); // the mark, then the word
    const QRect word = first.Texts[1].Rect;
    ASSERT_GT(word.right(), view);
    EXPECT_EQ(bar->value(), 0) << "the start in view, the mark over its first vowel";
    EXPECT_EQ(bar->maximum() + view, word.right() + 1 + 10) << "to the word's end and its margin";

    // The bar's own steps: a page on either side of the thumb, its two ends.
    const struct {
        QAbstractSlider::SliderAction action;
        int value;
    } steps[] = { { QAbstractSlider::SliderPageStepAdd, std::min(bar->pageStep(), bar->maximum()) },
                  { QAbstractSlider::SliderPageStepSub, 0 },
                  { QAbstractSlider::SliderToMaximum, bar->maximum() },
                  { QAbstractSlider::SliderToMinimum, 0 } };
    for (const auto& s : steps) {
        bar->triggerAction(s.action);
        EXPECT_EQ(bar->value(), s.value) << s.action;
        EXPECT_EQ(Form3->PaintBox1->x(), -s.value) << "the word moves left as the value grows";
    }

    // "<-" from the first vowel wraps round to the last, "->" back to the
    // first: each time the mark comes into view.
    const auto markInView = [&] {
        const QRect mark = drawn().Texts[0].Rect.translated(Form3->PaintBox1->x(), 0);
        return mark.left() >= 0 && mark.right() < view;
    };
    Form3->LeftSpeedButtonClick();
    ASSERT_EQ(CurrentWordAnalysis->StressPos, 24);
    EXPECT_GT(bar->value(), 0);
    EXPECT_TRUE(markInView());
    Form3->RightSpeedButtonClick();
    ASSERT_EQ(CurrentWordAnalysis->StressPos, 2);
    EXPECT_TRUE(markInView());

    CurrentWordAnalysis->SetWord(Ansi("МАМА"));
    Form3->ArrangeWord();
    QApplication::processEvents();
    EXPECT_EQ(bar->maximum(), 0);
    Form3->hide();
}

TEST_F(WordWindows, EnterRunsTheAnalysisOnceWithTheChosenStress)
{
    ModalLog log;
    StartWordAnalysis(Ansi("МАМА"));
    Key(Form3, Qt::Key_Right);
    Key(Form3, Qt::Key_Return);
    EXPECT_EQ(log.Seen, QStringList { QStringLiteral("graf:Фоносемантика слова|mode 3|МАМА,# МАМА") });
    EXPECT_EQ(CurrentWordAnalysis->StressPos, 4);
    EXPECT_FALSE(Form3->isVisible());
    EXPECT_FALSE(Form2->isVisible());
}

// A word with Ё is analysed as the same word spelled with Е (as Russian print
// reads it) and shown as it was typed.
TEST_F(WordWindows, WordsWithYoGiveTheFiguresOfTheirYeSpellingAndKeepTheirYo)
{
    struct Road : TWordOutcome {
        QStringList seen, drawn;
    };
    // The typed entry confirmed, the stress moved right Moves times, the analysis run.
    const auto road = [&](const QString& Typed, int Moves) {
        Road r;
        ModalLog log;
        TRecordingCanvas canvas;
        Form3->PaintBox1->TestCanvas = &canvas;
        EditDB->SetEntry(Typed);
        EditDB->BitBtn1->click();
        if (Form3->isVisible())
            Form3->PaintBox1Paint();
        for (int m = 0; m < Moves; ++m)
            Form3->SpeedButton2->click();
        for (const auto& t : canvas.Texts())
            r.drawn << t.Text;
        if (Form3->isVisible())
            Form3->SpeedButton3->click();
        Form3->PaintBox1->TestCanvas = nullptr;
        static_cast<TWordOutcome&>(r) = TWordOutcome::Current();
        r.seen = log.Seen;
        return r;
    };
    const struct {
        const char *typed, *shown, *printed;
        bool stressWindow;
        int moves, stress; // the stress on the Ё
    } cases[] = {
        { "несёт", "НЕСЁТ", "несет", true, 1, 4 },
        { "ёлка", "ЁЛКА", "елка", true, 0, 1 },
        { "ещё", "ЕЩЁ", "еще", true, 1, 3 },
        { "ёж", "ЁЖ", "еж", false, 0, 1 }, // one vowel: straight to the analysis
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const QString shown = QString::fromUtf8(c.shown);
        const Road yo = road(QString::fromUtf8(c.typed), c.moves);
        const Road ye = road(QString::fromUtf8(c.printed), c.moves);
        EXPECT_EQ(yo.Word, QStringToAnsi(shown));
        EXPECT_EQ(yo.Stress, c.stress);
        EXPECT_EQ(ye.Stress, c.stress);
        ASSERT_EQ(yo.seen, QStringList { QStringLiteral("graf:Фоносемантика слова|mode 3|%1,# %1").arg(shown) });
        // The stress window draws the word as typed.
        EXPECT_EQ(yo.drawn.contains(shown), c.stressWindow) << yo.drawn.join(QLatin1Char('|')).toStdString();
        EXPECT_EQ(yo.Values, ye.Values); // to the bit
        EXPECT_EQ(yo.Ranking, ye.Ranking);
        EXPECT_NE(yo.Values, std::vector<double>(BipolarScaleCount, 0.0));
    }
}

TEST_F(WordWindows, NothingSignificantGivesTheNoteAndNoWindow)
{
    ModalLog log;
    StartWordAnalysis(Ansi("ВИДЫ")); // best significance 3.35
    Key(Form3, Qt::Key_Return);
    EXPECT_EQ(log.Seen, QStringList { QStringLiteral("message:ЗНАЧИМЫХ признаков НЕТ!") });

    // The empty word: every scale 0, each ranked with 6.0, and a window.
    log.Seen.clear();
    CurrentWordAnalysis->SetWord("");
    Form3->OkButtonClick();
    EXPECT_EQ(log.Seen, QStringList { QStringLiteral("graf:Фоносемантика слова|mode 3|,# ") });
    for (int i = 1; i <= 25; ++i) {
        EXPECT_EQ(WordTopList.Slots[i].Value, 6.0);
        EXPECT_EQ(WordTopList.Slots[i].Index, i);
    }
}

TEST_F(WordWindows, WithoutTheWordProcessorTheErrorBoxComesInsteadOfTheWindow)
{
    UnregisterDocumentEngine();
    QStringList errors;
    SetDefaultErrorHook([&](const QString& Text) { errors << Text; });
    ModalLog log;
    EditDB->SetEntry(QStringLiteral("КОТ"));
    EditDB->BitBtn1->click();
    SetDefaultErrorHook({});
    EXPECT_EQ(errors.size(), 1);
    EXPECT_TRUE(log.Seen.isEmpty()) << "no window";
    EXPECT_EQ(GrafForm, nullptr);
    EXPECT_EQ(EditDB->Edit1->text(), QStringLiteral("КОТ")) << "the entry dialog stays";
}

TEST_F(WordWindows, AnyTypedEntryGivesTheNoticeOrAnAnalysis)
{
    const QString notice = QStringLiteral("box:Слово не принадлежит русскому языку!");
    const struct {
        QString typed;
        bool russian;
    } cases[] = {
        { QStringLiteral("Hello world"), false },
        { QStringLiteral("12345"), false },
        { QStringLiteral("中文字"), false },         // outside the code page: "?" ends a word
        { QStringLiteral("ДОМ\u2014ДОМ"), false },  // the dash joins the word but is no letter
        { QString(255, QChar(0x0411)), true },      // 255 consonants: no stress to choose
        { QString(255, QChar(0x0410)), true },      // 255 vowels: the stress window
        { QString(300, QChar(0x043E)), true },      // cut to 255
    };
    for (const auto& c : cases) {
        ModalLog log;
        EditDB->SetEntry(c.typed);
        EditDB->BitBtn1Click();
        if (Form3->isVisible())
            Key(Form3, Qt::Key_Return);
        ASSERT_EQ(log.Seen.size(), 1) << c.typed.left(20).toStdString();
        if (c.russian)
            EXPECT_TRUE(log.Seen[0].startsWith(QStringLiteral("graf:")) || log.Seen[0].startsWith(QStringLiteral("message:")))
                << log.Seen[0].left(60).toStdString();
        else
            EXPECT_EQ(log.Seen[0], notice) << c.typed.toStdString();
    }
    EXPECT_EQ(CurrentWordAnalysis->AnalysedWord.size(), 255u);
}

TEST(FonoSemWrd, RunsTheEntryDialogWithTheCallersWordUpperCased)
{
    SetVirtualScreenSize(QSize(1024, 768));
    QStringList seen;
    ModalDriver driver([&](QWidget* W) {
        if (W != EditDB) {
            seen << Describe(W);
            static_cast<QDialog*>(W)->reject();
            return;
        }
        seen << EditDB->Edit1->text();
        // A two-vowel word: the stress window opens; closing the entry dialog
        // with it up still ends the call normally.
        EditDB->BitBtn1->click();
        seen << (Form3->isVisible() ? QStringLiteral("stress") : QStringLiteral("-"));
        EditDB->BitBtn2->click();
    });
    EXPECT_EQ(FonoSemWrd(Ansi("мама").c_str()), 1);
    EXPECT_EQ(seen, (QStringList { QStringLiteral("МАМА"), QStringLiteral("stress") }));
    EXPECT_EQ(EditDB, nullptr);
    EXPECT_EQ(Form3, nullptr);
    EXPECT_EQ(Form2, nullptr);
    EXPECT_EQ(CurrentWordAnalysis, nullptr);
    SetVirtualScreenSize({});
}
