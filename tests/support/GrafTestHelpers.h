#pragma once
// Builds a filled text-analysis window the way the text command does: the
// text goes through a text model, the 20 scale scores are ranked in TopList,
// and a new diagram window in mode 0 gets a chart page and a list page (or,
// when nothing significant was found, the list page alone with the note).
#include "LemvGraf.h"
#include "PhonText.h"
#include "TopList.h"
#include "Win1251.h"

#include <QTabWidget>

#include <memory>
#include <string>

struct TTextAnalysisWindow {
    std::unique_ptr<TFileViewMem> Model;
    std::unique_ptr<TGrafForm> Window;
    std::string Title;
    std::string Note; // empty when significant features were found
};

// Feeds Text (Windows-1251) into a fresh model and ranks the scale scores.
// Returns the note the text command would show ("" when there is none).
inline std::string AnalyzeText(TFileViewMem& Model, const std::string& Text, const std::string& Title)
{
    Model.Title = Cut255(Title);
    Model.Reset();
    Model.ProcessString(Text, 0);
    if (Model.SoundCount < 1) {
        Model.Reset();
        TPhonText::ClearScaleScores();
        return Ansi("Слишком мал текст для анализа!");
    }
    TPhonText::ClearScaleScores();
    Model.ComputeProfile();
    Model.TakeSnapshot();
    ClearTopList();
    for (int i = 1; i <= TextScaleCount; ++i)
        AddToTopList(i, TextScales[i].Value);
    if (TopList.Slots[1].Value >= 9.0)
        return {};
    return Cut255(Ansi("ЗНАЧИМЫХ признаков для текста ") + Title + Ansi(" НЕТ!"));
}

// The window as the text command leaves it just before showing it.
inline TTextAnalysisWindow BuildTextAnalysisWindow(const std::string& Text, const std::string& Title)
{
    TTextAnalysisWindow r;
    r.Title = Cut255(Title);
    r.Model = std::make_unique<TFileViewMem>();
    r.Note = AnalyzeText(*r.Model, Text, r.Title);
    r.Window = std::make_unique<TGrafForm>();
    TGrafForm* w = r.Window.get();
    w->SetMode(0);
    w->setWindowTitle(QStringLiteral("Lemvora - Фоносемантика текста"));
    w->SetButtonsVisible(true, false, true, true);
    const std::string listTitle = Cut255("# " + r.Title);
    if (r.Note.empty()) {
        TCurrentPage* page = w->AddChartPage(r.Title);
        w->CurrentPage = page;
        page->Note = r.Note;
        FillTextPage(page, r.Title, r.Model.get());
        w->DrawChartPage(w->CurrentPage);
        w->Pages.AddObject(r.Title, w->CurrentPage);
        TCurrentPage* list = w->AddListPage(listTitle);
        w->CurrentPage = list;
        list->Note = r.Note;
        FillTextPage(list, r.Title, r.Model.get());
        w->Pages.AddObject(listTitle, w->CurrentPage);
        SelectNextPage(w->PageControl1, true);
        SelectNextPage(w->PageControl1, false);
    } else {
        TCurrentPage* list = w->AddListPage(listTitle);
        w->CurrentPage = list;
        w->SetPageKind(1);
        list->Note = r.Note;
        FillTextPage(list, r.Title, r.Model.get());
        w->Pages.AddObject(listTitle, w->CurrentPage);
        SelectNextPage(w->PageControl1, true);
    }
    return r;
}

// A Russian sample with clearly significant scales.
inline std::string SampleRussianText()
{
    return Ansi("Жили-были дед да баба, и была у них курочка Ряба. Снесла курочка яичко, "
                "да не простое, а золотое. Дед бил, бил, не разбил. Баба била, била, не разбила. "
                "Мышка бежала, хвостиком махнула, яичко упало и разбилось. Дед плачет, баба плачет, "
                "а курочка кудахчет: не плачь, дед, не плачь, баба, я снесу вам яичко другое, "
                "не золотое, а простое.");
}
