#pragma once
// The program's XDG autostart entry: <config home>/autostart/moravel.desktop,
// which the desktop reads at each login to start the program it names. The
// config home is $XDG_CONFIG_HOME, else $HOME/.config (absolute values only,
// as XdgDirs reads them); with neither there is no entry to read or write.
//
// The entry "points at" a program when its Exec starts that very file (the
// same path, or another path to the same file) and the desktop has not been
// told to skip it (Hidden=true or X-GNOME-Autostart-enabled=false, as
// session tools write them). Anything else there, a damaged file included,
// points at nothing.

#include <filesystem>
#include <optional>
#include <string>

#include "platform/Environment.h"

namespace moravel {

class AutostartEntry {
 public:
  // `env` must outlive this; it is read at each call.
  explicit AutostartEntry(const Environment& env) : env_(env) {}

  // The entry's file, or nothing without an absolute XDG_CONFIG_HOME or HOME.
  std::optional<std::filesystem::path> path() const;

  bool PointsAt(const std::filesystem::path& program) const;

  // Writes an entry that starts `program` (an absolute path) with no
  // arguments, replacing the file atomically and creating its folder. False
  // when the file could not be written; the old file is then left as it was.
  bool Enable(const std::filesystem::path& program) const;

  // Removes the entry, whatever it points at. True when no file is there
  // afterwards (also when there was none, or there is no place for one).
  bool Disable() const;

 private:
  const Environment& env_;
};

}  // namespace moravel
