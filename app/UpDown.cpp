#include "UpDown.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

TUpDown::TUpDown(QLineEdit* Associate, QWidget* Parent) : QWidget(Parent), associate_(Associate)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int dir : {1, -1}) {
        auto* arrow = new QToolButton(this);
        arrow->setArrowType(dir > 0 ? Qt::UpArrow : Qt::DownArrow);
        arrow->setFixedSize(15, 11);
        arrow->setAutoRepeat(true);
        connect(arrow, &QToolButton::clicked, this, [this, dir] { Step(dir * Increment); });
        layout->addWidget(arrow);
    }
    setFixedWidth(15);
}

void TUpDown::SetPosition(int Position)
{
    position_ = qBound(Min, Position, Max);
    if (associate_)
        associate_->setText(QString::number(position_));
}

void TUpDown::Step(int Delta)
{
    // The arrows step from the number the box shows, as typed or set.
    bool ok = false;
    const int shown = associate_ ? associate_->text().trimmed().toInt(&ok) : 0;
    SetPosition(qBound(Min, ok ? shown : position_, Max) + Delta);
}
