// The About window.
#include "SiblingExport.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

SIBLING_EXPORT void AboutLemvora()
{
    QDialog about(QApplication::activeWindow());
    about.setObjectName(QStringLiteral("AboutBox"));
    about.setWindowTitle(QStringLiteral("О программе"));
    auto* layout = new QVBoxLayout(&about);
    layout->setContentsMargins(32, 20, 32, 16);
    layout->setSpacing(10);

    auto* title = new QLabel(QStringLiteral("\"Lemvora\" предвыборной борьбы"), &about);
    QFont f = title->font();
    f.setPointSize(f.pointSize() + 4);
    f.setBold(true);
    title->setFont(f);
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);

    auto* what = new QLabel(QStringLiteral("Фоносемантический анализ русского текста"), &about);
    what->setAlignment(Qt::AlignCenter);
    layout->addWidget(what);

    auto* version = new QLabel(QStringLiteral("Версия 1.1"), &about);
    version->setAlignment(Qt::AlignCenter);
    layout->addWidget(version);

    auto* ok = new QPushButton(QStringLiteral("&Далее"), &about);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &about, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignHCenter);

    about.setFixedSize(about.sizeHint());
    about.exec();
}
