// The diagram window's frame: creation and destruction, mode and buttons, the
// status of the active tab, keys, help and the tab menu's commands.
#include "LemvGraf.h"
#include "ui_LemvGraf.h"

#include "Application.h"
#include "ChartFx.h"
#include "Errors.h"
#include "GrafStyle.h"
#include "HelpLayer.h"
#include "InstallDir.h"
#include "KeptPixmaps.h"
#include "Screen.h"
#include "TextPage.h"
#include "WinPaths.h"
#include "Win1251.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>

#include <cmath>

TGrafForm* GrafForm = nullptr;

void SelectNextPage(QTabWidget* PageControl, bool GoForward)
{
    const int n = PageControl->count();
    if (n == 0)
        return;
    const int cur = PageControl->currentIndex();
    const int next = cur < 0 ? 0 : (cur + (GoForward ? 1 : n - 1)) % n;
    if (next != cur)
        PageControl->setCurrentIndex(next);
}

TGrafForm::TGrafForm(QWidget* Parent) : TGrafForm(Parent, TFormDefinitionOnly {})
{
    FormCreate();
}

TGrafForm::TGrafForm(QWidget* Parent, TFormDefinitionOnly) : QDialog(Parent), ui_(new Ui::TGrafForm)
{
    ui_->setupUi(this);
    setObjectName(QStringLiteral("GrafForm"));
    // Its size follows the screen, in FormCreate.
    SetFixedDialogFrame(this);
    SetBackground(this, clBtnFace);
    PageControl1 = ui_->PageControl1;
    Panel3 = ui_->Panel3;
    GroupBox1 = ui_->GroupBox1;
    FileOpenSpeedButton = ui_->FileOpenSpeedButton;
    FileSaveSpeedButton = ui_->FileSaveSpeedButton;
    PrintSpeedButton = ui_->PrintSpeedButton;
    StaticText1 = ui_->StaticText1;
    StaticText2 = ui_->StaticText2;
    HelpSpeedButton = ui_->HelpSpeedButton;
    ExitSpeedButton = ui_->ExitSpeedButton;

    // Fonts by pixel height, as the form definition gives them.
    PageControl1->setFont(TimesFont(8, false));
    Panel3->setFont(TimesFont(8, false));

    FileOpenSpeedButton->setIcon(StandardIcon(QStyle::SP_DialogOpenButton));
    FileSaveSpeedButton->setIcon(StandardIcon(QStyle::SP_DialogSaveButton));
    PrintSpeedButton->setIcon(StandardIcon(QStyle::SP_FileDialogDetailedView));
    HelpSpeedButton->setIcon(StandardIcon(QStyle::SP_DialogHelpButton));
    ExitSpeedButton->setIcon(StandardIcon(QStyle::SP_DialogCloseButton));
    for (QToolButton* b : { FileOpenSpeedButton, FileSaveSpeedButton, PrintSpeedButton })
        b->setIconSize(QSize(16, 16));

    // The tab menu is attached to no control.
    TabSheetPopupMenu = new QMenu(this);
    TabSheetPopupMenu->setObjectName(QStringLiteral("TabSheetPopupMenu"));
    CreatePage = TabSheetPopupMenu->addAction(QStringLiteral("Создать Страницу"));
    CreatePage->setObjectName(QStringLiteral("CreatePage"));
    DeletePage = TabSheetPopupMenu->addAction(QStringLiteral("Удалить Страницу"));
    DeletePage->setObjectName(QStringLiteral("DeletePage"));
    connect(CreatePage, &QAction::triggered, this, [this] { CreatePageClick(); });
    connect(DeletePage, &QAction::triggered, this, [this] { DeletePageClick(); });

    PaintBox1 = new QWidget(this);
    PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
    PaintBox1->setGeometry(0, 0, 105, 105);
    PaintBox1->setVisible(false);

    connect(PageControl1, &QTabWidget::currentChanged, this, [this](int) {
        tabChanged_ = true;
        PageControl1Change(PageControl1);
    });
    connect(FileOpenSpeedButton, &QToolButton::clicked, this, [this] { RunHandler([this] { FileOpenSpeedButtonClick(); }); });
    connect(ExitSpeedButton, &QPushButton::clicked, this, [this] { ExitSpeedButtonClick(); });
    connect(HelpSpeedButton, &QPushButton::clicked, this, [this] { HelpSpeedButtonClick(); });
    // The save command's failures reach the default error box; printing
    // swallows its own.
    connect(FileSaveSpeedButton, &QToolButton::clicked, this, [this] { RunHandler([this] { FileSaveSpeedButtonClick(); }); });
    connect(PrintSpeedButton, &QToolButton::clicked, this, [this] { RunHandler([this] { PrintSpeedButtonClick(); }); });

    GrafForm = this;
    WatchKeys(this);
}

TGrafForm::~TGrafForm()
{
    FormDestroy();
    delete ui_;
    if (GrafForm == this)
        GrafForm = nullptr;
}

void TGrafForm::FormCreate()
{
    // Key preview: eventFilter sees every key of the window first (WatchKeys).
    ExtraObjects.Clear();
    Pages.Clear();
    const QSize desk = VirtualScreenSize();
    const int clientHeight = static_cast<int>(std::trunc(desk.height() * 65 / 100.0));
    const int clientWidth = static_cast<int>(std::trunc(desk.width() * 94 / 100.0));
    setFixedSize(clientWidth, clientHeight);
    ExitSpeedButton->setVisible(true);
    ExitSpeedButton->move(clientWidth - 80, 16);
    HelpSpeedButton->move(clientWidth - 160, HelpSpeedButton->y());
    StaticText1->move(clientWidth / 4, StaticText1->y());
    StaticText2->move(clientWidth / 3, StaticText2->y());
    setFont(TimesFont(8, false));
    HelpTopic = "hlp_Instructions";
    HelpFilePath = Cut255(InstallDirectory() + "Data\\" + "Lemvora.hlp");
}

void TGrafForm::FormDestroy()
{
    FreeExtraObjects();
    ExtraObjects.Clear();
    FreePages();
    Pages.Clear();
    CurrentPage = nullptr;
    ApplicationHelpCommand(HELP_QUIT, {}, 0);
}

void TGrafForm::SetMode(int Value)
{
    if (Mode != Value)
        Mode = Value;
}

void TGrafForm::SetPageKind(int Value)
{
    if (PageKind != Value)
        PageKind = Value;
}

void TGrafForm::SetActivePageIndex(int Value)
{
    if (ActivePageIndex != Value)
        ActivePageIndex = Value;
}

void TGrafForm::SetOpenKind(int Value)
{
    if (OpenKind != Value)
        OpenKind = Value;
}

void TGrafForm::SetButtonsVisible(bool Group, bool Open, bool Save, bool Print)
{
    GroupBox1->setVisible(Group);
    FileOpenSpeedButton->setVisible(Open);
    FileSaveSpeedButton->setVisible(Save);
    PrintSpeedButton->setVisible(Print);
}

void TGrafForm::SetButtonsEnabled(bool Open, bool Save, bool Print)
{
    FileOpenSpeedButton->setEnabled(Open);
    FileSaveSpeedButton->setEnabled(Save);
    PrintSpeedButton->setEnabled(Print);
}

void TGrafForm::UpdateStatus(TRecFileGraf* Page)
{
    try {
        auto* page = dynamic_cast<TCurrentPage*>(Page);
        if (!page)
            return;
        bool status = false;
        switch (Mode) {
        case 0:
        case 3:
            if (PageKind == 0)
                SetButtonsEnabled(false, true, true);
            else if (PageKind == 1) {
                if (!page->Note.empty())
                    SetButtonsEnabled(false, true, true);
                else
                    SetButtonsEnabled(false, false, false);
            }
            status = true;
            break;
        case 1:
            SetButtonsEnabled(false, false, true);
            break;
        case 2:
            if (PageKind == 0)
                SetButtonsEnabled(false, true, true);
            else if (PageKind == 1)
                SetButtonsEnabled(false, false, false);
            break;
        default:
            break;
        }
        if (status)
            ShowVerdicts(*page);
    } catch (...) {
    }
}

void TGrafForm::ShowVerdicts(const TCurrentPage& Page)
{
    TColor colour = clBlack;
    if (Page.CodingVerdict == VerdictHard())
        colour = clRed;
    else if (Page.CodingVerdict == VerdictSoft())
        colour = clBlue;
    QPalette p = StaticText1->palette();
    p.setColor(QPalette::WindowText, ToQColor(colour));
    StaticText1->setPalette(p);
    StaticText1->setText(AnsiToQString(Page.CodingVerdict));
    StaticText1->adjustSize();
    StaticText2->setText(AnsiToQString(Page.RhythmVerdict));
    StaticText2->adjustSize();
}

void TGrafForm::PageControl1Change(QObject*)
{
    try {
        SetActivePageIndex(PageControl1->currentIndex());
        CurrentPage = Pages.Objects(ActivePageIndex);
        if (!CurrentPage)
            return;
        SetPageKind(PageKindOf(*CurrentPage, ActivePageIndex));
        UpdateStatus(CurrentPage);
        ArrangeListPage();
    } catch (...) {
    }
}

// A page with a note counts as a list page wherever its tab stands.
int TGrafForm::PageKindOf(const TCurrentPage& Page, int Index) const
{
    return !Page.Note.empty() ? 1 : Index;
}

std::string TGrafForm::InstallDirectory()
{
    return InstallDir();
}

QString TGrafForm::DialogFolder()
{
    return HostPath(AnsiToQString(InstallDir() + "Data\\"));
}

void TGrafForm::FormKeyDown(QObject*, int& Key, Qt::KeyboardModifiers)
{
    try {
        if (Key == VK_ESCAPE)
            reject();
        QScrollBar* bar = CurrentPage && CurrentPage->ScrollBox ? CurrentPage->ScrollBox->verticalScrollBar() : nullptr;
        if (!bar)
            return;
        const int inc = bar->singleStep();
        if (Key == VK_NEXT)
            bar->setValue(bar->value() + 10 * inc);
        if (Key == VK_PRIOR)
            bar->setValue(bar->value() - 10 * inc);
        if (Key == VK_DOWN)
            bar->setValue(bar->value() + inc);
        if (Key == VK_UP)
            bar->setValue(bar->value() - inc);
        if (Key == VK_HOME)
            bar->setValue(bar->minimum());
        if (Key == VK_END)
            bar->setValue(bar->maximum());
    } catch (...) {
    }
}

// Key preview: the window filters itself and every widget in it, so that it
// sees each key before the control that has the focus. Widgets that come
// later (the pages' controls) are watched as they join.
void TGrafForm::WatchKeys(QObject* Object)
{
    Object->installEventFilter(this);
    for (QObject* child : Object->children())
        if (child->isWidgetType())
            WatchKeys(child);
}

bool TGrafForm::eventFilter(QObject* Watched, QEvent* Event)
{
    // A resized list box of the shown page takes its range anew.
    if (Event->type() == QEvent::Resize && CurrentPage && Watched == CurrentPage->ScrollBox)
        ArrangeListPage();
    if (Event->type() == QEvent::ChildAdded) {
        QObject* child = static_cast<QChildEvent*>(Event)->child();
        if (child->isWidgetType())
            WatchKeys(child);
    }
    if (Event->type() == QEvent::KeyPress && Watched->isWidgetType()) {
        auto* w = static_cast<QWidget*>(Watched);
        // The first delivery of a key: to the focused widget, or to the window.
        QWidget* first = QApplication::focusWidget() ? QApplication::focusWidget() : w->window();
        if (w == first && w->window() == this) {
            int vk = 0;
            switch (static_cast<QKeyEvent*>(Event)->key()) {
            case Qt::Key_Escape: vk = VK_ESCAPE; break;
            case Qt::Key_PageUp: vk = VK_PRIOR; break;
            case Qt::Key_PageDown: vk = VK_NEXT; break;
            case Qt::Key_Up: vk = VK_UP; break;
            case Qt::Key_Down: vk = VK_DOWN; break;
            case Qt::Key_Home: vk = VK_HOME; break;
            case Qt::Key_End: vk = VK_END; break;
            default: break;
            }
            if (vk) {
                FormKeyDown(this, vk, static_cast<QKeyEvent*>(Event)->modifiers());
                // A scrolling key has moved the list page; the control must not
                // move it a second time. Other keys go on unchanged.
                if (vk != VK_ESCAPE && CurrentPage && CurrentPage->ScrollBox)
                    return true;
            }
        }
    }
    return QDialog::eventFilter(Watched, Event);
}

void TGrafForm::ExitSpeedButtonClick()
{
    reject();
}

void TGrafForm::HelpSpeedButtonClick()
{
    SetApplicationHelpFile(AnsiToQString(HelpFilePath));
    if (!HelpTopic.empty()) {
        const std::string macro = Cut255("JumpID(\"\",\"" + HelpTopic + "\")");
        ApplicationHelpCommand(HELP_COMMAND, AnsiToQString(macro), 0);
    } else {
        ApplicationHelpCommand(HELP_FINDER, {}, 0);
    }
}

void TGrafForm::CreatePageClick()
{
    try {
        if (Mode == 0 || Mode == 3) {
            Pages.Sorted = false;
            CurrentPage = AddChartFxListPage("...");
            if (!CurrentPage)
                throw Exception("no ChartFX page");
            CurrentPage->ChartFx->setVisible(false);
            Pages.AddObject("...", CurrentPage);
            CurrentPage = AddListPage("# ...");
            Pages.AddObject("# ...", CurrentPage);
        } else if (Mode == 1) {
            CurrentPage = AddLegendPage("...");
            if (!CurrentPage)
                throw Exception("no legend page");
            CurrentPage->ChartFx->setVisible(false);
            Pages.AddObject("...", CurrentPage);
        }
    } catch (...) {
    }
}

void TGrafForm::DeletePageClick()
{
    try {
        const int i = PageControl1->currentIndex();
        if (i <= 0)
            return;
        // Removing the active tab activates the next one, wrapping round to
        // the first, so that the backward step lands on the tab before it.
        auto removeTab = [this](int Index) {
            QWidget* sheet = PageControl1->widget(Index);
            const bool active = PageControl1->currentIndex() == Index;
            const QSignalBlocker block(PageControl1);
            PageControl1->removeTab(Index);
            delete sheet;
            if (active && PageControl1->count() > 0)
                PageControl1->setCurrentIndex(Index < PageControl1->count() ? Index : 0);
        };
        if ((Mode == 0 || Mode == 3) && PageKind == 1) {
            if (i + 1 >= Pages.Count())
                return;
            CurrentPage = Pages.Objects(i + 1);
            delete CurrentPage;
            CurrentPage = nullptr;
            Pages.Delete(i + 1);
            removeTab(i + 1);
            PageControl1Change(PageControl1);
            CurrentPage = Pages.Objects(i);
            delete CurrentPage;
            CurrentPage = nullptr;
            Pages.Delete(i);
            removeTab(i);
            SelectNextPage(PageControl1, false);
            PageControl1Change(PageControl1);
        } else if (Mode == 1) {
            PageControl1Change(PageControl1);
            delete CurrentPage;
            CurrentPage = nullptr;
            Pages.Delete(i);
            removeTab(i);
            SelectNextPage(PageControl1, false);
            PageControl1Change(PageControl1);
        }
    } catch (...) {
    }
}

void TGrafForm::FreeExtraObjects()
{
    ExtraObjects.FreeObjects(CurExtraObject);
}

void TGrafForm::FreePages()
{
    Pages.FreeObjects(CurrentPage);
}

void TGrafForm::showEvent(QShowEvent* Event)
{
    // A window whose tab never changed (a lone page) still shows the status of
    // its page.
    if (!tabChanged_ && Pages.Count() > 0)
        PageControl1Change(PageControl1);
    QDialog::showEvent(Event);
}
