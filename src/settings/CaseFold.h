#pragma once
// Case-insensitive comparison of names in settings files and of file names
// from skins made on Windows. Strings are UTF-8; folding maps ASCII A-Z and the
// Cyrillic capitals (U+0400..U+042F, U+0490) to their small letters and leaves
// every other byte as it is, so invalid UTF-8 is safe to pass.

#include <string>
#include <string_view>

namespace moravel {

// A copy of `text` with the letters above folded to small letters. The result
// has the same byte length as `text`.
std::string FoldCase(std::string_view text);

bool EqualsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace moravel
