#include "Printer.h"
#include <memory>
#include <utility>
#include <QTextCursor>
#include <QTextBlock>
#include "Errors.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QTextDocument>

namespace {
IPrinter* g_override = nullptr;

QString RectText(const QRect& R)
{
    return QStringLiteral("%1,%2,%3,%4").arg(R.x()).arg(R.y()).arg(R.width()).arg(R.height());
}
} // namespace

IPrinter& Printer()
{
    static TQtPrinter real;
    return g_override ? *g_override : real;
}

void SetPrinter(IPrinter* P)
{
    g_override = P;
}

// ---- the real printer

TQtPrinter::TQtPrinter() : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    // Without any printer the output goes into a PDF file in the user's documents.
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        // A documents folder that does not exist would fail every print job.
        QString dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (dir.isEmpty() || !QDir(dir).exists())
            dir = QDir::homePath();
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(QDir(dir).filePath(QStringLiteral("Lemvora.pdf")));
        // The pages' layouts keep fixed gaps of a few dozen printer pixels
        // between columns; the file prints at a laser printer's 600 dots per
        // inch, where they are a few millimetres, not the one of a finer grid.
        printer_->setResolution(600);
    }
}

TQtPrinter::~TQtPrinter() = default;

bool TQtPrinter::ExecuteDialog(const TPrintDialogOptions& Options, TPrintRange& Range)
{
    QPrintDialog dialog(printer_.get(), QApplication::activeWindow());
    QAbstractPrintDialog::PrintDialogOptions opts;
    if (Options.PrintToFile)
        opts |= QAbstractPrintDialog::PrintToFile;
    if (Options.PageNumbers)
        opts |= QAbstractPrintDialog::PrintPageRange;
    if (Options.Selection)
        opts |= QAbstractPrintDialog::PrintSelection;
    opts |= QAbstractPrintDialog::PrintShowPageSize;
    dialog.setOptions(opts);
    dialog.setPrintRange(QAbstractPrintDialog::AllPages);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    switch (dialog.printRange()) {
    case QAbstractPrintDialog::Selection:
        Range = TPrintRange::Selection;
        break;
    case QAbstractPrintDialog::PageRange:
        Range = TPrintRange::PageNums;
        break;
    default:
        Range = TPrintRange::AllPages;
        break;
    }
    return true;
}

void TQtPrinter::BeginDoc(const QString& Title)
{
    if (painter_)
        throw Exception("Printing in progress");
    printer_->setDocName(Title);
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(printer_.get()))
        throw Exception("Printer selected is not valid");
    painter_ = std::move(painter);
}

void TQtPrinter::EndDoc()
{
    if (!painter_)
        throw Exception("Printer is not currently printing");
    painter_->end();
    painter_.reset();
}

void TQtPrinter::NewPage()
{
    if (!painter_)
        throw Exception("Printer is not currently printing");
    printer_->newPage();
}

bool TQtPrinter::Printing() const
{
    return painter_ != nullptr;
}

QPainter& TQtPrinter::Canvas()
{
    if (!painter_)
        throw Exception("Printer is not currently printing");
    return *painter_;
}

int TQtPrinter::PageWidth() const
{
    return printer_->pageLayout().paintRectPixels(printer_->resolution()).width();
}

int TQtPrinter::PageHeight() const
{
    return printer_->pageLayout().paintRectPixels(printer_->resolution()).height();
}

bool TQtPrinter::PrintingOffset(QPoint& Offset) const
{
    Offset = printer_->pageLayout().paintRectPixels(printer_->resolution()).topLeft();
    return true;
}

bool TQtPrinter::HasPalette() const
{
    return false; // every device Qt drives takes true colours
}

void TQtPrinter::StretchDIBits(const QRect& Dest, const QImage& Bits, const QRect& Source)
{
    Canvas().drawImage(Dest, Bits, Source);
}

void TQtPrinter::PrintDocument(const QTextDocument& Doc, const QString& Title)
{
    if (painter_)
        throw Exception("Printing in progress");
    printer_->setDocName(Title);
    // Indents are held in screen pixels (1/96 inch); on the printer's finer
    // grid they have to grow with its resolution, or they all but vanish.
    std::unique_ptr<QTextDocument> copy(Doc.clone());
    const qreal scale = printer_->logicalDpiX() / 96.0;
    for (QTextBlock block = copy->begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat format = block.blockFormat();
        format.setTextIndent(format.textIndent() * scale);
        format.setLeftMargin(format.leftMargin() * scale);
        format.setRightMargin(format.rightMargin() * scale);
        QTextCursor(block).setBlockFormat(format);
    }
    copy->print(printer_.get());
}

// ---- the recording printer

TRecordingPrinter::TRecordingPrinter(int Width, int Height) : width_(Width), height_(Height) {}

TRecordingPrinter::~TRecordingPrinter()
{
    if (painter_)
        painter_->end();
}

bool TRecordingPrinter::ExecuteDialog(const TPrintDialogOptions& Options, TPrintRange& Range)
{
    Calls << QStringLiteral("Dialog");
    LastOptions = Options;
    if (!DialogAnswer)
        return false;
    Range = DialogRange;
    return true;
}

void TRecordingPrinter::BeginDoc(const QString& Title)
{
    if (painter_)
        throw Exception("Printing in progress");
    Calls << QStringLiteral("BeginDoc ") + Title;
    Picture = QPicture();
    painter_ = std::make_unique<QPainter>(&Picture);
}

void TRecordingPrinter::EndDoc()
{
    if (!painter_)
        throw Exception("Printer is not currently printing");
    painter_->end();
    painter_.reset();
    Calls << QStringLiteral("EndDoc");
}

void TRecordingPrinter::NewPage()
{
    if (!painter_)
        throw Exception("Printer is not currently printing");
    Calls << QStringLiteral("NewPage");
}

bool TRecordingPrinter::Printing() const
{
    return painter_ != nullptr;
}

QPainter& TRecordingPrinter::Canvas()
{
    if (!painter_)
        throw Exception("Printer is not currently printing");
    return *painter_;
}

bool TRecordingPrinter::PrintingOffset(QPoint& Result) const
{
    Result = OffsetSupported ? Offset : QPoint();
    return OffsetSupported;
}

void TRecordingPrinter::StretchDIBits(const QRect& Dest, const QImage& Bits, const QRect& Source)
{
    Calls << QStringLiteral("StretchDIBits ") + RectText(Source) + QStringLiteral(" -> ") + RectText(Dest);
    StretchedBits << Bits;
    Canvas().drawImage(Dest, Bits, Source);
}

void TRecordingPrinter::PrintDocument(const QTextDocument& Doc, const QString& Title)
{
    if (painter_)
        throw Exception("Printing in progress");
    Calls << QStringLiteral("PrintDocument ") + Title;
    PrintedTexts << Doc.toPlainText();
}
