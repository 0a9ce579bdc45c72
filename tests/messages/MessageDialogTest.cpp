#include "ModalDriver.h"

#include "Application.h"
#include "HelpLayer.h"
#include "MymsgDlg.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPushButton>
#include <QScreen>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

using Form = std::unique_ptr<TMyMessageForm>;

QSize Screen()
{
    return QGuiApplication::primaryScreen()->geometry().size();
}

// The dialog's buttons from left to right.
std::vector<QPushButton*> Buttons(QWidget* Dialog)
{
    auto list = Dialog->findChildren<QPushButton*>();
    std::vector<QPushButton*> v(list.begin(), list.end());
    std::sort(v.begin(), v.end(), [](auto* a, auto* b) { return a->x() < b->x(); });
    return v;
}

QStringList Captions(QWidget* Dialog)
{
    QStringList c;
    for (auto* b : Buttons(Dialog))
        c << b->text();
    return c;
}

QPushButton* Button(QWidget* Dialog, const char* Name)
{
    return Dialog->findChild<QPushButton*>(QString::fromLatin1(Name));
}

QFontMetrics Canvas()
{
    return QFontMetrics(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
}

} // namespace

TEST(MyMessageDialog, NoticeHasTitleNoIconAndOneButtonForEnterAndEsc)
{
    SetApplicationTitle(QStringLiteral("\"Lemvora\" предвыборной борьбы"));
    const Form f(CreateMyMessageDialog(QStringLiteral("Готово"), mdCustom, {mdbOK}));
    EXPECT_EQ(f->windowTitle(), QStringLiteral("\"Lemvora\" предвыборной борьбы"));
    EXPECT_EQ(f->findChild<QLabel*>(QStringLiteral("Image")), nullptr);
    ASSERT_EQ(Captions(f.get()), QStringList {QStringLiteral("&Далее")});
    QPushButton* ok = Button(f.get(), "aBitBtn3");
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(f->DefaultButton, ok);
    EXPECT_EQ(f->CancelButton, ok);
    EXPECT_EQ(f->x(), Screen().width() / 2 - f->width() / 2);
    EXPECT_EQ(f->y(), Screen().height() / 2 - f->height() / 2);

    for (int key : {int(Qt::Key_Return), int(Qt::Key_Escape)}) {
        QString text;
        ModalDriver drive([&](QWidget* w) {
            text = MessageText(w);
            PressKey(w, key);
        });
        EXPECT_EQ(MyShowMessage(QStringLiteral("Готово")), 1) << key;
        EXPECT_EQ(text, QStringLiteral("Готово"));
    }
}

struct ButtonCase {
    const char* Name;
    TMyDlgButtons Set;
    QStringList Captions;
    const char* Default;  // nullptr: none
    const char* Cancel;   // nullptr: none
};

void PrintTo(const ButtonCase& C, std::ostream* Os)
{
    *Os << C.Name;
}

class MyMessageButtons : public ::testing::TestWithParam<ButtonCase> {};

TEST_P(MyMessageButtons, CaptionsOrderDefaultAndCancel)
{
    const ButtonCase& c = GetParam();
    const Form f(CreateMyMessageDialog(QStringLiteral("Вопрос"), mdConfirmation, c.Set));
    EXPECT_EQ(Captions(f.get()), c.Captions);
    QPushButton* def = c.Default ? Button(f.get(), c.Default) : nullptr;
    QPushButton* cancel = c.Cancel ? Button(f.get(), c.Cancel) : nullptr;
    EXPECT_EQ(f->DefaultButton, def);
    EXPECT_EQ(f->CancelButton, cancel);
    for (auto* b : Buttons(f.get()))
        EXPECT_EQ(b->isDefault(), b == def) << b->objectName().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Sets, MyMessageButtons, ::testing::Values(
    ButtonCase {"YesNoCancel", {mdbYes, mdbNo, mdbCancel}, {"&Да", "&Нет", "&Отменить"}, "aBitBtn1", "aBitBtn4"},
    ButtonCase {"CancelNoYes", {mdbCancel, mdbNo, mdbYes}, {"&Да", "&Нет", "&Отменить"}, "aBitBtn1", "aBitBtn4"},
    ButtonCase {"YesNo", {mdbYes, mdbNo}, {"&Да", "&Нет"}, "aBitBtn1", "aBitBtn2"},
    ButtonCase {"AbortIgnore", {mdbAbort, mdbIgnore}, {"&Стоп", "&Игнорировать"}, nullptr, nullptr},
    ButtonCase {"RetryCancel", {mdbRetry, mdbCancel}, {"&Отменить", "&Повторить"}, "aBitBtn6", "aBitBtn4"},
    ButtonCase {"AllNoToAllYesToAllHelp", {mdbAll, mdbNoToAll, mdbYesToAll, mdbHelp},
                {"&Все", "&Нет не все", "&Да - все", "&Справка"}, nullptr, nullptr}),
    [](const auto& Info) { return std::string(Info.param.Name); });

// How each answer of a shown dialog comes back.
struct AnswerCase {
    const char* Name;
    TMyDlgButtons Set;
    const char* Click; // a button to click, or nullptr to press Key
    int Key;
    int Result;        // -1: the dialog must stay open; it is then closed by its close box
};

void PrintTo(const AnswerCase& C, std::ostream* Os)
{
    *Os << C.Name;
}

class MyMessageAnswers : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(MyMessageAnswers, Result)
{
    const AnswerCase& c = GetParam();
    bool stayedOpen = false;
    ModalDriver drive([&](QWidget* w) {
        if (c.Click)
            Button(w, c.Click)->click();
        else
            PressKey(w, c.Key);
        stayedOpen = w->isVisible();
        if (stayedOpen)
            w->close();
    });
    const int r = MyMessageDlg(QStringLiteral("Сохранить изменения?"), mdConfirmation, c.Set, 0);
    if (c.Result < 0) {
        EXPECT_TRUE(stayedOpen);
        EXPECT_EQ(r, 2); // the close box
    } else {
        EXPECT_FALSE(stayedOpen);
        EXPECT_EQ(r, c.Result);
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, MyMessageAnswers, ::testing::Values(
    AnswerCase {"YesClicked", {mdbYes, mdbNo, mdbCancel}, "aBitBtn1", 0, 6},
    AnswerCase {"NoClicked", {mdbYes, mdbNo, mdbCancel}, "aBitBtn2", 0, 7},
    AnswerCase {"CancelClicked", {mdbYes, mdbNo, mdbCancel}, "aBitBtn4", 0, 2},
    AnswerCase {"EnterPressesYes", {mdbYes, mdbNo, mdbCancel}, nullptr, Qt::Key_Return, 6},
    AnswerCase {"EscPressesCancel", {mdbYes, mdbNo, mdbCancel}, nullptr, Qt::Key_Escape, 2},
    AnswerCase {"EscPressesNo", {mdbYes, mdbNo}, nullptr, Qt::Key_Escape, 7},
    AnswerCase {"EscWithoutCancelButton", {mdbAbort, mdbIgnore}, nullptr, Qt::Key_Escape, -1},
    AnswerCase {"IgnoreClicked", {mdbAbort, mdbIgnore}, "aBitBtn7", 0, 5},
    AnswerCase {"EscWithoutButtons", {}, nullptr, Qt::Key_Escape, -1},
    AnswerCase {"EnterWithoutButtons", {}, nullptr, Qt::Key_Return, -1},
    AnswerCase {"HelpStaysOpen", {mdbHelp}, "aBitBtn11", 0, -1}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST(MyMessageDialog, EmptyButtonSetShowsOnlyTheText)
{
    const Form f(CreateMyMessageDialog(QStringLiteral("Текст"), mdWarning, {}));
    EXPECT_TRUE(Buttons(f.get()).empty());
    EXPECT_NE(f->findChild<QLabel*>(QStringLiteral("Image")), nullptr);
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Предупреждение"));
}

TEST(MyMessageDialog, LongTextWrapsAtHalfTheScreenWidth)
{
    QString msg;
    for (int i = 0; i < 60; ++i)
        msg += QStringLiteral("слово ");
    const Form f(CreateMyMessageDialog(msg, mdCustom, {mdbOK}));
    const QLabel* text = f->findChild<QLabel*>(QStringLiteral("Message"));
    ASSERT_NE(text, nullptr);
    EXPECT_LE(text->width(), Screen().width() / 2);
    EXPECT_GT(text->width(), Screen().width() / 2 - Canvas().horizontalAdvance(QStringLiteral("слово ")) - 1);
    EXPECT_GE(text->height(), 2 * Canvas().height());
    // The label holds the whole wrapped text.
    EXPECT_LE(Canvas().boundingRect(QRect(0, 0, text->width(), 0), Qt::TextWordWrap, msg).height(), text->height());
    EXPECT_TRUE(text->wordWrap());
}

TEST(MyMessageDialog, ShortTextWidensToTheCentredButtonRow)
{
    const Form f(CreateMyMessageDialog(QStringLiteral("Да?"), mdCustom,
                                       {mdbYes, mdbNo, mdbCancel, mdbAbort, mdbRetry, mdbIgnore}));
    const auto b = Buttons(f.get());
    ASSERT_EQ(b.size(), 6u);
    const QLabel* text = f->findChild<QLabel*>(QStringLiteral("Message"));
    const int rowWidth = b.back()->geometry().right() + 1 - b.front()->x();
    EXPECT_GT(rowWidth, text->width());
    const int margin = text->x(); // HorzMargin: no icon
    EXPECT_EQ(f->width(), rowWidth + 2 * margin);
    EXPECT_EQ(b.front()->x(), margin);
    // In dialog units of the average character width U: buttons 50 / 4 U
    // wide, 4 / 4 U apart, margins 8 / 4 U.
    const int U = Canvas().horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 52;
    EXPECT_EQ(margin, std::lround(8.0 * U / 4));
    for (size_t i = 0; i < b.size(); ++i) {
        EXPECT_EQ(b[i]->width(), std::lround(50.0 * U / 4)) << i;
        if (i > 0) {
            EXPECT_EQ(b[i]->x() - b[i - 1]->geometry().right() - 1, std::lround(4.0 * U / 4)) << i;
        }
    }
}

TEST(MyMessageDialog, IconMakesAOneLineTextAreaThirtyTwoPixelsHigh)
{
    const QFontMetrics fm = Canvas();
    ASSERT_LT(fm.height(), 32);
    const Form f(CreateMyMessageDialog(QStringLiteral("Ошибка чтения"), mdError, {mdbOK}));
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Ошибка"));
    const QLabel* image = f->findChild<QLabel*>(QStringLiteral("Image"));
    const QLabel* text = f->findChild<QLabel*>(QStringLiteral("Message"));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->size(), QSize(32, 32));
    EXPECT_EQ(text->height(), fm.height());
    EXPECT_EQ(text->y(), image->y());
    // Text to the right of the icon, after the spacing.
    EXPECT_GT(text->x(), image->geometry().right());
    // Buttons below the icon: margin + 32 + spacing, and the bottom margin
    // equals the top one.
    const QPushButton* ok = Button(f.get(), "aBitBtn3");
    const int vertMargin = image->y();
    EXPECT_GT(ok->y(), vertMargin + 32);
    EXPECT_EQ(f->height() - ok->geometry().bottom() - 1, vertMargin);
    const int vertSpacing = static_cast<int>(std::lround(10.0 * fm.height() / 8));
    EXPECT_EQ(ok->y(), vertMargin + 32 + vertSpacing);
}

TEST(MyMessageDialog, TitlesOfTheTypes)
{
    const std::pair<TMyDlgType, QString> cases[] = {{mdWarning, "Предупреждение"},
                                                     {mdError, "Ошибка"},
                                                     {mdInformation, "Информация"},
                                                     {mdConfirmation, "Подтвердить"}};
    for (const auto& [type, title] : cases) {
        const Form f(CreateMyMessageDialog(QStringLiteral("x"), type, {mdbOK}));
        EXPECT_EQ(f->windowTitle(), title);
        EXPECT_NE(f->findChild<QLabel*>(QStringLiteral("Image")), nullptr);
    }
}

TEST(MyMessageDialog, XPlacesTheLeftEdgeAndMinusOneKeepsCentring)
{
    QPoint pos;
    int height = 0;
    ModalDriver drive([&](QWidget* w) {
        pos = w->pos();
        height = w->height();
        PressKey(w, Qt::Key_Return);
    });
    EXPECT_EQ(MyMessageDlgPos(QStringLiteral("Где?"), mdInformation, {mdbOK}, 0, 10, -1), 1);
    EXPECT_EQ(pos.x(), 10);
    EXPECT_EQ(pos.y(), Screen().height() / 2 - height / 2);
}

namespace {

struct HelpCall {
    QString File;
    unsigned Command;
    QString Data;
    int Context;
};

class RecordingHelp : public IHelpSystem {
public:
    std::vector<HelpCall> Calls;
    void Help(const QString& HelpFile, unsigned Command, const QString& Data, int Context) override
    {
        Calls.push_back({HelpFile, Command, Data, Context});
    }
};

} // namespace

TEST(MyMessageDialog, HelpButtonOpensHelpAndLeavesTheDialogOpen)
{
    struct Case {
        QString Topic;
        int Context;
        unsigned Command;
        QString Data;
    } cases[] = {
        {"", 0, HELP_FINDER, ""},
        {"Topic_7", 0, HELP_COMMAND, "JumpID(\"\",\"Topic_7\")"},
        {"", 42, HELP_CONTEXT, ""},
        {"Topic_7", 42, HELP_FINDER, ""},
    };
    RecordingHelp help;
    SetHelpSystem(&help);
    for (const Case& c : cases) {
        help.Calls.clear();
        SetApplicationHelpFile(QStringLiteral("other.hlp"));
        bool open = false;
        ModalDriver drive([&](QWidget* w) {
            Button(w, "aBitBtn11")->click();
            open = w->isVisible();
            Button(w, "aBitBtn3")->click();
        });
        EXPECT_EQ(MyMessageDlg(QStringLiteral("Справка?"), mdInformation, {mdbOK, mdbHelp}, c.Context, c.Topic,
                               QStringLiteral("Data/Lemvora.hlp")),
                  1);
        EXPECT_TRUE(open);
        ASSERT_EQ(help.Calls.size(), 1u) << c.Topic.toStdString();
        EXPECT_EQ(help.Calls[0].File, QStringLiteral("Data/Lemvora.hlp"));
        EXPECT_EQ(help.Calls[0].Command, c.Command);
        EXPECT_EQ(help.Calls[0].Data, c.Data);
        if (c.Command == HELP_CONTEXT) {
            EXPECT_EQ(help.Calls[0].Context, 42);
        }
    }
    SetHelpSystem(nullptr);
}

TEST(MyMessageDialog, HelpFieldsAreCutTo255Characters)
{
    const Form f(CreateMyMessageDialog(QStringLiteral("x"), mdCustom, {mdbOK}, QString(300, 'T'), QString(300, 'F')));
    EXPECT_EQ(f->HelpTopic.size(), 255);
    EXPECT_EQ(f->HelpFileName.size(), 255);
}
