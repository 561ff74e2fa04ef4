#pragma once
// What the pointer handlers remember between events.

#include "desktop/ImageControl.h"

namespace moravel {

struct PointerState {
  // The control that last got a pointer move through TrackHover; a button
  // here shows its over picture. The wallpaper control when none (never null
  // once the session has started).
  ImageControl* hovered = nullptr;
  // Slot of the button last pressed with the right or middle button; 0: none.
  int selectedButton = 0;
  // Set by a launch: the next press on a button shows its over picture
  // instead of its down picture.
  bool justLaunched = false;
};

}  // namespace moravel
