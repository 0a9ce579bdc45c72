// Name generation is a product of its own; this stand-in only says so.
#include "SiblingExport.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

SIBLING_EXPORT void GenWords()
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("Генерация имён"),
                    QStringLiteral("Генерация имён не входит в эту систему."), QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.addButton(QStringLiteral("&Далее"), QMessageBox::AcceptRole);
    box.exec();
}
