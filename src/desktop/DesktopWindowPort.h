#pragma once
// What the desktop session asks of the window it is shown in. The Qt window
// implements it; tests use a recording fake.

#include <string>

#include "scene/FrameSink.h"

namespace moravel {

// FrameChanged (FrameSink): the frame has changed parts; the window takes
// them (Desktop::frame().TakeDirty()) when it next draws, never
// during the call.
class DesktopWindowPort : public FrameSink {
 public:
  virtual ~DesktopWindowPort() = default;
  // Opens the button menu ("Добавить кнопку", "Удалить кнопку") at screen (x, y).
  virtual void ShowButtonMenu(int x, int y) = 0;
  // Opens the main menu at screen (x, y) (used where the desktop has no tray).
  virtual void ShowMainMenu(int x, int y) = 0;
  // The program may end now (after the exit command): close the window.
  virtual void Close() = 0;
  // Shows a message to the user (no write access, a placement that cannot
  // begin); returns when the user has read it.
  virtual void ShowMessage(const std::string& text) = 0;
  // Takes the keyboard focus, so that the window's own key presses reach the
  // placement of a new button. Nothing by default.
  virtual void TakeKeyboardFocus() {}
  // The monitors beside the primary one, or their wallpapers, changed
  // (DesktopModel::monitors after the first). Nothing by default.
  virtual void SideScreensChanged() {}
};

}  // namespace moravel
