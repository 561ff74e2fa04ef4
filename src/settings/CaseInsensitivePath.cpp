#include "settings/CaseInsensitivePath.h"

#include <optional>
#include <string>
#include <system_error>

#include "settings/CaseFold.h"
#include "settings/SkinPaths.h"
#include "settings/Utf8Path.h"

namespace moravel {
namespace {

namespace fs = std::filesystem;

bool Exists(const fs::path& path) {
  std::error_code ec;
  return fs::exists(path, ec);
}

// The entry of `folder` whose name equals `name` ignoring case.
std::optional<fs::path> FindEntry(const fs::path& folder, const fs::path& name) {
  const std::string wanted = FoldCase(Utf8Of(name));
  std::optional<fs::path> best;
  std::error_code ec;
  fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    const fs::path entry = it->path().filename();
    if (FoldCase(Utf8Of(entry)) == wanted && (!best || entry < *best)) best = entry;
  }
  return best;
}

}  // namespace

fs::path FindFileIgnoringCase(const fs::path& path) {
  if (path.empty() || Exists(path)) return path;
  fs::path current;
  for (const fs::path& part : path) {
    const bool literal = part.empty() || part == "." || part == ".." || part == path.root_name() ||
                         part == path.root_directory();
    if (literal || Exists(current / part)) {
      current /= part;
      continue;
    }
    const std::optional<fs::path> match = FindEntry(current, part);
    if (!match) return path;
    current /= *match;
  }
  return current;
}

fs::path ResolveSkinFile(const fs::path& skinPath, std::string_view storedName) {
  // Stored names are relative even when they start with a separator.
  std::string relative = StoredNameToPosix(storedName);
  relative.erase(0, relative.find_first_not_of('/'));
  // Checked before the lookup, so that the lookup walks no "..", and after it.
  return WithinSkins(
      skinPath, FindFileIgnoringCase(WithinSkins(skinPath, skinPath / PathFromUtf8(relative))));
}

}  // namespace moravel
