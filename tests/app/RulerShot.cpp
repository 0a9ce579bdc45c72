// Shows the main window with the sample document as the user sees it and
// saves screenshots (PNG) into the folder given as the first argument: the
// window at two widths, and before and after the first-line marker is dragged
// 40 pixels to the right with the mouse; each with the ruler enlarged four
// times beside it. Not a test.
#include "REMain.h"
#include "RulerMarker.h"
#include "RulerPanel.h"
#include "Settle.h"

#include <QApplication>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

namespace {

void Shot(TMainForm& Window, const QString& File)
{
    Settle();
    QGuiApplication::primaryScreen()->grabWindow(0).save(File + QStringLiteral(".png"));
    auto* ruler = Window.findChild<TRulerPanel*>(QStringLiteral("Ruler"));
    const QPixmap strip = ruler->grab(QRect(0, 0, qMin(ruler->width(), 320), ruler->height()));
    strip.scaled(strip.size() * 4, Qt::IgnoreAspectRatio, Qt::FastTransformation).save(File + QStringLiteral("-ruler.png"));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    const QString doc = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("samples/Образец.rtf");
    TMainForm window;
    window.move(0, 0);
    window.resize(760, 420);
    window.show();
    window.OpenDocument(doc);
    // The caret in the second paragraph.
    QTextCursor caret(window.Editor()->document()->findBlockByNumber(1));
    window.Editor()->setTextCursor(caret);
    Shot(window, out + QStringLiteral("/width760"));

    window.resize(1180, 420);
    Shot(window, out + QStringLiteral("/width1180"));

    auto* first = window.findChild<TRulerMarker*>(QStringLiteral("FirstInd"));
    QWindow* handle = window.windowHandle();
    const QPoint from = first->mapTo(&window, first->rect().center());
    const QPoint to = from + QPoint(40, 0);
    Shot(window, out + QStringLiteral("/before-drag"));
    QTest::mousePress(handle, Qt::LeftButton, {}, from);
    for (int x = 1; x <= 40; x += 3)
        QTest::mouseMove(handle, from + QPoint(x, 0));
    QTest::mouseMove(handle, to);
    QTest::mouseRelease(handle, Qt::LeftButton, {}, to);
    Shot(window, out + QStringLiteral("/after-drag"));
    return 0;
}
