#pragma once
// Builds the desktop scene from the current skin and takes it down again.
//
// Build, in this order: the skin folder from data.ini; the main menu items
// enabled; the wallpaper tracks hover; the analog clock (through TimeWidgets,
// when config.ini has [analogclock]); the static pictures [picture1..] (at
// most 500); the clock and calendar sections present in config.ini; the
// buttons [button1..] of user.ini (at most 500); last the timers that the
// scene needs. Clear stops the timers first, destroys every control and
// resets the flags and caches. Pictures that cannot be loaded stay empty.
//
// With a SkinProblems (SetProblems) the build also tells of every picture it
// could not load, of clock digits hidden behind a failed one, of buttons whose
// image names no pictures, and loads every calendar picture once to check it;
// without one it does none of that.

#include "desktop/ButtonTable.h"
#include "desktop/DesktopScene.h"
#include "desktop/DesktopTimers.h"
#include "desktop/MainMenuState.h"
#include "desktop/Monitor.h"
#include "desktop/PictureLoader.h"
#include "desktop/PointerState.h"
#include "desktop/SceneContext.h"
#include "desktop/SettingsFiles.h"
#include "desktop/TimeWidgets.h"
#include "scene/ControlStack.h"

namespace moravel {

// Everything a build works on; all of it outlives the builder.
struct SceneParts {
  SettingsFiles& files;  // data, config and user must be open
  DesktopScene& scene;
  ControlStack& controls;
  ImageControl& wallpaperControl;  // the full-screen control under all others
  PointerState& pointer;
  ButtonTable& buttons;
  MainMenuState& menu;
  DesktopTimers& timers;
  TimeWidgets* timeWidgets;  // may be null
  const Bitmap& wallpaper;   // the painted wallpaper layer
  const Clock& clock;
  // The monitors, the primary first: the one coordinates resolve against
  // (far edge, centre), read at each Build.
  const std::vector<Monitor>& monitors;
  SkinProblems* problems = nullptr;  // may be null: nothing is checked or told
};

class SceneBuilder {
 public:
  explicit SceneBuilder(SceneParts parts) : p_(parts) {}

  // Expects an empty scene (fresh, or after Clear) and the wallpaper
  // painted.
  void Build();
  // The same in two steps, for a caller that waits for the wallpaper in
  // between: first everything the wallpaper does not show through (the
  // pictures, the clocks' digits, the calendar, the buttons), then the
  // analog clock, which keeps the wallpaper under its plate, and the timers.
  void BuildBeforeWallpaper();
  void BuildOverWallpaper();
  // Leaves the scene empty, the timers stopped and the pointer's hovered
  // control at the wallpaper.
  void Clear();

  // The context lent to the time widgets.
  SceneContext Context() const;

  // Who hears of what the next builds cannot use (null: nobody); must
  // outlive the builds. Also lent to the time widgets through Context().
  void SetProblems(SkinProblems* problems) { p_.problems = problems; }

 private:
  void BuildAnalogClock();
  void BuildStaticPictures(PictureLoader& loader);
  void BuildWidget(WidgetSection section, PictureLoader& loader);
  void StoreCalendarPaths(WidgetSection section, PictureLoader& loader);
  void LoadClockDigits(WidgetSection section, bool transparent, PictureLoader& loader);
  void BuildButton(int k, PictureLoader& loader);
  void Place(ImageControl& control, std::string_view section, const IniFile& ini) const;
  void SwitchTimers();

  SceneParts p_;
};

}  // namespace moravel
