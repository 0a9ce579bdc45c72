#include "RulerMarker.h"

#include <QMouseEvent>

void TRulerMarker::mousePressEvent(QMouseEvent* Event)
{
    const QPoint p = Event->position().toPoint();
    emit MouseDown(Event->button(), Event->modifiers(), p.x(), p.y());
}

// The second press of a double click is a press like the first.
void TRulerMarker::mouseDoubleClickEvent(QMouseEvent* Event)
{
    mousePressEvent(Event);
}

void TRulerMarker::mouseMoveEvent(QMouseEvent* Event)
{
    const QPoint p = Event->position().toPoint();
    emit MouseMove(Event->modifiers(), p.x(), p.y());
}

void TRulerMarker::mouseReleaseEvent(QMouseEvent* Event)
{
    const QPoint p = Event->position().toPoint();
    emit MouseUp(Event->button(), Event->modifiers(), p.x(), p.y());
}
