#pragma once
// The commands that change the desktop's skin and wallpaper (see
// DesktopSession for what each does).

#include <filesystem>
#include <optional>
#include <string>

#include "desktop/DesktopModel.h"

namespace moravel {

void SwitchSkin(DesktopModel& model, const std::string& name);
void ChangeWallpaper(DesktopModel& model, std::optional<std::filesystem::path> chosen);

}  // namespace moravel
