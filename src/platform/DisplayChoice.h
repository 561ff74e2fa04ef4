#pragma once
// Where the program draws: the desktop window needs X11 (the desktop window
// type and the shape mask). In a Wayland session the compositor's XWayland
// gives it an X display, so the toolkit is told to use X11 (Qt's "xcb"
// platform) whenever DISPLAY is set, even where the desktop asks toolkits
// for Wayland. A platform the user named that is not Wayland (Qt's
// "offscreen" for a run without any display) is kept.

#include <string>

#include "platform/Environment.h"

namespace moravel {

struct DisplayChoice {
  std::string qtPlatform;  // the value for QT_QPA_PLATFORM; empty: leave it as it is
  std::string error;       // not empty: the program cannot run; tell the user this
};

DisplayChoice ChooseDisplay(const Environment& environment);

}  // namespace moravel
