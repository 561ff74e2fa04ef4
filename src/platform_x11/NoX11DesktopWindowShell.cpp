// Built instead of X11DesktopWindowShell.cpp where X11 is not available.
#include "platform_x11/DesktopWindowShell.h"

namespace moravel {

std::unique_ptr<DesktopWindowShell> CreateX11DesktopWindowShell(void*, unsigned long, void*) {
  return nullptr;
}

bool X11CanShowPieces(void*) {
  return false;
}

X11ScreenProbe::X11ScreenProbe() = default;
X11ScreenProbe::~X11ScreenProbe() = default;

}  // namespace moravel
