#pragma once
// Reads the user's well-known folders from user-dirs.dirs (written by
// xdg-user-dirs-update), lines such as
//   XDG_DESKTOP_DIR="$HOME/Desktop"
//   XDG_DOCUMENTS_DIR="/data/papers"
// A value is double-quoted; inside, a backslash stands for the next
// character. It starts with "$HOME" (followed by '/' or nothing) or is an
// absolute path; anything else is ignored. Unquoted values are accepted too.
// '#' starts a comment line; a later line for the same key wins.

#include <optional>
#include <string>
#include <string_view>

namespace moravel {

class UserDirs {
 public:
  // The value of `key` (e.g. "XDG_DESKTOP_DIR") in the text of a
  // user-dirs.dirs file, with $HOME replaced by `home`.
  static std::optional<std::string> Find(std::string_view text, std::string_view key,
                                         const std::string& home);

  // The same for the file `configHome`/user-dirs.dirs.
  static std::optional<std::string> FindInConfig(const std::string& configHome,
                                                 std::string_view key, const std::string& home);
};

}  // namespace moravel
