#pragma once
// A shape control: a figure drawn with a pen and filled with a brush colour.
// The legend page marks its five labels with circles.
#include "Canvas.h"

#include <QWidget>

enum TShapeType { stRectangle, stCircle };

class TShape : public QWidget {
    Q_OBJECT
public:
    explicit TShape(QWidget* Parent = nullptr) : QWidget(Parent) {}
    TShapeType Shape = stRectangle;
    TColor BrushColor = clWhite;
    TColor PenColor = clBlack;

protected:
    void paintEvent(QPaintEvent* Event) override;
};
