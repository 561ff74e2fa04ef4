#include "desktop/SideScreens.h"

#include <exception>

#include "desktop/DesktopModel.h"

namespace moravel {

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

void PaintSideScreens(DesktopModel& s) {
  for (size_t i = 1; i < s.monitors.size(); ++i) {
    Monitor& side = s.monitors[i];
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
