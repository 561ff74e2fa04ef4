#pragma once
// One monitor of the desktop; every monitor is one of these. The primary one
// (the first of DesktopModel::monitors) carries the skin: the desktop window
// covers it and its wallpaper is the frame's own layer. Each other one shows
// the skin's wallpaper for its own shape, painted into `wallpaper`.

#include "raster/Bitmap.h"
#include "raster/Rect.h"
#include "settings/ScreenCoordinate.h"

namespace moravel {

struct Monitor {
  Rect area;  // desktop coordinates, pixels (the primary's is where its window lies)
  // Other monitors: area-sized and opaque; empty when nothing could be
  // painted (the monitor shows what lies beneath). The primary: always empty.
  Bitmap wallpaper;
  // The whole-number scale the skin is drawn at here (1..kMaxScale): the
  // user's choice, else the one the desktop publishes for this monitor.
  int scale = 1;

  // The monitor as a screen for the skin's coordinates.
  SkinScreen skin() const { return {area.width, area.height, scale}; }
};

}  // namespace moravel
