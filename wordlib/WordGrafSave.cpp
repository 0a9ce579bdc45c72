// Saving, printing and exporting word pages: the chart as a bitmap and as a
// document of the connected word processor, the chart with the scale list on
// one printed sheet.
#include "WordGraf.h"

#include "Application.h"
#include "Chart.h"
#include "ChartFiles.h"
#include "Errors.h"
#include "GrafExport.h"
#include "GrafSavePrint.h"
#include "MeanWrd.h"
#include "NumFormat.h"
#include "Printer.h"
#include "Win1251.h"

#include <QLabel>
#include <QTabWidget>

namespace {

bool IsWordPage(const TRecFileGraf& Page)
{
    return Page.Note == WordMarker();
}

} // namespace

void TWordGrafForm::FileSaveSpeedButtonClick()
{
    PageControl1Change(PageControl1);
    // Always a bitmap; the word's pages get the document too.
    if (!ExecuteSaveDialog(true))
        return;
    if ((Mode != 0 && Mode != 3) || !CurrentPage)
        return;

    const QString chosen = SaveDialog1.FileName;
    const bool document = IsWordPage(*CurrentPage);
    std::string name = Cut255(QStringToAnsi(chosen));
    if (!MaySaveAs(chosen, true, document, name))
        return;
    SaveBitmapFile(ChartSnapshot(*ChartOf(CurrentPage)), chosen);
    ExportWordPageToWord(CurrentPage, name);
}

void TWordGrafForm::ExportWordPageToWord(TRecFileGraf* Page, const std::string& FileName)
{
    auto* page = dynamic_cast<TCurrentPage*>(Page);
    if (!page || !IsWordPage(*page))
        return;
    // The question is asked where the key is missing; the export goes on alike.
    AskWordBasic8();
    WordApplication1.SetVisible(true);
    // Released at the end, also when a command fails.
    const AutomationRef word = WordApplication1.WordBasic();
    IAutomationObject& W = *word;
    WordHeading(W, Ansi("Фоносемантика слова (полный анализ) - "), page->Title);
    WordPicture(W, FileName);
    // As many rows as significant scales; the cells of all 25 go into it.
    WordTable(W, 2, page->SignificantNames.Count());
    for (int i = 0; i < page->ScaleList.Count(); ++i) {
        page->CurScaleItem = page->ScaleList.Objects(i);
        if (!page->CurScaleItem)
            throw Exception("В списке шкал нет значения");
        const ScaleItem& item = *page->CurScaleItem;
        W.Call(QStringLiteral("TableSelectRow"));
        W.Call(QStringLiteral("CharColor"), { MarksScaleValue(item.Value) ? 6 : 1 });
        WordInsert(W, item.Name);
        W.Call(QStringLiteral("NextCell"));
        WordInsert(W, FormatFixed(item.Value, 5, 2));
        WordInsert(W, "\t");
        if (i < page->ScaleList.Count() - 1)
            W.Call(QStringLiteral("NextCell"));
    }
    W.Call(QStringLiteral("EndOfDocument"));
    WordInsert(W, "\t");
    WordBreaks(W, 2);
    WordSaveAndClose(W, FileName);
}

void TWordGrafForm::PrintSpeedButtonClick()
{
    RunPrintCommand([this] {
        // Only the chart tab prints.
        if (PageKind != 0 || !CurrentPage)
            return;
        if (IsWordPage(*CurrentPage))
            PrintChartPicture();
        else
            PrintPageTitle(CurrentPage);
    });
}

void TWordGrafForm::PrintBitmap(const QImage* Bitmap, int Divisor)
{
    if (!Bitmap)
        return;
    PrintFittedBitmap(*Bitmap, Divisor, [this] {
        if (Mode == 3 && CurrentWordAnalysis)
            CurrentWordAnalysis->PrintScaleList(CurrentPage, ColorPrinterMode);
    });
}

void TWordGrafForm::PrintPageTitle(TRecFileGraf* Page)
{
    auto* page = dynamic_cast<TCurrentPage*>(Page);
    if (!page)
        return;
    IPrinter& printer = Printer();
    printer.BeginDoc();
    try {
        if (!page->CaptionLabel)
            throw Exception("У страницы нет подписи");
        TPrinterCanvas c;
        c.Font.Name = QStringLiteral("Times New Roman");
        c.Font.Size = 8;
        // x from the page's height, y from its width.
        c.TextOut(printer.PageHeight() / 16, printer.PageWidth() / 32, page->CaptionLabel->text());
    } catch (...) {
        printer.EndDoc();
        throw;
    }
    printer.EndDoc();
}
