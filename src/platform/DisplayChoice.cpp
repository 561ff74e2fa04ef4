#include "platform/DisplayChoice.h"

namespace moravel {

DisplayChoice ChooseDisplay(const Environment& environment) {
  const std::string named = environment.getOr("QT_QPA_PLATFORM", "");
  if (!named.empty() && named.find("wayland") == std::string::npos) return {};
  if (!environment.getOr("DISPLAY", "").empty()) return {.qtPlatform = "xcb"};
  std::string error = "moravel: there is no X11 display (DISPLAY is not set).\n";
  error += environment.getOr("WAYLAND_DISPLAY", "").empty()
               ? "Start it inside a graphical session.\n"
               : "This Wayland session runs no XWayland: Moravel draws the desktop through X11. "
                 "Turn XWayland on in the compositor's settings.\n";
  return {.error = error};
}

}  // namespace moravel
