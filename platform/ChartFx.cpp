#include "ChartFx.h"

#include "Errors.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {
bool g_registered = true;
}

void SetChartfxRegistered(bool Registered)
{
    g_registered = Registered;
}

TChartfx::TChartfx(QWidget* Parent) : QWidget(Parent)
{
    if (!g_registered)
        throw EOleError("Class not registered");
    setObjectName(QStringLiteral("ChartFx"));
    watched_ = Parent;
    if (watched_)
        watched_->installEventFilter(this);
    Realign();
}

void TChartfx::SetProp(int Index, TPropKind Kind, int32_t Value)
{
    log_.push_back({ Index, Kind, Value });
    if (Index == piRGBBk)
        update();
}

void TChartfx::SetColorProp(int Index, TColor Value)
{
    SetProp(Index, TPropKind::Color, Value);
}

void TChartfx::SetInt16Prop(int Index, int16_t Value)
{
    SetProp(Index, TPropKind::Int16, Value);
}

void TChartfx::SetInt32Prop(int Index, int32_t Value)
{
    SetProp(Index, TPropKind::Int32, Value);
}

void TChartfx::SetBool16Prop(int Index, bool Value)
{
    SetProp(Index, TPropKind::Bool16, Value ? -1 : 0);
}

std::optional<TChartfx::TProperty> TChartfx::Property(int Index) const
{
    const auto it = std::find_if(log_.rbegin(), log_.rend(), [Index](const TProperty& p) { return p.Index == Index; });
    if (it == log_.rend())
        return std::nullopt;
    return *it;
}

int TChartfx::Invoke(int DispId, const QString& Argument)
{
    if (DispId != miLoadChartFile)
        throw EOleError("Member not found");
    chartFile_ = Argument;
    update();
    return 0;
}

void TChartfx::SetAlign(TAlign Value)
{
    align_ = Value;
    Realign();
}

// The parent's resizes move an aligned control along.
bool TChartfx::event(QEvent* Event)
{
    if (Event->type() == QEvent::ParentChange) {
        if (watched_)
            watched_->removeEventFilter(this);
        watched_ = parentWidget();
        if (watched_)
            watched_->installEventFilter(this);
        Realign();
    }
    return QWidget::event(Event);
}

bool TChartfx::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == watched_ && Event->type() == QEvent::Resize)
        Realign();
    return QWidget::eventFilter(Watched, Event);
}

void TChartfx::Realign()
{
    const QWidget* p = parentWidget();
    if (!p || align_ == alNone)
        return;
    const QRect r = p->contentsRect();
    QRect g = geometry();
    switch (align_) {
    case alClient: g = r; break;
    case alTop: g = QRect(r.left(), r.top(), r.width(), g.height()); break;
    case alBottom: g = QRect(r.left(), r.bottom() + 1 - g.height(), r.width(), g.height()); break;
    case alLeft: g = QRect(r.left(), r.top(), g.width(), r.height()); break;
    case alRight: g = QRect(r.right() + 1 - g.width(), r.top(), g.width(), r.height()); break;
    case alNone: break;
    }
    setGeometry(g);
}

void TChartfx::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const auto bk = Property(piRGBBk);
    painter.fillRect(rect(), ToQColor(bk ? bk->Value : clBtnFace));
    if (chartFile_.isEmpty())
        return;
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect box = rect().adjusted(8, 8, -8, -8);
    const QString text = painter.fontMetrics().elidedText(chartFile_, Qt::ElideMiddle, box.width());
    painter.drawText(box, Qt::AlignCenter, text);
}
