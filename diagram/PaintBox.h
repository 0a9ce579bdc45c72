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
    // The canvas while painting or measuring (or the test canvas); nullptr otherwise.
    TCanvas* Canvas() const { return measuring_ ? measuring_ : TestCanvas ? TestCanvas : active_; }
    // Runs OnPaint on Into instead of the screen: what it would draw and where.
    void Measure(TMeasuringCanvas& Into);

protected:
    void paintEvent(QPaintEvent* Event) override;

private:
    // OnPaint with Canvas in Slot while it runs; its failures end it quietly.
    void RunOnPaint(TCanvas*& Slot, TCanvas& Canvas);

    TCanvas* active_ = nullptr;
    TCanvas* measuring_ = nullptr;
};
