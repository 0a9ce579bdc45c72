#pragma once
// The stress window: the word drawn large with a stress mark over one vowel;
// "<-" / "->" and the arrow keys move the mark from vowel to vowel, wrapping
// round; "Далее..." or Enter runs the analysis and shows its result window.
#include <QWidget>

class QFrame;
class QScrollArea;
class QToolButton;
class TPaintBox;

namespace Ui {
class TForm3;
}

class TForm3 : public QWidget {
    Q_OBJECT
public:
    explicit TForm3(QWidget* Owner = nullptr);
    ~TForm3() override;

    QFrame* Panel1 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QToolButton* SpeedButton3 = nullptr;
    QFrame* Panel2 = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    TPaintBox* PaintBox1 = nullptr;

    void FormCreate();
    void FormDestroy();
    // Window-system key code; the shift state is not looked at.
    void FormKeyDown(int& Key);
    void PaintBox1Paint();
    // Ranks the computed scales and shows the result window, or the note that
    // nothing is significant.
    void OkButtonClick();
    void LeftSpeedButtonClick();
    void RightSpeedButtonClick();
    void FormHide();
    void FormShow();
    // The box as wide as the word drawn on it (with a margin) when the view
    // cannot hold it all, else as wide as the view; then the stress mark is
    // scrolled into view. Runs when the word is set, shown or its stress
    // moved, never while it paints.
    void ArrangeWord();

protected:
    void keyPressEvent(QKeyEvent* Event) override;
    void showEvent(QShowEvent* Event) override;
    void hideEvent(QHideEvent* Event) override;

private:
    // Moves the stress to the next vowel Step letters at a time and draws the word anew.
    void MoveStress(int Step);

    Ui::TForm3* ui_ = nullptr;
};

extern TForm3* Form3;

// Hides the hint window without ever letting it take input.
void HideHintWindow();
