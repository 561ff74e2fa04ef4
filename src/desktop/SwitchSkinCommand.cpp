#include "desktop/SwitchSkinCommand.h"

#include "desktop/DesktopModel.h"
#include "desktop/SideScreens.h"
#include "desktop/WallpaperBand.h"
#include "settings/SkinPaths.h"

namespace moravel {

void SwitchSkinCommand::Apply(DesktopModel& s) {
  SettingsFiles& f = s.files;
  if (!f.data) return;  // before Start
  s.builder.Clear();
  (void)f.data->WriteString("skin", "dir", name_);
  f.skinPath = SkinPath(f.programFolder, name_);
  f.config = std::make_unique<IniFile>(f.skinPath / "config.ini");
  f.user = std::make_unique<IniFile>(f.skinPath / "user.ini");
  s.menu.useDoubleClickChecked = f.config->ReadFlag("doubleclick", "dc", false);
  const std::string_view firstDefault =
      SkinSwitchWallpaperDefault(AspectBandFor(s.width(), s.height()));
  s.PaintSkinWallpaper(firstDefault);
  s.builder.Build();
  if (s.monitors.size() > 1) PaintSideScreens(s);
  if (!f.user->readable())
    s.services.window.ShowMessage(ButtonTable::UnreadableRecordsMessage(*f.user));
}

}  // namespace moravel
