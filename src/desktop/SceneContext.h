#pragma once
// What the clock and calendar widgets work on: the scene, its controls, the
// settings and the painted wallpaper. Lent by the desktop for one call.

#include "desktop/DesktopScene.h"
#include "desktop/MainMenuState.h"
#include "desktop/SettingsFiles.h"
#include "desktop/SkinProblems.h"
#include "platform/Clock.h"
#include "raster/Bitmap.h"
#include "scene/ControlStack.h"
#include "settings/ScreenCoordinate.h"

namespace moravel {

struct SceneContext {
  const SettingsFiles& files;
  DesktopScene& scene;
  ControlStack& controls;     // add the analog clock on ControlLayer::AnalogClock
  const Bitmap& wallpaper;    // screen-sized, as painted
  const MainMenuState& menu;  // useDoubleClickChecked picks the click binding
  const Clock& clock;
  SkinScreen screen;                 // the primary monitor: where stored coordinates resolve
  SkinProblems* problems = nullptr;  // hears of pictures that cannot be loaded; may be null
};

}  // namespace moravel
