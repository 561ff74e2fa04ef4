#pragma once
// How the program sets up Qt's icon theme itself, without relying on a desktop
// session: where themes are looked up, which theme is used, and the fallbacks
// (the "hicolor" theme, then loose pictures in /usr/share/pixmaps).

#include <string>
#include <string_view>
#include <vector>

#include "platform/Environment.h"

namespace moravel {

class IconTheme {
 public:
  // $XDG_DATA_HOME/icons, each $XDG_DATA_DIRS entry + /icons, ~/.icons, in
  // that order (earlier folders win).
  static std::vector<std::string> SearchPaths(const Environment& env);

  // The theme to use: the platform's theme unless it names none or only
  // "hicolor"; then "Adwaita" when it is installed, else "hicolor".
  static std::string Choose(std::string_view platformTheme, bool adwaitaInstalled);

  // True when `theme`/index.theme exists in one of `searchPaths`.
  static bool Installed(std::string_view theme, const std::vector<std::string>& searchPaths);

  // Applies the above to Qt's icon lookup (QIcon's theme name, search paths
  // and fallbacks). The platform's theme name is the one Qt found before the
  // first call, so calling again with another environment starts from the
  // same choice. Needs the QGuiApplication; call from its thread.
  static void Apply(const Environment& env);
};

}  // namespace moravel
