#include "editor/ShortcutTarget.h"

#include <filesystem>
#include <system_error>

#include "codecs/ShellLink.h"
#include "settings/CaseInsensitivePath.h"
#include "settings/SkinPaths.h"
#include "settings/Utf8Path.h"

namespace moravel {

std::string ShortcutTarget(const std::string& linkPath) {
  namespace fs = std::filesystem;
  const Result<ShortcutInfo> read = ReadShortcut(linkPath);
  if (!read) return {};
  const ShortcutInfo& info = *read;
  std::error_code ec;
  if (!info.targetPath.empty() && fs::exists(fs::path(info.targetPath), ec)) return info.targetPath;
  if (!info.relativePath.empty()) {
    fs::path relative = fs::path(linkPath).parent_path() / StoredNameToPosix(info.relativePath);
    fs::path found = FindFileIgnoringCase(relative.lexically_normal());
    if (fs::exists(found, ec)) return Utf8Of(found);
  }
  return info.targetPath;
}

}  // namespace moravel
