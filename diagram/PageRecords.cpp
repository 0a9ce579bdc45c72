#include "PageRecords.h"

#include "Errors.h"

TRecFileGraf::~TRecFileGraf()
{
    FreeScaleItems();
    FreeSoundItems();
    BarList.FreeObjects(CurBarItem);
}

// The entries stay until the caller clears the list; they no longer own anything.
void TRecFileGraf::FreeScaleItems()
{
    ScaleList.FreeObjects(CurScaleItem);
}

void TRecFileGraf::FreeSoundItems()
{
    SoundList.FreeObjects(CurSoundItem);
}

void TRecFileGraf::ClearSoundsAndScales()
{
    FreeSoundItems();
    SoundList.Clear();
    FreeScaleItems();
    ScaleList.Clear();
}

TChart* ChartOf(const TCurrentPage* Page)
{
    if (!Page || !Page->Chart)
        throw Exception("На странице нет диаграммы");
    return Page->Chart;
}
