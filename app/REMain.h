#pragma once
// The main window: a rich-text editor holding one document, with the menu,
// two tool bars, the ruler and the status bar. Its form definition REMain.ui
// fixes every caption, hint, shortcut, image and Enabled/Visible state; no
// command changes them at run time.
#include <QColor>
#include <QMainWindow>
#include <QString>
#include <QStringList>

#include <memory>
#include <string>

class QComboBox;
class QImage;
class QLabel;
class QLineEdit;
class QMimeData;
class QTextEdit;
class TFileViewMem;
class TGrafForm;
class TPhonText;
class TFileDialog;
class TUpDown;

namespace Ui {
class TMainForm;
}

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4 };

// The character attributes one formatting command changes: those of the
// selected text, or the editor's default attributes when nothing is selected.
class TTextAttributes {
public:
    TTextAttributes(QTextEdit* Editor, bool Selection) : editor_(Editor), selection_(Selection) {}

    bool IsSelection() const { return selection_; }
    QString Name() const;
    void SetName(const QString& Name);
    int Size() const; // whole points
    void SetSize(int Points);
    unsigned Style() const; // TFontStyle bits
    void SetStyle(unsigned Style);
    QColor Color() const;
    void SetColor(const QColor& Color);

private:
    QTextEdit* editor_;
    bool selection_;
};

// The attributes of the paragraphs the selection touches, in whole points.
struct TParaAttributes {
    int FirstIndent = 0; // first line, from the left margin
    int LeftIndent = 0;  // following lines, from the first line's indent
    int RightIndent = 0; // from the right margin
    int Alignment = 0;   // 0 left, 1 right, 2 centre
    bool Bullets = false;
};

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* Parent = nullptr);
    ~TMainForm() override;

    Ui::TMainForm& Form() { return *ui; }
    QTextEdit* Editor() const;
    QComboBox* FontName = nullptr;
    QLineEdit* FontSize = nullptr;
    TUpDown* UpDown1 = nullptr;
    QLabel* StatusPanels[3] = {};
    TFileDialog* OpenDialog() { return openDialog_.get(); }
    TFileDialog* SaveDialog() { return saveDialog_.get(); }
    // The 27 images of the strip, 16 x 16 each, fuchsia transparent.
    const QList<QIcon>& ToolbarImages() const { return toolbarImages_; }

    // The program's arguments without the program itself; FormShow opens the first.
    QStringList CommandLine;

    QString HelpFilePath;
    QString DocumentName;
    bool UpdatingControls = false;
    int RulerDragOffset = 0;
    bool RulerDragging = false;

    void SetDocumentName(const QString& Name);
    void ShowModifiedState(bool Modified);
    void ConfirmSaveChanges();
    void OpenDocument(const QString& FileName);
    void PrintSelectionOnly(QWidget* Control, const QString& Text);
    void HandleDroppedFiles(const QMimeData* Data);

    // Formatting side: the operations the document commands rely on.
    void FillFontList();
    void DrawRulerTicks();
    void SelectionChange();
    TTextAttributes CurrentAttributes() const;
    TParaAttributes Paragraph() const;
    void ShowCaretPosition();
    int FindAndSelectText(const QString& S);

    // Writes the document as rich text; the target stays whole when this fails.
    void SaveDocument(const QString& FileName);

    // Analysis commands.
    std::string BuildDocumentTitle() const;
    void AnalyzeEditorText(TPhonText* Model, const std::string& Title, int Mode, std::string& Note);
    void RunTextPhonosemantics();
    void RunWordPhonosemantics();
    void RunNameGeneration();
    void RunGoldenSection();
    void RunTextProfile();
    // The selected text in Windows-1251, paragraphs separated by CR LF; empty without a selection.
    std::string SelectedAnsiText() const;

public slots:
    void FormCreate();
    void FormShow();
    void FormCloseQuery(bool& CanClose);
    void FormKeyDown(int Key, Qt::KeyboardModifiers Shift);
    void RichEditChange();
    void FileNew();
    void FileOpen();
    void FileSave();
    void FileSaveAs();
    void FilePrint();
    void FileExit();
    void HelpAbout();
    void HelpMenuItemClick();

    // Handlers of the formatting side, the edit commands and the analysis
    // commands, bound by the form and filled in with those commands.
    void ShowHint();
    void FontNameChange();
    void FontSizeChange();
    void BoldButtonClick();
    void ItalicButtonClick();
    void UnderlineButtonClick();
    void AlignButtonClick(QAction* Sender);
    void BulletsButtonClick();
    void SelectFont();
    void RulerResize();
    void EditUndo();
    void EditCut();
    void EditCopy();
    void EditPaste();
    void ActionList2Update();
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

protected:
    void showEvent(QShowEvent* Event) override;
    void closeEvent(QCloseEvent* Event) override;
    void dragEnterEvent(QDragEnterEvent* Event) override;
    void dragMoveEvent(QDragMoveEvent* Event) override;
    void dropEvent(QDropEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void BuildToolBarControls();
    void BindCommands();
    void LoadToolbarImages();
    // True when Key is the shortcut of a menu item that cannot run now: the
    // item or its menu is disabled. Such a key is used up.
    bool IsDeadShortcut(const QKeySequence& Key) const;
    void WriteDocumentFile(const QString& FileName);
    void ReadDocumentFile(const QString& FileName);

    std::unique_ptr<Ui::TMainForm> ui;
    std::unique_ptr<TFileDialog> openDialog_;
    std::unique_ptr<TFileDialog> saveDialog_;
    QList<QIcon> toolbarImages_;
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

