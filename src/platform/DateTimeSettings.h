#pragma once
// Chooses the date-and-time settings program of the desktop. Known programs,
// in this order (the Debian package shipping each in brackets):
//   gnome-control-center datetime   GNOME   [gnome-control-center]
//   budgie-control-center datetime  Budgie  [budgie-control-center]
//   cinnamon-settings calendar      Cinnamon [cinnamon]
//   mate-time-admin                 MATE    [mate-control-center]
//   kcmshell6 kcm_clock             KDE Plasma 6
//   kcmshell5 clock                 KDE Plasma 5 [kde-cli-tools]
//   systemsettings kcm_clock        KDE Plasma [systemsettings]
//   lxqt-admin-time                 LXQt    [lxqt-admin]
//   time-admin                      any     [gnome-system-tools]
// Xfce ships no such program. Programs of the desktops named in
// $XDG_CURRENT_DESKTOP come first; among the rest the order above holds.

#include <optional>
#include <string>
#include <vector>

#include "platform/Environment.h"

namespace moravel {

class DateTimeSettings {
 public:
  // The command to run: argv[0] is the program's full path found in PATH.
  // Nothing when no known program is installed.
  static std::optional<std::vector<std::string>> FindCommand(const Environment& env);
};

}  // namespace moravel
