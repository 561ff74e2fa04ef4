#pragma once
// Finding files whose stored names differ in letter case from the names on
// the disk (skins made on Windows, whose file system ignores case).

#include <filesystem>
#include <string_view>

namespace moravel {

// `path` itself when it exists. Otherwise each component that does not exist
// under its exact name is looked up among its folder's entries ignoring case
// (FoldCase); when several entries match, the one whose name sorts first is
// taken. When some component has no match, `path` is returned unchanged.
// Reads folders only when the exact name is missing. Never throws.
std::filesystem::path FindFileIgnoringCase(const std::filesystem::path& path);

// The file that the stored name (relative to the skin folder, "\" as the
// separator) names: FindFileIgnoringCase(skinPath / name with "/").
std::filesystem::path ResolveSkinFile(const std::filesystem::path& skinPath,
                                      std::string_view storedName);

}  // namespace moravel
