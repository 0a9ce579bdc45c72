// Any bytes can be read: no crash, one of the three results, the document left
// alone unless it loaded, and what loaded writes out as RTF that reads back to
// the same document. Then the bytes are read as the editor reads a file (RTF,
// else plain text) and laid out at a window's width with the editor's
// wrapping, as the editor shows them: a layout whose cost grows faster than
// the text fails on the time limit.
#include "DocumentBytes.h"
#include "LongParagraphs.h"
#include "Rtf.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QTextDocument>

#include <cstdint>
#include <cstdlib>

// The font configuration library keeps what it loads (fonts, fallbacks for a
// new script) for the life of the process and never frees it.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QTextDocument doc;
    doc.setPlainText("before");
    const RtfLoad r = ReadRtf(bytes, doc);
    if (r == RtfLoad::NotRtf || r == RtfLoad::Failed) {
        if (doc.toPlainText() != "before")
            std::abort();
    } else {
        if (r != RtfLoad::Loaded)
            std::abort();
        const QByteArray written = WriteRtf(doc);
        QTextDocument back;
        if (ReadRtf(written, back) != RtfLoad::Loaded || back.toPlainText() != doc.toPlainText())
            std::abort();
        if (WriteRtf(back) != written)
            std::abort();
    }

    // About the width of the text in the editor's first window (640 pixels
    // less the margins and the scroll bar). A document read already is laid
    // out as it stands; other bytes are read as the editor reads them.
    QTextDocument plain;
    if (r != RtfLoad::Loaded)
        ReadDocumentBytes(bytes, plain);
    QTextDocument& shown = r == RtfLoad::Loaded ? doc : plain;
    shown.setDocumentMargin(0);
    QTextOption wrapping = shown.defaultTextOption();
    wrapping.setWrapMode(WrappingFor(shown));
    shown.setDefaultTextOption(wrapping);
    shown.setTextWidth(600);
    if (shown.documentLayout()->documentSize().height() < 0)
        std::abort();
    return 0;
}
