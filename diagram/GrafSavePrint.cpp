// The save and print commands of the diagram window: the chart as a bitmap
// file and a document, the chart and the full list on the printer.
#include "GrafSavePrint.h"
#include "LemvGraf.h"

#include "Application.h"
#include "Chart.h"
#include "Errors.h"
#include "GrafExport.h"
#include "InstallDir.h"
#include "ListLayout.h"
#include "MymsgDlg.h"
#include "PrintReport.h"
#include "Printer.h"
#include "SafeFile.h"
#include "Siblings.h"
#include "Win1251.h"
#include "WinPaths.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPaintDevice>
#include <QPainter>
#include <QTabWidget>

#include <cmath>

QImage ChartSnapshot(TChart& Chart)
{
    Chart.BackColor = clWhite;
    Chart.Color = clWhite;
    // Button face afterwards, also when drawing fails.
    struct Restore {
        TChart& chart;
        ~Restore()
        {
            chart.BackColor = clBtnFace;
            chart.Color = clBtnFace;
            chart.Repaint();
        }
    } restore { Chart };
    return Chart.DrawToBitmap();
}

void SaveBitmapFile(const QImage& Bitmap, const QString& HostName)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // No alpha channel: a plain 24-bit bitmap.
    if (!Bitmap.convertToFormat(QImage::Format_RGB32).save(&buffer, "BMP"))
        throw Exception("Не удалось построить рисунок");
    WriteFileWhole(HostName, bytes);
}

QRect PlaceBitmap(QSize PageSize, QPoint Offset, QSize BitmapSize, int Divisor)
{
    const int W = PageSize.width(), H = PageSize.height();
    const int AW = W - 2 * Offset.x(), AH = H - 2 * Offset.y();
    const int bw = BitmapSize.width(), bh = BitmapSize.height();
    if (bw <= 0 || bh <= 0 || Divisor == 0)
        throw Exception("Нечего печатать: пустой рисунок");
    // The orientations decide, not the aspect ratios.
    if ((AH >= AW && bw >= bh) || (AH < AW && bw > bh)) {
        const int height = static_cast<int>(std::trunc(static_cast<long double>(bh) * AW / bw));
        return QRect(Offset.x(), H / Divisor - height / Divisor, AW, height);
    }
    const int width = static_cast<int>(std::trunc(static_cast<long double>(bw) * AH / bh));
    return QRect(W / Divisor - width / Divisor, Offset.y(), width, AH);
}

void DrawPrintedList(TCanvas& C, TRecFileGraf& Page, int Width, int Height, bool Colours)
{
    UseListFont(C, 10);
    const int R = Height / 56;
    const int b = Page.Note.empty() ? 2 : 16;
    C.TextOut(Width / 16, Height / b, AnsiToQString(Ansi("Полный анализ текста  -  ") + Page.Title));

    // The rows' x positions derive from the page's height, the title's from its width.
    TListLayout layout;
    layout.Top = Height / b + Height / 16;
    layout.Row = R;
    layout.NameX = Height / 16;
    layout.ValueX = Height / 4;
    layout.RuleOffset = 40;
    layout.RuleBelow = R;
    layout.SoundGap = 50;
    layout.BottomRuleRows = 1;
    layout.SummaryGap = 70;
    layout.SummaryFirst = R;
    layout.SummaryStep = R;
    layout.Colours = Colours;
    const TListMarks marks = DrawPageList(C, Page, layout);
    // The verdicts in the summary's colour.
    C.TextOut(marks.X0, marks.RuleY + 6 * R, AnsiToQString(Page.CodingVerdict));
    C.TextOut(marks.X0, marks.RuleY + 7 * R, AnsiToQString(Page.RhythmVerdict));
}

TPrinterCanvas::TPrinterCanvas() : TPainterCanvas(Printer().Canvas())
{
    const QPaintDevice* device = Printer().Canvas().device();
    Font.PixelsPerInch = device ? device->logicalDpiY() : 96;
}

void TGrafForm::PrintListPage(TRecFileGraf* Page)
{
    auto* page = dynamic_cast<TCurrentPage*>(Page);
    if (!page)
        return;
    IPrinter& printer = Printer();
    TPrinterCanvas canvas;
    try {
        DrawPrintedList(canvas, *page, printer.PageWidth(), printer.PageHeight(), ColorPrinterMode == 1);
    } catch (...) {
        // The list ends where it failed; the caller ends the document.
    }
}

void PrintFittedBitmap(const QImage& Bitmap, int Divisor, const std::function<void()>& SameSheet)
{
    IPrinter& printer = Printer();
    printer.BeginDoc();
    try {
        QImage copy = Bitmap.convertToFormat(QImage::Format_RGB888);
        // A palette device draws indexed colours: the copy brings its own table.
        if (printer.HasPalette())
            copy = copy.convertToFormat(QImage::Format_Indexed8);
        QPoint offset;
        if (!printer.PrintingOffset(offset))
            offset = QPoint();
        const QRect dest =
            PlaceBitmap(QSize(printer.PageWidth(), printer.PageHeight()), offset, copy.size(), Divisor);
        printer.StretchDIBits(dest, copy, copy.rect());
        if (SameSheet)
            SameSheet();
    } catch (...) {
        printer.EndDoc();
        throw;
    }
    printer.EndDoc();
}

void TGrafForm::PrintBitmap(const QImage* Bitmap, int Divisor)
{
    if (!Bitmap)
        return;
    PrintFittedBitmap(*Bitmap, Divisor, [this] {
        if (Mode == 0)
            PrintListPage(CurrentPage);
    });
}

QImage ScratchSnapshot(TChart& Chart)
{
    QImage bitmap = ChartSnapshot(Chart);
    const QString scratch = HostPath(QStringLiteral("MyBitmap.bmp"));
    SaveBitmapFile(bitmap, scratch);
    if (!bitmap.load(scratch))
        throw Exception("Не удалось прочитать рисунок MyBitmap.bmp");
    return bitmap;
}

void TGrafForm::PrintChartPicture()
{
    const TBusyCursor busy;
    const QImage bitmap = ScratchSnapshot(*ChartOf(CurrentPage));
    PrintBitmap(&bitmap, 16);
}

void TGrafForm::RunPrintCommand(const std::function<void()>& PrintPage)
{
    WithSibling(QStringLiteral("Yestrel.Dll"), [&](TSibling& Library) {
        ColorPrinterMode = Library.Proc<int()>("ColorPrinter")();
        PageControl1Change(PageControl1);
        PrintAndTellFile(PrintPage, [](const QString& File) {
            MyShowMessage(QStringLiteral("Страница напечатана в файл:\n%1").arg(File));
        });
    });
}

void TGrafForm::PrintSpeedButtonClick()
{
    RunPrintCommand([this] {
        if (!CurrentPage)
            return;
        // A page with a note prints as a list, wherever its tab stands.
        if (PageKind == 0 && CurrentPage->Note.empty()) {
            PrintChartPicture();
        } else if (PageKind == 0 || PageKind == 1) {
            const TBusyCursor busy;
            IPrinter& printer = Printer();
            printer.BeginDoc();
            if (Mode == 0)
                PrintListPage(CurrentPage);
            printer.EndDoc();
        }
    });
}

namespace {

// Whether the files may be written: none of them exists, or the user agrees
// to replace those that do.
bool MayReplaceFiles(const QStringList& HostNames)
{
    QStringList existing;
    for (const QString& name : HostNames)
        if (QFileInfo::exists(name))
            existing << QStringLiteral("«%1»").arg(name);
    if (existing.isEmpty())
        return true;
    const QString question = existing.size() == 1
        ? QStringLiteral("Файл %1 уже существует.\nЗаменить его?").arg(existing.first())
        : QStringLiteral("Файлы %1 уже существуют.\nЗаменить их?").arg(existing.join(QStringLiteral(" и ")));
    return MyMessageDlg(question, mdConfirmation, TMyDlgButtons { mdbYes, mdbNo }, 0) == 6;
}

// The chosen name as the document's name travels: Windows-1251, at most 255
// characters. False, after telling the user, for a name that does not fit.
bool DocumentFileName(const QString& Chosen, std::string& Name)
{
    Name = QStringToAnsi(Chosen);
    if (Name.size() <= 255 && AnsiToQString(Name) == Chosen)
        return true;
    MyShowMessage(QStringLiteral("Имя «%1» не подходит для документа: оно длиннее 255 знаков или содержит знаки, "
                                 "которых нет в кириллической кодировке Windows. Выберите другое имя.")
                      .arg(Chosen));
    return false;
}

} // namespace

bool MaySaveAs(const QString& Chosen, bool Bitmap, bool Document, std::string& Name)
{
    if (Document && !DocumentFileName(Chosen, Name))
        return false;
    QStringList targets;
    if (Bitmap)
        targets << Chosen;
    if (Document)
        targets << HostPath(AnsiToQString(WordDocumentName(Name)));
    return MayReplaceFiles(targets);
}

bool TGrafForm::ExecuteSaveDialog(bool Bitmap)
{
    SaveDialog1.Filter = Bitmap ? QStringLiteral("Bmp files (*.bmp)|*.bmp") : QStringLiteral("DOC files (*.doc)|*.doc");
    SaveDialog1.DefaultExt = Bitmap ? QStringLiteral("bmp") : QStringLiteral("doc");
    if (const QString folder = DialogFolder(); !folder.isEmpty())
        SaveDialog1.InitialDir = folder;
    return SaveDialog1.Execute();
}

void TGrafForm::FileSaveSpeedButtonClick()
{
    PageControl1Change(PageControl1);
    if (!CurrentPage)
        return;
    const bool chart = CurrentPage->Note.empty();
    if (!ExecuteSaveDialog(chart))
        return;
    if (Mode != 0 && Mode != 2)
        return;

    const QString chosen = SaveDialog1.FileName;
    const bool document = Mode != 2;
    std::string name;
    if (!MaySaveAs(chosen, chart, document, name))
        return;

    if (chart)
        SaveBitmapFile(ChartSnapshot(*ChartOf(CurrentPage)), chosen);
    if (document)
        ExportToWord(CurrentPage, name);
}
