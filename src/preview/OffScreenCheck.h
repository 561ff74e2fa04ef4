#pragma once
// Controls of a built scene that lie wholly outside the screen, where
// nobody can see them: static pictures, clock and calendar pictures, buttons
// and the analog clock, each at the place the coordinate rule gave it
// (ScreenCoordinate.h) and the size of the picture it shows. A control with
// no picture (already told as a missing picture) is not told again.

#include "desktop/DesktopScene.h"
#include "desktop/SettingsFiles.h"
#include "desktop/SkinProblems.h"

namespace moravel {

// `analogClock`: the analog clock's control, or null. Call after the first
// clock and calendar ticks, when every picture is shown.
void CheckPlacements(const DesktopScene& scene, const SettingsFiles& files,
                     const ImageControl* analogClock, int screenWidth, int screenHeight,
                     SkinProblems& problems);

}  // namespace moravel
