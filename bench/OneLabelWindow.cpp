// The start-up benchmark's baseline: a Qt Widgets program that shows one
// label and runs its event loop until it is ended.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Lemvora"));
    label.show();
    return app.exec();
}
