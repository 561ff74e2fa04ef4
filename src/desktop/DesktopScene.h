#pragma once
// Everything the scene builder puts on the desktop window, with the tables the
// clock and calendar timers and the pointer handlers work on. The controls
// themselves are owned by the ControlStack; the scene holds them by pointer
// (null while a slot is empty).

#include <array>
#include <filesystem>

#include "desktop/DesktopButton.h"
#include "desktop/WidgetSection.h"
#include "scene/ImageControl.h"
#include "scene/Picture.h"

namespace moravel {

inline constexpr int kMaxStaticPictures = 500;
inline constexpr int kNothingDrawn = -123;  // clock caches before the first tick

struct DesktopScene {
  // Slots 1 .. buttonCount are filled (button(k) for k = 1 .. 500).
  std::array<DesktopButton, kMaxButtons> buttons;
  int buttonCount = 0;
  DesktopButton& button(int k) { return buttons[size_t(k - 1)]; }
  const DesktopButton& button(int k) const { return buttons[size_t(k - 1)]; }

  // Static pictures 1 .. staticCount, as staticPictures[0 ..].
  std::array<ImageControl*, kMaxStaticPictures> staticPictures{};
  int staticCount = 0;

  // One control per widget section (index: WidgetSection), and whether the
  // section existed at the last build.
  std::array<ImageControl*, kWidgetSectionCount> widgetImages{};
  std::array<bool, kWidgetSectionCount> widgetPresent{};
  bool present(WidgetSection s) const { return widgetPresent[size_t(s)]; }
  ImageControl* widget(WidgetSection s) const { return widgetImages[size_t(s)]; }

  // Calendar picture files, loaded by the calendar when the date changes.
  // Indexed as the keys are numbered (index 0 of month and weekday unused).
  std::array<std::filesystem::path, 13> monthPaths;                     // image1 .. image12
  std::array<std::filesystem::path, 8> weekdayPaths;                    // image1 (Sunday) .. image7
  std::array<std::filesystem::path, 4> dayTensPaths;                    // image0 .. image3
  std::array<std::filesystem::path, 10> dayUnitsPaths;                  // image0 .. image9
  std::array<std::array<std::filesystem::path, 10>, 4> yearDigitPaths;  // [year1..4][digit]

  // Digit pictures of clock1 .. clock6 ([ClockIndex][digit]), loaded at build
  // and prepared for the section's transparent flag; empty after a failed load.
  std::array<std::array<Picture, 10>, 6> clockDigitPictures;

  bool analogClockPresent = false;
  bool showSeconds = false;

  // Redraw caches of the calendar and the clocks.
  int lastShownDay = 0;
  // The scale the scene was built at (Monitor::scale): every picture is
  // loaded for it (LoadPictureAtScale).
  int scale = 1;
  int lastClockHour = kNothingDrawn;
  int lastClockMinute = kNothingDrawn;
  int lastClockSecond = kNothingDrawn;
};

}  // namespace moravel
