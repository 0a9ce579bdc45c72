#pragma once
// Drives the modal dialogs that appear while a call runs: a timer acts on
// QApplication::activeModalWidget() once per dialog.
#include "MymsgDlg.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <utility>

class ModalDriver {
public:
    // Action runs once for every new modal dialog.
    explicit ModalDriver(std::function<void(QWidget*)> Action) : action_(std::move(Action))
    {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            QWidget* w = QApplication::activeModalWidget();
            if (!w || !w->isVisible() || w == last_)
                return;
            last_ = w;
            ++count_;
            action_(w);
        });
        timer_.start();
    }
    int Count() const { return count_; }

private:
    std::function<void(QWidget*)> action_;
    QTimer timer_;
    QPointer<QWidget> last_; // cleared when that dialog is freed
    int count_ = 0;
};

inline void PressKey(QWidget* Dialog, int Key)
{
    QWidget* target = Dialog->focusWidget() ? Dialog->focusWidget() : Dialog;
    QKeyEvent press(QEvent::KeyPress, Key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, Key, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

inline QString MessageText(QWidget* Dialog)
{
    const auto* label = Dialog->findChild<QLabel*>(QStringLiteral("Message"));
    return label ? label->text() : QString();
}
