#pragma once
// Everything the desktop window does, without any windowing toolkit: opening
// the settings files at start, building and clearing the scene, the pointer
// handlers of the buttons, the menu commands and the timers' work. The window
// (Qt) forwards its events here and shows frame().
//
// Lifetime: the window owns the session; the services passed in must outlive it.
// Everything runs on the one user-interface thread.

#include <filesystem>
#include <memory>

#include "desktop/DesktopTimers.h"
#include "desktop/DesktopWindowPort.h"
#include "desktop/MainMenuState.h"
#include "desktop/PointerEvent.h"
#include "platform/Clock.h"
#include "platform/Launcher.h"
#include "raster/Bitmap.h"
#include "raster/Rect.h"

namespace moravel {

class DesktopFrame;

struct DesktopServices {
  Launcher& launcher;
  Clock& clock;
  DesktopTimers& timers;
  DesktopWindowPort& window;
};

class DesktopSession {
 public:
  // `programFolder` holds data.ini, skins.ini, help.png and skins/.
  // `screenWidth` x `screenHeight` is the screen in pixels.
  DesktopSession(DesktopServices services, std::filesystem::path programFolder, int screenWidth,
                 int screenHeight);
  ~DesktopSession();

  // The start-up work of the main window: settings files, skin list,
  // double-click mark, wallpaper, scene. Call once.
  void Start();

  // Pointer input from the window, in screen pixels.
  void HandlePointer(const PointerEvent& event);

  // Timer work (see DesktopTimers).
  void OnCalendarTimer();
  void OnClockTimer();

  // Main menu commands.
  void OpenDesktopFiles();  // "Файлы рабочего стола"
  void ToggleDoubleClick(); // "Использовать двойной клик"
  void Exit();              // "Закрыть программу": clears the scene, then window.Close()
  bool MayClose() const;

  const MainMenuState& menu() const;
  // The composed picture of the whole desktop window, and its changed parts.
  DesktopFrame& frame();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace moravel
