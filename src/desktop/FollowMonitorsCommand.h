#pragma once
// The monitors changed (resolution, rotation, a monitor plugged in or out).
// The primary one, now `primary` (desktop coordinates) with the scale the
// desktop publishes for it, `scale`: when its size or the scale the skin is
// drawn at (the user's choice, else `scale`) is not the one shown, the scene is taken down, the
// frame made for the new size, the wallpaper chosen again for its shape, the scene built again (so
// every stored coordinate is resolved again and the analog clock takes its plate from the new
// wallpaper) and shown whole. The others, `screens`: those that SideScreenAreas keeps get the
// skin's wallpaper for their own shape, when they differ from the ones shown. Nothing is written to
// the skin's files; the primary monitor's size is followed only after Start.

#include <span>
#include <vector>

#include "desktop/DesktopCommand.h"
#include "raster/Rect.h"

namespace moravel {

class FollowMonitorsCommand : public DesktopCommand {
 public:
  FollowMonitorsCommand(Rect primary, std::span<const Rect> screens, int scale = 1)
      : primary_(primary), screens_(screens.begin(), screens.end()), scale_(scale) {}
  void Apply(DesktopModel& model) override;

 private:
  void Resize(DesktopModel& model) const;

  Rect primary_;
  std::vector<Rect> screens_;
  int scale_;
};

}  // namespace moravel
