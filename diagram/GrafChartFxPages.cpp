// The ChartFX list page and the legend page of the diagram window.
#include "LemvGraf.h"

// Not built yet: neither page exists, so both builders fail (nullptr), as a
// page builder does, and the tab menu's "Создать Страницу" ends silently.
TCurrentPage* TGrafForm::AddChartFxListPage(const std::string&)
{
    return nullptr;
}

TCurrentPage* TGrafForm::AddLegendPage(const std::string&)
{
    return nullptr;
}
