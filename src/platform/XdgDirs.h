#pragma once
// The freedesktop base folders (home, config and data folders) as they follow
// from an environment. Relative values are ignored, as the XDG base directory
// rules ask; unset or empty variables get their standard defaults.

#include <string>
#include <vector>

#include "platform/Environment.h"

namespace moravel {

class XdgDirs {
 public:
  explicit XdgDirs(const Environment& env) : env_(env) {}  // env must outlive this

  // $HOME, else the home folder of the user's account entry, else "/".
  std::string home() const;
  std::string configHome() const;               // $XDG_CONFIG_HOME or ~/.config
  std::vector<std::string> configDirs() const;  // $XDG_CONFIG_DIRS or /etc/xdg
  std::string dataHome() const;                 // $XDG_DATA_HOME or ~/.local/share
  // $XDG_DATA_DIRS or /usr/local/share:/usr/share
  std::vector<std::string> dataDirs() const;

  // `value` split at ':', keeping only absolute entries, without trailing '/'.
  static std::vector<std::string> SplitPathList(const std::string& value);

 private:
  std::string absoluteOr(const char* name, const std::string& fallback) const;

  const Environment& env_;
};

}  // namespace moravel
