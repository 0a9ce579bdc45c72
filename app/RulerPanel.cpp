#include "RulerPanel.h"

#include <QPainter>
#include <QTextOption>

TRulerPanel::TRulerPanel(QWidget* Parent) : QFrame(Parent)
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(11);
    setFont(f);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);
    setFrameShape(QFrame::NoFrame);
}

void TRulerPanel::SetCaption(const QString& Caption)
{
    caption_ = Caption;
    update();
}

int TRulerPanel::TabStopWidth() const
{
    return 8 * fontMetrics().averageCharWidth();
}

void TRulerPanel::paintEvent(QPaintEvent* Event)
{
    QFrame::paintEvent(Event);
    QPainter p(this);
    p.setFont(font());
    p.setPen(palette().color(QPalette::WindowText));
    QTextOption option(Qt::AlignLeft | Qt::AlignVCenter);
    option.setWrapMode(QTextOption::NoWrap);
    option.setTabStopDistance(TabStopWidth());
    p.drawText(QRectF(contentsRect()), caption_, option);
}

void TRulerPanel::resizeEvent(QResizeEvent* Event)
{
    QFrame::resizeEvent(Event);
    emit Resized();
}
