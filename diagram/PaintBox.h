#pragma once
// The paint box of a list page: its paint event runs OnPaint with Canvas()
// drawing on it. A test canvas, when set, takes every drawing instead.
#include "Canvas.h"

#include <QWidget>

#include <functional>

class TPaintBox : public QWidget {
    Q_OBJECT
public:
    explicit TPaintBox(QWidget* Parent = nullptr);
    std::function<void(QObject* Sender)> OnPaint;
    TColor Color = clBtnFace;
    TCanvas* TestCanvas = nullptr;
    // The canvas while painting (or the test canvas); nullptr otherwise.
    TCanvas* Canvas() const { return TestCanvas ? TestCanvas : active_; }

protected:
    void paintEvent(QPaintEvent* Event) override;

private:
    TCanvas* active_ = nullptr;
};
