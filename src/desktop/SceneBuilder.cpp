#include "desktop/SceneBuilder.h"

#include <algorithm>
#include <string>

#include "settings/CaseInsensitivePath.h"
#include "settings/NumberedItems.h"
#include "settings/ScreenCoordinate.h"
#include "settings/SkinPaths.h"

namespace moravel {
namespace {

constexpr const char* kDefaultStaticPicture = "pogoda.png";

std::string Key(std::string_view prefix, int n) {
  return std::string(prefix) + std::to_string(n);
}

}  // namespace

SceneContext SceneBuilder::Context() const {
  return SceneContext{p_.files,
                      p_.scene,
                      p_.controls,
                      p_.wallpaper,
                      p_.menu,
                      p_.clock,
                      p_.monitors.front().skin(),
                      p_.problems};
}

void SceneBuilder::Place(ImageControl& control, std::string_view section,
                         const IniFile& ini) const {
  const SkinScreen screen = p_.monitors.front().skin();
  control.MoveTo(screen.X(ini.ReadInt(section, "x", 0)), screen.Y(ini.ReadInt(section, "y", 0)));
}

void SceneBuilder::Build() {
  BuildBeforeWallpaper();
  BuildOverWallpaper();
}

void SceneBuilder::BuildBeforeWallpaper() {
  p_.files.skinPath =
      SkinPath(p_.files.programFolder, p_.files.data->ReadString("skin", "dir", "wood"));
  p_.menu.skinsEnabled = true;
  p_.menu.addButtonEnabled = true;
  p_.menu.changeWallpaperEnabled = true;
  p_.menu.moreEnabled = true;
  p_.wallpaperControl.handlers.trackHover = true;

  p_.scene.scale = p_.monitors.front().scale;

  PictureLoader loader(p_.scene.scale, p_.problems);
  BuildStaticPictures(loader);
  for (int s = 0; s < kWidgetSectionCount; ++s) BuildWidget(WidgetSection(s), loader);
  const int n = std::min(CountNumberedSections("button", *p_.files.user), kMaxButtons);
  for (int k = 1; k <= n; ++k) BuildButton(k, loader);
}

void SceneBuilder::BuildOverWallpaper() {
  BuildAnalogClock();
  SwitchTimers();
}

void SceneBuilder::BuildAnalogClock() {
  const IniFile& config = *p_.files.config;
  if (!config.HasSection("analogclock")) return;
  p_.scene.showSeconds = config.ReadFlag("analogclock", "showseconds", false);
  p_.scene.analogClockPresent = true;
  SceneContext ctx = Context();
  if (!p_.timeWidgets || !p_.timeWidgets->BuildAnalogClock(ctx, true)) {
    p_.scene.analogClockPresent = false;
  }
}

void SceneBuilder::BuildStaticPictures(PictureLoader& loader) {
  const IniFile& config = *p_.files.config;
  const int m = std::min(CountNumberedSections("picture", config), kMaxStaticPictures);
  for (int i = 1; i <= m; ++i) {
    const std::string section = Key("picture", i);
    ImageControl& control = p_.controls.Add(ControlLayer::StaticPicture);
    p_.scene.staticPictures[size_t(i - 1)] = &control;
    Place(control, section, config);
    const bool transparent = config.ReadFlag(section, "tr", false);
    control.SetTransparent(transparent);
    const std::string image = config.ReadString(section, "image", kDefaultStaticPicture);
    control.SetPicture(loader.Load(ResolveSkinFile(p_.files.skinPath, image), transparent,
                                   {&config, section, "image", image}));
    control.handlers.trackHover = true;
  }
  p_.scene.staticCount = m;
}

void SceneBuilder::BuildWidget(WidgetSection section, PictureLoader& loader) {
  const IniFile& config = *p_.files.config;
  const std::string_view name = WidgetSectionName(section);
  if (!config.HasSection(name)) return;
  const bool transparent = config.ReadFlag(name, "tr", false);
  if (IsClockSection(section)) {
    LoadClockDigits(section, transparent, loader);
  } else {
    StoreCalendarPaths(section, loader);
  }
  ImageControl& control = p_.controls.Add(ControlLayer::Widget);
  p_.scene.widgetImages[size_t(section)] = &control;
  Place(control, name, config);
  control.SetTransparent(transparent);
  BindClick(control.handlers, ClickAction::OpenDateTimeSettings, p_.menu.useDoubleClickChecked);
  control.handlers.trackHover = true;
  p_.scene.widgetPresent[size_t(section)] = true;
}

void SceneBuilder::StoreCalendarPaths(WidgetSection section, PictureLoader& loader) {
  const IniFile& config = *p_.files.config;
  const std::string_view name = WidgetSectionName(section);
  auto path = [&](int key) {
    const std::string value = config.ReadString(name, Key("image", key), "");
    std::filesystem::path file = ResolveSkinFile(p_.files.skinPath, value);
    // The calendar loads only today's pictures: with a listener, every one is tried now.
    if (p_.problems) loader.Load(file, false, {&config, name, Key("image", key), value});
    return file;
  };
  DesktopScene& s = p_.scene;
  switch (section) {
    case WidgetSection::Month:
      for (int i = 1; i <= 12; ++i) s.monthPaths[size_t(i)] = path(i);
      break;
    case WidgetSection::Weekday:
      for (int i = 1; i <= 7; ++i) s.weekdayPaths[size_t(i)] = path(i);
      break;
    case WidgetSection::Day1:
      for (int i = 0; i <= 3; ++i) s.dayTensPaths[size_t(i)] = path(i);
      break;
    case WidgetSection::Day2:
      for (int i = 0; i <= 9; ++i) s.dayUnitsPaths[size_t(i)] = path(i);
      break;
    default: {
      const size_t year = size_t(int(section) - int(WidgetSection::Year1));
      for (int i = 0; i <= 9; ++i) s.yearDigitPaths[year][size_t(i)] = path(i);
      break;
    }
  }
}

void SceneBuilder::LoadClockDigits(WidgetSection section, bool transparent, PictureLoader& loader) {
  const IniFile& config = *p_.files.config;
  const std::string_view name = WidgetSectionName(section);
  const int clock = ClockIndex(section);
  std::array<Picture, 10>& digits = p_.scene.clockDigitPictures[size_t(clock)];
  digits.fill(nullptr);
  for (int d = 0; d < kClockDigitCounts[size_t(clock)]; ++d) {
    const std::string key = Key("image", d);
    const std::string value = config.ReadString(name, key, "");
    Picture picture = loader.Load(ResolveSkinFile(p_.files.skinPath, value), transparent,
                                  {&config, name, key, value});
    if (!picture) {  // the first failure ends this section's digits
      const int last = kClockDigitCounts[size_t(clock)] - 1;
      if (p_.problems && d < last) {
        p_.problems->Report({config.path(), std::string(name),
                             Key("image", d + 1) + ".." + Key("image", last),
                             "never shown: " + key + " before them failed"});
      }
      break;
    }
    digits[size_t(d)] = std::move(picture);
  }
}

void SceneBuilder::BuildButton(int k, PictureLoader& loader) {
  const IniFile& user = *p_.files.user;
  const std::string section = Key("button", k);
  DesktopButton button;
  button.target = user.ReadString(section, "object", "");
  if (button.target.empty()) {
    button.specialFolder = user.ReadInt(section, "param", kDefaultSpecialFolder);
  }
  button.arguments = user.ReadString(section, "param", "");
  const bool transparent = user.ReadFlag(section, "tr", false);
  const std::string image = user.ReadString(section, "image", "");
  if (auto names = StatePictureNames(p_.files.skinPath, image)) {
    const SkinKey key{&user, section, "image", image};
    button.upPicture = loader.Load(FindFileIgnoringCase(names->up), transparent, key);
    button.overPicture = loader.Load(FindFileIgnoringCase(names->over), transparent, key);
    button.downPicture = loader.Load(FindFileIgnoringCase(names->down), transparent, key);
  } else if (p_.problems) {
    p_.problems->Report(
        {user.path(), section, "image",
         image.empty() ? "no picture named" : "no \"_\" before the state letter: " + image});
  }
  const SkinScreen screen = p_.monitors.front().skin();
  p_.buttons.Add(std::move(button), screen.X(user.ReadInt(section, "x", 0)),
                 screen.Y(user.ReadInt(section, "y", 0)), transparent);
}

void SceneBuilder::SwitchTimers() {
  bool calendar = false, clock = p_.scene.analogClockPresent;
  for (int s = 0; s < kWidgetSectionCount; ++s) {
    if (!p_.scene.widgetPresent[size_t(s)]) continue;
    (IsClockSection(WidgetSection(s)) ? clock : calendar) = true;
  }
  if (calendar) p_.timers.SetEnabled(DesktopTimer::Calendar, true);
  if (clock) p_.timers.SetEnabled(DesktopTimer::Clock, true);
}

void SceneBuilder::Clear() {
  p_.timers.SetEnabled(DesktopTimer::Calendar, false);
  p_.timers.SetEnabled(DesktopTimer::Clock, false);
  p_.pointer.hoveredId = kWallpaperControlId;
  p_.buttons.Clear();
  DesktopScene& s = p_.scene;
  for (ImageControl*& image : s.widgetImages) {
    if (image) p_.controls.Remove(*image);
    image = nullptr;
  }
  for (ImageControl*& image : s.staticPictures) {
    if (image) p_.controls.Remove(*image);
    image = nullptr;
  }
  s.staticCount = 0;
  if (s.analogClockPresent && p_.timeWidgets) {
    SceneContext ctx = Context();
    p_.timeWidgets->ClearAnalogClock(ctx);
  }
  s.widgetPresent.fill(false);
  s.analogClockPresent = false;
  s.lastClockHour = s.lastClockMinute = s.lastClockSecond = kNothingDrawn;
  s.lastShownDay = 0;
  s.showSeconds = false;
}

}  // namespace moravel
