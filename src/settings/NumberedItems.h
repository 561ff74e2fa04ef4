#pragma once
// Lists stored as numbered sections ([button1], [button2], ...) or numbered
// keys (image1, image2, ...): counted from 1 up to the first missing number,
// so a gap hides everything after it.

#include <string_view>

#include "settings/IniFile.h"

namespace moravel {

// The n such that sections prefix1 .. prefixn all exist and prefix<n+1> does not.
int CountNumberedSections(std::string_view prefix, const IniFile& ini);

// The same for keys prefix1 .. prefixn inside `section`.
int CountNumberedKeys(std::string_view prefix, const IniFile& ini, std::string_view section);

}  // namespace moravel
