#pragma once
// The pointer handlers of the desktop: the over picture follows the pointer,
// a pressed button shows its down picture, a click (or double click, as bound)
// opens the button's target, and a clock or calendar picture opens the date
// and time settings. Each control event runs the handlers bound to the
// control (ImageControl::handlers); a button's slot is found by its tag.

#include "desktop/DesktopScene.h"
#include "desktop/DesktopWindowPort.h"
#include "desktop/PointerState.h"
#include "platform/Launcher.h"
#include "scene/ControlEvents.h"
#include "scene/ControlStack.h"

namespace moravel {

class ButtonInteraction : public ControlEvents {
 public:
  // Everything passed in outlives this object. `wallpaper` is the control
  // under all others.
  ButtonInteraction(DesktopScene& scene, const ControlStack& controls, PointerState& pointer,
                    ImageControl& wallpaper, Launcher& launcher, DesktopWindowPort& window)
      : scene_(scene),
        controls_(controls),
        pointer_(pointer),
        wallpaper_(wallpaper),
        launcher_(launcher),
        window_(window) {}

  // Where the desktop has no tray icon, a right click on the wallpaper opens
  // the main menu.
  void SetNoTray(bool noTray) { noTray_ = noTray; }

  // The handlers.
  void TrackHover(ImageControl& sender);
  void ButtonMouseDown(ImageControl& sender, MouseButton button);
  void ButtonMouseUp(ImageControl& sender);
  void LaunchButton(ImageControl& sender);
  void OpenDateTimeSettings();

  // ControlEvents: run the bound handlers.
  void MouseMove(ImageControl& control, int x, int y) override;
  void MouseDown(ImageControl& control, MouseButton button, int x, int y) override;
  void Click(ImageControl& control) override;
  void DoubleClick(ImageControl& control) override;
  void MouseUp(ImageControl& control, MouseButton button, int x, int y) override;

 private:
  // The slot of a button control, or null for any other control.
  DesktopButton* Slot(const ImageControl& control);
  void RunAction(ImageControl& control);

  DesktopScene& scene_;
  const ControlStack& controls_;
  PointerState& pointer_;
  ImageControl& wallpaper_;
  Launcher& launcher_;
  DesktopWindowPort& window_;
  bool noTray_ = false;
};

}  // namespace moravel
