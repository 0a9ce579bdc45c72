#include "PaintBox.h"

#include <QPainter>

TPaintBox::TPaintBox(QWidget* Parent) : QWidget(Parent)
{
    // Paints all of itself, so no paint reaches the widgets below.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPaintBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    TPainterCanvas canvas(painter);
    canvas.BrushColor = Color;
    // The ground first: a paint routine may decide to draw nothing.
    canvas.FillRect(rect());
    RunOnPaint(active_, canvas);
}

void TPaintBox::Measure(TMeasuringCanvas& Into)
{
    RunOnPaint(measuring_, Into);
}

void TPaintBox::RunOnPaint(TCanvas*& Slot, TCanvas& Canvas)
{
    Slot = &Canvas;
    try {
        if (OnPaint)
            OnPaint(this);
    } catch (...) {
    }
    Slot = nullptr;
}
