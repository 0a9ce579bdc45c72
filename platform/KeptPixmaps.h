#pragma once
// Pictures made once per process. Qt's pixmap cache files the scaled pictures
// of an icon under the serial number of the icon's pixmap and never forgets a
// name it filed, so icons made from new pixmaps for every window (the desktop
// style's standard pictures are loaded anew each time they are asked for)
// would add entries without end. These keep one pixmap per name in that cache
// instead, and every window paints the same ones.
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QProxyStyle>
#include <QStyle>

#include <functional>

// The pixmap kept under Name, made by Make when it is not there.
QPixmap KeptPixmap(const QString& Name, const std::function<QPixmap()>& Make);

// The Index-th 16-pixel square of a picture strip, fuchsia transparent.
QPixmap StripPicture(const QImage& Strip, int Index);

// A standard picture of the application's style at Size pixels.
QPixmap StandardPicture(QStyle::StandardPixmap Picture, int Size);
// The same as an icon for a button: one picture of Size pixels.
QIcon StandardIcon(QStyle::StandardPixmap Picture, int Size = 16);

// A PNG picture of the program's resources (a null image when it cannot be
// read), decoded by the PNG library itself: Qt's image reader, even told the
// format, first looks through the image plugins, which is most of the time a
// picture of the main window takes before its first frame.
QImage PngPicture(const QString& Name);

// The application's style, apart from the pictures of the menu bar's and the
// tool bars' extension buttons, which are read from the style's picture files
// when first drawn. Every bar makes such a button, hidden while everything
// fits; reading its picture as the bar is made would load every image plugin
// before the first window could show.
class TDeferredExtensionIconsStyle : public QProxyStyle {
public:
    QIcon standardIcon(StandardPixmap Picture, const QStyleOption* Option = nullptr,
                       const QWidget* Widget = nullptr) const override;
};
