#include "desktop/FollowMonitorsCommand.h"

#include <algorithm>

#include "desktop/DesktopModel.h"
#include "desktop/SideScreens.h"

namespace moravel {

void FollowMonitorsCommand::Apply(DesktopModel& s) {
  Resize(s);
  const std::vector<Rect> areas = SideScreenAreas(primary_, screens_);
  bool same = areas.size() + 1 == s.monitors.size();
  for (size_t i = 0; same && i < areas.size(); ++i) same = areas[i] == s.monitors[i + 1].area;
  if (same) return;
  s.monitors.resize(1);
  for (const Rect& area : areas) s.monitors.push_back({area, Bitmap()});
  PaintSideScreens(s);
}

void FollowMonitorsCommand::Resize(DesktopModel& s) const {
  const int width = std::max(primary_.width, 1);
  const int height = std::max(primary_.height, 1);
  s.publishedScale = DesktopModel::ClampScale(scale_);
  const int drawnAt = s.chosenScale();
  SettingsFiles& f = s.files;
  if (!f.config) s.primary().scale = drawnAt;
  if (!f.config || (width == s.width() && height == s.height() && drawnAt == s.primary().scale)) {
    s.primary().area = {primary_.x, primary_.y, s.width(), s.height()};
    return;  // before Start, or the size and scale shown
  }
  s.builder.Clear();
  s.primary().area = {primary_.x, primary_.y, width, height};
  s.primary().scale = drawnAt;
  s.controls.SetScreenSize(width, height);
  s.composer.SetSize(width, height);
  s.wallpaperControl.SetSize(width, height);
  s.PaintSkinWallpaper();
  s.builder.Build();
  s.composer.InvalidateAll();
}

}  // namespace moravel
