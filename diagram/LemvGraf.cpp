#include "LemvGraf.h"
#include "ui_LemvGraf.h"

#include "Application.h"
#include "CaseMap.h"
#include "HelpLayer.h"
#include "MymsgDlg.h"
#include "NumFormat.h"
#include "TopList.h"
#include "Win1251.h"
#include "WinPaths.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <charconv>
#include <cmath>
#include <cstdlib>

TGrafForm* GrafForm = nullptr;

namespace {

QSize g_screenSize;

const char* const kToolActionProperty = "lemvToolAction";

// A page's text as a number, the way the pages wrote it (locale separator).
// Parsed without the C library's locale, which follows the environment's and
// would expect its own separator in place of the '.' put here.
double StrToFloat(const std::string& S)
{
    std::string t = S;
    const char sep = LocaleDecimalSeparator();
    for (char& c : t)
        if (c == sep)
            c = '.';
    const char* begin = t.data();
    const char* const last = t.data() + t.size();
    while (begin != last && *begin == ' ')
        ++begin;
    if (begin != last && *begin == '+')
        ++begin;
    double v = 0;
    auto [end, error] = std::from_chars(begin, last, v);
    while (error == std::errc() && end != last && *end == ' ')
        ++end;
    if (error != std::errc() || end != last)
        throw Exception("'" + AnsiToQString(S).toStdString() + "' is not a valid floating point value");
    return v;
}

QFont TimesFont(int Size, bool Bold)
{
    TCanvasFont f;
    f.Name = QStringLiteral("Times New Roman");
    f.Size = Size;
    f.Bold = Bold;
    return f.ToQFont();
}

TChartFont RussianTimes8()
{
    TChartFont f;
    f.Charset = RUSSIAN_CHARSET;
    f.Name = QStringLiteral("Times New Roman");
    f.Size = 8;
    return f;
}

void SetBackground(QWidget* W, TColor Color)
{
    W->setAutoFillBackground(true);
    QPalette p = W->palette();
    p.setColor(QPalette::Window, ToQColor(Color));
    W->setPalette(p);
}

} // namespace

QSize VirtualScreenSize()
{
    if (g_screenSize.isValid() && !g_screenSize.isEmpty())
        return g_screenSize;
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->virtualSize() : QSize(1024, 768);
}

void SetVirtualScreenSize(QSize Size)
{
    g_screenSize = Size;
}

std::string VerdictNeutral() { return Ansi("ТЕКСТ СУГГЕСТИВНО НЕЙТРАЛЬНЫЙ"); }
std::string VerdictSoft() { return Ansi("ОРИЕНТАЦИЯ НА МЯГКОЕ КОДИРОВАНИЕ"); }
std::string VerdictHard() { return Ansi("ОРИЕНТАЦИЯ НА ЖЕСТКОЕ КОДИРОВАНИЕ"); }

// ---------------------------------------------------------------------------
// Page records

TRecFileGraf::~TRecFileGraf()
{
    FreeScaleItems();
    FreeSoundItems();
    BarList.FreeObjects(CurBarItem);
}

// The entries stay until the caller clears the list; they no longer own anything.
void TRecFileGraf::FreeScaleItems()
{
    ScaleList.FreeObjects(CurScaleItem);
}

void TRecFileGraf::FreeSoundItems()
{
    SoundList.FreeObjects(CurSoundItem);
}

std::string SoundLine(unsigned char Letter, int32_t Count, double Z)
{
    std::string line;
    if (Letter >= 0xE0) { // a soft consonant: its capital with the mark "'"
        line += static_cast<char>(RusUpCase(Letter));
        line += '\'';
    } else {
        line += static_cast<char>(Letter);
        line += ' ';
    }
    line += ' ';
    line += std::to_string(Count);
    line += " (";
    line += FormatFixed(Z, 7, 2);
    line += ')';
    return line;
}

void FillScalesAndVerdicts(TRecFileGraf* Page, const std::string& Title, TPhonText* Model)
{
    auto* model = dynamic_cast<TFileViewMem*>(Model);
    if (!model || !Page)
        return;
    Page->Title = Cut255(Title);
    Page->SignificantNames.Clear();
    Page->SignificantValues.Clear();

    // Significant scales: the first ranks down to 8.0, at most 8, each listed
    // when its own score reaches 9.0.
    for (int r = 1; r <= 8 && TopList.Slots[r].Value >= 8.0; ++r) {
        const int k = TopList.Slots[r].Index;
        if (TextScales[k].Value >= 9.0) {
            Page->SignificantNames.Add(TextScales[k].Name);
            Page->SignificantValues.Add(FormatFixed(TextScales[k].Value, 5, 2));
        }
    }

    // Soft scales 1..8, hard scales 12..20; 9..11 count in neither.
    model->SoftSum = 0;
    model->HardSum = 0;
    for (int r = 1; r <= TextScaleCount && TopList.Slots[r].Value >= 9.0; ++r) {
        const int k = TopList.Slots[r].Index;
        if (k <= 8)
            model->SoftSum += TopList.Slots[r].Value;
        else if (k >= 12)
            model->HardSum += TopList.Slots[r].Value;
    }
    if (model->SoftSum <= 0 && model->HardSum <= 0)
        Page->CodingVerdict = VerdictNeutral();
    else if (model->SoftSum > model->HardSum)
        Page->CodingVerdict = VerdictSoft();
    else
        Page->CodingVerdict = VerdictHard();

    // Extended-precision thresholds: 2.06 and 2.44 rounded to a 64-bit mantissa.
    constexpr long double HighBelow = 2.05999999999999999995L;
    constexpr long double MediumUpTo = 2.44000000000000000005L;
    const long double v = model->Snapshot.SyllablesPerWord;
    Page->RhythmVerdict = Ansi("РИТМИЧНОСТЬ");
    if (v < HighBelow)
        Page->RhythmVerdict += Ansi(" ВЫСОКАЯ");
    else if (v <= MediumUpTo)
        Page->RhythmVerdict += Ansi(" СРЕДНЯЯ");
    else
        Page->RhythmVerdict += Ansi(" НИЗКАЯ");
}

void FillSoundsAndSummary(TRecFileGraf* Page, const std::string&, TPhonText* Model)
{
    auto* model = dynamic_cast<TFileViewMem*>(Model);
    if (!model || !Page)
        return;
    // A fresh page holds no items; any left from an earlier filling are freed
    // rather than lost.
    Page->FreeSoundItems();
    Page->SoundList.Clear();
    Page->FreeScaleItems();
    Page->ScaleList.Clear();

    for (int k = 1; k <= TextScaleCount; ++k) {
        Page->CurScaleItem = new ScaleItem { TextScales[k].Name.substr(0, 14), TextScales[k].Value };
        Page->ScaleList.AddObject(TextScales[k].Name, Page->CurScaleItem);
    }
    for (int i = 1; i <= SoundLetterCount; ++i) {
        const SoundItem& snap = model->SnapshotSounds[i];
        Page->CurSoundItem = new SoundItem();
        Page->CurSoundItem->Z = snap.Z;
        Page->SoundList.AddObject(SoundLine(SoundLetterTable[i].Letter, snap.Count, snap.Z), Page->CurSoundItem);
    }
    const TTextSnapshot& s = model->Snapshot;
    Page->SoundTotalLine = Ansi("Всего звукобукв: ") + std::to_string(s.SoundCount);
    Page->SyllablesLine = Ansi("Средняя длина слова в слогах: ") + FormatFixed(s.SyllablesPerWord, 7, 2);
    // Without sound-letters the share has no value; the line stays as it was.
    if (s.SoundCount == 0)
        return;
    const long double share = static_cast<long double>(s.HighCount) * 100 / s.SoundCount;
    Page->HighShareLine = Cut255(Ansi("Доля высоких звуков: ") + FormatFixed(share, 7, 2) + " " + "%");
}

void FillTextPage(TRecFileGraf* Page, const std::string& Title, TPhonText* Model)
{
    try {
        FillScalesAndVerdicts(Page, Title, Model);
        FillSoundsAndSummary(Page, Title, Model);
    } catch (...) {
    }
}

// ---------------------------------------------------------------------------
// Installation directory

std::string ExtractFilePath(const std::string& FileName)
{
    const size_t p = FileName.find_last_of("\\:");
    return p == std::string::npos ? std::string() : FileName.substr(0, p + 1);
}

std::string FileSearch(const std::string& Name, const std::string& DirList)
{
    if (WinFileExists(AnsiToQString(Name)))
        return Name;
    size_t from = 0;
    while (from <= DirList.size()) {
        size_t to = DirList.find(';', from);
        if (to == std::string::npos)
            to = DirList.size();
        std::string dir = DirList.substr(from, to - from);
        from = to + 1;
        if (dir.empty())
            continue;
        if (dir.back() != ':' && dir.back() != '\\')
            dir += '\\';
        if (WinFileExists(AnsiToQString(dir + Name)))
            return dir + Name;
    }
    return {};
}

bool AskRegistryKey(HKEY RootKey, const std::string& Key, const std::string& Question)
{
    if (RegistryLayer().KeyExists(RootKey, AnsiToQString(Key)))
        return true;
    return MyMessageDlg(AnsiToQString(Question), mdInformation, TMyDlgButtons { mdbYes, mdbNo }, 0) == 6;
}

void GetInstallDir(const std::string& VersionKey, const std::string& ProductFolder, std::string& Dir,
                   const std::string& ExeName, const std::string& UninstallName)
{
    static const char* const InstallDrives[] = { "C:\\", "D:\\", "E:\\", "F:\\", "G:\\",
                                                 "H:\\", "I:\\", "J:\\", "K:\\", "L:\\" };
    Dir.clear();
    try {
        QString value;
        std::string s;
        if (RegistryLayer().ReadString(HKEY_LOCAL_MACHINE,
                                       AnsiToQString("\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" +
                                                     UninstallName),
                                       QStringLiteral("UninstallString"), value))
            s = QStringToAnsi(value);
        const size_t f1 = s.find("_ISREG32.DLL");
        const size_t f0 = s.find("DeIsL1.isu");
        const long p1 = f1 == std::string::npos ? 0 : static_cast<long>(f1) + 1;
        const long p0 = f0 == std::string::npos ? 0 : static_cast<long>(f0) + 1;
        const long start = p0 + 10 + 6;
        const long count = p1 - start;
        if (count > 0 && start - 1 < static_cast<long>(s.size()))
            Dir = s.substr(static_cast<size_t>(start - 1), static_cast<size_t>(count));

        if (!FileSearch(ExeName, Dir).empty()) {
            Dir = QStringToAnsi(WinCurrentDir()) + "\\";
            return;
        }
        if (AskRegistryKey(HKEY_LOCAL_MACHINE, VersionKey, Ansi("Установлен ли на Вашем ПК \"Lemvora v 1.1\" ?!"))) {
            std::string root;
            if (RegistryLayer().ReadString(HKEY_LOCAL_MACHINE, AnsiToQString(VersionKey), QStringLiteral("RootDir"), value))
                root = QStringToAnsi(value);
            Dir = ExtractFilePath(FileSearch(ExeName, root));
        } else {
            Dir.clear();
        }
        if (Dir.empty()) {
            for (const char* drive : InstallDrives) {
                const std::string found = FileSearch(ExeName, std::string(drive) + "Program Files\\" + ProductFolder);
                if (!found.empty()) {
                    Dir = ExtractFilePath(found);
                    break;
                }
                Dir.clear();
            }
        }
    } catch (...) {
        Dir.clear();
    }
}

std::string InstallDir()
{
    std::string dir;
    GetInstallDir("\\Lemvora\\1.1", "Lemvora", dir, "Lemvora.exe", Ansi("Lemvora предвыборной борьбы"));
    return dir;
}

// ---------------------------------------------------------------------------
// Page control

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

TPaintBox::TPaintBox(QWidget* Parent) : QWidget(Parent)
{
    // Paints all of itself, so no paint reaches the widgets below.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPaintBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    TPainterCanvas canvas(painter);
    canvas.BrushColor = Color;
    active_ = &canvas;
    try {
        if (OnPaint)
            OnPaint(this);
        else
            canvas.FillRect(rect());
    } catch (...) {
    }
    active_ = nullptr;
}

// ---------------------------------------------------------------------------
// The window

TGrafForm::TGrafForm(QWidget* Parent) : QDialog(Parent), ui_(new Ui::TGrafForm)
{
    ui_->setupUi(this);
    setObjectName(QStringLiteral("GrafForm"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
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

    QStyle* st = style();
    FileOpenSpeedButton->setIcon(st->standardIcon(QStyle::SP_DialogOpenButton));
    FileSaveSpeedButton->setIcon(st->standardIcon(QStyle::SP_DialogSaveButton));
    PrintSpeedButton->setIcon(st->standardIcon(QStyle::SP_FileDialogDetailedView));
    HelpSpeedButton->setIcon(st->standardIcon(QStyle::SP_DialogHelpButton));
    ExitSpeedButton->setIcon(st->standardIcon(QStyle::SP_DialogCloseButton));
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
    connect(ExitSpeedButton, &QPushButton::clicked, this, [this] { ExitSpeedButtonClick(); });
    connect(HelpSpeedButton, &QPushButton::clicked, this, [this] { HelpSpeedButtonClick(); });

    GrafForm = this;
    FormCreate();
    qApp->installEventFilter(this);
}

TGrafForm::~TGrafForm()
{
    qApp->removeEventFilter(this);
    FormDestroy();
    delete ui_;
    if (GrafForm == this)
        GrafForm = nullptr;
}

void TGrafForm::FormCreate()
{
    // Key preview: eventFilter sees every key of the window first.
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
    HelpFilePath = Cut255(InstallDir() + "Data\\" + "Lemvora.hlp");
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
        if (!status)
            return;
        TColor colour = clBlack;
        if (page->CodingVerdict == VerdictHard())
            colour = clRed;
        else if (page->CodingVerdict == VerdictSoft())
            colour = clBlue;
        QPalette p = StaticText1->palette();
        p.setColor(QPalette::WindowText, ToQColor(colour));
        StaticText1->setPalette(p);
        StaticText1->setText(AnsiToQString(page->CodingVerdict));
        StaticText1->adjustSize();
        StaticText2->setText(AnsiToQString(page->RhythmVerdict));
        StaticText2->adjustSize();
    } catch (...) {
    }
}

void TGrafForm::PageControl1Change(QObject*)
{
    try {
        SetActivePageIndex(PageControl1->currentIndex());
        CurrentPage = Pages.Objects(ActivePageIndex);
        if (!CurrentPage)
            return;
        SetPageKind(!CurrentPage->Note.empty() ? 1 : ActivePageIndex);
        UpdateStatus(CurrentPage);
    } catch (...) {
    }
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
    } catch (...) {
    }
}

bool TGrafForm::eventFilter(QObject* Watched, QEvent* Event)
{
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
            if (CurrentPage->ChartFx)
                reinterpret_cast<QWidget*>(CurrentPage->ChartFx)->setVisible(false);
            Pages.AddObject("...", CurrentPage);
            CurrentPage = AddListPage("# ...");
            Pages.AddObject("# ...", CurrentPage);
        } else if (Mode == 1) {
            CurrentPage = AddLegendPage("...");
            if (!CurrentPage)
                throw Exception("no legend page");
            if (CurrentPage->ChartFx)
                reinterpret_cast<QWidget*>(CurrentPage->ChartFx)->setVisible(false);
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

void TGrafForm::Toggle3D()
{
    if (CurrentPage && CurrentPage->Chart) {
        CurrentPage->Chart->View3D = !CurrentPage->Chart->View3D;
        CurrentPage->Chart->Repaint();
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

void TGrafForm::paintEvent(QPaintEvent* Event)
{
    QDialog::paintEvent(Event);
    FormPaint(this);
}

// ---------------------------------------------------------------------------
// Chart and list pages

QSize TGrafForm::OuterSize() const
{
    const TGrafForm* w = GrafForm ? GrafForm : this;
    return w->frameGeometry().size();
}

int TGrafForm::AddTab(QWidget* Sheet, const std::string& Caption)
{
    const QSignalBlocker block(PageControl1);
    const int index = PageControl1->addTab(Sheet, AnsiToQString(Caption));
    return index;
}

TGrafForm::ToolAction TGrafForm::ToolButtonAction(QToolButton* Button)
{
    return Button ? static_cast<ToolAction>(Button->property(kToolActionProperty).toInt()) : ToolAction::None;
}

void TGrafForm::MakeToolButtons(QToolBar* Bar, const std::vector<std::string>& Captions,
                                const std::vector<std::string>& Hints)
{
    const int n = static_cast<int>(Captions.size());
    for (int i = 0; i < n; ++i) {
        auto* button = new QToolButton(Bar);
        setFont(TimesFont(8, true));
        button->setText(AnsiToQString(Captions[i]));
        button->setToolTip(AnsiToQString(Hints.at(i)));
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setAutoRaise(true);
        if (Captions[i] == "|") {
            button->setObjectName(QStringLiteral("Divider"));
            button->setEnabled(false);
            button->setText(QString());
            button->setFixedWidth(8);
            Bar->addWidget(button);
            continue;
        }
        const int fromLast = n - 1 - i; // 0 for the last button
        ToolAction action = ToolAction::None;
        if (Mode == 0 || Mode == 3) {
            if (fromLast == 0)
                action = ToolAction::LineChart;
            else if (fromLast == 1)
                action = ToolAction::HorizBars;
            else if (fromLast == 3)
                action = ToolAction::Toggle3D;
        } else if (Mode == 2 && fromLast == 0) {
            action = ToolAction::Toggle3D;
        }
        button->setProperty(kToolActionProperty, static_cast<int>(action));
        button->setMinimumHeight(22);
        button->setMinimumWidth(23);
        switch (action) {
        case ToolAction::Toggle3D:
            connect(button, &QToolButton::clicked, this, [this] { RunHandler([this] { Toggle3D(); }); });
            break;
        case ToolAction::HorizBars:
            connect(button, &QToolButton::clicked, this, [this] { RunHandler([this] { BuildHorizBars(); }); });
            break;
        case ToolAction::LineChart:
            connect(button, &QToolButton::clicked, this, [this] { RunHandler([this] { BuildLineChart(); }); });
            break;
        case ToolAction::None:
            break;
        }
        Bar->addWidget(button);
    }
}

TCurrentPage* TGrafForm::AddChartPage(const std::string& Title)
{
    try {
        CurrentPage = new TCurrentPage();
        TCurrentPage* page = CurrentPage;
        page->TabSheet = new QWidget();
        QFont sheetFont = page->TabSheet->font();
        sheetFont.setFamily(QStringLiteral("Times New Roman"));
        page->TabSheet->setFont(sheetFont);
        auto* sheetLayout = new QVBoxLayout(page->TabSheet);
        sheetLayout->setContentsMargins(0, 0, 0, 0);
        AddTab(page->TabSheet, Title);

        page->ClientPanel = new QFrame(page->TabSheet);
        page->ClientPanel->setFont(TimesFont(8, true));
        SetBackground(page->ClientPanel, clBtnFace);
        auto* panelLayout = new QVBoxLayout(page->ClientPanel);
        panelLayout->setContentsMargins(0, 0, 0, 0);
        panelLayout->setSpacing(0);
        sheetLayout->addWidget(page->ClientPanel);
        page->ClientPanel->setVisible(true);

        page->ToolBar = new QToolBar(page->ClientPanel);
        page->ToolBar->setFixedHeight(34);
        page->ToolBar->setContentsMargins(15, 2, 2, 2);
        page->ToolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
        page->ToolBar->setStyleSheet(QStringLiteral("QToolBar { border: 1px inset gray; }"));
        panelLayout->addWidget(page->ToolBar);

        if (Mode == 0 || Mode == 3)
            MakeToolButtons(page->ToolBar, { "3D", "|", Ansi("Диаграмма"), Ansi("График") },
                            { Ansi("Объемный график"), "", Ansi("Диаграмма"), Ansi("График") });
        else if (Mode == 2)
            MakeToolButtons(page->ToolBar, { "3D" }, { Ansi("Объемный график") });

        TChart* chart = new TChart();
        page->Chart = chart;
        chart->AutoSize = true;
        chart->AxisVisible = true;
        chart->AllowZoom = true;
        chart->BevelInner = bvNone;
        chart->BevelOuter = bvNone;
        chart->MarginLeft = 5;
        chart->BackColor = clBtnFace;
        chart->Color = clBtnFace;
        chart->setVisible(true);
        chart->setEnabled(true);
        chart->Legend.Inverted = true;
        chart->Title.Font = RussianTimes8();
        chart->Legend.Font = RussianTimes8();
        chart->LeftAxis.LabelsFont = RussianTimes8();
        chart->BottomAxis.LabelsSeparation = 50;
        chart->BottomAxis.LabelStyle = talAuto;
        chart->BottomAxis.LabelsFont = RussianTimes8();

        page->CaptionLabel = new QLabel(page->ClientPanel);
        const QSize outer = OuterSize();
        page->CaptionLabel->move(static_cast<int>(std::trunc(outer.width() / 6.0)),
                                 static_cast<int>(std::trunc(outer.height() / 4.0)));
        page->CaptionLabel->setFont(TimesFont(8, false));
        chart->setParent(page->ClientPanel);
        panelLayout->addWidget(chart, 1);
        return page;
    } catch (...) {
        return nullptr;
    }
}

TCurrentPage* TGrafForm::AddListPage(const std::string& Title)
{
    try {
        CurrentPage = new TCurrentPage();
        TCurrentPage* page = CurrentPage;
        page->TabSheet = new QWidget();
        auto* sheetLayout = new QVBoxLayout(page->TabSheet);
        sheetLayout->setContentsMargins(0, 0, 0, 0);
        AddTab(page->TabSheet, Title);
        page->CaptionLabel = new QLabel(page->TabSheet);
        const QSize outer = OuterSize();
        page->CaptionLabel->move(static_cast<int>(std::trunc(outer.width() / 6.0)),
                                 static_cast<int>(std::trunc(outer.height() / 4.0)));
        page->CaptionLabel->setFont(TimesFont(8, false));

        page->ScrollBox = new QScrollArea();
        page->ScrollBox->setFrameShape(QFrame::NoFrame);
        SetBackground(page->ScrollBox, clBtnFace);
        page->ScrollBox->setWidgetResizable(true);
        page->ScrollBox->verticalScrollBar()->setSingleStep(8);
        page->PaintBox = new TPaintBox();
        page->PaintBox->Color = clBtnFace;
        page->PaintBox->OnPaint = [this](QObject* Sender) { FormPaint(Sender); };
        page->ScrollBox->setWidget(page->PaintBox);
        page->ScrollBox->setParent(page->TabSheet);
        sheetLayout->addWidget(page->ScrollBox);
        return page;
    } catch (...) {
        return nullptr;
    }
}

// The ChartFX pages come with the chart files; until then there are none.
TCurrentPage* TGrafForm::AddChartFxListPage(const std::string&)
{
    return nullptr;
}

TCurrentPage* TGrafForm::AddLegendPage(const std::string&)
{
    return nullptr;
}

void TGrafForm::DrawChartPage(TRecFileGraf* Page)
{
    try {
        auto* page = dynamic_cast<TCurrentPage*>(Page);
        if (!page)
            return;
        if (page->TabSheet)
            PageControl1->setTabText(PageControl1->indexOf(page->TabSheet), AnsiToQString(page->Title));
        TChart* chart = page->Chart;
        if (!chart)
            throw Exception("page without a chart");
        chart->Frame.Visible = true;
        chart->Frame.Color = clBlack;
        chart->Frame.Width = 1;
        chart->Frame.Style = psSolid;
        for (TChartAxis* a : { &chart->LeftAxis, &chart->BottomAxis }) {
            a->LabelsFont.Name = QStringLiteral("Times New Roman");
            a->LabelsFont.Bold = false;
            a->LabelsFont.Size = 8;
        }
        chart->LeftWall.Color = clBtnFace;
        chart->BottomWall.Color = clBtnFace;
        QFont f = font();
        f.setFamily(QStringLiteral("Times New Roman"));
        setFont(f);
        chart->BottomAxis.Visible = true;
        setFont(TimesFont(8, true));
        chart->Legend.Font.Name = QStringLiteral("Times New Roman");
        chart->Legend.Font.Size = 8;
        chart->Title.Font.Name = QStringLiteral("Times New Roman");
        chart->Title.Font.Bold = true;
        chart->Title.Font.Size = 8;
        chart->Title.Text.clear();
        chart->Title.Text << AnsiToQString(page->Title);
        if (Mode == 0 || Mode == 3)
            BuildHorizBars();
        else if (Mode == 2)
            BuildBarsFromObjects();
        else
            chart->Repaint();
    } catch (...) {
    }
}

void TGrafForm::FitAxes(TChart* Chart)
{
    double minX, maxX, minY, maxY;
    Chart->ValueExtent(false, minX, maxX, minY, maxY);
    Chart->LeftAxis.Automatic = false;
    Chart->LeftAxis.Increment = 0;
    Chart->LeftAxis.SetMinMax(minY, maxY);
    Chart->BottomAxis.Automatic = false;
    Chart->BottomAxis.Increment = 0;
    Chart->BottomAxis.SetMinMax(minX, maxX);
    Chart->RightAxis.SetMinMax(0, 0);
    Chart->TopAxis.SetMinMax(0, 0);
}

namespace {

TChart* ChartOf(TCurrentPage* Page)
{
    if (!Page || !Page->Chart)
        throw Exception("The page has no chart");
    return Page->Chart;
}

template <typename S, typename AddPoint>
void AddToEach(TChart* Chart, AddPoint Add)
{
    for (int i = 0; i < Chart->SeriesCount(); ++i)
        if (auto* s = dynamic_cast<S*>(Chart->Series(i))) {
            s->Marks.Style = smsValue;
            Add(*s);
            s->Active = true;
        }
}

} // namespace

void TGrafForm::BuildHorizBars()
{
    TChart* chart = ChartOf(CurrentPage);
    chart->RemoveAllSeries();
    auto* series = chart->CreateSeries<THorizBarSeries>();
    series->UseYOrigin = true;
    series->YOrigin = 0;
    chart->AddSeries(series);
    for (int j = CurrentPage->SignificantNames.Count() - 1; j >= 0; --j) {
        const double v = StrToFloat(CurrentPage->SignificantValues.Strings(j));
        if (v < 9.0)
            continue;
        const QString label = AnsiToQString(CurrentPage->SignificantNames.Strings(j));
        AddToEach<THorizBarSeries>(chart, [&](THorizBarSeries& s) { s.AddBar(v, label, clRed); });
    }
    FitAxes(chart);
    chart->Repaint();
}

void TGrafForm::BuildLineChart()
{
    TChart* chart = ChartOf(CurrentPage);
    chart->RemoveAllSeries();
    auto* series = chart->CreateSeries<TLineSeries>();
    chart->AddSeries(series);
    int x = 1;
    for (int j = CurrentPage->SignificantNames.Count() - 1; j >= 0; --j, ++x) {
        const double v = StrToFloat(CurrentPage->SignificantValues.Strings(j));
        if (v < 9.0)
            continue;
        const QString label = AnsiToQString(CurrentPage->SignificantNames.Strings(j));
        AddToEach<TLineSeries>(chart, [&](TLineSeries& s) { s.AddXY(x, v, label, s.SeriesColor); });
    }
    FitAxes(chart);
    chart->Repaint();
}

void TGrafForm::BuildBarsFromObjects()
{
    TChart* chart = ChartOf(CurrentPage);
    chart->RemoveAllSeries();
    auto* series = chart->CreateSeries<THorizBarSeries>();
    chart->AddSeries(series);
    for (int j = CurrentPage->BarList.Count() - 1; j >= 0; --j) {
        CurrentPage->CurBarItem = CurrentPage->BarList.Objects(j);
        if (!CurrentPage->CurBarItem)
            throw Exception("Bar list entry without an item");
        const TBarItem item = *CurrentPage->CurBarItem;
        const double v = StrToFloat(FormatFixed(item.Value, 5, 2));
        AddToEach<THorizBarSeries>(chart, [&](THorizBarSeries& s) { s.AddBar(v, AnsiToQString(item.Label), item.Colour); });
    }
    FitAxes(chart);
    chart->Repaint();
}

// ---------------------------------------------------------------------------
// List page painting

void TGrafForm::FormPaint(QObject*)
{
    try {
        if (Mode == 0 && PageKind == 1)
            PaintListPage(CurrentPage, height(), width());
    } catch (...) {
    }
}

void TGrafForm::PaintListPage(TRecFileGraf* Page, int Height, int Width)
{
    try {
        auto* page = dynamic_cast<TCurrentPage*>(Page);
        if (!page || !page->PaintBox)
            return;
        // Only the paint box's own paint (or a test canvas) can draw on it.
        TCanvas* c = page->PaintBox->Canvas();
        if (!c)
            return;
        const int RowHeight = static_cast<int>(std::trunc(Height / 28.0));
        const int ValueX = static_cast<int>(std::trunc(Width / 4.0));
        const int SoundGap = static_cast<int>(std::trunc(ValueX / 4.0));
        const int SummaryGap = static_cast<int>(std::trunc(ValueX / 3.0));

        c->BrushColor = page->PaintBox->Color;
        c->FillRect(page->PaintBox->rect());
        c->Font.Bold = true;
        c->Font.Name = QStringLiteral("Times New Roman");
        c->Font.Size = 8;
        const int FontSize = c->Font.Size;
        c->Font.Color = clBlack;
        c->PenWidth = 1;

        // Without scale rows the columns start at the value column's top.
        int X0 = ValueX, Y0 = 0;
        for (int i = 0; i < page->ScaleList.Count(); ++i) {
            page->CurScaleItem = page->ScaleList.Objects(i);
            if (!page->CurScaleItem)
                throw Exception("Scale entry without an item");
            c->Font.Color = page->CurScaleItem->Value >= 9.0 ? clRed : clBlack;
            c->TextOut(3, i * RowHeight, AnsiToQString(page->CurScaleItem->Name));
            c->TextOut(ValueX, i * RowHeight, AnsiToQString(FormatFixed(page->CurScaleItem->Value, 5, 2)));
            if (i == 0) {
                X0 = c->PenPos().x();
                Y0 = c->PenPos().y();
            }
        }
        const QPoint last = c->PenPos();
        c->MoveTo(X0 + RowHeight, Y0);
        c->LineTo(X0 + RowHeight, last.y() + FontSize);

        c->Font.Color = clBlack;
        int column = X0, row = 0;
        for (int i = 0; i < page->SoundList.Count(); ++i) {
            page->CurSoundItem = page->SoundList.Objects(i);
            if (!page->CurSoundItem)
                throw Exception("Sound entry without an item");
            c->Font.Color = std::fabs(page->CurSoundItem->Z) >= 1.0 ? clBlue : clBlack;
            c->TextOut(column + SoundGap, row * RowHeight, AnsiToQString(page->SoundList.Strings(i)));
            ++row;
            if (i == 14 || i == 29) {
                column = c->PenPos().x();
                row = 0;
            }
        }
        const QPoint end = c->PenPos();
        const int Y = end.y() + 2 * RowHeight;
        c->MoveTo(end.x(), Y);
        c->LineTo(X0 + SoundGap, Y);

        c->Font.Color = clMaroon;
        c->TextOut(X0 + SummaryGap, Y + RowHeight, AnsiToQString(page->SoundTotalLine));
        c->TextOut(X0 + SummaryGap, Y + 2 * RowHeight, AnsiToQString(page->SyllablesLine));
        c->TextOut(X0 + SummaryGap, Y + 3 * RowHeight, AnsiToQString(page->HighShareLine));

        if (QScrollArea* box = page->ScrollBox) {
            const int range = box->height() + 10 * box->verticalScrollBar()->singleStep();
            if (page->PaintBox->minimumHeight() != range)
                page->PaintBox->setMinimumHeight(range);
        }
    } catch (...) {
    }
}
