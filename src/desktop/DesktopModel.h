#pragma once
// The running desktop without any windowing toolkit: the settings files, the
// scene and its controls, the button table, the pointer state, the frame and
// the menu state, with the services they call. The session owns one; the
// commands that change the desktop (skin switch, wallpaper change, new
// button) work on it. Controls are named by id outside one call.
//
// Everything runs on the one user-interface thread.

#include <algorithm>
#include <exception>
#include <filesystem>
#include <string_view>
#include <utility>
#include <vector>

#include "desktop/ButtonInteraction.h"
#include "desktop/ButtonTable.h"
#include "desktop/DesktopScene.h"
#include "desktop/DesktopTimers.h"
#include "desktop/DesktopWindowPort.h"
#include "desktop/MainMenuState.h"
#include "desktop/Monitor.h"
#include "desktop/PointerState.h"
#include "desktop/SceneBuilder.h"
#include "desktop/SettingsFiles.h"
#include "desktop/TimeWidgets.h"
#include "desktop/WallpaperPainter.h"
#include "platform/Clock.h"
#include "platform/Launcher.h"
#include "raster/WholeScale.h"
#include "scene/ControlStack.h"
#include "scene/FrameComposer.h"
#include "scene/PointerRouter.h"

namespace moravel {

struct DesktopServices {
  Launcher& launcher;
  Clock& clock;
  DesktopTimers& timers;
  DesktopWindowPort& window;
  // The widget work from src/widgets, wired in by the program; null: none
  // (no wallpaper is painted; no analog clock, clock digits or calendar).
  WallpaperPainter* wallpaper = nullptr;
  TimeWidgets* timeWidgets = nullptr;
};

struct DesktopModel {
  DesktopModel(DesktopServices s, std::filesystem::path folder, int w, int h, int scale)
      : services(s),
        publishedScale(ClampScale(scale)),
        monitors{Monitor{{0, 0, std::max(w, 1), std::max(h, 1)}, Bitmap(), publishedScale}},
        controls(width(), height()),
        composer(controls, width(), height(), /*paintFirst=*/true),
        wallpaperControl(kWallpaperControlId, 0, nullptr),
        buttons(scene, controls, pointer, menu),
        interaction(scene, controls, pointer, wallpaperControl, s.launcher, s.window),
        router(controls, wallpaperControl, interaction),
        builder(SceneParts{files, scene, controls, wallpaperControl, pointer, buttons, menu,
                           s.timers, s.timeWidgets, composer.wallpaper(), s.clock, monitors}) {
    files.programFolder = std::move(folder);
    controls.SetDirtySink(&composer);
    composer.SetFrameSink(&s.window);
  }

  // Paints the wallpaper layer with `paint` (a call on the painter); any
  // failure leaves the layer as it was (pure blue before the first).
  template <typename Paint>
  void PaintWallpaper(Paint paint) {
    bool painted = false;
    try {
      painted = services.wallpaper && paint(*services.wallpaper, composer.wallpaper());
    } catch (const std::exception&) {
      // Nothing is reported; the old wallpaper stays.
    }
    composer.WallpaperPainted(painted);
    if (painted) composer.InvalidateAll();
  }
  // The same with the wallpaper the open skin picks for the primary
  // monitor's shape; `firstDefault`: see WallpaperPainter::PaintWallpaper.
  void PaintSkinWallpaper(std::string_view firstDefault = {}) {
    PaintWallpaper([&](WallpaperPainter& painter, Bitmap& wallpaper) {
      return painter.PaintWallpaper(*files.config, files.skinPath, firstDefault, wallpaper);
    });
  }

  static int ClampScale(int scale) { return std::clamp(scale, 1, kMaxScale); }
  // The scale the skin is drawn at on the primary monitor.
  int chosenScale() const { return menu.scaleChoice ? menu.scaleChoice : publishedScale; }

  // The primary monitor, which carries the skin; its size is the frame's.
  Monitor& primary() { return monitors.front(); }
  int width() const { return monitors.front().area.width; }
  int height() const { return monitors.front().area.height; }

  DesktopServices services;
  // The scale the desktop publishes for the primary monitor (1..kMaxScale).
  int publishedScale = 1;
  // Every monitor, the primary one first (never empty): the one owner of the
  // screen geometry. See FollowMonitorsCommand.
  std::vector<Monitor> monitors;
  bool mayClose = false;
  MainMenuState menu;
  SettingsFiles files;
  DesktopScene scene;
  PointerState pointer;
  ControlStack controls;
  FrameComposer composer;
  ImageControl wallpaperControl;  // its picture is composer.wallpaper()
  ButtonTable buttons;
  ButtonInteraction interaction;
  PointerRouter router;
  SceneBuilder builder;
};

}  // namespace moravel
