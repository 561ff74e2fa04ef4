#pragma once
// The list of skins in skins.ini, rebuilt at every start from the folders
// under skins/.

#include <filesystem>
#include <string>
#include <vector>

#include "settings/IniFile.h"

namespace moravel {

// The names of the folders (not files; "." and ".." never) directly inside
// `skinsFolder`, sorted by name so that the numbering does not depend on the
// file system's enumeration order. A symbolic link to a folder counts as a
// folder. Empty when the folder is missing or unreadable.
std::vector<std::string> SkinFolderNames(const std::filesystem::path& skinsFolder);

// Writes [skin1] .. [skinK] dir = the folder names of SkinFolderNames, then
// erases [skin<K+1>] when present (sections after it stay and are never
// counted, since counting stops at the first gap). The file is written only
// when that changes it. Returns K.
int RebuildSkinList(IniFile& skins, const std::filesystem::path& skinsFolder);

}  // namespace moravel
