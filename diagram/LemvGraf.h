#pragma once
// The diagram window: the modal result window of an analysis. Each tab is a
// page (TCurrentPage) holding what it shows (TRecFileGraf) and its controls.
// A text result is a chart page "T" followed by a list page "# T", both filled
// from the same text model (FillTextPage). Page strings are Windows-1251.
#include "Canvas.h"
#include "Chart.h"
#include "PhonTables.h"
#include "PhonText.h"
#include "Registry.h"

#include <QDialog>

#include <array>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

class QAction;
class QFileDialog;
class QFrame;
class QGroupBox;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QScrollArea;
class QTabWidget;
class QToolBar;
class QToolButton;
class TChartfx;

namespace Ui {
class TGrafForm;
}

// A string list whose entries may carry an object. The list does not free the
// objects; their owner does.
template <typename T>
class TObjStrings {
public:
    struct Entry {
        std::string String;
        T* Object = nullptr;
    };
    bool Sorted = false;

    int Count() const { return static_cast<int>(items_.size()); }
    int Add(const std::string& S) { return AddObject(S, nullptr); }
    int AddObject(const std::string& S, T* Object)
    {
        items_.push_back({ S, Object });
        return Count() - 1;
    }
    void Clear() { items_.clear(); }
    void Delete(int Index) { items_.erase(items_.begin() + Check(Index)); }
    std::string& Strings(int Index) { return items_[Check(Index)].String; }
    const std::string& Strings(int Index) const { return items_[Check(Index)].String; }
    T*& Objects(int Index) { return items_[Check(Index)].Object; }
    T* Objects(int Index) const { return items_[Check(Index)].Object; }

    // Frees every object in list order, each passing through Cursor; the
    // entries stay and own nothing afterwards.
    template <typename U>
    void FreeObjects(U*& Cursor)
    {
        for (Entry& e : items_) {
            Cursor = static_cast<U*>(e.Object);
            delete Cursor;
            e.Object = nullptr;
        }
        Cursor = nullptr;
    }

private:
    size_t Check(int Index) const
    {
        if (Index < 0 || Index >= Count())
            throw std::out_of_range("List index out of bounds");
        return static_cast<size_t>(Index);
    }
    std::vector<Entry> items_;
};

// One bar of the bar-list chart.
struct TBarItem {
    std::string Label; // at most 11 characters
    TColor Colour = clBlack;
    double Value = 0;
};

// What a page shows.
class TRecFileGraf {
public:
    TRecFileGraf() = default;
    virtual ~TRecFileGraf();
    TRecFileGraf(const TRecFileGraf&) = delete;
    TRecFileGraf& operator=(const TRecFileGraf&) = delete;

    ScaleItem* CurScaleItem = nullptr;
    SoundItem* CurSoundItem = nullptr;
    TBarItem* CurBarItem = nullptr;
    std::string Title;
    std::string Note;
    std::string SoundTotalLine;
    std::string HighShareLine;
    std::string SyllablesLine;
    std::string CodingVerdict;
    std::string RhythmVerdict;
    TObjStrings<void> SignificantNames;
    TObjStrings<void> SignificantValues;
    TObjStrings<ScaleItem> ScaleList; // owns its objects
    TObjStrings<SoundItem> SoundList; // owns its objects
    TObjStrings<TBarItem> BarList;    // owns its objects

    // Free the items held by ScaleList / SoundList; the entries stay (without
    // objects) for the caller to clear.
    void FreeScaleItems();
    void FreeSoundItems();
};

// The paint box of a list page: its paint event runs OnPaint with Canvas()
// drawing on it. A test canvas, when set, takes every drawing instead.
class TPaintBox : public QWidget {
    Q_OBJECT
public:
    explicit TPaintBox(QWidget* Parent = nullptr);
    std::function<void(QObject* Sender)> OnPaint;
    TColor Color = clBtnFace;
    TCanvas* TestCanvas = nullptr;
    // The canvas while painting (or the test canvas); nullptr otherwise.
    TCanvas* Canvas() const { return TestCanvas ? TestCanvas : active_; }

protected:
    void paintEvent(QPaintEvent* Event) override;

private:
    TCanvas* active_ = nullptr;
};

// A page with the controls of its tab; each kind of page creates its own.
class TCurrentPage : public TRecFileGraf {
public:
    QLabel* CaptionLabel = nullptr;
    std::array<QLabel*, 5> LegendLabels {};
    TChartfx* ChartFx = nullptr;
    TChart* Chart = nullptr;
    QToolBar* ToolBar = nullptr;
    QWidget* TabSheet = nullptr;
    QFrame* RightPanel = nullptr;
    QFrame* ClientPanel = nullptr;
    QListWidget* ListBox = nullptr;
    TPaintBox* PaintBox = nullptr;
    QScrollArea* ScrollBox = nullptr;
    std::array<QWidget*, 5> LegendShapes {};
};

// Fills a page from a text model whose snapshot has been taken, with TopList and
// the scores of TextScales holding the ranking of that analysis. Failures end
// the filling silently; a model that is not a TFileViewMem leaves the page as it is.
void FillTextPage(TRecFileGraf* Page, const std::string& Title, TPhonText* Model);
void FillScalesAndVerdicts(TRecFileGraf* Page, const std::string& Title, TPhonText* Model);
void FillSoundsAndSummary(TRecFileGraf* Page, const std::string& Title, TPhonText* Model);

// The SoundList line of a sound-letter: «Б' 3 (1.20)», «А  12 (-0.46)».
std::string SoundLine(unsigned char Letter, int32_t Count, double Z);

// Whether Key exists; otherwise the user's answer to Question (Yes = true).
bool AskRegistryKey(HKEY RootKey, const std::string& Key, const std::string& Question);
// The installation directory with a trailing "\", or empty (Windows-1251).
void GetInstallDir(const std::string& VersionKey, const std::string& ProductFolder, std::string& Dir,
                   const std::string& ExeName, const std::string& UninstallName);
// The lookup with the arguments every caller passes.
std::string InstallDir();
// The file search along a ";"-separated directory list.
std::string FileSearch(const std::string& Name, const std::string& DirList);
std::string ExtractFilePath(const std::string& FileName);

// The page control's next (or previous) tab, wrapping around; a change of tab
// runs the control's change handler.
void SelectNextPage(QTabWidget* PageControl, bool GoForward);

// Window-system key codes the window reacts to.
constexpr int VK_ESCAPE = 27, VK_PRIOR = 33, VK_NEXT = 34, VK_UP = 38, VK_DOWN = 40;

class TGrafForm : public QDialog {
    Q_OBJECT
public:
    explicit TGrafForm(QWidget* Parent = nullptr);
    ~TGrafForm() override;

    // Components of the form definition.
    QTabWidget* PageControl1 = nullptr;
    QFrame* Panel3 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QToolButton* FileOpenSpeedButton = nullptr;
    QToolButton* FileSaveSpeedButton = nullptr;
    QToolButton* PrintSpeedButton = nullptr;
    QLabel* StaticText1 = nullptr;
    QLabel* StaticText2 = nullptr;
    QPushButton* HelpSpeedButton = nullptr;
    QPushButton* ExitSpeedButton = nullptr;
    QFileDialog* OpenDialog1 = nullptr;
    QFileDialog* SaveDialog1 = nullptr;
    QMenu* TabSheetPopupMenu = nullptr;
    QAction* CreatePage = nullptr;
    QAction* DeletePage = nullptr;
    QWidget* PaintBox1 = nullptr;

    // Own fields.
    int Mode = 0;
    int PageKind = 0;
    int ActivePageIndex = 0;
    int OpenPageIndex = 0;
    int OpenKind = 0;
    std::string HelpTopic;
    std::string HelpFilePath;
    int ColorPrinterMode = 0;
    QObject* CurExtraObject = nullptr;
    TObjStrings<QObject> ExtraObjects; // owns its objects
    TCurrentPage* CurrentPage = nullptr;
    TObjStrings<TCurrentPage> Pages; // owns its pages

    void FormCreate();
    void FormDestroy();
    void SetMode(int Value);
    void SetPageKind(int Value);
    void SetActivePageIndex(int Value);
    void SetOpenKind(int Value);
    void SetButtonsVisible(bool Group, bool Open, bool Save, bool Print);
    void SetButtonsEnabled(bool Open, bool Save, bool Print);
    void UpdateStatus(TRecFileGraf* Page);
    void PageControl1Change(QObject* Sender);
    void FormKeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void ExitSpeedButtonClick();
    void HelpSpeedButtonClick();
    void CreatePageClick();
    void DeletePageClick();
    void Toggle3D();
    void FreeExtraObjects();
    void FreePages();

    // Page builders: the new page becomes CurrentPage; nullptr on failure.
    TCurrentPage* AddChartPage(const std::string& Title);
    TCurrentPage* AddListPage(const std::string& Title);
    TCurrentPage* AddChartFxListPage(const std::string& Title);
    TCurrentPage* AddLegendPage(const std::string& Title);
    void DrawChartPage(TRecFileGraf* Page);
    // Series builders on CurrentPage's chart; they raise on bad page data.
    void BuildHorizBars();
    void BuildLineChart();
    void BuildBarsFromObjects();

    void FormPaint(QObject* Sender);
    void PaintListPage(TRecFileGraf* Page, int Height, int Width);

    // The caption of a tool button of a chart page and what its click runs.
    enum class ToolAction { None, Toggle3D, HorizBars, LineChart };
    static ToolAction ToolButtonAction(QToolButton* Button);

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;
    void paintEvent(QPaintEvent* Event) override;
    void showEvent(QShowEvent* Event) override;

private:
    void MakeToolButtons(QToolBar* Bar, const std::vector<std::string>& Captions,
                         const std::vector<std::string>& Hints);
    void FitAxes(TChart* Chart);
    int AddTab(QWidget* Sheet, const std::string& Caption);
    QSize OuterSize() const;

    Ui::TGrafForm* ui_ = nullptr;
    bool tabChanged_ = false;
};

// The most recently created diagram window (nullptr once it is freed).
extern TGrafForm* GrafForm;

// The virtual screen's size that FormCreate sizes the window from; tests put a
// size of their own in place (an empty size restores the screen's).
QSize VirtualScreenSize();
void SetVirtualScreenSize(QSize Size);

// The verdict texts (Windows-1251).
std::string VerdictNeutral();
std::string VerdictSoft();
std::string VerdictHard();
