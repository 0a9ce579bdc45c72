#pragma once
// The main window: a rich-text editor holding one document, with the menu,
// two tool bars, the ruler and the status bar. Its form definition REMain.ui
// fixes every caption, hint, shortcut, image and Enabled/Visible state; no
// command changes them at run time.
#include <QMainWindow>
#include <QString>
#include <QStringList>

#include <memory>
#include <string>

class QComboBox;
class QFontDialog;
class QLabel;
class QLineEdit;
class QMimeData;
class QTextEdit;
class TFileDialog;
class TFileViewMem;
class TGrafForm;
class TPhonText;
class TTextAttributes;
class TUpDown;
class TParaAttributes;

namespace Ui {
class TMainForm;
}

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* Parent = nullptr);
    ~TMainForm() override;

    // The document's editor.
    QTextEdit* Editor() const;
    // The program's arguments without the program itself; the first one, when
    // it names a file, is opened as the window is first shown.
    QStringList CommandLine;
    void OpenDocument(const QString& FileName);
    // The document's full path, or "Без Имени" while it has none; naming it
    // sets the caption.
    const QString& DocumentName() const { return documentName_; }
    void SetDocumentName(const QString& Name);

    // The commands of the file and help menus.
    void FileNew();
    void FileOpen();
    void FileSave();
    void FileSaveAs();
    void FilePrint();
    void FileExit();
    void HelpAbout();
    void HelpMenuItemClick();

    // The analysis commands.
    void RunTextPhonosemantics();
    void RunWordPhonosemantics();
    void RunNameGeneration();
    void RunGoldenSection();
    void RunTextProfile();
    // The document's title: its file name, or for an untitled document its first line.
    std::string BuildDocumentTitle() const;
    // Feeds the selection, or else every line, into Model and ranks the scales;
    // Note is "" when a scale is significant, else the message to show.
    void AnalyzeEditorText(TPhonText* Model, const std::string& Title, int Mode, std::string& Note);
    // Selects the first match of S (Windows-1251, each break as "\n") after
    // the selection, or from the start without one, and returns its position,
    // or -1 leaving the selection as it was.
    int FindAndSelectText(const std::string& S);

private:
    friend class TMainFormProbe; // the tests' view of the window

    // Construction and the window's own events (MainForm.cpp).
    void BuildToolBarControls();
    void BindCommands();
    void LoadToolbarImages();
    void FormCreate();
    void FormShow();
    void FormOnScreen();
    void FormCloseQuery(bool& CanClose);
    void FormKeyDown(int Key, Qt::KeyboardModifiers Shift);
    // True when Key is the shortcut of a menu item that cannot run now: the
    // item or its menu is disabled. Such a key is used up.
    bool IsDeadShortcut(const QKeySequence& Key) const;
    // The file name of DocumentName, without its folder.
    QString DocumentFileName() const;
    void ShowModifiedState(bool Modified);
    void RichEditChange();
    void showEvent(QShowEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void paintEvent(QPaintEvent* Event) override;
    void closeEvent(QCloseEvent* Event) override;
    void dragEnterEvent(QDragEnterEvent* Event) override;
    void dragMoveEvent(QDragMoveEvent* Event) override;
    void dropEvent(QDropEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

    // Documents (Documents.cpp).
    void ConfirmSaveChanges();
    void ReadDocumentFile(const QString& FileName);
    // Writes the document as rich text; the target stays whole when this fails.
    void WriteDocumentFile(const QString& FileName);
    void HandleDroppedFiles(const QMimeData* Data);
    // A drag over the window or its editor: files are the window's, and a drop
    // opens the first. False when the drag carries no files.
    bool HandleFileDrag(QDropEvent* Event);
    void OpenCommandLineFile();

    // Printing (Printing.cpp).
    void PrintSelectionOnly(QWidget* Control, const QString& Text);

    // Formatting and the status bar (Formatting.cpp).
    void FillFontList();
    void SelectionChange();
    TTextAttributes CurrentAttributes() const;
    TParaAttributes Paragraph() const;
    void ShowCaretPosition();
    void ShowHint();
    void FontNameChange();
    void FontSizeChange();
    void BoldButtonClick();
    void ItalicButtonClick();
    void UnderlineButtonClick();
    void AlignButtonClick(QAction* Sender);
    void BulletsButtonClick();
    QFontDialog& FontDialog1();
    void SelectFont();
    void UpdateEditRect();
    void FormResize();
    void FormPaint();

    // The ruler (Ruler.cpp).
    void DrawRulerTicks();
    void RulerResize();
    void PlaceRulerMarkers(const TParaAttributes& P);
    int TextWidthPoints() const;
    // Sender is the marker; X and Y are in its coordinates.
    void RulerItemMouseDown(QWidget* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void RulerItemMouseMove(QWidget* Sender, Qt::KeyboardModifiers Shift, int X, int Y);
    void FirstIndMouseUp(QWidget* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void LeftIndMouseUp(QWidget* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void RightIndMouseUp(QWidget* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);

    // The edit commands (EditCommands.cpp).
    void EditUndo();
    void EditCut();
    void EditCopy();
    void EditPaste();
    void ActionList2Update();

    // The analysis menu and tool bar (TextCommands.cpp).
    void SwitchLanguage(QAction* Sender);
    void FSWordButtonClick();
    void FSTxtButtonClick();
    void ColorButtonClick();
    void GlSecButtonClick();
    void GNameButtonClick();
    void CorvToolButtonClick();
    void ToolButton8Click();
    void ToolButton6Click();
    void ToolButton7Click();

    // The golden section's marking of the editor text (GoldenSection.cpp).
    void MarkGoldenSection();
    // FindAndSelectText over Text, the editor's text as EditorAnsiText reads
    // it, for a caller that holds it already.
    int FindAndSelectText(const std::string& S, const std::string& Text);

    std::unique_ptr<Ui::TMainForm> ui;
    QComboBox* FontName = nullptr;
    QLineEdit* FontSize = nullptr;
    TUpDown* UpDown1 = nullptr;
    QLabel* StatusPanels[3] = {};
    QFontDialog* fontDialog_ = nullptr; // made when first used
    std::unique_ptr<TFileDialog> openDialog_;
    std::unique_ptr<TFileDialog> saveDialog_;
    // The 27 images of the strip, 16 x 16 each, fuchsia transparent.
    QList<QIcon> toolbarImages_;

    QString HelpFilePath;
    QString documentName_;
    static inline const QString Untitled = QStringLiteral("Без Имени");
    bool UpdatingControls = false;
    int RulerDragOffset = 0;
    bool RulerDragging = false;

    // The first frame is on the screen, and what it did not need has followed.
    bool onScreen_ = false;
    bool keyPreview_ = false;
    const QEvent* previewedKey_ = nullptr;
};

extern TMainForm* MainForm;

// The text command after the feed: profile, snapshot and ranking of Model, and
// the note ("" when a scale scores at least 9.0).
std::string FinishTextAnalysis(TPhonText& Model, const std::string& Title);
// The note of a ranking in TopList: "" when its best score is at least 9.0.
std::string SignificanceNote(const std::string& Title);
// The text command's diagram window, filled from Model and not yet shown: a
// new window in GrafForm with the chart and list pages, or, for a note, the
// message first and then the lone list page.
TGrafForm* BuildTextPhonosemanticsWindow(const std::string& Title, const std::string& Note, TFileViewMem* Model);
