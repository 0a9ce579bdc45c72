// The analysis menu and tool bar: the text phonosemantics from the editor to
// the diagram window, the word command, the name generation and the
// document's title.
#include "REMain.h"
#include "ui_REMain.h"

#include "EditorText.h"
#include "LemvGraf.h"
#include "MymsgDlg.h"
#include "PhonText.h"
#include "Siblings.h"
#include "TextPage.h"
#include "TopList.h"
#include "WaitMessage.h"
#include "Win1251.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <algorithm>
#include <array>
#include <cstdint>

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

std::string TMainForm::BuildDocumentTitle() const
{
    // An untitled document is named by its first line, not by "Без Имени".
    if (!documentName_.isEmpty() && documentName_ != Untitled)
        return Cut255(QStringToAnsi(DocumentFileName()));
    return Cut255(FirstLineAnsi(*ui->Editor->document(), 30) + "...");
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
        model->ProcessString(SelectedAnsiText(ui->Editor->textCursor()), Mode);
    } else {
        // Every line in turn with nothing between them: that is the feed of
        // the lines joined, so the text is converted once and fed once.
        std::string lines;
        DocumentLinesAnsi(*ui->Editor->document(), lines);
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
    WithWaitMessage([this](const std::function<void()>& RemoveMessage) {
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
        RemoveMessage();
        window->exec();
    });
}

void TMainForm::RunWordPhonosemantics()
{
    WithSibling(QStringLiteral("QUENLIT.DLL"), [this](TSibling& Library) {
        auto* fonoSemWrd = Library.Proc<int32_t(const char*)>("FonoSemWrd");
        // 49 characters at most and the terminating zero.
        std::array<char, 50> word {};
        const std::string selection = SelectedAnsiText(ui->Editor->textCursor());
        std::copy_n(selection.begin(), std::min<size_t>(selection.size(), word.size() - 1), word.begin());
        fonoSemWrd(word.data());
    });
}

void TMainForm::RunNameGeneration()
{
    WithSibling(QStringLiteral("Sindra.Dll"), [](TSibling& Library) { Library.Proc<void()>("GenWords")(); });
}
