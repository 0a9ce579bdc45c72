#include "PageRecords.h"

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
