// The main window: construction, the tool bar's controls, the binding of its
// commands, the images, showing and closing, the key preview, the caption and
// the modified indicator.
#include "REMain.h"
#include "RichEdit.h"
#include "RulerMarker.h"
#include "RulerPanel.h"
#include "TextAttributes.h"
#include "UpDown.h"
#include "ui_REMain.h"

#include "Application.h"
#include "Checked.h"
#include "Errors.h"
#include "FileDialogs.h"
#include "HelpLayer.h"
#include "InstallDir.h"
#include "KeptPixmaps.h"
#include "Win1251.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QProxyStyle>
#include <QScreen>
#include <QStatusBar>
#include <QStyleOptionMenuItem>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>

#include <functional>
#include <utility>

TMainForm* MainForm = nullptr;

static void InitFormResources()
{
    Q_INIT_RESOURCE(REMain);
}

namespace {

// The menus' items: a disabled item is highlighted under the pointer like
// any other and shows its hint. A checkable item (the analysis menu's) carries
// a check mark only while checked; an unchecked one shows nothing in the check
// column, which keeps its width.
class TMenuStyle : public QProxyStyle {
public:
    int styleHint(StyleHint Hint, const QStyleOption* Option, const QWidget* Widget,
                  QStyleHintReturn* Return) const override
    {
        if (Hint == SH_Menu_AllowActiveAndDisabled)
            return 1;
        return QProxyStyle::styleHint(Hint, Option, Widget, Return);
    }

    void drawControl(ControlElement Element, const QStyleOption* Option, QPainter* Painter,
                     const QWidget* Widget) const override
    {
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(Option);
        if (Element == CE_MenuItem && item && item->checkType != QStyleOptionMenuItem::NotCheckable && !item->checked) {
            QStyleOptionMenuItem plain(*item);
            plain.checkType = QStyleOptionMenuItem::NotCheckable;
            QProxyStyle::drawControl(Element, &plain, Painter, Widget);
            return;
        }
        QProxyStyle::drawControl(Element, Option, Painter, Widget);
    }
};

// A key held with Alt that would type its text (a letter, digit, sign, space
// or tab). With Alt a key is the menus' or the window system's, never the
// text's: one that no shortcut took types nothing.
bool TypesUnderAlt(const QKeyEvent& Key)
{
    const QString text = Key.text();
    return (Key.modifiers() & Qt::AltModifier) && !text.isEmpty()
        && (text.front().isPrint() || text.front() == u'\t');
}

// Binds a handler to a signal of Sender; it runs through RunHandler, so that
// a failure reaches the default error box.
template <typename Sender, typename Signal>
void On(TMainForm* Window, Sender* Source, Signal Event, std::function<void()> Handler)
{
    QObject::connect(Source, Event, Window, [Handler = std::move(Handler)] { RunHandler(Handler); });
}

} // namespace

TMainForm::TMainForm(QWidget* Parent)
    : QMainWindow(Parent),
      ui(std::make_unique<Ui::TMainForm>()),
      openDialog_(std::make_unique<TFileDialog>(TFileDialogKind::Open)),
      saveDialog_(std::make_unique<TFileDialog>(TFileDialogKind::Save))
{
    InitFormResources();
    // The form's font, "Default" of 11 pixels, and palette are set before the
    // controls are made, which take them as they are made rather than being
    // measured again for a change; the menu keeps the system's font.
    QFont formFont = font();
    formFont.setPixelSize(11);
    setFont(formFont);
    setPalette(QApplication::palette());
    ui->setupUi(this);
    ui->MainMenu->setFont(QApplication::font(ui->MainMenu));
    CommandLine = QCoreApplication::arguments().mid(1);
    setWindowIcon(QIcon(QPixmap::fromImage(PngPicture(QStringLiteral(":/MAINICON")))));

    // Default placement: the window system's usual share of the screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        resize(qMax(640, area.width() * 3 / 4), qMax(278, area.height() * 3 / 4));
    }

    const QString filter = QStringLiteral("Rich Text Files (*.RTF)|*.RTF|Text Files (*.TXT)|*.TXT");
    for (TFileDialog* d : {openDialog_.get(), saveDialog_.get()}) {
        d->Filter = filter;
        d->FilterIndex = 1;
    }

    // The markers' pictures stand in for the arrows of a symbol font.
    ui->FirstInd->setPixmap(QPixmap::fromImage(PngPicture(QStringLiteral(":/FIRSTIND"))));
    ui->LeftInd->setPixmap(QPixmap::fromImage(PngPicture(QStringLiteral(":/LEFTIND"))));
    ui->RightInd->setPixmap(QPixmap::fromImage(PngPicture(QStringLiteral(":/RIGHTIND"))));

    ui->Editor->setFrameShape(QFrame::StyledPanel);
    ui->Editor->viewport()->installEventFilter(this);
    // The editor has no context menu of its own, and the window offers none
    // for hiding its tool bars: the menu and the tool bars are the only
    // commands, with the states the form gives them.
    ui->Editor->setContextMenuPolicy(Qt::NoContextMenu);
    setContextMenuPolicy(Qt::NoContextMenu);
    auto* menuStyle = new TMenuStyle;
    menuStyle->setParent(this);
    for (QMenu* menu : {ui->FileMenu, ui->EditMenu, ui->LanguageMenu, ui->HelpMenu})
        menu->setStyle(menuStyle);
    ui->LemvoraToolBar->setMinimumHeight(33);

    // The last panel reaches to the bar's right end, as the last panel of a
    // status bar does, so that a note in it can be read; a long one is cut
    // rather than widening the window.
    static const int panelWidths[3] = {120, 60, 50};
    for (int i = 0; i < 3; ++i) {
        StatusPanels[i] = new QLabel(ui->StatusBar);
        StatusPanels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        if (i < 2)
            StatusPanels[i]->setFixedWidth(panelWidths[i]);
        else {
            StatusPanels[i]->setMinimumWidth(panelWidths[i]);
            StatusPanels[i]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        }
        StatusPanels[i]->setFrameShape(QFrame::Panel);
        StatusPanels[i]->setFrameShadow(QFrame::Sunken);
        if (i == 1)
            StatusPanels[i]->setAlignment(Qt::AlignCenter);
        ui->StatusBar->addWidget(StatusPanels[i], i == 2 ? 1 : 0);
    }

    BuildToolBarControls();
    BindCommands();
    RunHandler([this] { FormCreate(); });
    RunHandler([this] { ActionList2Update(); });
}

TMainForm::~TMainForm()
{
    if (keyPreview_)
        qApp->removeEventFilter(this);
    if (MainForm == this)
        MainForm = nullptr;
}

QTextEdit* TMainForm::Editor() const
{
    return ui->Editor;
}


void TMainForm::BuildToolBarControls()
{
    QToolBar* bar = ui->StandardToolBar;
    QAction* before = ui->BoldButton;

    FontName = new QComboBox(bar);
    FontName->setObjectName(QStringLiteral("FontName"));
    FontName->setEditable(true);
    FontName->setFixedWidth(173);
    FontName->setMaxVisibleItems(10);
    // A typed face name is not added to the list.
    FontName->setInsertPolicy(QComboBox::NoInsert);
    FontName->setToolTip(QStringLiteral("Шрифт"));
    FontName->setStatusTip(QStringLiteral("Шрифт"));
    bar->insertWidget(before, FontName);
    bar->insertSeparator(before)->setObjectName(QStringLiteral("ToolButton11"));

    FontSize = new QLineEdit(QStringLiteral("0"), bar);
    FontSize->setObjectName(QStringLiteral("FontSize"));
    FontSize->setFixedWidth(26);
    FontSize->setToolTip(QStringLiteral("Размер шрифта "));
    FontSize->setStatusTip(QStringLiteral("Размер шрифта "));
    bar->insertWidget(before, FontSize);

    UpDown1 = new TUpDown(FontSize, bar);
    UpDown1->setObjectName(QStringLiteral("UpDown1"));
    UpDown1->Min = 0;
    UpDown1->Max = 100;
    bar->insertWidget(before, UpDown1);
    bar->insertSeparator(before)->setObjectName(QStringLiteral("ToolButton2"));

    auto* align = new QActionGroup(this);
    align->setExclusive(true);
    ui->LeftAlign->setProperty("Tag", 0);
    ui->CenterAlign->setProperty("Tag", 2);
    ui->RightAlign->setProperty("Tag", 1);
    for (QAction* a : {ui->LeftAlign, ui->CenterAlign, ui->RightAlign})
        align->addAction(a);
}

void TMainForm::BindCommands()
{
    auto run = [this](QAction* A, void (TMainForm::*Handler)()) {
        On(this, A, &QAction::triggered, [this, Handler] { (this->*Handler)(); });
    };
    // Items and buttons run the command of their action; the items bound to
    // the edit actions follow those actions' enabled state.
    auto via = [](QAction* Item, QAction* Cmd, bool FollowEnabled) {
        QObject::connect(Item, &QAction::triggered, Cmd, [Cmd] { Cmd->trigger(); });
        if (FollowEnabled) {
            Item->setEnabled(Cmd->isEnabled());
            QObject::connect(Cmd, &QAction::enabledChanged, Item, &QAction::setEnabled);
        }
    };
    Ui::TMainForm& f = *ui;

    run(f.FileNewCmd, &TMainForm::FileNew);
    run(f.FileOpenCmd, &TMainForm::FileOpen);
    run(f.FileSaveCmd, &TMainForm::FileSave);
    run(f.FilePrintCmd, &TMainForm::FilePrint);
    run(f.FileExitCmd, &TMainForm::FileExit);
    run(f.FileSaveAsCmd, &TMainForm::FileSaveAs);
    run(f.EditUndoCmd, &TMainForm::EditUndo);
    run(f.EditCutCmd, &TMainForm::EditCut);
    run(f.EditCopyCmd, &TMainForm::EditCopy);
    run(f.EditPasteCmd, &TMainForm::EditPaste);
    run(f.EditFontCmd, &TMainForm::SelectFont);

    via(f.FileNewItem, f.FileNewCmd, false);
    via(f.FileOpenItem, f.FileOpenCmd, false);
    via(f.FileSaveItem, f.FileSaveCmd, false);
    via(f.FileSaveAsItem, f.FileSaveAsCmd, false);
    via(f.FilePrintItem, f.FilePrintCmd, false);
    via(f.FileExitItem, f.FileExitCmd, false);
    via(f.EditUndoItem, f.EditUndoCmd, true);
    via(f.EditCutItem, f.EditCutCmd, true);
    via(f.EditCopyItem, f.EditCopyCmd, true);
    via(f.EditPasteItem, f.EditPasteCmd, true);
    run(f.miEditFont, &TMainForm::SelectFont);

    via(f.ToolButton1, f.FileNewCmd, true);
    via(f.OpenButton, f.FileOpenCmd, true);
    via(f.SaveButton, f.FileSaveCmd, true);
    via(f.PrintButton, f.FilePrintCmd, true);
    via(f.CutButton, f.EditCutCmd, true);
    via(f.CopyButton, f.EditCopyCmd, true);
    via(f.PasteButton, f.EditPasteCmd, true);
    via(f.UndoButton, f.EditUndoCmd, true);

    for (QAction* item : {f.FsTxtMenuItem, f.FsWordMenuItem, f.GsTxtMenuItem, f.ColorMenuItem, f.GNameMenuItem,
                          f.inCorvaneMenuItem, f.StyleMenuItem})
        On(this, item, &QAction::triggered, [this, item] { SwitchLanguage(item); });
    run(f.HelpMenuItem, &TMainForm::HelpMenuItemClick);
    run(f.HelpAboutItem, &TMainForm::HelpAbout);

    run(f.BoldButton, &TMainForm::BoldButtonClick);
    run(f.ItalicButton, &TMainForm::ItalicButtonClick);
    run(f.UnderlineButton, &TMainForm::UnderlineButtonClick);
    for (QAction* a : {f.LeftAlign, f.CenterAlign, f.RightAlign})
        On(this, a, &QAction::triggered, [this, a] { AlignButtonClick(a); });
    run(f.BulletsButton, &TMainForm::BulletsButtonClick);
    On(this, FontName, &QComboBox::currentIndexChanged, [this] { FontNameChange(); });
    On(this, FontSize, &QLineEdit::textChanged, [this] { FontSizeChange(); });

    run(f.FSWordButton, &TMainForm::FSWordButtonClick);
    run(f.FSTxtButton, &TMainForm::FSTxtButtonClick);
    run(f.ColorButton, &TMainForm::ColorButtonClick);
    run(f.GlSecButton, &TMainForm::GlSecButtonClick);
    run(f.GNameButton, &TMainForm::GNameButtonClick);
    run(f.CorvToolButton, &TMainForm::CorvToolButtonClick);
    run(f.ToolButton8, &TMainForm::ToolButton8Click);
    run(f.ToolButton6, &TMainForm::ToolButton6Click);
    run(f.ToolButton7, &TMainForm::ToolButton7Click);

    On(this, f.Editor, &QTextEdit::textChanged, [this] { RichEditChange(); });
    On(this, f.Editor, &TRichEdit::ModificationChanged, [this] { RichEditChange(); });
    On(this, f.Editor, &QTextEdit::cursorPositionChanged, [this] { SelectionChange(); });
    On(this, f.Editor, &QTextEdit::selectionChanged, [this] { SelectionChange(); });
    On(this, f.Ruler, &TRulerPanel::Resized, [this] {
        // The separator line runs along the ruler's whole top.
        ui->Bevel1->setGeometry(0, 0, ui->Ruler->width(), 2);
        RulerResize();
    });
    On(this, f.StatusBar, &QStatusBar::messageChanged, [this] { ShowHint(); });

    for (TRulerMarker* marker : {f.FirstInd, f.LeftInd, f.RightInd}) {
        connect(marker, &TRulerMarker::MouseDown, this,
                [this, marker](Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
                    RunHandler([&] { RulerItemMouseDown(marker, Button, Shift, X, Y); });
                });
        connect(marker, &TRulerMarker::MouseMove, this, [this, marker](Qt::KeyboardModifiers Shift, int X, int Y) {
            RunHandler([&] { RulerItemMouseMove(marker, Shift, X, Y); });
        });
    }
    const std::pair<TRulerMarker*, void (TMainForm::*)(QWidget*, Qt::MouseButton, Qt::KeyboardModifiers, int, int)>
        releases[] = {{f.FirstInd, &TMainForm::FirstIndMouseUp},
                      {f.LeftInd, &TMainForm::LeftIndMouseUp},
                      {f.RightInd, &TMainForm::RightIndMouseUp}};
    for (const auto& [marker, release] : releases)
        connect(marker, &TRulerMarker::MouseUp, this,
                [this, marker = marker, release = release](Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X,
                                                           int Y) {
                    RunHandler([&] { (this->*release)(marker, Button, Shift, X, Y); });
                });

    // The edit actions' enabling runs whenever what it reads may have changed.
    On(this, f.Editor, &QTextEdit::copyAvailable, [this] { ActionList2Update(); });
    On(this, f.Editor, &QTextEdit::undoAvailable, [this] { ActionList2Update(); });
    On(this, QGuiApplication::clipboard(), &QClipboard::dataChanged, [this] { ActionList2Update(); });
}

void TMainForm::LoadToolbarImages()
{
    const QImage strip = PngPicture(QStringLiteral(":/SMALLIMAGES"));
    toolbarImages_.clear();
    for (int i = 0; i < strip.width() / 16; ++i)
        toolbarImages_ << QIcon(StripPicture(strip, i));
    for (QAction* a : findChildren<QAction*>()) {
        const QVariant index = a->property("ImageIndex");
        if (index.isValid() && index.toInt() >= 0 && index.toInt() < toolbarImages_.size())
            a->setIcon(toolbarImages_[index.toInt()]);
    }
}

void TMainForm::FormCreate()
{
    // Key preview: the window sees keys before its controls.
    if (!keyPreview_) {
        qApp->installEventFilter(this);
        keyPreview_ = true;
    }
    // Hints: the status bar's hint event goes to ShowHint (bound in BindCommands).
    openDialog_->InitialDir = ProgramDir();
    saveDialog_->InitialDir = ProgramDir();
    SetDocumentName(Untitled);
    DrawRulerTicks();
    SelectionChange();

    const int dpi = qRound(QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->logicalDotsPerInchY() : 96.0);
    TTextAttributes attributes = CurrentAttributes();
    attributes.SetName(QStringLiteral("MS Sans Serif"));
    attributes.SetSize(-MulDiv(-11, 72, dpi));

    ui->FsWordMenuItem->setChecked(true);
    LoadToolbarImages();

    HelpFilePath = AnsiToQString(Cut255(InstallDir() + "Data\\" + "Lemvora.hlp"));
    SetApplicationHelpFile(HelpFilePath);
}

void TMainForm::SetDocumentName(const QString& Name)
{
    documentName_ = Name;
    setWindowTitle(QStringLiteral("%1 - %2").arg(DocumentFileName(), ApplicationTitle()));
}

// The caption and the document's title take the same part of the name: the
// host's file name, so a "\" (legal in a name here) belongs to the name.
QString TMainForm::DocumentFileName() const
{
    return QFileInfo(documentName_).fileName();
}

void TMainForm::ShowModifiedState(bool Modified)
{
    StatusPanels[1]->setText(Modified ? QStringLiteral("Изменен") : QString());
}

void TMainForm::RichEditChange()
{
    ShowModifiedState(ui->Editor->document()->isModified());
}

void TMainForm::HelpMenuItemClick()
{
    SetApplicationHelpFile(HelpFilePath);
    ApplicationHelpCommand(HELP_FINDER, QString(), 0);
}

void TMainForm::FormKeyDown(int Key, Qt::KeyboardModifiers)
{
    if (Key == Qt::Key_F1)
        HelpMenuItemClick();
    if (Key == Qt::Key_Escape)
        close();
}

void TMainForm::FileExit()
{
    close();
}

void TMainForm::FormCloseQuery(bool& CanClose)
{
    ApplicationHelpCommand(HELP_QUIT, QString(), 0);
    try {
        ConfirmSaveChanges();
    } catch (const EAbort&) {
        CanClose = false;
    } catch (const std::exception& e) {
        // A save that failed keeps the window open, and the user is told why.
        CanClose = false;
        ShowDefaultError(e);
    }
}

void TMainForm::FormShow()
{
    if (!onScreen_)
        AfterFirstFrame(this, [this] { RunHandler([this] { FormOnScreen(); }); });
    ShowCaretPosition();
    setAcceptDrops(true);
    RichEditChange();
    ui->Editor->setFocus();
    // The file is read once the window is on its way to the screen: the map
    // does not wait for it, and it is read before the display's first expose
    // is handled, so the first frame shows the document.
    QTimer::singleShot(0, this, [this] { RunHandler([this] { OpenCommandLineFile(); }); });
}

// What the first frame does not need follows it: the font list (the box
// shows the selection's face without it) and the paste command's enabling
// (asking the clipboard what it holds loads every image plugin), which no
// control shows before.
void TMainForm::FormOnScreen()
{
    if (onScreen_)
        return;
    onScreen_ = true;
    FillFontList();
    ActionList2Update();
}

void TMainForm::showEvent(QShowEvent* Event)
{
    QMainWindow::showEvent(Event);
    if (!Event->spontaneous())
        RunHandler([this] { FormShow(); });
}

void TMainForm::resizeEvent(QResizeEvent* Event)
{
    QMainWindow::resizeEvent(Event);
    // The resize handler meets the ruler and the editor at their new sizes.
    // Qt lays out a client area that is not shown yet (as on the first
    // showing) only when it is shown, so its layout runs here first.
    ui->ClientLayout->setGeometry(ui->ClientArea->contentsRect());
    RunHandler([this] { FormResize(); });
}

void TMainForm::paintEvent(QPaintEvent* Event)
{
    QMainWindow::paintEvent(Event);
    RunHandler([this] { FormPaint(); });
}

void TMainForm::closeEvent(QCloseEvent* Event)
{
    bool canClose = true;
    RunHandler([&] { FormCloseQuery(canClose); });
    if (canClose)
        Event->accept();
    else
        Event->ignore();
}

bool TMainForm::IsDeadShortcut(const QKeySequence& Key) const
{
    for (QAction* top : ui->MainMenu->actions()) {
        QMenu* menu = top->menu();
        if (!menu)
            continue;
        for (QAction* item : menu->actions())
            if (!item->isSeparator() && !item->shortcut().isEmpty() && item->shortcut() == Key)
                return !(item->isEnabled() && menu->isEnabled());
    }
    return false;
}

bool TMainForm::eventFilter(QObject* Watched, QEvent* Event)
{
    const QEvent::Type type = Event->type();
    if (Watched == ui->Editor->viewport()
        && (type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop))
        return HandleFileDrag(static_cast<QDropEvent*>(Event));
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride)
        return false;
    if (!Watched->isWidgetType() || static_cast<QWidget*>(Watched)->window() != this)
        return false;
    // A key press travels from the focus widget up to the window; the window
    // looks at it once, at its first receiver. A new press starts with its
    // shortcut check.
    if (type == QEvent::ShortcutOverride)
        previewedKey_ = nullptr;
    else if (Event == previewedKey_)
        return false;
    else
        previewedKey_ = Event;
    auto* key = static_cast<QKeyEvent*>(Event);
    const QKeySequence sequence(key->keyCombination());
    if (IsDeadShortcut(sequence)) {
        // Keep the shortcut from firing and the control from seeing the key.
        key->accept();
        return true;
    }
    if (type == QEvent::KeyPress) {
        const int code = key->key();
        const Qt::KeyboardModifiers mods = key->modifiers();
        RunHandler([this, code, mods] { FormKeyDown(code, mods); });
        if (TypesUnderAlt(*key))
            return true;
    }
    return false;
}
