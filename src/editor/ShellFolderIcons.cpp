#include "editor/ShellFolderIcons.h"

#include <string>
#include <string_view>

#include "settings/CaseInsensitivePath.h"

namespace moravel {

std::filesystem::path SpecialFolderIcon(const IniFile& config,
                                        const std::filesystem::path& skinPath, int folder) {
  std::string_view key;
  switch (folder) {
    case 5:
      key = "mydocuments";
      break;
    case 10:
      key = "deleted";
      break;
    case 17:
      key = "mycomputer";
      break;
    case 18:
      key = "network";
      break;
    default:
      return {};
  }
  const std::string value = config.ReadString("icons", key, std::string(key) + ".png");
  return ResolveSkinFile(skinPath, value);
}

}  // namespace moravel
