#include "desktop/DesktopSession.h"

#include <algorithm>
#include <exception>
#include <system_error>
#include <utility>

#include "desktop/ButtonInteraction.h"
#include "desktop/ControlStack.h"
#include "desktop/FrameComposer.h"
#include "desktop/PointerRouter.h"
#include "desktop/SceneBuilder.h"
#include "desktop/SkinList.h"
#include "desktop/WallpaperBand.h"
#include "settings/NumberedItems.h"
#include "settings/SkinPaths.h"

namespace moravel {

struct DesktopSession::State {
  State(DesktopServices s, std::filesystem::path folder, int w, int h)
      : services(s),
        width(std::max(w, 1)),
        height(std::max(h, 1)),
        controls(width, height),
        composer(controls, width, height),
        wallpaperControl(0, 0, nullptr),
        interaction(scene, pointer, wallpaperControl, s.launcher, s.window),
        router(controls, wallpaperControl, interaction),
        builder(SceneParts{files, scene, controls, wallpaperControl, pointer, menu, s.timers,
                           s.timeWidgets, composer.wallpaper(), s.clock, width, height}) {
    files.programFolder = std::move(folder);
    controls.SetDirtySink(&composer);
    pointer.hovered = &wallpaperControl;
  }

  DesktopServices services;
  int width, height;
  bool mayClose = false;
  MainMenuState menu;
  SettingsFiles files;
  DesktopScene scene;
  PointerState pointer;
  ControlStack controls;
  FrameComposer composer;
  ImageControl wallpaperControl;  // "Image1": its picture is composer.wallpaper()
  ButtonInteraction interaction;
  PointerRouter router;
  SceneBuilder builder;

  // Paints the wallpaper layer with `paint` (a call on the painter); any
  // failure leaves the layer as it was.
  template <typename Paint>
  void PaintWallpaper(Paint paint) {
    if (!services.wallpaper) return;
    try {
      if (paint(*services.wallpaper, composer.wallpaper())) composer.InvalidateAll();
    } catch (const std::exception&) {
      // Nothing is reported; the old wallpaper stays.
    }
  }
};

DesktopSession::DesktopSession(DesktopServices services, std::filesystem::path programFolder,
                               int screenWidth, int screenHeight)
    : state_(
          std::make_unique<State>(services, std::move(programFolder), screenWidth, screenHeight)) {}

DesktopSession::~DesktopSession() = default;

void DesktopSession::Start() {
  State& s = *state_;
  s.mayClose = false;
  s.pointer = PointerState{&s.wallpaperControl, 0, false};
  s.scene.lastClockHour = s.scene.lastClockMinute = s.scene.lastClockSecond = kNothingDrawn;
  s.scene.lastShownDay = 0;

  SettingsFiles& f = s.files;
  f.data = std::make_unique<IniFile>(f.programFolder / "data.ini");
  if (!f.data->HasKey("skin", "dir")) f.data->WriteString("skin", "dir", "wood");
  f.skinPath = SkinPath(f.programFolder, f.data->ReadString("skin", "dir", "wood"));
  f.skins = std::make_unique<IniFile>(f.programFolder / "skins.ini");
  RebuildSkinList(*f.skins, f.programFolder / "skins");
  f.config = std::make_unique<IniFile>(f.skinPath / "config.ini");
  f.user = std::make_unique<IniFile>(f.skinPath / "user.ini");
  s.menu.useDoubleClickChecked = f.config->ReadFlag("doubleclick", "dc", true);

  s.wallpaperControl.SetSize(s.width, s.height);
  s.PaintWallpaper([&](WallpaperPainter& painter, Bitmap& wallpaper) {
    return painter.PaintWallpaper(*f.config, f.skinPath, "", wallpaper);
  });
  s.builder.Build();
  s.composer.InvalidateAll();  // the first picture is shown whole
  Publish();
}

void DesktopSession::HandlePointer(const PointerEvent& event) {
  state_->router.Handle(event);
  Publish();
}

void DesktopSession::SetNoTray(bool noTray) {
  state_->interaction.SetNoTray(noTray);
}

void DesktopSession::OnCalendarTimer() {
  State& s = *state_;
  if (!s.services.timeWidgets) return;
  SceneContext ctx = s.builder.Context();
  s.services.timeWidgets->OnCalendarTimer(ctx);
  Publish();
}

void DesktopSession::OnClockTimer() {
  State& s = *state_;
  if (!s.services.timeWidgets) return;
  SceneContext ctx = s.builder.Context();
  s.services.timeWidgets->OnClockTimer(ctx);
  Publish();
}

void DesktopSession::OpenDesktopFiles() {
  state_->services.launcher.OpenSpecialFolder(0);
}

void DesktopSession::ToggleDoubleClick() {
  State& s = *state_;
  if (!s.files.config || !s.files.user) return;  // before Start
  const bool doubleClick = !s.menu.useDoubleClickChecked;
  s.menu.useDoubleClickChecked = doubleClick;
  s.files.config->WriteFlag("doubleclick", "dc", doubleClick);
  const int n = std::min(CountNumberedSections("button", *s.files.user), kMaxButtons);
  for (int k = 1; k <= n; ++k) {
    if (ImageControl* image = s.scene.button(k).image) {
      BindClick(image->handlers, ClickAction::LaunchButton, doubleClick);
    }
  }
}

void DesktopSession::Exit() {
  State& s = *state_;
  s.builder.Clear();
  s.mayClose = true;
  Publish();
  s.services.window.Close();
}

bool DesktopSession::MayClose() const {
  return state_->mayClose;
}

void DesktopSession::ApplySkin(const std::string& name) {
  State& s = *state_;
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
  Publish();
}

void DesktopSession::ChangeWallpaper(std::optional<std::filesystem::path> chosen) {
  State& s = *state_;
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
    s.files.config->WriteString("wallpaper", WallpaperKeyFor(band), "?" + file.string());
  }
  s.services.timers.SetEnabled(DesktopTimer::Clock, true);
  Publish();
}

const MainMenuState& DesktopSession::menu() const {
  return state_->menu;
}

DesktopFrame& DesktopSession::frame() {
  return state_->composer;
}

const DesktopScene& DesktopSession::scene() const {
  return state_->scene;
}

const PointerState& DesktopSession::pointer() const {
  return state_->pointer;
}

const SettingsFiles& DesktopSession::files() const {
  return state_->files;
}

const ImageControl& DesktopSession::wallpaperControl() const {
  return state_->wallpaperControl;
}

void DesktopSession::Publish() {
  if (state_->composer.Flush()) state_->services.window.FrameChanged();
}

}  // namespace moravel
