#pragma once
// Paths are UTF-8 inside the program and become the system's own form only
// where they meet the file system. std::filesystem::path's own conversions
// from and to std::string use the ANSI code page on Windows, which cannot
// hold most names (Cyrillic skin folders, say); these two go through UTF-8
// on every system.

#include <filesystem>
#include <string>
#include <string_view>

namespace moravel {

// The path named by UTF-8 `name`. Bytes that are no UTF-8 stay as they are
// on POSIX; on Windows such a name becomes the path the ANSI code page makes
// of it.
std::filesystem::path PathFromUtf8(std::string_view name);

// `path` as UTF-8 (on POSIX: its bytes as they are).
std::string Utf8Of(const std::filesystem::path& path);

}  // namespace moravel
