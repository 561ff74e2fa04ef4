#pragma once
// Switches to the skin in folder skins/<name>/ (the skin chooser's apply):
// clears the scene; writes data.ini [skin] dir = name at once; opens the
// skin's config.ini and user.ini in place of the old ones; the double-click
// mark := config.ini [doubleclick] dc (default off); repaints the wallpaper
// (when the skin names none for this screen the old one stays) and the other
// monitors' wallpapers; builds the scene again (skin folder from data.ini,
// timers as the skin needs). A missing folder gives an empty scene; a
// user.ini that cannot be read is told to the user. Nothing before Start.

#include <string>

#include "desktop/DesktopCommand.h"

namespace moravel {

class SwitchSkinCommand : public DesktopCommand {
 public:
  explicit SwitchSkinCommand(std::string name) : name_(std::move(name)) {}
  void Apply(DesktopModel& model) override;

 private:
  std::string name_;
};

}  // namespace moravel
