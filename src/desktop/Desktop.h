#pragma once
// The running desktop, the document of the program, without any windowing
// toolkit. Its state (DesktopModel) is private to it; it offers one operation
// per thing a user or the system does: start, a pointer event, a timer tick,
// toggle double click, switch skin, change wallpaper, follow the monitors,
// exit, and Run for the commands that touch several parts (a button added or
// removed). The front end forwards its events here and shows frame().
//
// The first change of the picture after the window last took the frame tells
// the window (FrameSink::FrameChanged); frame().TakeDirty() then gives the
// rectangles to repaint, and the window's shape is where the frame is not
// pure blue (FramePresenter).
//
// Lifetime: the program owns the desktop; the services passed in outlive it.
// Everything runs on the one user-interface thread.

#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "desktop/DesktopCommand.h"
#include "desktop/DesktopModel.h"
#include "desktop/DesktopOverlay.h"
#include "desktop/DesktopScene.h"
#include "desktop/DesktopTimers.h"
#include "desktop/DesktopWindowPort.h"
#include "desktop/MainMenuState.h"
#include "desktop/PointerState.h"
#include "desktop/SettingsFiles.h"
#include "desktop/TimeWidgets.h"
#include "desktop/WallpaperPainter.h"
#include "platform/Clock.h"
#include "platform/Launcher.h"
#include "raster/Bitmap.h"
#include "raster/Rect.h"
#include "scene/PointerEvent.h"

namespace moravel {

class FrameComposer;

class Desktop {
 public:
  // `programFolder` holds data.ini, skins.ini, help.png and skins/.
  // `screenWidth` x `screenHeight` is the screen in device pixels, and
  // `scale` the whole-number scale the desktop publishes for it (see
  // FollowScreens).
  Desktop(DesktopServices services, std::filesystem::path programFolder, int screenWidth,
          int screenHeight, int scale = 1);
  ~Desktop();

  // The start-up work of the main window: settings files, skin list,
  // double-click mark, wallpaper, scene. Call once.
  void Start();

  // Pointer input from the window, in device pixels.
  void HandlePointer(const PointerEvent& event);
  // True where the desktop has no tray icon: a right click on the wallpaper
  // then opens the main menu (window.ShowMainMenu). False at first.
  void SetNoTray(bool noTray);

  // Timer work (see DesktopTimers): OnTimer runs the work of any timer.
  void OnTimer(DesktopTimer timer);
  void OnCalendarTimer();
  void OnClockTimer();

  // Main menu commands.
  void OpenDesktopFiles();   // "Файлы рабочего стола"
  void ToggleDoubleClick();  // "Использовать двойной клик"
  void Exit();  // "Закрыть программу": clears the scene, then window.Close()
  bool MayClose() const;

  // Runs a change that touches several parts of the desktop (see each
  // command's header). The three the window asks for have their own calls:
  void Run(DesktopCommand& command);
  // The skin chooser's apply (SwitchSkinCommand). Call after Start.
  void ApplySkin(const std::string& name);
  // "Сменить фон", after its picture dialog (ChangeWallpaperCommand).
  void ChangeWallpaper(std::optional<std::filesystem::path> chosen);
  // The primary monitor is now `primary`, and the other monitors are
  // `screens`, in desktop coordinates (FollowMonitorsCommand); `scale` is
  // the whole-number scale the desktop publishes for the primary one (its
  // DPI / 96, or the desktop's scale, rounded; 1 where it says none).
  void FollowScreens(Rect primary, std::span<const Rect> screens, int scale = 1);
  // "Масштаб" (ChooseScaleCommand): 0 automatic, 1..3. A running overlay
  // is ended first when the scale drawn at changes.
  void ChooseScale(int choice);
  // Every monitor, the primary one first (see Monitor.h).
  const std::vector<Monitor>& monitors() const;

  const MainMenuState& menu() const;
  // The composed picture of the whole desktop window, and its changed parts.
  FrameComposer& frame();

  // Everything the desktop holds, read-only: for the dialogs that show it
  // and for tests. Changes go through the operations above.
  const DesktopModel& state() const;

  // Who hears of what the next skin builds cannot use (null: nobody); must
  // outlive them (the preview tool lists them).
  void SetProblems(SkinProblems* problems);

  // Lays `overlay` over the skin (see DesktopOverlay) until another one or
  // null is set; the one set before is detached. `overlay` must stay alive
  // while set.
  void SetOverlay(DesktopOverlay* overlay);

 private:
  std::unique_ptr<DesktopModel> state_;
  DesktopOverlay* overlay_ = nullptr;
};

}  // namespace moravel
