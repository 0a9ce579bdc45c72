#include "DocumentBytes.h"

#include "Rtf.h"
#include "Win1251.h"

#include <QByteArrayView>
#include <QString>
#include <QTextDocument>

void ReadDocumentBytes(const QByteArray& Data, QTextDocument& Doc)
{
    if (ReadRtf(Data, Doc) == RtfLoad::Loaded)
        return;
    QString text = QByteArrayView(Data).isValidUtf8()
        ? QString::fromUtf8(Data)
        : AnsiToQString(std::string_view(Data.constData(), static_cast<size_t>(Data.size())));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    Doc.setPlainText(text);
}
