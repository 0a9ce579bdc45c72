#include "KeptPixmaps.h"

#include <QApplication>
#include <QBitmap>
#include <QColor>
#include <QFile>
#include <QIconEngine>
#include <QPainter>
#include <QPixmapCache>
#include <QPointer>
#include <QStyleOption>
#include <QSysInfo>

#include <png.h>

#include <optional>
#include <utility>

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

QImage PngPicture(const QString& Name)
{
    QFile file(Name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    png_image png {};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, bytes.constData(), static_cast<size_t>(bytes.size())))
        return {};
    // The byte order of QImage's 32-bit pixels, 0xAARRGGBB in a word.
    png.format = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? PNG_FORMAT_BGRA : PNG_FORMAT_ARGB;
    QImage picture(static_cast<int>(png.width), static_cast<int>(png.height), QImage::Format_ARGB32);
    if (picture.isNull()
        || !png_image_finish_read(&png, nullptr, picture.bits(), static_cast<png_int_32>(picture.bytesPerLine()), nullptr)) {
        png_image_free(&png);
        return {};
    }
    return picture;
}

namespace {

// An icon whose pictures Make gives when the icon is first drawn or measured.
class TDeferredIconEngine : public QIconEngine {
public:
    explicit TDeferredIconEngine(std::function<QIcon()> Make) : make_(std::move(Make)) {}

    void paint(QPainter* Painter, const QRect& Rect, QIcon::Mode Mode, QIcon::State State) override
    {
        Icon().paint(Painter, Rect, Qt::AlignCenter, Mode, State);
    }
    QPixmap pixmap(const QSize& Size, QIcon::Mode Mode, QIcon::State State) override
    {
        return Icon().pixmap(Size, Mode, State);
    }
    QPixmap scaledPixmap(const QSize& Size, QIcon::Mode Mode, QIcon::State State, qreal Scale) override
    {
        return Icon().pixmap(Size, Scale, Mode, State);
    }
    QSize actualSize(const QSize& Size, QIcon::Mode Mode, QIcon::State State) override
    {
        return Icon().actualSize(Size, Mode, State);
    }
    QList<QSize> availableSizes(QIcon::Mode Mode, QIcon::State State) override
    {
        return Icon().availableSizes(Mode, State);
    }
    bool isNull() override { return false; }
    QString key() const override { return QStringLiteral("TDeferredIconEngine"); }
    QIconEngine* clone() const override { return new TDeferredIconEngine(*this); }

private:
    const QIcon& Icon()
    {
        if (!icon_)
            icon_ = make_();
        return *icon_;
    }

    std::function<QIcon()> make_;
    std::optional<QIcon> icon_;
};

} // namespace

QIcon TDeferredExtensionIconsStyle::standardIcon(StandardPixmap Picture, const QStyleOption* Option,
                                                 const QWidget* Widget) const
{
    if (Picture != SP_ToolBarHorizontalExtensionButton && Picture != SP_ToolBarVerticalExtensionButton)
        return QProxyStyle::standardIcon(Picture, Option, Widget);
    // The picture depends only on the direction of the text.
    QStyleOption direction;
    direction.direction = Option ? Option->direction : Widget ? Widget->layoutDirection() : QGuiApplication::layoutDirection();
    const QPointer<QStyle> base = baseStyle();
    return QIcon(new TDeferredIconEngine([base, Picture, direction] {
        return base ? base->standardIcon(Picture, &direction) : QIcon();
    }));
}
