#pragma once
// A freedesktop key file (desktop entries, mimeapps.list, GVfs mount files):
// "[Group]" lines and "Key=Value" lines; '#' starts a comment line. Values are
// kept raw (no unescaping: readers that need it, such as DesktopEntry, undo
// the escapes themselves). Later duplicates of a key in a group are ignored,
// as the format says. Localised keys such as "Name[ru]" are plain keys here.

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace moravel {

class KeyFile {
 public:
  // Files larger than this are not read (nothing of ours is near it).
  static constexpr size_t kMaxBytes = 1 << 20;

  // Reads `path`; nothing when it cannot be read, is no regular file (a FIFO
  // is refused without waiting) or is too large.
  static std::optional<KeyFile> Load(const std::string& path);
  static KeyFile Parse(std::string_view text);

  // True when a "[group]" line was read, even with no keys under it.
  bool hasGroup(std::string_view group) const { return groups_.find(group) != groups_.end(); }
  std::optional<std::string> value(std::string_view group, std::string_view key) const;

 private:
  std::map<std::string, std::map<std::string, std::string, std::less<>>, std::less<>> groups_;
};

}  // namespace moravel
