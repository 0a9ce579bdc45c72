#pragma once
// Looking at a shown window as the screen has it: the paint events of the
// window and the widgets in it, the event loop run for a while, and the pixels
// of a widget as the window's backing store holds them (a fresh grab() would
// draw the widget anew and hide what a partial repaint left behind); and the
// checks of a window at rest and of a chart rebuilt, for both windows.
#include "Chart.h"
#include "Waits.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QImage>
#include <QMap>
#include <QPixmap>
#include <QScreen>
#include <QString>
#include <QStringList>
#include <QTabWidget>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>
#include <string>

// Counts the paint events of Window and every widget in it, by widget.
class TPaintCounter : public QObject {
public:
    explicit TPaintCounter(QWidget* Window) : window_(Window) { qApp->installEventFilter(this); }
    ~TPaintCounter() override { qApp->removeEventFilter(this); }

    int Count() const { return count_; }
    void Reset()
    {
        count_ = 0;
        byWidget_.clear();
    }
    // "class name: count" for each painted widget, for a failure's message.
    std::string Painted() const
    {
        QStringList out;
        for (auto i = byWidget_.cbegin(); i != byWidget_.cend(); ++i)
            out << QStringLiteral("%1: %2").arg(i.key()).arg(i.value());
        return out.join(QStringLiteral(", ")).toStdString();
    }

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        if (Event->type() == QEvent::Paint && Watched->isWidgetType()) {
            auto* w = static_cast<QWidget*>(Watched);
            if (w->window() == window_) {
                ++count_;
                ++byWidget_[QStringLiteral("%1 %2").arg(QString::fromLatin1(w->metaObject()->className()),
                                                        w->objectName())];
            }
        }
        return false;
    }

private:
    QWidget* window_;
    int count_ = 0;
    QMap<QString, int> byWidget_;
};

// Runs the event loop for Ms milliseconds.
inline void RunEventLoop(int Ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < Ms)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
}

// Widget's pixels as its shown window holds them.
inline QImage ScreenImage(QWidget* Widget)
{
    QWidget* window = Widget->window();
    const QPoint at = Widget->mapTo(window, QPoint(0, 0));
    return window->screen()
        ->grabWindow(window->winId(), at.x(), at.y(), Widget->width(), Widget->height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// Runs the event loop until Counter has seen no paint for QuietMs (within
// EventWaitMs): the window has finished drawing.
inline void RunUntilQuiet(TPaintCounter& Counter, int QuietMs = 200)
{
    QElapsedTimer total;
    total.start();
    int seen = -1;
    QElapsedTimer quiet;
    while (total.elapsed() < EventWaitMs) {
        if (Counter.Count() != seen) {
            seen = Counter.Count();
            quiet.start();
        } else if (quiet.elapsed() >= QuietMs) {
            return;
        }
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
}

// The dark pixels on Image's outermost rows and columns: a text or mark cut
// off by the edge leaves some there.
inline int DarkPixelsOnBorder(const QImage& Image)
{
    int dark = 0;
    const auto look = [&](int X, int Y) { dark += qGray(Image.pixel(X, Y)) < 128; };
    for (int x = 0; x < Image.width(); ++x) {
        look(x, 0);
        look(x, Image.height() - 1);
    }
    for (int y = 1; y + 1 < Image.height(); ++y) {
        look(0, y);
        look(Image.width() - 1, y);
    }
    return dark;
}

// Each tab of a shown window in turn, once it has finished drawing: a second
// of the event loop brings no paint at all.
inline void ExpectEveryTabAtRest(QWidget* Window, QTabWidget* Tabs)
{
    TPaintCounter paints(Window);
    for (int tab = 0; tab < Tabs->count(); ++tab) {
        Tabs->setCurrentIndex(tab);
        RunUntilQuiet(paints);
        paints.Reset();
        RunEventLoop(1000);
        EXPECT_EQ(paints.Count(), 0) << "tab " << tab << ": " << paints.Painted();
    }
}

// A chart page's chart on the screen: drawn first, after Line() (a line chart
// whose last name and mark stay inside the chart) and after Bars() again,
// which shows the first view to the pixel.
inline void ExpectRebuildsLeaveNothingBehind(TChart* Chart, const std::function<void()>& Line,
                                             const std::function<void()>& Bars)
{
    TPaintCounter paints(Chart->window());
    RunUntilQuiet(paints);
    const QImage first = ScreenImage(Chart);
    Line();
    RunUntilQuiet(paints);
    const QImage line = ScreenImage(Chart);
    EXPECT_EQ(DarkPixelsOnBorder(line), 0) << "a label or mark cut off by the chart's edge";
    const QRectF inside(Chart->rect());
    for (const TChartLabel& l : Chart->AxisLabels())
        EXPECT_TRUE(inside.contains(l.Rect)) << l.Text.toStdString();
    Bars();
    RunUntilQuiet(paints);
    EXPECT_TRUE(ScreenImage(Chart) == first) << "the bars again are not the first view";
}
