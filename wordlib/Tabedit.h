#pragma once
// The word entry dialog: the caller's text, upper-cased, in an edit box;
// "Далее..." (or Enter) hands the entry to the analysis and the dialog stays
// open for the next word; "Отменить", Esc or the close box end it.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace Ui {
class TEditDB;
}

class TEditDB : public QDialog {
    Q_OBJECT
public:
    explicit TEditDB(QWidget* Parent = nullptr);
    ~TEditDB() override;

    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;

    void FormCreate();
    // Key is the window-system key code of the key pressed in the dialog;
    // Shift the shift state. Copying the entry out (Ctrl+C, Shift+Delete,
    // Shift+Insert) replaces it by "****" and uses the key up (Key = 0).
    void FormKeyDown(int& Key, int Shift);
    void BitBtn1Click();

    // Puts a text into the edit box; the box's length limit holds for typing only.
    void SetEntry(const QString& Text);

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    Ui::TEditDB* ui_ = nullptr;
};

extern TEditDB* EditDB;
