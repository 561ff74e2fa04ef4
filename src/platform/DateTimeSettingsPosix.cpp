#include "platform/DateTimeSettings.h"

#include <strings.h>

#include "platform/FindExecutable.h"

namespace moravel {

namespace {

struct Candidate {
  const char* desktop;  // as in XDG_CURRENT_DESKTOP; "" for any
  const char* program;
  const char* argument;  // "" for none
};

constexpr Candidate kCandidates[] = {
    {"GNOME", "gnome-control-center", "datetime"},
    {"Budgie", "budgie-control-center", "datetime"},
    {"X-Cinnamon", "cinnamon-settings", "calendar"},
    {"MATE", "mate-time-admin", ""},
    {"KDE", "kcmshell6", "kcm_clock"},
    {"KDE", "kcmshell5", "clock"},
    {"KDE", "systemsettings", "kcm_clock"},
    {"LXQt", "lxqt-admin-time", ""},
    {"", "time-admin", ""},
};

bool NamesDesktop(const std::string& desktops, const char* desktop) {
  if (!*desktop) return false;
  size_t start = 0;
  while (start < desktops.size()) {
    size_t end = desktops.find(':', start);
    if (end == std::string::npos) end = desktops.size();
    if (strcasecmp(desktops.substr(start, end - start).c_str(), desktop) == 0) return true;
    start = end + 1;
  }
  return false;
}

}  // namespace

std::optional<std::vector<std::string>> DateTimeSettings::FindCommand(const Environment& env) {
  const std::string desktops = env.getOr("XDG_CURRENT_DESKTOP", "");
  for (bool ownDesktop : {true, false}) {
    for (const Candidate& c : kCandidates) {
      if (ownDesktop && !NamesDesktop(desktops, c.desktop)) continue;
      auto path = FindExecutable(c.program, env);
      if (!path) continue;
      std::vector<std::string> argv{*path};
      if (*c.argument) argv.emplace_back(c.argument);
      return argv;
    }
  }
  return std::nullopt;
}

}  // namespace moravel
