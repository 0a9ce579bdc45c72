#pragma once
// The library's diagram window: the program's window showing one word
// analysis in mode 3, a chart page and a list page with the note "Слово". It
// holds the word processor's application and document components, which
// connect while the window is created; its chart tool bar, series, status,
// painting, saving, printing and installation lookup are its own.
#include "LemvGraf.h"
#include "PhonText.h"
#include "WordComponents.h"

#include <QList>
#include <QPixmap>

#include <string>
#include <vector>

class QToolBar;

class TWordGrafForm : public TGrafForm {
    Q_OBJECT
public:
    // Connects the two components, then runs the window's creation. Without
    // the word processor the connection fails (EOleError) and no window exists.
    explicit TWordGrafForm(QWidget* Parent = nullptr);

    TWordApplication WordApplication1;
    TWordDocument WordDocument1;
    // The chart tool bar's images: the strip "SMALLIMAGES", added again for
    // every chart page; the buttons use the first four.
    QList<QPixmap> AGrafImageList;

    // The chart page's series from its significant scales: all of them with
    // their values marked, or only those of 9 and more.
    void BuildFullLineChart();
    void BuildLineChart() override;
    void BuildFullHorizBars();
    void BuildHorizBars() override;

    void UpdateStatus(TRecFileGraf* Page) override;
    void FormPaint(QObject* Sender) override;
    // The tab takes the shown page's title; then the program's arrangement.
    void ArrangeListPage() override;
    // The list painting with fixed distances.
    void PaintWordListPage(TRecFileGraf* Page);
    // Bars of the significant values of 9 and more against a ruler of 10..20.
    void PaintScaleBars(TRecFileGraf* Page, bool Shadow, TColor ShadowColor);

    void FileSaveSpeedButtonClick() override;
    void PrintSpeedButtonClick() override;
    void PrintBitmap(const QImage* Bitmap, int Divisor) override;
    // The page's caption label on a sheet of its own.
    void PrintPageTitle(TRecFileGraf* Page);
    // A word page into the connected application's document: the picture in
    // FileName and the 25 scales; saved under FileName with ".DOC".
    void ExportWordPageToWord(TRecFileGraf* Page, const std::string& FileName);
    // The installation directory from the uninstall entry, else from the
    // product key; no file search and no drive scan.
    void GetInstallDir(const std::string& ProductKey, const std::string& UninstallName, const std::string& ExeName,
                       std::string& Result);

protected:
    std::string InstallDirectory() override;
    QString DialogFolder() override;
    void MakeChartToolBar(TCurrentPage* Page) override;
    void DrawPageSeries(TChart* Chart) override;
    int PageKindOf(const TCurrentPage& Page, int Index) const override;
    int ListLineStep() const override;

private:
    // Buttons without captions: image c counts down from FirstImageIndex, the
    // divider included; the image decides what the button does.
    void MakeToolButtons(QToolBar* Bar, const std::vector<std::string>& Captions, int HighIndex, int FirstImageIndex,
                         const std::vector<std::string>& Hints);
};

// A new word window; creation failures pass on.
TGrafForm* CreateWordGrafForm();

// Fills a word page (chart or list) from the analysis: the significant scales
// in ranking order (at most 14), all 25 scales leaning to their pole, and the
// mirrored values. Does nothing unless Analysis is a word analysis.
void FillWordPage(TRecFileGraf* Page, const std::string& Word, TFileViewMem* Analysis);
