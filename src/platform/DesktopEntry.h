#pragma once
// Freedesktop desktop entries (.desktop launchers), read with KeyFile and the
// freedesktop Desktop Entry rules:
//  - string values unescape \s \n \t \r \\ (other escapes are kept as written);
//  - Name takes the best Name[xx_YY@mod] for the locale (lang_COUNTRY@MODIFIER,
//    lang_COUNTRY, lang@MODIFIER, lang, then plain Name);
//  - Exec is split into words with double quotes only (inside them \" \` \$
//    \\ stand for the character), then field codes are expanded: %f %F %u %U
//    are dropped, %i becomes "--icon" and the Icon value (nothing when Icon is
//    empty), %c the Name, %k the entry's own path, %% a percent sign,
//    deprecated %d %D %n %N %v %m are dropped; any other code makes the Exec
//    invalid;
//  - Type=Link carries its target in URL.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace moravel {

struct DesktopEntry {
  std::string type;               // "Application", "Link", "Directory", ...
  std::string name;               // localised Name
  std::string icon;               // Icon: an absolute path or a theme icon name
  std::string url;                // URL of a Type=Link entry
  std::vector<std::string> exec;  // program and arguments after field codes; empty when none
  bool execValid = true;          // false when Exec had a bad field code or quoting
};

// Parses the text of a desktop entry found at `path` (used for %k), choosing
// names for `locale` (a POSIX locale name such as "ru_RU.UTF-8"; empty for
// none). Nothing when the text has no [Desktop Entry] group.
std::optional<DesktopEntry> ParseDesktopEntry(std::string_view text, const std::string& path,
                                              std::string_view locale);

// Reads and parses the file (at most KeyFile::kMaxBytes).
std::optional<DesktopEntry> ReadDesktopEntry(const std::string& path, std::string_view locale);

}  // namespace moravel
