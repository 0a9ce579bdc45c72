#pragma once
// The hint window beside the stress window: "Поставьте ударение!". It is
// borderless, stays on top, and never takes the focus or any input.
#include <QWidget>

class QFrame;
class QLabel;

namespace Ui {
class TForm2;
}

class TForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(QWidget* Owner = nullptr);
    ~TForm2() override;

    QFrame* Panel1 = nullptr;
    QLabel* Label1 = nullptr;

    // Placed below the stress window's design position.
    void FormCreate();

private:
    Ui::TForm2* ui_ = nullptr;
};

extern TForm2* Form2;
