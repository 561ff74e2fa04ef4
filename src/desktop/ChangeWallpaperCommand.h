#pragma once
// "Сменить фон", after its picture dialog: `chosen` is the picture file
// picked (nullopt: the dialog was cancelled). With a file: paints it as the
// wallpaper (the old one stays when it cannot be loaded), builds the analog
// clock again over it without a click action (off when that fails), writes
// config.ini [wallpaper] <the screen's band key> = "?" + its absolute path,
// loaded or not, and repaints the other monitors' wallpapers. Either way the
// clock timer is stopped during the work and runs afterwards.

#include <filesystem>
#include <optional>

#include "desktop/DesktopCommand.h"

namespace moravel {

class ChangeWallpaperCommand : public DesktopCommand {
 public:
  explicit ChangeWallpaperCommand(std::optional<std::filesystem::path> chosen)
      : chosen_(std::move(chosen)) {}
  void Apply(DesktopModel& model) override;

 private:
  std::optional<std::filesystem::path> chosen_;
};

}  // namespace moravel
