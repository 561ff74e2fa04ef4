#include "desktop/ScreenCommands.h"

#include <exception>

namespace moravel {

void ResizeDesktop(DesktopModel& s, int width, int height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  SettingsFiles& f = s.files;
  if (!f.config || (width == s.width && height == s.height)) return;
  s.builder.Clear();
  s.width = width;
  s.height = height;
  s.controls.SetScreenSize(width, height);
  s.composer.SetSize(width, height);
  s.builder.SetScreenSize(width, height);
  s.wallpaperControl.SetSize(width, height);
  s.PaintWallpaper([&](WallpaperPainter& painter, Bitmap& wallpaper) {
    return painter.PaintWallpaper(*f.config, f.skinPath, "", wallpaper);
  });
  s.builder.Build();
  s.composer.InvalidateAll();
}

std::vector<Rect> SideScreenAreas(Rect primary, std::span<const Rect> screens) {
  std::vector<Rect> kept;
  for (const Rect& screen : screens) {
    if (screen.empty() || !Intersect(screen, primary).empty()) continue;
    bool overlaps = false;
    for (const Rect& k : kept) overlaps = overlaps || !Intersect(screen, k).empty();
    if (!overlaps) kept.push_back(screen);
  }
  return kept;
}

void SetSideScreens(DesktopModel& s, std::span<const Rect> areas) {
  s.sideScreens.clear();
  for (const Rect& area : areas) s.sideScreens.push_back({area, Bitmap()});
  PaintSideScreens(s);
}

void PaintSideScreens(DesktopModel& s) {
  for (SideScreen& side : s.sideScreens) {
    side.wallpaper = Bitmap();
    if (!s.services.wallpaper || !s.files.config) continue;
    std::optional<Bitmap> blank = Bitmap::Create(side.area.width, side.area.height);
    if (!blank) continue;
    try {
      if (s.services.wallpaper->PaintWallpaper(*s.files.config, s.files.skinPath, "", *blank)) {
        side.wallpaper = std::move(*blank);
      }
    } catch (const std::exception&) {
      // The monitor shows what lies beneath.
    }
  }
  s.services.window.SideScreensChanged();
}

}  // namespace moravel
