#include "Printer.h"
#include "Errors.h"
#include "SafeFile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPaintEngine>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextItem>

#include <memory>
#include <utility>

namespace {
IPrinter* g_override = nullptr;

QString RectText(const QRect& R)
{
    return QStringLiteral("%1,%2,%3,%4").arg(R.x()).arg(R.y()).arg(R.width()).arg(R.height());
}

// A device that keeps the texts drawn on it, with the pen's colour and the
// transformed start of their base line, and draws nothing else.
class TTextRecorder : public QPaintDevice {
public:
    explicit TTextRecorder(const QPicture& Like) : like_(Like), engine_(texts_) {}
    std::vector<TRecordingPrinter::TDrawnText> Take() { return std::move(texts_); }
    QPaintEngine* paintEngine() const override { return &engine_; }

protected:
    int metric(PaintDeviceMetric Metric) const override
    {
        switch (Metric) {
        case PdmDpiX:
        case PdmPhysicalDpiX:
            return like_.logicalDpiX();
        case PdmDpiY:
        case PdmPhysicalDpiY:
            return like_.logicalDpiY();
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        default:
            return 100000; // sizes: room for any sheet
        }
    }

private:
    class TEngine : public QPaintEngine {
    public:
        explicit TEngine(std::vector<TRecordingPrinter::TDrawnText>& Texts) : QPaintEngine(AllFeatures), texts_(Texts) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState& State) override
        {
            if (State.state() & DirtyPen)
                pen_ = State.pen().color();
            if (State.state() & DirtyTransform)
                transform_ = State.transform();
        }
        // Lines, shapes and pictures are not recorded; the engine's own
        // polygon and path drawing would only call each other.
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        void drawPath(const QPainterPath&) override {}
        void drawTextItem(const QPointF& At, const QTextItem& Item) override
        {
            texts_.push_back({ transform_.map(At).toPoint(), Item.text(), pen_ });
        }
        Type type() const override { return User; }

    private:
        std::vector<TRecordingPrinter::TDrawnText>& texts_;
        QColor pen_;
        QTransform transform_;
    };

    const QPicture& like_;
    std::vector<TRecordingPrinter::TDrawnText> texts_;
    mutable TEngine engine_;
};

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

void TQtPrinter::StartFile()
{
    target_.clear();
    scratch_.reset();
    if (printer_->outputFormat() != QPrinter::PdfFormat || printer_->outputFileName().isEmpty())
        return;
    // The PDF engine does not report a file it failed to write, so the
    // document goes into a scratch file, which must come out complete.
    auto scratch = std::make_unique<QTemporaryDir>();
    const QString target = printer_->outputFileName();
    if (!scratch->isValid())
        throw EWriteError(QStringLiteral("Не удалось записать файл «%1»: временная папка для печати недоступна.")
                              .arg(QDir::toNativeSeparators(target))
                              .toStdString());
    target_ = target;
    scratch_ = std::move(scratch);
    printer_->setOutputFileName(scratch_->filePath(QStringLiteral("print.pdf")));
}

void TQtPrinter::FinishFile()
{
    if (target_.isEmpty())
        return;
    const QString target = std::exchange(target_, QString());
    const std::unique_ptr<QTemporaryDir> scratch = std::move(scratch_);
    printer_->setOutputFileName(target);
    QFile file(scratch->filePath(QStringLiteral("print.pdf")));
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    // A complete PDF ends with its end-of-file marker.
    if (!bytes.right(32).trimmed().endsWith("%%EOF"))
        throw EWriteError(QStringLiteral("Не удалось записать файл «%1»: файл печати не был построен целиком.")
                              .arg(QDir::toNativeSeparators(target))
                              .toStdString());
    WriteFileWhole(target, bytes);
    written_ = target;
}

void TQtPrinter::AbandonFile()
{
    if (!target_.isEmpty())
        printer_->setOutputFileName(std::exchange(target_, QString()));
    scratch_.reset();
}

void TQtPrinter::BeginDoc(const QString& Title)
{
    if (painter_)
        throw Exception("Printing in progress");
    printer_->setDocName(Title);
    StartFile();
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(printer_.get())) {
        AbandonFile();
        throw Exception("Printer selected is not valid");
    }
    painter_ = std::move(painter);
}

void TQtPrinter::EndDoc()
{
    if (!painter_)
        throw Exception("Printer is not currently printing");
    painter_->end();
    painter_.reset();
    FinishFile();
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
    StartFile();
    try {
        copy->print(printer_.get());
    } catch (...) {
        AbandonFile();
        throw;
    }
    FinishFile();
}

QString TQtPrinter::TakeWrittenFile()
{
    return std::exchange(written_, QString());
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
    Ended();
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
    Ended();
}

void TRecordingPrinter::Ended()
{
    if (OutputFile.isEmpty())
        return;
    if (WriteFails)
        throw EWriteError(QStringLiteral("Не удалось записать файл «%1»: нет прав на запись.")
                              .arg(QDir::toNativeSeparators(OutputFile))
                              .toStdString());
    written_ = OutputFile;
}

QString TRecordingPrinter::TakeWrittenFile()
{
    return std::exchange(written_, QString());
}

std::vector<TRecordingPrinter::TDrawnText> TRecordingPrinter::DrawnTexts() const
{
    QPicture picture = Picture;
    TTextRecorder recorder(picture);
    QPainter painter(&recorder);
    picture.play(&painter);
    painter.end();
    return recorder.Take();
}
