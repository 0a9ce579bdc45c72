// The library's diagram window: creation with its two components, the
// installation lookup, the status of the active tab, and the word pages.
#include "WordGraf.h"

#include "InstallDir.h"
#include "MeanWrd.h"
#include "NumFormat.h"
#include "Win1251.h"
#include "WinPaths.h"

TWordGrafForm::TWordGrafForm(QWidget* Parent) : TGrafForm(Parent, TFormDefinitionOnly {})
{
    // The components connect as the form definition is read, before creation runs.
    WordApplication1.Connect();
    WordDocument1.Connect();
    FormCreate();
}

TGrafForm* CreateWordGrafForm()
{
    return new TWordGrafForm(nullptr);
}

void TWordGrafForm::GetInstallDir(const std::string& ProductKey, const std::string& UninstallName,
                                  const std::string& ExeName, std::string& Result)
{
    Result.clear();
    try {
        Result = UninstallDir(UninstallName);
        if (Result.empty())
            Result = ProductKeyDir(ProductKey, ExeName, Ansi("Установлен ли на Вашем ПК \"Lemvora v1.1\" ?!"));
    } catch (...) {
        Result.clear();
    }
}

std::string TWordGrafForm::InstallDirectory()
{
    std::string dir;
    GetInstallDir("\\Lemvora\\1.1", Ansi("Lemvora предвыборной борьбы"), "Lemvora.exe", dir);
    return dir;
}

// The installation directory itself, when there is one; else the dialog's own.
QString TWordGrafForm::DialogFolder()
{
    const std::string dir = Cut255(InstallDirectory());
    return dir.empty() ? QString() : HostPath(AnsiToQString(dir));
}

// The tab's index, whatever the page's note.
int TWordGrafForm::PageKindOf(const TCurrentPage&, int Index) const
{
    return Index;
}

// A list page disables all three buttons, a chart page enables saving and
// printing; mode 2 changes nothing.
void TWordGrafForm::UpdateStatus(TRecFileGraf* Page)
{
    try {
        auto* page = dynamic_cast<TCurrentPage*>(Page);
        if (!page)
            return;
        if (Mode == 0 || Mode == 3) {
            if (PageKind == 0)
                SetButtonsEnabled(false, true, true);
            else if (PageKind == 1)
                SetButtonsEnabled(false, false, false);
            ShowVerdicts(*page);
        } else if (Mode == 1) {
            SetButtonsEnabled(false, false, true);
        }
    } catch (...) {
    }
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
        Page->ClearSoundsAndScales();
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
