#include "desktop/FollowMonitorsCommand.h"

#include <algorithm>

#include "desktop/DesktopModel.h"
#include "desktop/SideScreens.h"

namespace moravel {

void FollowMonitorsCommand::Apply(DesktopModel& s) {
  Resize(s);
  const std::vector<Rect> areas = SideScreenAreas(primary_, screens_);
  bool same = areas.size() == s.sideScreens.size();
  for (size_t i = 0; same && i < areas.size(); ++i) same = areas[i] == s.sideScreens[i].area;
  if (same) return;
  s.sideScreens.clear();
  for (const Rect& area : areas) s.sideScreens.push_back({area, Bitmap()});
  PaintSideScreens(s);
}

void FollowMonitorsCommand::Resize(DesktopModel& s) const {
  const int width = std::max(width_, 1);
  const int height = std::max(height_, 1);
  SettingsFiles& f = s.files;
  if (!f.config || (width == s.width && height == s.height)) return;  // before Start, or shown
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

}  // namespace moravel
