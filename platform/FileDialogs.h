#pragma once
// Open and save dialogs as components: filter, preselected filter, initial
// folder, default extension, and the chosen file after Execute(). The dialogs
// run through one replaceable layer, so tests answer them without a window.
#include <QString>

#include <functional>

enum class TFileDialogKind { Open, Save };

class TFileDialog {
public:
    explicit TFileDialog(TFileDialogKind Kind) : Kind(Kind) {}

    TFileDialogKind Kind;
    QString Title;
    // "Description|Pattern|Description|Pattern", as the dialogs' filters are written.
    QString Filter;
    int FilterIndex = 1; // 1-based
    QString InitialDir;
    QString DefaultExt;  // empty: a name typed without extension stays as it is
    QString FileName;    // the chosen file, full path

    // Runs the dialog; false when it was cancelled. FileName and FilterIndex
    // hold the choice.
    bool Execute();

    // The filter in the form the platform's dialogs take ("Description (Pattern);;...").
    static QString NativeFilter(const QString& Filter, int Index, QString* Selected);
};

// Answers a dialog instead of showing one: set Dialog.FileName and return true,
// or return false for Cancel. An empty hook restores the real dialogs.
using TFileDialogHook = std::function<bool(TFileDialog& Dialog)>;
void SetFileDialogHook(TFileDialogHook Hook);
