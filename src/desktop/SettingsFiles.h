#pragma once
// The four settings files of a running desktop and the current skin folder.
// Null until the start-up opens them; config and user are replaced by a skin
// switch.

#include <filesystem>
#include <memory>

#include "settings/IniFile.h"

namespace moravel {

struct SettingsFiles {
  std::filesystem::path programFolder;  // holds data.ini, skins.ini and skins/
  std::filesystem::path skinPath;       // the current skin folder, ending with "/"
  std::unique_ptr<IniFile> data;        // data.ini: the chosen skin
  std::unique_ptr<IniFile> skins;       // skins.ini: the list of skin folders
  std::unique_ptr<IniFile> config;      // <skin>/config.ini
  std::unique_ptr<IniFile> user;        // <skin>/user.ini: the user's buttons
};

}  // namespace moravel
