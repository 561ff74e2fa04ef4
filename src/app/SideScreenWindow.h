#pragma once
// A monitor beside the primary one: a frameless window on the desktop layer
// that shows one opaque wallpaper picture and nothing else. Holds no logic.

#include <QRect>
#include <QWidget>
#include <memory>

#include "raster/Bitmap.h"
#include "raster/Rect.h"

namespace moravel {

class DesktopWindowShell;

class SideScreenWindow : public QWidget {
 public:
  // `area` in desktop device pixels; `picture` is borrowed, area-sized, and
  // must stay as it is while the window lives.
  SideScreenWindow(Rect area, const Bitmap& picture);
  ~SideScreenWindow() override;

  // Creates the native window on the desktop layer (X11 only), then shows it.
  void present();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const Bitmap& picture_;
  std::unique_ptr<DesktopWindowShell> shell_;
};

}  // namespace moravel
