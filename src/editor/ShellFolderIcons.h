#pragma once
// The pictures a skin gives the four special-folder actions, in the [icons]
// section of its config.ini: file names relative to the skin folder.

#include <filesystem>

#include "settings/IniFile.h"

namespace moravel {

// The icon source for special folder `folder` (5 documents, 10 recycle bin,
// 17 computer, 18 network): skinPath + [icons] "mydocuments", "deleted",
// "mycomputer" or "network", by default "<key>.png". Empty for other numbers.
std::filesystem::path SpecialFolderIcon(const IniFile& config,
                                        const std::filesystem::path& skinPath, int folder);

}  // namespace moravel
