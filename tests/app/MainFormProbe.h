#pragma once
// The tests' view into the main window: the form's components and the state
// and handlers that the window keeps to itself.
#include "REMain.h"
#include "TextAttributes.h"
#include "ui_REMain.h"

#include <QLabel>

class TMainFormProbe {
public:
    explicit TMainFormProbe(TMainForm& Window) : w_(Window) {}

    Ui::TMainForm& Form() { return *w_.ui; }
    QComboBox* FontName() { return w_.FontName; }
    QLineEdit* FontSize() { return w_.FontSize; }
    TUpDown* UpDown1() { return w_.UpDown1; }
    // The text of status panel Index (0 caret, 1 modified).
    QString Status(int Index) { return w_.StatusPanels[Index]->text(); }
    TFileDialog& OpenDialog() { return *w_.openDialog_; }
    const QList<QIcon>& ToolbarImages() { return w_.toolbarImages_; }
    const QString& HelpFilePath() { return w_.HelpFilePath; }
    bool UpdatingControls() { return w_.UpdatingControls; }

    void RichEditChange() { w_.RichEditChange(); }
    void SelectionChange() { w_.SelectionChange(); }
    TTextAttributes CurrentAttributes() { return w_.CurrentAttributes(); }
    void HandleDroppedFiles(const QMimeData* Data) { w_.HandleDroppedFiles(Data); }

private:
    TMainForm& w_;
};
