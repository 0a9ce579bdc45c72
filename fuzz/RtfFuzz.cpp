// Any bytes can be read: no crash, one of the three results, the document left
// alone unless it loaded, and what loaded writes out as RTF that reads back to
// the same document.
#include "Rtf.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstdint>
#include <cstdlib>

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
        return 0;
    }
    if (r != RtfLoad::Loaded)
        std::abort();
    const QByteArray written = WriteRtf(doc);
    QTextDocument back;
    if (ReadRtf(written, back) != RtfLoad::Loaded || back.toPlainText() != doc.toPlainText())
        std::abort();
    if (WriteRtf(back) != written)
        std::abort();
    return 0;
}
