#pragma once
// One launch button of the desktop: what it opens, its three state pictures
// and the control that shows them. Slot k holds user.ini [button<k>], and
// the control's tag is k.

#include <string>

#include "scene/ImageControl.h"
#include "scene/Picture.h"

namespace moravel {

inline constexpr int kMaxButtons = 500;
inline constexpr int kDefaultSpecialFolder = 17;  // the computer

struct DesktopButton {
  std::string target;     // file, folder or program to open; empty for a special folder
  std::string arguments;  // passed with target
  int specialFolder = kDefaultSpecialFolder;  // shell folder number, used when target is empty
  // The state pictures, already prepared for the control's transparent flag.
  Picture upPicture, overPicture, downPicture;
  ImageControl* image = nullptr;  // owned by the ControlStack; null while the slot is empty
};

}  // namespace moravel
