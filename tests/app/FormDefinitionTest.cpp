// The main window as created: every menu item and tool-bar button with its
// caption, hint, shortcut, image and Enabled/Visible state, in display order.
#include "AppTestSupport.h"

#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include <array>

namespace {

class FormDefinition : public MainFormFixture {};

// A menu's entries in order: "-" for a separator line, else
// name|caption|shortcut|enabled|hint|image|checked.
QStringList Entries(QMenu* Menu)
{
    QStringList out;
    for (QAction* a : Menu->actions()) {
        if (a->isSeparator()) {
            out << QStringLiteral("-");
            continue;
        }
        const QVariant image = a->property("ImageIndex");
        out << QStringList {a->objectName(), a->text(), a->shortcut().toString(), a->isEnabled() ? "yes" : "no",
                            a->statusTip(), image.isValid() ? QString::number(image.toInt()) : QString(),
                            a->isChecked() ? "checked" : ""}
                   .join(QLatin1Char('|'));
    }
    return out;
}

TEST_F(FormDefinition, MenusHoldTheirItemsWithCaptionsKeysStatesAndHints)
{
    Ui::TMainForm& f = Probe().Form();
    struct {
        QMenu* Menu;
        const char* Title;
        bool Enabled;
        QStringList Items;
    } menus[] = {
        {f.FileMenu, "&Файл", true,
         {"FileNewItem|&Создать...|Ctrl+N|no|Создать новый файл|0|", "FileOpenItem|&Открыть...|Ctrl+O|no|Открыть существующий файл|1|",
          "FileSaveItem|&Сохранить|Ctrl+S|no|Сохранить активный файл|2|",
          "FileSaveAsItem|Сохранить &Как...||no|Сохранить файл под новым именем||", "-",
          "FilePrintItem|&Печать...|Ctrl+P|no|Печать активного файла|3|", "-",
          "FileExitItem|Вы&ход|Alt+X|yes|Закрыть программу||"}},
        // The edit items follow their actions: with nothing selected and nothing
        // to undo or paste, all four are off.
        {f.EditMenu, "&Правка", false,
         {"EditUndoItem|&Отменить...|Ctrl+Z|no|Отменить последние действия|4|", "-",
          "EditCutItem|&Вырезать|Ctrl+X|no|Удалить выделенный элемент|5|",
          "EditCopyItem|&Копировать|Ctrl+C|no|Копировать выделенный элемент в буфер|6|",
          "EditPasteItem|Вст&авить|Ctrl+V|no|Вставить элемент из буфера|7|", "-", "miEditFont|&Шрифт...||yes|||"}},
        {f.LanguageMenu, "Ра&счет", true,
         {"FsTxtMenuItem|Фоносемантика &текста|F4|no|Расчет фоносемантики текста||",
          "FsWordMenuItem|Фоносемантика &слова|F5|yes|Расчет фоносемантики слова||checked",
          "GsTxtMenuItem|&Золотое сечение текста|F6|no|Расчет золотого сечения текста||",
          "ColorMenuItem|&Цветовые ассоциации на текст|F7|no|Расчет цветовых ассоциаций текста||",
          "GNameMenuItem|&Генерация имен||no|Создание Псевдо Имен||", "-",
          "inCorvaneMenuItem|&Фоносемантический  профиль текста||no|Расчет фоносемантики  по установленным фрагментам текста||",
          "-", "StyleMenuItem|&Стилистические особенности текста||no|Расчет стилистических особенностей текста||"}},
        {f.HelpMenu, "&Помощь", true,
         {"HelpMenuItem|&Справка|F1|yes|||", "-", "HelpAboutItem|&О программе...||no|Информация о программе||"}},
    };
    QStringList titles;
    for (QAction* top : f.MainMenu->actions())
        titles << top->text();
    EXPECT_EQ(titles, (QStringList {"&Файл", "&Правка", "Ра&счет", "&Помощь"}));
    QGuiApplication::clipboard()->clear();
    for (const auto& m : menus) {
        SCOPED_TRACE(m.Title);
        EXPECT_EQ(m.Menu->title(), QString::fromUtf8(m.Title));
        EXPECT_EQ(m.Menu->isEnabled(), m.Enabled);
        EXPECT_EQ(Entries(m.Menu), m.Items);
    }
}

// A tool bar's entries in order: "|" for a divider, a control by its name,
// else name|hint|image|enabled|visible.
QStringList Entries(QToolBar* Bar)
{
    QStringList out;
    for (QAction* a : Bar->actions()) {
        if (a->isSeparator()) {
            out << QStringLiteral("|");
        } else if (QWidget* w = Bar->widgetForAction(a); w && !qobject_cast<QToolButton*>(w)) {
            out << w->objectName() + QLatin1Char('|') + w->statusTip();
        } else {
            const QVariant image = a->property("ImageIndex");
            out << QStringList {a->objectName(), a->statusTip(), image.isValid() ? QString::number(image.toInt()) : QString(),
                                a->isEnabled() ? "yes" : "no", a->isVisible() ? "yes" : "no"}
                       .join(QLatin1Char('|'));
        }
    }
    return out;
}

TEST_F(FormDefinition, ToolBarsHoldTheirButtonsWithHintsImagesAndStates)
{
    Ui::TMainForm& f = Probe().Form();
    QGuiApplication::clipboard()->clear();
    EXPECT_FALSE(f.StandardToolBar->isEnabled());
    EXPECT_TRUE(f.LemvoraToolBar->isEnabled());
    EXPECT_EQ(Entries(f.StandardToolBar),
              (QStringList {"ToolButton1|Создать новый документ|0|yes|yes", "OpenButton|Открыть существующий документ|1|yes|yes",
                            "SaveButton|Сохранить текущий документ|2|yes|yes", "PrintButton|Печать текущего документа|3|yes|yes",
                            "|", "CutButton|Удалить выделенный элемент|5|no|yes",
                            "CopyButton|Копировать выделенный элемент в буфер|6|no|yes",
                            "PasteButton|Вставить элемент из буфера|7|no|yes", "UndoButton|Отменить последние действия|4|no|yes",
                            "|", "FontName|Шрифт", "|", "FontSize|Размер шрифта ", "UpDown1|", "|",
                            "BoldButton|Полужирный|20|yes|yes", "ItalicButton|Курсив|21|yes|yes",
                            "UnderlineButton|Подчеркнутый|22|yes|yes", "|", "LeftAlign|По левому краю|11|yes|yes",
                            "CenterAlign|По центру|12|yes|yes", "RightAlign|По правому краю|13|yes|yes", "|",
                            "BulletsButton|Маркированный список|14|yes|yes"}));
    EXPECT_EQ((std::array {f.LeftAlign->property("Tag").toInt(), f.CenterAlign->property("Tag").toInt(),
                           f.RightAlign->property("Tag").toInt()}),
              (std::array {0, 2, 1}));

    EXPECT_EQ(Entries(f.LemvoraToolBar),
              (QStringList {"FSWordButton|Фоносемантика слова|15|yes|yes", "FSTxtButton|Фоносемантика текста|16|no|yes",
                            "ColorButton|Цветовые ассоциации на текст|17|no|yes", "GlSecButton|Золотое сечение текста|18|no|yes",
                            "GNameButton|Генерация имен|19|no|yes", "|",
                            "CorvToolButton|Фоносемантический  профиль текста|23|no|yes", "|",
                            "ToolButton8|Стилистические особенности текста|26|no|yes", "ToolButton6||24|no|no",
                            "ToolButton7||25|no|no"}));
}

} // namespace
