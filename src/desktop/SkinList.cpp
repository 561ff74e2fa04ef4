#include "desktop/SkinList.h"

#include <algorithm>
#include <system_error>

#include "settings/IniBatch.h"
#include "settings/Utf8Path.h"

namespace moravel {

std::vector<std::string> SkinFolderNames(const std::filesystem::path& skinsFolder) {
  std::vector<std::string> names;
  std::error_code ec;
  std::filesystem::directory_iterator it(skinsFolder, ec);
  for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    std::error_code typeError;
    if (it->is_directory(typeError)) names.push_back(Utf8Of(it->path().filename()));
  }
  std::sort(names.begin(), names.end());
  return names;
}

int RebuildSkinList(IniFile& skins, const std::filesystem::path& skinsFolder) {
  const std::vector<std::string> names = SkinFolderNames(skinsFolder);
  const int count = int(names.size());
  const std::string after = "skin" + std::to_string(count + 1);
  // One batch: the file is written once, and not at all when the list is
  // as it was (the usual start, which then costs no disk flush).
  IniBatch batch;
  for (int k = 1; k <= count; ++k)
    batch.Set("skin" + std::to_string(k), "dir", names[size_t(k - 1)]);
  batch.EraseSection(after);
  if (skins.Apply(batch)) return count;
  // A name the file cannot hold (a line break in it) refuses the batch: each
  // entry on its own, so that only that one keeps its old section.
  for (int k = 1; k <= count; ++k) {
    (void)skins.WriteString("skin" + std::to_string(k), "dir", names[size_t(k - 1)]);
  }
  (void)skins.EraseSection(after);
  return count;
}

}  // namespace moravel
