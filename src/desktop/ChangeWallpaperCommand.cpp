#include "desktop/ChangeWallpaperCommand.h"

#include <system_error>

#include "desktop/DesktopModel.h"
#include "desktop/SideScreens.h"
#include "desktop/WallpaperBand.h"
#include "settings/Utf8Path.h"

namespace moravel {

void ChangeWallpaperCommand::Apply(DesktopModel& s) {
  s.services.timers.SetEnabled(DesktopTimer::Clock, false);
  if (chosen_ && s.files.config) {
    std::error_code ec;
    std::filesystem::path file = std::filesystem::absolute(*chosen_, ec);
    file = (ec ? *chosen_ : file).lexically_normal();
    s.PaintWallpaper([&](WallpaperPainter& painter, Bitmap& wallpaper) {
      return painter.PaintWallpaperFile(file, wallpaper);
    });
    if (s.scene.analogClockPresent && s.services.timeWidgets) {
      SceneContext ctx = s.builder.Context();
      s.services.timeWidgets->ClearAnalogClock(ctx);
      if (!s.services.timeWidgets->BuildAnalogClock(ctx, false)) {
        s.scene.analogClockPresent = false;
      }
      s.scene.lastClockSecond = kNothingDrawn;  // the new hands are set at the next tick
    }
    const AspectBand band = AspectBandFor(s.width(), s.height());
    (void)s.files.config->WriteString("wallpaper", WallpaperKeyFor(band), '?' + Utf8Of(file));
  }
  s.services.timers.SetEnabled(DesktopTimer::Clock, true);
  if (chosen_ && s.monitors.size() > 1) PaintSideScreens(s);
}

}  // namespace moravel
