#include "desktop/SkinList.h"

#include <algorithm>
#include <system_error>

namespace moravel {

std::vector<std::string> SkinFolderNames(const std::filesystem::path& skinsFolder) {
  std::vector<std::string> names;
  std::error_code ec;
  std::filesystem::directory_iterator it(skinsFolder, ec);
  for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    std::error_code typeError;
    if (it->is_directory(typeError)) names.push_back(it->path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

int RebuildSkinList(IniFile& skins, const std::filesystem::path& skinsFolder) {
  const std::vector<std::string> names = SkinFolderNames(skinsFolder);
  const int count = int(names.size());
  for (int k = 1; k <= count; ++k) {
    skins.WriteString("skin" + std::to_string(k), "dir", names[size_t(k - 1)]);
  }
  skins.EraseSection("skin" + std::to_string(count + 1));
  return count;
}

}  // namespace moravel
