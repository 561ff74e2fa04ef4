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
// separator, leading separators ignored) names: FindFileIgnoringCase of
// skinPath / name with "/", made lexically normal first. A name that leads
// out of SkinsFolderOf(skinPath) (SkinPaths.h) gives a path under
// kNoSkinFolder, which never exists.
std::filesystem::path ResolveSkinFile(const std::filesystem::path& skinPath,
                                      std::string_view storedName);

}  // namespace moravel
