#pragma once
// The calendar: the sections [month], [weekday], [day1], [day2] and [year1]
// .. [year4] show today's date as pictures. Their files are named by the
// scene's path tables and loaded only when the day of the month changes.

#include <filesystem>

#include "desktop/DesktopScene.h"
#include "platform/LocalTime.h"

namespace moravel {

class Calendar {
 public:
  // When today.day differs from scene.lastShownDay: loads and shows the
  // picture of every present section, in the order month, weekday, day1,
  // day2, year1 .. year4, then sets lastShownDay. A picture that cannot be
  // loaded leaves its section's image as it was and stops nothing else.
  void Show(DesktopScene& scene, const LocalTime& today);

 private:
  void ShowFile(DesktopScene& scene, WidgetSection section, const std::filesystem::path& file);

  Bitmap scratch_;  // every file is decoded through this one picture
};

}  // namespace moravel
