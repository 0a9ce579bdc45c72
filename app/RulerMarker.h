#pragma once
// An indent marker of the ruler: a picture that hands the mouse's press, moves
// and release on it to the window, in its own coordinates. A press keeps the
// mouse on the marker until the release, wherever the pointer goes.
#include <QLabel>

class TRulerMarker : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void MouseMove(Qt::KeyboardModifiers Shift, int X, int Y);
    void MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);

protected:
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
};
