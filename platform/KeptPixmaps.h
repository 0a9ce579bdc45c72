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
