// The chart widget's own half: its drawing comes from the chart module, which
// is loaded with the first chart and stays loaded.
#include "Chart.h"

#include "Application.h"
#include "ChartDrawing.h"
#include "Errors.h"

#include <QFile>

#include <dlfcn.h>

TMakeChartDrawing LoadChartDrawingMaker(const QString& Folder)
{
    const QString path = Folder + QLatin1Char('/') + QLatin1String(kChartModuleFile);
    void* module = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        const char* why = dlerror();
        throw Exception(QStringLiteral("Не удалось загрузить модуль диаграмм %1: %2")
                            .arg(path, QString::fromLocal8Bit(why ? why : ""))
                            .toStdString());
    }
    auto make = reinterpret_cast<TMakeChartDrawing>(dlsym(module, kMakeChartDrawing));
    if (!make)
        throw Exception(QStringLiteral("Модуль диаграмм %1 не содержит %2")
                            .arg(path, QLatin1String(kMakeChartDrawing))
                            .toStdString());
    return make;
}

namespace {

// Loaded once; a failed load is tried again with the next chart.
TMakeChartDrawing ChartDrawingMaker()
{
    static const TMakeChartDrawing maker = LoadChartDrawingMaker(ProgramDir());
    return maker;
}

} // namespace

TChart::TChart(QWidget* Parent) : QWidget(Parent)
{
    drawing_.reset(ChartDrawingMaker()(*this));
}

TChart::~TChart() = default;

void TChart::Repaint()
{
    drawing_->Build();
    update();
}

QImage TChart::DrawToBitmap()
{
    return drawing_->DrawToBitmap();
}

QRect TChart::PlotRect() const
{
    return drawing_->PlotRect();
}

std::vector<TChartLabel> TChart::AxisLabels() const
{
    return drawing_->AxisLabels();
}

void TChart::showEvent(QShowEvent* Event)
{
    drawing_->Build();
    QWidget::showEvent(Event);
}

void TChart::resizeEvent(QResizeEvent* Event)
{
    drawing_->Resized();
    QWidget::resizeEvent(Event);
}
