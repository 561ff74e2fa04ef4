#pragma once
// What a new button will open, as its user.ini record stores it, from the
// editor's target text and action: a shortcut (.lnk, any letter case) gives
// its target and arguments whatever the action; a desktop launcher its
// program and arguments (field codes already removed) or, for a link entry,
// its URL; a special folder an empty object and its number; anything else
// the text itself.

#include <optional>
#include <string>

#include "editor/ButtonAction.h"

namespace moravel {

struct ButtonTarget {
  std::string object;                // "object": the target; empty for a special folder
  std::optional<std::string> param;  // "param": arguments or the folder's number; none: not written
};

ButtonTarget ResolveButtonTarget(const std::string& targetText, ButtonAction action);

// `word` quoted so that SplitShellWords gives it back unchanged.
std::string QuoteShellWord(const std::string& word);

}  // namespace moravel
