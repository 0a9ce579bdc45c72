#include "GrafStyle.h"

#include <QAbstractScrollArea>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyleOptionSlider>

namespace {

// The platform style with the scroll bar's thumb drawn in a darker button
// colour over the rest of the bar.
class TDarkThumbStyle : public QProxyStyle {
public:
    void drawComplexControl(ComplexControl Control, const QStyleOptionComplex* Option, QPainter* Painter,
                            const QWidget* Widget) const override
    {
        const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(Option);
        if (Control != CC_ScrollBar || !bar) {
            QProxyStyle::drawComplexControl(Control, Option, Painter, Widget);
            return;
        }
        QStyleOptionSlider rest = *bar;
        rest.subControls &= ~SC_ScrollBarSlider;
        QProxyStyle::drawComplexControl(Control, &rest, Painter, Widget);
        if (!(bar->subControls & SC_ScrollBarSlider))
            return;
        QStyleOptionSlider thumb = *bar;
        thumb.subControls = SC_ScrollBarSlider;
        thumb.palette.setColor(QPalette::Button, thumb.palette.color(QPalette::Button).darker(125));
        QProxyStyle::drawComplexControl(Control, &thumb, Painter, Widget);
    }
};

} // namespace

void UseDarkThumbs(QAbstractScrollArea* Area)
{
    auto* style = new TDarkThumbStyle();
    style->setParent(Area);
    Area->horizontalScrollBar()->setStyle(style);
    Area->verticalScrollBar()->setStyle(style);
}
