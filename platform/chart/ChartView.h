#pragma once
// The Qt view a chart shows in: it hands its background and foreground to the
// chart's own drawing (ChartPaint.cpp).
#include <QChartView>

class TQtChart;

class TChartViewImpl : public QChartView {
public:
    TChartViewImpl(QChart* Chart, TQtChart* Owner) : QChartView(Chart), owner_(Owner) {}

protected:
    void drawBackground(QPainter* Painter, const QRectF& Rect) override;
    void drawForeground(QPainter* Painter, const QRectF& Rect) override;

private:
    TQtChart* owner_;
};
