#pragma once
// Builds a filled text-analysis window with the text command's own steps: the
// text goes through a text model, the 20 scale scores are ranked in TopList,
// and a new diagram window in mode 0 gets a chart page and a list page (or,
// when nothing significant was found, the list page alone with the note).
#include "LemvGraf.h"
#include "PhonText.h"
#include "REMain.h"
#include "Win1251.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <memory>
#include <string>

struct TTextAnalysisWindow {
    std::unique_ptr<TFileViewMem> Model;
    std::unique_ptr<TGrafForm> Window;
    std::string Title;
    std::string Note; // empty when significant features were found
};

// Feeds Text (Windows-1251) into a fresh model and ranks the scale scores as
// the text command does. Returns the note ("" when there is none).
inline std::string AnalyzeText(TFileViewMem& Model, const std::string& Text, const std::string& Title)
{
    Model.Title = Cut255(Title);
    Model.Reset();
    Model.ProcessString(Text, 0);
    return FinishTextAnalysis(Model, Model.Title);
}

// The window as the text command leaves it just before showing it; the
// note's message box is answered at once.
inline TTextAnalysisWindow BuildTextAnalysisWindow(const std::string& Text, const std::string& Title)
{
    TTextAnalysisWindow r;
    r.Title = Cut255(Title);
    r.Model = std::make_unique<TFileViewMem>();
    r.Note = AnalyzeText(*r.Model, Text, r.Title);
    QTimer answer;
    answer.setInterval(5);
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->done(1);
    });
    answer.start();
    r.Window.reset(BuildTextPhonosemanticsWindow(r.Title, r.Note, r.Model.get()));
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
