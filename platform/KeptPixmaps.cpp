#include "KeptPixmaps.h"

#include <QApplication>
#include <QPixmapCache>

QPixmap KeptPixmap(const QString& Name, const std::function<QPixmap()>& Make)
{
    const QString key = QStringLiteral("lemv:") + Name;
    QPixmap pixmap;
    if (!QPixmapCache::find(key, &pixmap)) {
        pixmap = Make();
        QPixmapCache::insert(key, pixmap);
    }
    return pixmap;
}

QPixmap StandardPicture(QStyle::StandardPixmap Picture, int Size)
{
    return KeptPixmap(QStringLiteral("standard/%1/%2").arg(Picture).arg(Size),
                      [&] { return QApplication::style()->standardIcon(Picture).pixmap(Size, Size); });
}

QIcon StandardIcon(QStyle::StandardPixmap Picture, int Size)
{
    return QIcon(StandardPicture(Picture, Size));
}
