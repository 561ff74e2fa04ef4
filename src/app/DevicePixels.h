#pragma once
// Qt lays windows out in logical pixels, each `ratio` device pixels wide (the
// screen's device pixel ratio, 2 on a 200 % screen); the desktop's frame,
// pointer and shape are device pixels. These convert between the two.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QRegion>
#include <QScreen>
#include <QWidget>
#include <cmath>

#include "raster/Bitmap.h"
#include "raster/Rect.h"
#include "raster/WholeScale.h"

namespace moravel {

// A rectangle of a window in device pixels.
inline Rect DeviceRect(const QRect& logical, qreal ratio) {
  const int left = int(std::floor(logical.x() * ratio));
  const int top = int(std::floor(logical.y() * ratio));
  return {left, top, int(std::ceil((logical.x() + logical.width()) * ratio)) - left,
          int(std::ceil((logical.y() + logical.height()) * ratio)) - top};
}

// The logical rectangle of a window that covers device rectangle `device`.
inline QRect LogicalRect(const Rect& device, qreal ratio) {
  const int left = int(std::floor(device.x / ratio)), top = int(std::floor(device.y / ratio));
  return QRect(left, top, int(std::ceil(device.right() / ratio)) - left,
               int(std::ceil(device.bottom() / ratio)) - top);
}

// A screen in desktop device pixels: Qt keeps its top-left corner where the
// display has it and divides only its size, rounded up at a ratio such as
// 1.5 (2560 pixels are 1707 logical ones), hence the floor.
inline Rect DeviceArea(const QScreen& screen) {
  const QRect g = screen.geometry();
  const qreal ratio = screen.devicePixelRatio();
  return {g.x(), g.y(), int(std::floor(g.width() * ratio)), int(std::floor(g.height() * ratio))};
}

inline QSize DeviceSize(const QScreen& screen) {
  const Rect a = DeviceArea(screen);
  return QSize(a.width, a.height);
}

// The logical geometry of a window that covers `device` (desktop device
// pixels) on the screen at its top-left corner.
inline QRect LogicalArea(const Rect& device) {
  const QScreen* screen = QGuiApplication::screenAt(QPoint(device.x, device.y));
  const qreal ratio = screen ? screen->devicePixelRatio() : 1.0;
  return QRect(device.x, device.y, int(std::lround(device.width / ratio)),
               int(std::lround(device.height / ratio)));
}

// Paints `region` (logical) of `window` from `picture`, an opaque picture of
// the window in device pixels, each device pixel onto its own.
inline void PaintDevicePicture(QWidget& window, const Bitmap& picture, const QRegion& region) {
  if (picture.empty()) return;
  // A view of the picture's bytes, no copy.
  QImage image(picture.data(), picture.width(), picture.height(), picture.width() * 4,
               QImage::Format_RGBA8888);
  const qreal ratio = window.devicePixelRatioF();
  image.setDevicePixelRatio(ratio);
  QPainter painter(&window);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  for (const QRect& r : region) {
    const Rect d = DeviceRect(r, ratio);
    painter.drawImage(QRectF(d.x / ratio, d.y / ratio, d.width / ratio, d.height / ratio), image,
                      QRectF(d.x, d.y, d.width, d.height));
  }
}

// The whole-number scale the desktop publishes for `screen` (on X11 from
// Xft.dpi, through Qt's device pixel ratio).
inline int PublishedScale(const QScreen& screen) {
  return WholeScaleFor(screen.devicePixelRatio());
}

}  // namespace moravel
