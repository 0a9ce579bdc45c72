#pragma once
// Lets a shown window finish its layout and painting before a screenshot.
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QString>
#include <QThread>

inline void Settle()
{
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
        QThread::msleep(20);
    }
}

// When Modal is one of the program's message boxes (its text in the label
// "Message"): saves its picture to File once it has settled, answers it and
// returns true.
inline bool ShotAndAnswerMessage(QWidget* Modal, const QString& File)
{
    auto* dialog = qobject_cast<QDialog*>(Modal);
    if (!dialog || !dialog->findChild<QLabel*>(QStringLiteral("Message")))
        return false;
    Settle();
    dialog->grab().save(File);
    dialog->done(1);
    return true;
}
