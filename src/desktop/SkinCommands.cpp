#include "desktop/SkinCommands.h"

#include <system_error>

#include "desktop/ScreenCommands.h"
#include "desktop/WallpaperBand.h"
#include "settings/SkinPaths.h"

namespace moravel {

void SwitchSkin(DesktopModel& s, const std::string& name) {
  SettingsFiles& f = s.files;
  if (!f.data) return;  // before Start
  s.builder.Clear();
  f.data->WriteString("skin", "dir", name);
  f.skinPath = SkinPath(f.programFolder, name);
  f.config = std::make_unique<IniFile>(f.skinPath / "config.ini");
  f.user = std::make_unique<IniFile>(f.skinPath / "user.ini");
  s.menu.useDoubleClickChecked = f.config->ReadFlag("doubleclick", "dc", false);
  const std::string_view firstDefault =
      SkinSwitchWallpaperDefault(AspectBandFor(s.width, s.height));
  s.PaintWallpaper([&](WallpaperPainter& painter, Bitmap& wallpaper) {
    return painter.PaintWallpaper(*f.config, f.skinPath, firstDefault, wallpaper);
  });
  s.builder.Build();
  if (!s.sideScreens.empty()) PaintSideScreens(s);
  if (!f.user->readable())
    s.services.window.ShowMessage(ButtonTable::UnreadableRecordsMessage(*f.user));
}

void ChangeWallpaper(DesktopModel& s, std::optional<std::filesystem::path> chosen) {
  s.services.timers.SetEnabled(DesktopTimer::Clock, false);
  if (chosen && s.files.config) {
    std::error_code ec;
    std::filesystem::path file = std::filesystem::absolute(*chosen, ec);
    file = (ec ? *chosen : file).lexically_normal();
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
    const AspectBand band = AspectBandFor(s.width, s.height);
    s.files.config->WriteString("wallpaper", WallpaperKeyFor(band), '?' + file.string());
  }
  s.services.timers.SetEnabled(DesktopTimer::Clock, true);
  if (chosen && !s.sideScreens.empty()) PaintSideScreens(s);
}

}  // namespace moravel
