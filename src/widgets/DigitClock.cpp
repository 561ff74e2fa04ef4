#include "widgets/DigitClock.h"

namespace moravel {
namespace {

// Shows digit `digit` of `section` when the section is present. Digits past
// the section's pictures show nothing.
void ShowDigit(DesktopScene& scene, WidgetSection section, int digit) {
  ImageControl* image = scene.widget(section);
  if (!scene.present(section) || !image) return;
  const auto& pictures = scene.clockDigitPictures[size_t(ClockIndex(section))];
  image->SetPicture(digit >= 0 && digit < int(pictures.size()) ? pictures[size_t(digit)] : nullptr);
}

}  // namespace

void ShowClockDigits(DesktopScene& scene, int h, int m, int s) {
  // Division and remainder truncate toward zero, as the caches expect.
  ShowDigit(scene, WidgetSection::Clock6, s % 10);
  if (s / 10 != scene.lastClockSecond / 10) ShowDigit(scene, WidgetSection::Clock5, s / 10);
  if (m % 10 != scene.lastClockMinute % 10) ShowDigit(scene, WidgetSection::Clock4, m % 10);
  if (m / 10 != scene.lastClockMinute / 10) ShowDigit(scene, WidgetSection::Clock3, m / 10);
  if (h % 10 != scene.lastClockHour % 10) ShowDigit(scene, WidgetSection::Clock2, h % 10);
  if (h / 10 != scene.lastClockHour / 10) ShowDigit(scene, WidgetSection::Clock1, h / 10);
}

}  // namespace moravel
