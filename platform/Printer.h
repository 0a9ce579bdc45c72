#pragma once
// The printer: print documents on the chosen printer, or into a PDF file where
// the machine has no printer (or the print dialog chose a file). Device units
// are printer pixels. The program reaches it through Printer(); tests put a
// recording printer in place.
#include <QColor>
#include <QImage>
#include <QPicture>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QPainter;
class QPrinter;
class QTemporaryDir;
class QTextDocument;

// What the print dialog offers besides printing the whole document.
struct TPrintDialogOptions {
    bool PrintToFile = false;
    bool PageNumbers = false;
    bool Selection = false;
    bool Warning = false; // tell the user when there is no printer
};

enum class TPrintRange { AllPages, Selection, PageNums };

class IPrinter {
public:
    virtual ~IPrinter() = default;

    // Runs the print dialog; false when it was cancelled.
    virtual bool ExecuteDialog(const TPrintDialogOptions& Options, TPrintRange& Range) = 0;

    // One print document with the job title Title; the canvas exists between them.
    virtual void BeginDoc(const QString& Title = {}) = 0;
    virtual void EndDoc() = 0;
    virtual void NewPage() = 0;
    virtual bool Printing() const = 0;
    virtual QPainter& Canvas() = 0;

    // HORZRES and VERTRES: the printable area in printer pixels.
    virtual int PageWidth() const = 0;
    virtual int PageHeight() const = 0;
    // GETPRINTINGOFFSET: the printable area's corner on the sheet, in printer
    // pixels; false where the device cannot tell.
    virtual bool PrintingOffset(QPoint& Offset) const = 0;
    // RC_PALETTE: the device draws through a palette of indexed colours.
    virtual bool HasPalette() const = 0;

    // StretchDIBits: the Source part of Bits stretched onto Dest of the canvas.
    virtual void StretchDIBits(const QRect& Dest, const QImage& Bits, const QRect& Source) = 0;

    // Prints a rich-text document as a document of its own with the job title.
    virtual void PrintDocument(const QTextDocument& Doc, const QString& Title) = 0;

    // The file that the documents ended since the last call went into, and
    // forgets it; empty when they went to a printer or none ended. A document
    // meant for a file is written whole or not at all: EndDoc and
    // PrintDocument raise EWriteError when the file could not be written.
    virtual QString TakeWrittenFile() = 0;
};

IPrinter& Printer();
// Tests put their printer in place; nullptr restores the real one.
void SetPrinter(IPrinter* P);

// The real printer over QPrinter and the print dialog.
class TQtPrinter : public IPrinter {
public:
    TQtPrinter();
    ~TQtPrinter() override;

    bool ExecuteDialog(const TPrintDialogOptions& Options, TPrintRange& Range) override;
    void BeginDoc(const QString& Title = {}) override;
    void EndDoc() override;
    void NewPage() override;
    bool Printing() const override;
    QPainter& Canvas() override;
    int PageWidth() const override;
    int PageHeight() const override;
    bool PrintingOffset(QPoint& Offset) const override;
    bool HasPalette() const override;
    void StretchDIBits(const QRect& Dest, const QImage& Bits, const QRect& Source) override;
    void PrintDocument(const QTextDocument& Doc, const QString& Title) override;
    QString TakeWrittenFile() override;

    QPrinter& Device() { return *printer_; }

private:
    // A document for a file is drawn into a scratch file first; FinishFile
    // writes it to the chosen file once it is complete.
    void StartFile();
    void FinishFile();
    void AbandonFile(); // the chosen file stays as it was

    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
    QString target_;                       // the chosen file while a document for it is drawn
    std::unique_ptr<QTemporaryDir> scratch_;
    QString written_;
};

// Records what is printed instead of printing: each call as one line of
// Calls, the canvas drawing into a picture, the documents' plain text.
class TRecordingPrinter : public IPrinter {
public:
    TRecordingPrinter(int Width = 4800, int Height = 6600);
    ~TRecordingPrinter() override;

    // The dialog's answer: false cancels it.
    bool DialogAnswer = true;
    TPrintRange DialogRange = TPrintRange::AllPages;
    bool OffsetSupported = true;
    QPoint Offset;
    bool Palette = false;

    QStringList Calls;           // "Dialog", "BeginDoc <title>", "EndDoc", "NewPage", "StretchDIBits ...", "PrintDocument <title>"
    QStringList PrintedTexts;    // plain text of every printed document
    QList<QImage> StretchedBits; // the images given to StretchDIBits
    TPrintDialogOptions LastOptions;
    QPicture Picture;            // what the canvas drew in the last document
    // Where set, every document goes into this file; with WriteFails it cannot
    // be written (EWriteError once the document is recorded).
    QString OutputFile;
    bool WriteFails = false;

    // The texts the canvas drew in the last document, in drawing order.
    struct TDrawnText {
        QPoint At; // the text's base line start
        QString Text;
        QColor Color;
    };
    std::vector<TDrawnText> DrawnTexts() const;

    bool ExecuteDialog(const TPrintDialogOptions& Options, TPrintRange& Range) override;
    void BeginDoc(const QString& Title = {}) override;
    void EndDoc() override;
    void NewPage() override;
    bool Printing() const override;
    QPainter& Canvas() override;
    int PageWidth() const override { return width_; }
    int PageHeight() const override { return height_; }
    bool PrintingOffset(QPoint& Result) const override;
    bool HasPalette() const override { return Palette; }
    void StretchDIBits(const QRect& Dest, const QImage& Bits, const QRect& Source) override;
    void PrintDocument(const QTextDocument& Doc, const QString& Title) override;
    QString TakeWrittenFile() override;

private:
    void Ended();

    int width_;
    int height_;
    std::unique_ptr<QPainter> painter_;
    QString written_;
};
