#include "WordGraf.h"

#include "MeanWrd.h"
#include "NumFormat.h"
#include "Win1251.h"

TGrafForm* CreateWordGrafForm()
{
    return new TGrafForm(nullptr);
}

void FillWordPage(TRecFileGraf* Page, const std::string& Word, TFileViewMem* Analysis)
{
    try {
        auto* analysis = dynamic_cast<TStrShowAsscent*>(Analysis);
        if (!analysis || !Page)
            return;
        Page->Title = Cut255(Word);
        Page->SignificantNames.Clear();
        Page->SignificantValues.Clear();
        // Empty ranking slots hold 0 and end the walk.
        for (int i = 1; i <= 14 && WordTopList.Slots[i].Value >= 3.4; ++i) {
            const BipolarScale& s = analysis->Scales[WordTopList.Slots[i].Index];
            const double v = s.Value;
            if (v <= 2.6) {
                Page->SignificantNames.Add(s.LeftName);
                Page->SignificantValues.Add(FormatFixed(6.0L - v, 5, 2));
            } else {
                Page->SignificantNames.Add(s.RightName);
                Page->SignificantValues.Add(FormatFixed(v, 5, 2));
            }
        }
        Page->FreeSoundItems();
        Page->SoundList.Clear();
        Page->FreeScaleItems();
        Page->ScaleList.Clear();
        for (int k = 1; k <= BipolarScaleCount; ++k) {
            const BipolarScale& s = analysis->Scales[k];
            const double v = s.Value;
            const bool left = v <= 2.6;
            Page->CurScaleItem = new ScaleItem { (left ? s.LeftName : s.RightName).substr(0, 14), left ? 6.0 - v : v };
            Page->ScaleList.AddObject(s.LeftName, Page->CurScaleItem);
            Page->CurSoundItem = new SoundItem();
            Page->CurSoundItem->Z = 6.0 - v;
            Page->SoundList.AddObject(s.RightName + " (" + FormatFixed(6.0L - v, 7, 2) + ")", Page->CurSoundItem);
        }
    } catch (...) {
    }
}
