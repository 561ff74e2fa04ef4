#pragma once
// The digit clock: the sections [clock1] .. [clock6] each show one digit of
// the time (tens and units of the hour, the minute and the second) as one of
// the section's preloaded digit pictures.

#include "desktop/DesktopScene.h"

namespace moravel {

// Shows hour h (0..23), minute m and second s in the present clock sections.
// The units of the second are always set; every other digit only when it
// differs from the same digit of scene.lastClockHour / Minute / Second
// (kNothingDrawn matches no digit). Does not update those caches.
void ShowClockDigits(DesktopScene& scene, int h, int m, int s);

}  // namespace moravel
