#include "REMain.h"
#include "RulerPanel.h"
#include "UpDown.h"
#include "ui_REMain.h"

#include "Application.h"
#include "Checked.h"
#include "Errors.h"
#include "FileDialogs.h"
#include "InstallDir.h"
#include "LemvGraf.h"
#include "TextPage.h"
#include "HelpLayer.h"
#include "MymsgDlg.h"
#include "Printer.h"
#include "Rtf.h"
#include "Shell.h"
#include "PhonText.h"
#include "Siblings.h"
#include "TopList.h"
#include "Win1251.h"

#include <QActionGroup>
#include <QApplication>
#include <QByteArrayView>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QProxyStyle>
#include <QSaveFile>
#include <QScreen>
#include <QStatusBar>
#include <QStyleOptionMenuItem>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <QTextList>
#include <QToolBar>

#include <algorithm>
#include <array>
#include <utility>
#include <cmath>
#include <cstdint>

TMainForm* MainForm = nullptr;

static void InitFormResources()
{
    Q_INIT_RESOURCE(REMain);
}

namespace {

const QString Untitled = QStringLiteral("Без Имени");
const QString ScratchFile = QStringLiteral("TMP.TMP");

// The ruler's factor from points to pixels, held in extended precision.
constexpr long double RulerScale = 4.0L / 3.0L;
// The gutter left of the editor's text, where the ruler's zero lies.
constexpr int RulerMargin = 6;

int Int32(long long V)
{
    if (V < INT32_MIN || V > INT32_MAX)
        throw EIntOverflow();
    return static_cast<int>(V);
}

// Trunc of an extended value into a 32-bit integer.
int Trunc(long double V)
{
    if (!(V > -2147483649.0L && V < 2147483648.0L))
        throw ERangeError();
    return static_cast<int>(V);
}

[[noreturn]] void FileError(const char* Format, const QString& Path)
{
    throw Exception(QString::fromUtf8(Format).arg(Path).toStdString());
}

int Points(qreal Pixels)
{
    return RtfTwipsFromPixels(Pixels) / 20;
}

// A triangle marker of the ruler, drawn in black.
QPixmap Marker(int W, int H, bool Down)
{
    QPixmap pm(W, H);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::black);
    p.setBrush(Qt::black);
    const int mid = (W - 1) / 2;
    const int h = qMin(H - 1, mid + 1);
    const int top = (H - h) / 2;
    if (Down)
        p.drawPolygon(QPolygon({QPoint(0, top), QPoint(W - 1, top), QPoint(mid, top + h - 1)}));
    else
        p.drawPolygon(QPolygon({QPoint(mid, top), QPoint(W - 1, top + h - 1), QPoint(0, top + h - 1)}));
    return pm;
}

// The analysis menu's items carry a check mark only while checked; an
// unchecked item shows nothing in the check column, which keeps its width.
class TCheckMarkMenuStyle : public QProxyStyle {
public:
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

QString PlainSearchText(QString S)
{
    S.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    S.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return S;
}

} // namespace

// ---- character attributes

namespace {
QTextCharFormat SelectionFormat(QTextEdit* E)
{
    const QTextCursor cur = E->textCursor();
    if (!cur.hasSelection())
        return E->currentCharFormat();
    QTextCursor first(E->document());
    first.setPosition(cur.selectionStart());
    first.setPosition(cur.selectionStart() + 1, QTextCursor::KeepAnchor);
    return first.charFormat();
}
} // namespace

QString TTextAttributes::Name() const
{
    if (selection_) {
        const QTextCharFormat f = SelectionFormat(editor_);
        const QStringList families = f.fontFamilies().toStringList();
        if (!families.isEmpty() && !families.first().isEmpty())
            return families.first();
    }
    return editor_->document()->defaultFont().family();
}

void TTextAttributes::SetName(const QString& Name)
{
    if (selection_) {
        QTextCharFormat f;
        f.setFontFamilies({Name});
        editor_->textCursor().mergeCharFormat(f);
    } else {
        QFont font = editor_->document()->defaultFont();
        font.setFamilies({Name});
        editor_->document()->setDefaultFont(font);
    }
}

int TTextAttributes::Size() const
{
    if (selection_) {
        const QTextCharFormat f = SelectionFormat(editor_);
        if (f.hasProperty(QTextFormat::FontPointSize) && f.fontPointSize() > 0)
            return static_cast<int>(f.fontPointSize());
    }
    const QFont font = editor_->document()->defaultFont();
    if (font.pointSizeF() > 0)
        return static_cast<int>(font.pointSizeF());
    return MulDiv(font.pixelSize(), 72, 96);
}

void TTextAttributes::SetSize(int Points)
{
    if (Points <= 0)
        return;
    if (selection_) {
        QTextCharFormat f;
        f.setFontPointSize(Points);
        editor_->textCursor().mergeCharFormat(f);
    } else {
        QFont font = editor_->document()->defaultFont();
        font.setPointSize(Points);
        editor_->document()->setDefaultFont(font);
    }
}

unsigned TTextAttributes::Style() const
{
    const QFont def = editor_->document()->defaultFont();
    bool bold = def.bold(), italic = def.italic(), underline = def.underline();
    if (selection_) {
        const QTextCharFormat f = SelectionFormat(editor_);
        if (f.hasProperty(QTextFormat::FontWeight))
            bold = f.fontWeight() >= QFont::DemiBold;
        if (f.hasProperty(QTextFormat::FontItalic))
            italic = f.fontItalic();
        if (f.hasProperty(QTextFormat::TextUnderlineStyle) || f.hasProperty(QTextFormat::FontUnderline))
            underline = f.fontUnderline();
    }
    return (bold ? fsBold : 0u) | (italic ? fsItalic : 0u) | (underline ? fsUnderline : 0u);
}

void TTextAttributes::SetStyle(unsigned Style)
{
    if (selection_) {
        QTextCharFormat f;
        f.setFontWeight(Style & fsBold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(Style & fsItalic);
        f.setFontUnderline(Style & fsUnderline);
        editor_->textCursor().mergeCharFormat(f);
    } else {
        QFont font = editor_->document()->defaultFont();
        font.setBold(Style & fsBold);
        font.setItalic(Style & fsItalic);
        font.setUnderline(Style & fsUnderline);
        editor_->document()->setDefaultFont(font);
    }
}

QColor TTextAttributes::Color() const
{
    if (selection_) {
        const QTextCharFormat f = SelectionFormat(editor_);
        if (f.hasProperty(QTextFormat::ForegroundBrush))
            return f.foreground().color();
    }
    return editor_->palette().color(QPalette::Text);
}

void TTextAttributes::SetColor(const QColor& Color)
{
    if (selection_) {
        QTextCharFormat f;
        f.setForeground(Color);
        editor_->textCursor().mergeCharFormat(f);
    } else {
        QPalette pal = editor_->palette();
        pal.setColor(QPalette::Text, Color);
        editor_->setPalette(pal);
    }
}

// ---- the window

TMainForm::TMainForm(QWidget* Parent)
    : QMainWindow(Parent),
      ui(std::make_unique<Ui::TMainForm>()),
      openDialog_(std::make_unique<TFileDialog>(TFileDialogKind::Open)),
      saveDialog_(std::make_unique<TFileDialog>(TFileDialogKind::Save))
{
    InitFormResources();
    ui->setupUi(this);
    CommandLine = QCoreApplication::arguments().mid(1);
    setWindowIcon(QIcon(QStringLiteral(":/MAINICON")));

    // The form's font, "Default" of 11 pixels; the menu keeps the system's.
    QFont formFont = font();
    formFont.setPixelSize(11);
    setFont(formFont);
    ui->MainMenu->setFont(QApplication::font(ui->MainMenu));
    setPalette(QApplication::palette());

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

    ui->FirstInd->setPixmap(Marker(10, 9, true));
    ui->LeftInd->setPixmap(Marker(10, 11, false));
    ui->RightInd->setPixmap(Marker(9, 12, false));

    ui->Editor->setFrameShape(QFrame::StyledPanel);
    ui->Editor->viewport()->installEventFilter(this);
    // The editor has no context menu of its own, and the window offers none
    // for hiding its tool bars: the menu and the tool bars are the only
    // commands, with the states the form gives them.
    ui->Editor->setContextMenuPolicy(Qt::NoContextMenu);
    setContextMenuPolicy(Qt::NoContextMenu);
    auto* menuStyle = new TCheckMarkMenuStyle;
    menuStyle->setParent(this);
    ui->LanguageMenu->setStyle(menuStyle);
    ui->LemvoraToolBar->setMinimumHeight(33);

    static const int panelWidths[3] = {120, 60, 50};
    for (int i = 0; i < 3; ++i) {
        StatusPanels[i] = new QLabel(ui->StatusBar);
        StatusPanels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        StatusPanels[i]->setFixedWidth(panelWidths[i]);
        StatusPanels[i]->setFrameShape(QFrame::Panel);
        StatusPanels[i]->setFrameShadow(QFrame::Sunken);
        if (i == 1)
            StatusPanels[i]->setAlignment(Qt::AlignCenter);
        ui->StatusBar->addWidget(StatusPanels[i]);
    }

    BuildToolBarControls();
    BindCommands();
    RunHandler([this] { FormCreate(); });
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
        connect(A, &QAction::triggered, this, [this, Handler] { RunHandler([this, Handler] { (this->*Handler)(); }); });
    };
    // Items and buttons run the command of their action; the items bound to
    // the edit actions follow those actions' enabled state.
    auto via = [this](QAction* Item, QAction* Cmd, bool FollowEnabled) {
        connect(Item, &QAction::triggered, Cmd, [Cmd] { Cmd->trigger(); });
        if (FollowEnabled) {
            Item->setEnabled(Cmd->isEnabled());
            connect(Cmd, &QAction::enabledChanged, Item, &QAction::setEnabled);
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
        connect(item, &QAction::triggered, this, [this, item] { RunHandler([this, item] { SwitchLanguage(item); }); });
    run(f.HelpMenuItem, &TMainForm::HelpMenuItemClick);
    run(f.HelpAboutItem, &TMainForm::HelpAbout);

    run(f.BoldButton, &TMainForm::BoldButtonClick);
    run(f.ItalicButton, &TMainForm::ItalicButtonClick);
    run(f.UnderlineButton, &TMainForm::UnderlineButtonClick);
    for (QAction* a : {f.LeftAlign, f.CenterAlign, f.RightAlign})
        connect(a, &QAction::triggered, this, [this, a] { RunHandler([this, a] { AlignButtonClick(a); }); });
    run(f.BulletsButton, &TMainForm::BulletsButtonClick);
    connect(FontName, &QComboBox::currentIndexChanged, this, [this] { RunHandler([this] { FontNameChange(); }); });
    connect(FontSize, &QLineEdit::textChanged, this, [this] { RunHandler([this] { FontSizeChange(); }); });

    run(f.FSWordButton, &TMainForm::FSWordButtonClick);
    run(f.FSTxtButton, &TMainForm::FSTxtButtonClick);
    run(f.ColorButton, &TMainForm::ColorButtonClick);
    run(f.GlSecButton, &TMainForm::GlSecButtonClick);
    run(f.GNameButton, &TMainForm::GNameButtonClick);
    run(f.CorvToolButton, &TMainForm::CorvToolButtonClick);
    run(f.ToolButton8, &TMainForm::ToolButton8Click);
    run(f.ToolButton6, &TMainForm::ToolButton6Click);
    run(f.ToolButton7, &TMainForm::ToolButton7Click);

    connect(f.Editor, &QTextEdit::textChanged, this, [this] { RunHandler([this] { RichEditChange(); }); });
    connect(f.Editor->document(), &QTextDocument::modificationChanged, this,
            [this] { RunHandler([this] { RichEditChange(); }); });
    connect(f.Editor, &QTextEdit::cursorPositionChanged, this, [this] { RunHandler([this] { SelectionChange(); }); });
    connect(f.Editor, &QTextEdit::selectionChanged, this, [this] { RunHandler([this] { SelectionChange(); }); });
    connect(f.Ruler, &TRulerPanel::Resized, this, [this] {
        // The separator line runs along the ruler's whole top.
        ui->Bevel1->setGeometry(0, 0, ui->Ruler->width(), 2);
        RunHandler([this] { RulerResize(); });
    });
    connect(f.StatusBar, &QStatusBar::messageChanged, this, [this] { RunHandler([this] { ShowHint(); }); });
}

void TMainForm::LoadToolbarImages()
{
    const QImage strip(QStringLiteral(":/SMALLIMAGES"));
    toolbarImages_.clear();
    for (int x = 0; x + 16 <= strip.width(); x += 16) {
        QPixmap cell = QPixmap::fromImage(strip.copy(x, 0, 16, 16));
        cell.setMask(cell.createMaskFromColor(QColor(255, 0, 255)));
        toolbarImages_ << QIcon(cell);
    }
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
    FillFontList();
    DrawRulerTicks();
    SelectionChange();

    const int dpi = qRound(QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->logicalDotsPerInchY() : 96.0);
    TTextAttributes attributes = CurrentAttributes();
    attributes.SetName(QStringLiteral("MS Sans Serif"));
    attributes.SetSize(-MulDiv(-11, 72, dpi));

    ui->FsWordMenuItem->setChecked(true);
    LoadToolbarImages();

    std::string installDir;
    GetInstallDir("\\Lemvora\\1.1", "Lemvora", installDir, "Lemvora.exe", Ansi("Lemvora предвыборной борьбы"));
    HelpFilePath = AnsiToQString(Cut255(installDir + "Data\\" + "Lemvora.hlp"));
    SetApplicationHelpFile(HelpFilePath);
}

void TMainForm::SetDocumentName(const QString& Name)
{
    DocumentName = Name;
    setWindowTitle(QStringLiteral("%1 - %2").arg(QFileInfo(Name).fileName(), ApplicationTitle()));
}

void TMainForm::ShowModifiedState(bool Modified)
{
    StatusPanels[1]->setText(Modified ? QStringLiteral("Изменен") : QString());
}

void TMainForm::RichEditChange()
{
    ShowModifiedState(ui->Editor->document()->isModified());
}

void TMainForm::ConfirmSaveChanges()
{
    if (!ui->Editor->document()->isModified())
        return;
    const int answer = MyMessageDlg(QStringLiteral("Сохранить изменения в %1?").arg(DocumentName), mdConfirmation,
                                    {mdbYes, mdbNo, mdbCancel}, 0, QString(), QString());
    if (answer == 2)
        throw EAbort();
    if (answer == 6)
        FileSave();
}

void TMainForm::ReadDocumentFile(const QString& FileName)
{
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly))
        FileError("Cannot open file %1", FileName);
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Exception("Failed to Load Stream");
    QTextDocument* doc = ui->Editor->document();
    // Rich text first; whatever does not read as rich text comes in as plain text.
    if (ReadRtf(data, *doc) != RtfLoad::Loaded) {
        QString text = QByteArrayView(data).isValidUtf8() ? QString::fromUtf8(data) : AnsiToQString(std::string_view(data.constData(), static_cast<size_t>(data.size())));
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        ui->Editor->setPlainText(text);
    }
    doc->clearUndoRedoStacks();
    // A loaded document starts with the caret at its beginning.
    ui->Editor->moveCursor(QTextCursor::Start);
}

void TMainForm::WriteDocumentFile(const QString& FileName)
{
    const QByteArray rtf = WriteRtf(*ui->Editor->document());
    // Written beside the target and renamed over it: a failing save leaves the old file whole.
    // Unbuffered, so that a failing write (a full disk) shows in write() itself:
    // an error that only came up while closing would still be committed.
    QSaveFile file(FileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        FileError("Cannot create file %1", FileName);
    if (file.write(rtf) != rtf.size() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        FileError("Cannot create file %1", FileName);
    }
    if (!file.commit())
        FileError("Cannot create file %1", FileName);
}

void TMainForm::SaveDocument(const QString& FileName)
{
    WriteDocumentFile(FileName);
}

void TMainForm::FileNew()
{
    SetDocumentName(Untitled);
    ui->Editor->clear();
    ui->Editor->document()->setModified(false);
    ShowModifiedState(false);
}

void TMainForm::OpenDocument(const QString& FileName)
{
    ReadDocumentFile(FileName);
    SetDocumentName(FileName);
    ui->Editor->setFocus();
    ui->Editor->document()->setModified(false);
    ShowModifiedState(false);
}

void TMainForm::FileOpen()
{
    ConfirmSaveChanges();
    if (!openDialog_->Execute())
        return;
    const QString chosen = openDialog_->FileName;
    OpenDocument(chosen);
    openDialog_->InitialDir = QFileInfo(chosen).absolutePath();
}

void TMainForm::FileSave()
{
    if (DocumentName == Untitled) {
        FileSaveAs();
        return;
    }
    WriteDocumentFile(DocumentName);
    ui->Editor->document()->setModified(false);
    ShowModifiedState(false);
}

void TMainForm::FileSaveAs()
{
    if (!saveDialog_->Execute())
        return;
    const QString chosen = saveDialog_->FileName;
    if (QFileInfo::exists(chosen)
        && MyMessageDlg(QStringLiteral("Записать как %1").arg(chosen), mdConfirmation, {mdbYes, mdbNo, mdbCancel}, 0,
                        QString(), QString())
            != 6)
        return;
    WriteDocumentFile(chosen);
    SetDocumentName(chosen);
    ui->Editor->document()->setModified(false);
    ShowModifiedState(false);
}

void TMainForm::FilePrint()
{
    WithSibling(QStringLiteral("Yestrel.Dll"), [this](TSibling& Library) {
        Library.Proc<int()>("ColorPrinter")(); // the main window does not use the answer
        TPrintDialogOptions options;
        options.PrintToFile = true;
        options.PageNumbers = true;
        options.Selection = true;
        options.Warning = true;
        TPrintRange range = TPrintRange::AllPages;
        if (!Printer().ExecuteDialog(options, range))
            return;
        if (range == TPrintRange::AllPages)
            Printer().PrintDocument(*ui->Editor->document(), DocumentName);
        else if (range == TPrintRange::Selection)
            PrintSelectionOnly(ui->Editor, PlainSearchText(ui->Editor->textCursor().selectedText()));
    });
}

void TMainForm::PrintSelectionOnly(QWidget* Control, const QString& Text)
{
    if (Control != ui->Editor)
        return;
    QTextDocument* doc = ui->Editor->document();
    const bool modified = doc->isModified();
    WriteDocumentFile(ScratchFile);
    // The document comes back from the scratch file also when printing fails,
    // and keeps its modified state, so unsaved changes are still asked about.
    auto restore = [&] {
        ReadDocumentFile(ScratchFile);
        doc->setModified(modified);
        ShowModifiedState(modified);
    };
    try {
        ui->Editor->setPlainText(Text);
        Printer().PrintDocument(*doc, QString());
    } catch (...) {
        restore();
        throw;
    }
    restore();
    FindAndSelectText(Text);
}

void TMainForm::HelpAbout()
{
    WithSibling(QStringLiteral("Bramlet.Dll"), [](TSibling& Library) { Library.Proc<void()>("AboutLemvora")(); });
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
    ShowCaretPosition();
    setAcceptDrops(true);
    RichEditChange();
    ui->Editor->setFocus();
    if (!CommandLine.isEmpty()) {
        const QFileInfo first(CommandLine.first());
        if (first.isFile())
            OpenDocument(first.absoluteFilePath());
    }
}

void TMainForm::HandleDroppedFiles(const QMimeData* Data)
{
    const QStringList files = DroppedFiles(Data);
    if (files.isEmpty())
        return;
    ConfirmSaveChanges();
    OpenDocument(files.first());
}

void TMainForm::showEvent(QShowEvent* Event)
{
    QMainWindow::showEvent(Event);
    if (!Event->spontaneous())
        RunHandler([this] { FormShow(); });
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

void TMainForm::dragEnterEvent(QDragEnterEvent* Event)
{
    if (CarriesFiles(Event->mimeData()))
        Event->acceptProposedAction();
}

void TMainForm::dragMoveEvent(QDragMoveEvent* Event)
{
    if (CarriesFiles(Event->mimeData()))
        Event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* Event)
{
    if (!CarriesFiles(Event->mimeData()))
        return;
    Event->acceptProposedAction();
    const QMimeData* data = Event->mimeData();
    RunHandler([this, data] { HandleDroppedFiles(data); });
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
    // Files dropped on the editor are the window's: they open, not paste.
    if (Watched == ui->Editor->viewport()
        && (type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop)) {
        auto* drop = static_cast<QDropEvent*>(Event);
        if (!CarriesFiles(drop->mimeData()))
            return false;
        if (acceptDrops()) {
            drop->acceptProposedAction();
            if (type == QEvent::Drop) {
                const QMimeData* data = drop->mimeData();
                RunHandler([this, data] { HandleDroppedFiles(data); });
            }
        } else {
            drop->ignore();
        }
        return true;
    }
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
    }
    return false;
}

// ---- formatting side

void TMainForm::FillFontList()
{
    FontName->clear();
    FontName->addItems(EnumFontFaces());
    FontName->model()->sort(0);
}

void TMainForm::DrawRulerTicks()
{
    ui->Ruler->SetCaption(QStringLiteral("\t|").repeated(100));
}

TTextAttributes TMainForm::CurrentAttributes() const
{
    return TTextAttributes(ui->Editor, ui->Editor->textCursor().hasSelection());
}

TParaAttributes TMainForm::Paragraph() const
{
    const QTextCursor cursor = ui->Editor->textCursor();
    const QTextBlockFormat block = cursor.blockFormat();
    TParaAttributes p;
    p.FirstIndent = Points(block.leftMargin() + block.textIndent());
    p.LeftIndent = Points(-block.textIndent());
    p.RightIndent = Points(block.rightMargin());
    switch (block.alignment() & Qt::AlignHorizontal_Mask) {
    case Qt::AlignRight:
        p.Alignment = 1;
        break;
    case Qt::AlignHCenter:
        p.Alignment = 2;
        break;
    case Qt::AlignJustify:
        p.Alignment = 3;
        break;
    default:
        p.Alignment = 0;
        break;
    }
    if (const QTextList* list = cursor.currentList()) {
        const QTextListFormat::Style style = list->format().style();
        p.Bullets = style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle
            || style == QTextListFormat::ListSquare;
    }
    return p;
}

void TMainForm::SelectionChange()
{
    UpdatingControls = true;
    struct Guard {
        bool& Flag;
        ~Guard() { Flag = false; }
    } guard {UpdatingControls};

    const TParaAttributes p = Paragraph();
    const TTextAttributes s(ui->Editor, true);
    ui->FirstInd->move(Int32(static_cast<long long>(Trunc(p.FirstIndent * RulerScale)) - 4 + RulerMargin),
                       ui->FirstInd->y());
    ui->LeftInd->move(
        Int32(static_cast<long long>(Trunc(Int32(static_cast<long long>(p.LeftIndent) + p.FirstIndent) * RulerScale)) - 4
              + RulerMargin),
        ui->LeftInd->y());
    ui->RightInd->move(Int32(static_cast<long long>(ui->Ruler->contentsRect().width() - RulerMargin)
                             - Trunc(Int32(static_cast<long long>(p.RightIndent) + 6) * RulerScale)),
                       ui->RightInd->y());
    const unsigned style = s.Style();
    ui->BoldButton->setChecked(style & fsBold);
    ui->ItalicButton->setChecked(style & fsItalic);
    ui->UnderlineButton->setChecked(style & fsUnderline);
    ui->BulletsButton->setChecked(p.Bullets);
    FontSize->setText(QString::number(s.Size()));
    const QString face = s.Name();
    FontName->setCurrentIndex(FontName->findText(face));
    FontName->setEditText(face);
    switch (p.Alignment) {
    case 0:
        ui->LeftAlign->setChecked(true);
        break;
    case 1:
        ui->RightAlign->setChecked(true);
        break;
    case 2:
        ui->CenterAlign->setChecked(true);
        break;
    default:
        break;
    }
    ShowCaretPosition();
}

void TMainForm::ShowCaretPosition()
{
    const QTextCursor cursor = ui->Editor->textCursor();
    const int start = cursor.selectionStart();
    const QTextBlock block = ui->Editor->document()->findBlock(start);
    int line = 0;
    int column = start - block.position();
    // Lines as the editor shows them: wrapped lines of a paragraph count apart.
    for (QTextBlock b = ui->Editor->document()->begin(); b.isValid() && b != block; b = b.next())
        line += qMax(1, b.layout() ? b.layout()->lineCount() : 1);
    if (const QTextLayout* layout = block.layout(); layout && layout->lineCount() > 0) {
        const QTextLine l = layout->lineForTextPosition(column);
        if (l.isValid()) {
            line += l.lineNumber();
            column -= l.textStart();
        }
    }
    StatusPanels[0]->setText(QString::asprintf("Ст: %3d   Кол: %3d", line + 1, column + 1));
}

int TMainForm::FindAndSelectText(const QString& S)
{
    const QTextCursor current = ui->Editor->textCursor();
    const int start = current.hasSelection() ? current.selectionEnd() : 0;
    const QString needle = PlainSearchText(S);
    if (needle.isEmpty())
        return -1;
    const int p = ui->Editor->document()->toPlainText().indexOf(needle, start, Qt::CaseSensitive);
    if (p < 0)
        return -1;
    ui->Editor->setFocus();
    QTextCursor found(ui->Editor->document());
    found.setPosition(p);
    found.setPosition(p + needle.size(), QTextCursor::KeepAnchor);
    ui->Editor->setTextCursor(found);
    return p;
}

// Filled in with the formatting commands and the edit commands.
void TMainForm::ShowHint() {}
void TMainForm::FontNameChange() {}
void TMainForm::FontSizeChange() {}
void TMainForm::BoldButtonClick() {}
void TMainForm::ItalicButtonClick() {}
void TMainForm::UnderlineButtonClick() {}
void TMainForm::AlignButtonClick(QAction*) {}
void TMainForm::BulletsButtonClick() {}
void TMainForm::SelectFont() {}
void TMainForm::RulerResize() {}
void TMainForm::EditUndo() {}
void TMainForm::EditCut() {}
void TMainForm::EditCopy() {}
void TMainForm::EditPaste() {}
void TMainForm::ActionList2Update() {}

// ---- analysis commands

void TMainForm::SwitchLanguage(QAction* Sender)
{
    Ui::TMainForm& f = *ui;
    for (QAction* item : {f.FsTxtMenuItem, f.FsWordMenuItem, f.ColorMenuItem, f.GsTxtMenuItem, f.GNameMenuItem,
                          f.inCorvaneMenuItem, f.StyleMenuItem})
        item->setChecked(item == Sender);
    if (f.FsTxtMenuItem->isChecked())
        RunTextPhonosemantics();
    if (f.FsWordMenuItem->isChecked())
        RunWordPhonosemantics();
    if (f.GsTxtMenuItem->isChecked())
        RunGoldenSection();
    if (f.GNameMenuItem->isChecked())
        RunNameGeneration();
    if (f.inCorvaneMenuItem->isChecked())
        RunTextProfile();
}

void TMainForm::FSWordButtonClick() { RunWordPhonosemantics(); }
void TMainForm::FSTxtButtonClick() { RunTextPhonosemantics(); }
void TMainForm::ColorButtonClick() {}
void TMainForm::GlSecButtonClick() { RunGoldenSection(); }
void TMainForm::GNameButtonClick() { RunNameGeneration(); }
void TMainForm::CorvToolButtonClick() { RunTextProfile(); }
void TMainForm::ToolButton8Click() {}
void TMainForm::ToolButton6Click() {}
void TMainForm::ToolButton7Click() {}

// Their menu items and buttons stay disabled; the commands come with their own parts.
void TMainForm::RunGoldenSection() {}
void TMainForm::RunTextProfile() {}

std::string TMainForm::SelectedAnsiText() const
{
    QString text = ui->Editor->textCursor().selectedText();
    text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    text.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
    return QStringToAnsi(text);
}

std::string TMainForm::BuildDocumentTitle() const
{
    // An untitled document is named by its first line, not by "Без Имени".
    if (!DocumentName.isEmpty() && DocumentName != Untitled) {
        const qsizetype cut = std::max(DocumentName.lastIndexOf(QLatin1Char('/')), DocumentName.lastIndexOf(QLatin1Char('\\')));
        return Cut255(QStringToAnsi(QStringView(DocumentName).mid(cut + 1)));
    }
    const QString first = ui->Editor->document()->firstBlock().text();
    const qsizetype lineEnd = first.indexOf(QChar::LineSeparator);
    const QStringView line = QStringView(first).left(lineEnd < 0 ? first.size() : lineEnd);
    return Cut255(QStringToAnsi(line.left(30)) + "...");
}

std::string FinishTextAnalysis(TPhonText& Model, const std::string& Title)
{
    if (Model.SoundCount < 1) {
        Model.Reset();
        TPhonText::ClearScaleScores();
        return Ansi("Слишком мал текст для анализа!");
    }
    TPhonText::ClearScaleScores();
    Model.ComputeProfile();
    Model.TakeSnapshot();
    RankTextScales();
    return SignificanceNote(Title);
}

std::string SignificanceNote(const std::string& Title)
{
    if (TopList.Slots[1].Value >= 9.0)
        return {};
    return Cut255(Ansi("ЗНАЧИМЫХ признаков для текста ") + Title + Ansi(" НЕТ!"));
}

void TMainForm::AnalyzeEditorText(TPhonText* Model, const std::string& Title, int Mode, std::string& Note)
{
    auto* model = dynamic_cast<TFileViewMem*>(Model);
    if (!model) {
        Note.clear();
        return;
    }
    model->Title = Cut255(Title);
    model->Reset();
    if (ui->Editor->textCursor().hasSelection()) {
        model->ProcessString(SelectedAnsiText(), Mode);
    } else {
        // Every line in turn with nothing between them: that is the feed of
        // the lines joined, so the text is converted once and fed once. The
        // raw text keeps the characters as typed (a no-break space stays one).
        std::string lines;
        QStringToAnsi(ui->Editor->document()->toRawText(), lines, true);
        model->ProcessString(lines, Mode);
    }
    Note = FinishTextAnalysis(*model, model->Title);
}

TGrafForm* BuildTextPhonosemanticsWindow(const std::string& Title, const std::string& Note, TFileViewMem* Model)
{
    auto window = std::make_unique<TGrafForm>(nullptr);
    GrafForm = window.get();
    window->SetMode(0);
    window->setWindowTitle(QStringLiteral("Lemvora - Фоносемантика текста"));
    window->SetButtonsVisible(true, false, true, true);
    const std::string listTitle = Cut255("# " + Title);
    if (Note.empty()) {
        TCurrentPage* page = window->AddChartPage(Title);
        window->CurrentPage = page;
        page->Note = Note;
        FillTextPage(page, Title, Model);
        window->DrawChartPage(window->CurrentPage);
        window->Pages.AddObject(Title, window->CurrentPage);
        TCurrentPage* list = window->AddListPage(listTitle);
        window->CurrentPage = list;
        list->Note = Note;
        FillTextPage(list, Title, Model);
        window->Pages.AddObject(listTitle, window->CurrentPage);
        SelectNextPage(window->PageControl1, true);
        SelectNextPage(window->PageControl1, false);
    } else {
        MyShowMessage(AnsiToQString(Note));
        TCurrentPage* list = window->AddListPage(listTitle);
        window->CurrentPage = list;
        window->SetPageKind(1);
        list->Note = Note;
        FillTextPage(list, Title, Model);
        window->Pages.AddObject(listTitle, window->CurrentPage);
        SelectNextPage(window->PageControl1, true);
    }
    return window.release();
}

void TMainForm::RunTextPhonosemantics()
{
    using Proc = void();
    Proc* destroyMessage = nullptr; // set while the wait message may be up
    WithSibling(
        QStringLiteral("Tavrin.Dll"),
        [&](TSibling& Library) {
            auto* createMessage = Library.Proc<Proc>("CreateMyMessage");
            auto* showMessage = Library.Proc<Proc>("ShowMyMessage");
            destroyMessage = Library.Proc<Proc>("DestroyMyMessage");
            createMessage();
            showMessage();

            // The model and the window go when the command ends, whatever happens.
            std::unique_ptr<TFileViewMem> model(new TFileViewMem);
            TextModel = model.get();
            struct ModelRelease {
                ~ModelRelease() { TextModel = nullptr; }
            } modelRelease;
            const std::string title = BuildDocumentTitle();
            std::string note;
            AnalyzeEditorText(TextModel, title, 0, note);
            std::unique_ptr<TGrafForm> window(BuildTextPhonosemanticsWindow(title, note, TextModel));

            window->setWindowState(Qt::WindowNoState);
            window->update();
            std::exchange(destroyMessage, nullptr)();
            window->exec();
        },
        [&] {
            if (destroyMessage)
                destroyMessage();
        });
}

void TMainForm::RunWordPhonosemantics()
{
    WithSibling(QStringLiteral("QUENLIT.DLL"), [this](TSibling& Library) {
        auto* fonoSemWrd = Library.Proc<int32_t(const char*)>("FonoSemWrd");
        // 49 characters at most and the terminating zero.
        std::array<char, 50> word {};
        const std::string selection = SelectedAnsiText();
        std::copy_n(selection.begin(), std::min<size_t>(selection.size(), word.size() - 1), word.begin());
        fonoSemWrd(word.data());
    });
}

void TMainForm::RunNameGeneration()
{
    WithSibling(QStringLiteral("Sindra.Dll"), [](TSibling& Library) { Library.Proc<void()>("GenWords")(); });
}
