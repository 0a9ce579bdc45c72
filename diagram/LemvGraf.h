#pragma once
// The diagram window: the modal result window of an analysis. Each tab is a
// page (TCurrentPage) holding what it shows and its controls. Its callers fill
// it: they set the mode, build pages, write CurrentPage and the pages' notes,
// add the pages to Pages and show the window.
#include "FileDialogs.h"
#include "PageRecords.h"
#include "VirtualKeys.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <string>
#include <vector>

class QAction;
class TChart;
class QFileDialog;
class QGroupBox;
class QImage;
class QMenu;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace Ui {
class TGrafForm;
}

// The page control's next (or previous) tab, wrapping around; a change of tab
// runs the control's change handler.
void SelectNextPage(QTabWidget* PageControl, bool GoForward);

// The word library's window derives from this one: the operations it does
// differently are virtual, and the hooks below carry the smaller differences.
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
    TFileDialog SaveDialog1 { TFileDialogKind::Save };
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

    // The frame: mode, buttons, status, tabs, keys, help and the tab menu.
    void SetMode(int Value);
    void SetPageKind(int Value);
    void SetActivePageIndex(int Value);
    void SetOpenKind(int Value);
    void SetButtonsVisible(bool Group, bool Open, bool Save, bool Print);
    void SetButtonsEnabled(bool Open, bool Save, bool Print);
    virtual void UpdateStatus(TRecFileGraf* Page);
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
    virtual void BuildHorizBars();
    virtual void BuildLineChart();
    void BuildBarsFromObjects();

    // Chart files: the open command hands the chosen "*.chf" to the current
    // page's chart control and fills the pages from its companion files.
    // FileName is the host path, at most 255 characters. Kind 0 reads the
    // ".CNF" into a ChartFX list page, Kind 1 the ".FNF" into a list page; Index
    // is the page's entry in Pages. Failures while reading end silently.
    void FileOpenSpeedButtonClick();
    void LoadPageFile(const QString& FileName, int Kind, int Index, TCurrentPage* Page);
    void LoadLegendFile(const QString& FileName, TCurrentPage* Page);

    // The list page's painting.
    virtual void FormPaint(QObject* Sender);
    void PaintListPage(TRecFileGraf* Page, int Height, int Width);
    // The current page's scroll box, when it has one: its line step one row
    // of the list that FormPaint draws on it, its range down to that list's
    // last line. Runs when a page is shown or its box resized, never while
    // it paints.
    virtual void ArrangeListPage();

    // Saving and printing the active page, and the export of a page to the
    // word processor (Page's bitmap, when it has one, is FileName).
    virtual void FileSaveSpeedButtonClick();
    virtual void PrintSpeedButtonClick();
    virtual void PrintBitmap(const QImage* Bitmap, int Divisor);
    void PrintListPage(TRecFileGraf* Page);
    void ExportToWord(TRecFileGraf* Page, const std::string& FileName);

    // The caption of a tool button of a chart page and what its click runs.
    enum class ToolAction { None, Toggle3D, HorizBars, LineChart };
    static ToolAction ToolButtonAction(QToolButton* Button);

    // The caption of Page's tab; raises for a page without a tab.
    void SetTabCaption(TCurrentPage* Page, const std::string& Caption);

protected:
    // The form definition alone, for a window with components of its own that
    // must be in place before its creation runs: it calls FormCreate itself.
    struct TFormDefinitionOnly {
    };
    TGrafForm(QWidget* Parent, TFormDefinitionOnly);
    void FormCreate();

    // The installation directory (with its trailing "\", or empty) that the
    // help file is found under.
    virtual std::string InstallDirectory();
    // The host folder the open and save dialogs start in; empty keeps theirs.
    virtual QString DialogFolder();
    // The save dialog, asking for a bitmap (Bitmap) or a document, started in
    // DialogFolder; false when the user cancels it.
    bool ExecuteSaveDialog(bool Bitmap);
    // The tool bar of a new chart page: its look and its buttons.
    virtual void MakeChartToolBar(TCurrentPage* Page);
    // The series a chart page opens with, drawn on CurrentPage; Chart is the
    // chart of the page being drawn.
    virtual void DrawPageSeries(TChart* Chart);
    // The page kind of Page standing at tab Index.
    virtual int PageKindOf(const TCurrentPage& Page, int Index) const;
    // The row height of the list FormPaint draws for the current page; 0 for none.
    virtual int ListLineStep() const;
    // The verdicts in the status texts.
    void ShowVerdicts(const TCurrentPage& Page);
    // The current page's chart through the scratch file "MyBitmap.bmp" onto
    // the printer, with PrintBitmap.
    void PrintChartPicture();
    // The print command around PrintPage: the colour library's answer in
    // ColorPrinterMode and the active tab re-read first; a page that went into
    // a file is named in a message, a file that could not be written is told.
    void RunPrintCommand(const std::function<void()>& PrintPage);
    QSize OuterSize() const;

private:
    void FormDestroy();
    // A new page with its tab sheet, added as the last tab: CurrentPage.
    TCurrentPage* NewPage(const std::string& Title);
    // A page's caption label on Parent, placed by the window's outer size.
    QLabel* NewCaptionLabel(QWidget* Parent);
    void MakeToolButtons(QToolBar* Bar, const std::vector<std::string>& Captions,
                         const std::vector<std::string>& Hints);
    void LoadListPageFile(const QString& FileName, int Index, TCurrentPage* Page);
    // Key preview: filters Object and every widget in it.
    void WatchKeys(QObject* Object);

    bool eventFilter(QObject* Watched, QEvent* Event) override;
    void paintEvent(QPaintEvent* Event) override;
    void showEvent(QShowEvent* Event) override;

    Ui::TGrafForm* ui_ = nullptr;
    bool tabChanged_ = false;
};

// The most recently created diagram window (nullptr once it is freed).
extern TGrafForm* GrafForm;
