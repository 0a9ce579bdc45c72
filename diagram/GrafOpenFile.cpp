// The diagram window's open command: a chart file ("*.chf") is handed to the
// chart control of the current page by name, and its companion files fill the
// pages: ".CNF" the ChartFX list page, ".FNF" the list page after it, ".CNA" a
// legend page. The files are read, never written.
//
// The chosen name stays a host path (QString) throughout, so no character of
// it is lost to the code page; it is cut to 255 characters as the window's
// names are.
#include "LemvGraf.h"

#include "ChartFiles.h"
#include "ChartFx.h"
#include "Errors.h"
#include "FileDialogs.h"
#include "InstallDir.h"
#include "RegularFile.h"
#include "Win1251.h"
#include "WinPaths.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QTabWidget>

namespace {

constexpr int kMaxNameLength = 255;

// The chart file's name with its extension replaced by Ext.
QString ChangeFileExt(const QString& FileName, const QString& Ext)
{
    const qsizetype dot = FileName.lastIndexOf(QLatin1Char('.'));
    const qsizetype slash = FileName.lastIndexOf(QLatin1Char('/'));
    return (dot > slash ? FileName.left(dot) : FileName) + Ext;
}

// The companion file of the chart file with extension Ext, found as Windows
// finds it (the case of the name does not matter); empty when it does not exist.
QString CompanionFile(const QString& FileName, const char* Ext)
{
    return FindFileIgnoringCase(ChangeFileExt(FileName, QLatin1String(Ext)));
}

// A companion file opened read-only, its bytes mapped (or read where the
// file cannot be mapped); closed when it goes. Raises when it cannot be
// opened or is no regular file (a FIFO or a device would block or never end).
class TCompanionBytes {
public:
    explicit TCompanionBytes(const QString& HostName)
    {
        if (!OpenRegularFile(file_, HostName))
            throw Exception("Cannot open file " + HostName.toStdString());
        const qint64 size = file_.size();
        if (const uchar* mapped = size > 0 ? file_.map(0, size) : nullptr) {
            bytes_ = { reinterpret_cast<const char*>(mapped), static_cast<size_t>(size) };
        } else {
            read_ = file_.readAll();
            bytes_ = { read_.constData(), static_cast<size_t>(read_.size()) };
        }
    }
    std::string_view Bytes() const { return bytes_; }

private:
    QFile file_;
    QByteArray read_;
    std::string_view bytes_;
};

template <typename T>
T* Need(T* Control)
{
    if (!Control)
        throw Exception("The page lacks a control of its kind");
    return Control;
}

} // namespace

void TGrafForm::SetTabCaption(TCurrentPage* Page, const std::string& Caption)
{
    const int index = PageControl1->indexOf(Need(Page->TabSheet));
    if (index < 0)
        throw Exception("The page has no tab");
    PageControl1->setTabText(index, AnsiToQString(Caption));
}

void TGrafForm::FileOpenSpeedButtonClick()
{
    PageControl1Change(PageControl1);
    TFileDialog dialog(TFileDialogKind::Open);
    dialog.Title = QStringLiteral("Открыть");
    dialog.Filter = QStringLiteral("Графические файлы (*.chf)|*.CHF");
    if (const QString folder = DialogFolder(); !folder.isEmpty())
        dialog.InitialDir = folder;
    if (!dialog.Execute())
        return;
    const QString fileName = dialog.FileName.left(kMaxNameLength);
    if (Mode == 0 || Mode == 3) {
        SetOpenKind(0);
        LoadPageFile(fileName, 0, OpenPageIndex, CurrentPage);
        SetOpenKind(1);
        CurrentPage = Pages.Objects(OpenPageIndex + 1);
        LoadPageFile(fileName, 1, OpenPageIndex + 1, CurrentPage);
        PageControl1Change(PageControl1);
    } else if (Mode == 1) {
        LoadLegendFile(fileName, CurrentPage);
    }
}

void TGrafForm::LoadPageFile(const QString& FileName, int Kind, int Index, TCurrentPage* Page)
{
    if (Kind == 1) {
        LoadListPageFile(FileName, Index, Page);
        return;
    }
    if (Kind != 0)
        return;
    try {
        const QString cnf = CompanionFile(FileName, ".CNF");
        if (cnf.isEmpty())
            return;
        Need(Page);
        Need(Page->ChartFx)->Invoke(TChartfx::miLoadChartFile, FileName);
        Page->ChartFx->setVisible(true);
        Need(Page->ListBox)->clear();

        const TCompanionBytes bytes(cnf);
        const TChartListFile file = ReadChartListFile(bytes.Bytes());
        for (const TChartListRecord& r : file.Records) {
            SetTabCaption(Page, r.Title);
            if (r.Lines)
                for (const std::string& line : *r.Lines)
                    Page->ListBox->addItem(AnsiToQString(line));
            if (r.Caption) {
                Need(Page->CaptionLabel)->setText(AnsiToQString(*r.Caption));
                Page->CaptionLabel->adjustSize();
            }
            if (r.CodingVerdict)
                Page->CodingVerdict = *r.CodingVerdict;
            if (r.RhythmVerdict)
                Page->RhythmVerdict = *r.RhythmVerdict;
        }
        if (file.End != TReadEnd::AtEnd)
            return;
        Pages.Strings(Index) = file.Records.empty() ? std::string() : file.Records.back().Title;

        // A text window shows the caption in place of a chart that has one;
        // a word window in place of one that is not a word's.
        const std::string caption = QStringToAnsi(Need(Page->CaptionLabel)->text());
        if ((Mode == 0 && !caption.empty()) || (Mode == 3 && caption != WordMarker())) {
            Page->ChartFx->setVisible(false);
            Page->CaptionLabel->setVisible(true);
            Page->ListBox->clear();
        }
    } catch (...) {
    }
}

void TGrafForm::LoadListPageFile(const QString& FileName, int Index, TCurrentPage* Page)
{
    try {
        if (CompanionFile(FileName, ".CNF").isEmpty())
            return;
        const TCompanionBytes bytes(CompanionFile(FileName, ".FNF"));
        Need(Page);
        Page->ClearSoundsAndScales();

        const TListPageFile file = ReadListPageFile(bytes.Bytes(), Mode);
        for (const TListPageRecord& r : file.Records) {
            Page->Title = r.Title;
            SetTabCaption(Page, r.Title);
            if (r.Marker)
                Page->Note = *r.Marker;
            if (r.Scales)
                for (const TScaleEntry& e : *r.Scales) {
                    Page->CurScaleItem = new ScaleItem { e.Name.substr(0, 14), e.Value };
                    Page->ScaleList.AddObject(e.Name, Page->CurScaleItem);
                }
            if (r.Sounds)
                for (const TSoundEntry& e : *r.Sounds) {
                    Page->CurSoundItem = new SoundItem();
                    Page->CurSoundItem->Z = e.Z;
                    Page->SoundList.AddObject(e.Line, Page->CurSoundItem);
                }
            std::string* const lines[] = { &Page->SoundTotalLine, &Page->SyllablesLine, &Page->HighShareLine,
                                           &Page->CodingVerdict, &Page->RhythmVerdict };
            for (size_t i = 0; i < r.Lines.size(); ++i)
                *lines[i] = r.Lines[i];
        }
        if (file.End == TReadEnd::AtEnd)
            Pages.Strings(Index) = file.Records.empty() ? std::string() : file.Records.back().Title;
    } catch (...) {
    }
}

void TGrafForm::LoadLegendFile(const QString& FileName, TCurrentPage* Page)
{
    try {
        const QString cna = CompanionFile(FileName, ".CNA");
        if (cna.isEmpty())
            return;
        Need(Need(Page)->ChartFx)->Invoke(TChartfx::miLoadChartFile, FileName);
        Page->ChartFx->setVisible(true);

        const TCompanionBytes bytes(cna);
        for (const TLegendRecord& r : ReadLegendFile(bytes.Bytes()).Records) {
            SetTabCaption(Page, r.Texts[0]);
            for (size_t i = 1; i < r.Texts.size(); ++i) {
                QLabel* label = Need(Page->LegendLabels[i - 1]);
                label->setText(AnsiToQString(r.Texts[i]));
                label->adjustSize();
            }
        }
    } catch (...) {
    }
}
