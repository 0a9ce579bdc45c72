#include "Shell.h"

#include <QFontDatabase>
#include <QMimeData>
#include <QSet>
#include <QUrl>

#include <algorithm>

namespace {

// The family without the foundry the font system adds, as " [foundry]", to
// a family that more than one foundry makes.
QString WithoutFoundry(const QString& Family)
{
    const qsizetype bracket = Family.lastIndexOf(QLatin1String(" ["));
    if (bracket > 0 && Family.endsWith(QLatin1Char(']')))
        return Family.left(bracket);
    return Family;
}

// The first MaxFaceNameLength characters of Family; a character of two
// UTF-16 units is not split.
QString FaceNameOf(const QString& Family)
{
    qsizetype length = std::min<qsizetype>(Family.size(), MaxFaceNameLength);
    if (length < Family.size() && Family.at(length - 1).isHighSurrogate())
        --length;
    return Family.left(length);
}

} // namespace

QList<TFontFace> FontFaces(const QStringList& Families)
{
    QList<TFontFace> faces;
    QSet<QString> names;
    for (const QString& listed : Families) {
        const QString family = WithoutFoundry(listed);
        const QString name = FaceNameOf(family);
        if (name.isEmpty() || names.contains(name))
            continue;
        names.insert(name);
        faces.append({name, family});
    }
    // Names that differ only in case keep a fixed order between them.
    std::sort(faces.begin(), faces.end(), [](const TFontFace& A, const TFontFace& B) {
        const int folded = A.Name.compare(B.Name, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : A.Name < B.Name;
    });
    return faces;
}

QList<TFontFace> EnumFontFaces()
{
    QStringList families;
    for (const QString& family : QFontDatabase::families())
        if (!QFontDatabase::isPrivateFamily(family))
            families << family;
    return FontFaces(families);
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
