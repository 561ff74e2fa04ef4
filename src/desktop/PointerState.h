#pragma once
// What the pointer handlers remember between events. Controls are named by
// their ids (ControlStack::Find), so a control that goes away leaves nothing
// dangling here.

#include <cstdint>

namespace moravel {

// The id of the full-screen wallpaper control, below every other control.
inline constexpr uint64_t kWallpaperControlId = 0;

struct PointerState {
  // The control that last got a pointer move through TrackHover; a button
  // there shows its over picture. The wallpaper when none.
  uint64_t hoveredId = kWallpaperControlId;
  // Slot of the button last pressed with the right or middle button; 0: none.
  int selectedButton = 0;
  // Set by a launch: the next press on a button shows its over picture
  // instead of its down picture.
  bool justLaunched = false;
};

}  // namespace moravel
