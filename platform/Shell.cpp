#include "Shell.h"

#include <QFontDatabase>
#include <QMimeData>
#include <QUrl>

QStringList EnumFontFaces()
{
    return QFontDatabase::families();
}

QStringList DroppedFiles(const QMimeData* Data)
{
    QStringList files;
    if (!Data || !Data->hasUrls())
        return files;
    for (const QUrl& url : Data->urls())
        if (url.isLocalFile())
            files << url.toLocalFile();
    return files;
}

bool CarriesFiles(const QMimeData* Data)
{
    return !DroppedFiles(Data).isEmpty();
}
