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
    // The first frame is shown and what it did not need has followed.
    bool OnScreen() { return w_.onScreen_; }
    bool RulerDragging() { return w_.RulerDragging; }
    QLabel* StatusPanel(int Index) { return w_.StatusPanels[Index]; }

    void RichEditChange() { w_.RichEditChange(); }
    void SelectionChange() { w_.SelectionChange(); }
    TTextAttributes CurrentAttributes() { return w_.CurrentAttributes(); }
    TParaAttributes Paragraph() { return w_.Paragraph(); }
    // The ruler's mouse handlers, called as a marker calls them.
    void MouseDown(QWidget* Marker, int X) { w_.RulerItemMouseDown(Marker, Qt::LeftButton, {}, X, 0); }
    void MouseMove(QWidget* Marker, int X) { w_.RulerItemMouseMove(Marker, {}, X, 0); }
    void MouseUp(QWidget* Marker, int X)
    {
        Ui::TMainForm& f = Form();
        auto release = Marker == f.FirstInd ? &TMainForm::FirstIndMouseUp
            : Marker == f.LeftInd           ? &TMainForm::LeftIndMouseUp
                                            : &TMainForm::RightIndMouseUp;
        (w_.*release)(Marker, Qt::LeftButton, {}, X, 0);
    }
    void HandleDroppedFiles(const QMimeData* Data) { w_.HandleDroppedFiles(Data); }

private:
    TMainForm& w_;
};
