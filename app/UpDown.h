#pragma once
// Up-down arrows bound to an edit box: each arrow steps the position within
// [Min, Max] (no wrap) and writes it into the box as decimal text.
#include <QWidget>

class QLineEdit;

class TUpDown : public QWidget {
    Q_OBJECT
public:
    TUpDown(QLineEdit* Associate, QWidget* Parent = nullptr);

    int Min = 0;
    int Max = 100;
    int Increment = 1;
    int Position() const { return position_; }
    void SetPosition(int Position);

private:
    void Step(int Delta);

    QLineEdit* associate_;
    int position_ = 0;
};
