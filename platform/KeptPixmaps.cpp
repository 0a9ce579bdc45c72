#include "KeptPixmaps.h"

#include <QApplication>
#include <QBitmap>
#include <QColor>
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

QPixmap StripPicture(const QImage& Strip, int Index)
{
    QPixmap picture = QPixmap::fromImage(Strip.copy(16 * Index, 0, 16, 16));
    picture.setMask(picture.createMaskFromColor(QColor(255, 0, 255)));
    return picture;
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
