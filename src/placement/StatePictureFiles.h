#pragma once
// The files of a button made by the editor: "temp\freebutton<n>_u.png",
// "_o.png" and "_d.png" in the skin folder, stored with "\" as skins made on
// Windows store them. When a record already names button n's usual files (a
// removal has moved another button's pictures there), a fresh name is taken
// instead: "temp\freebutton<n>-2_u.png", "-3", ... . A record stores only the
// up picture's name; the others follow by the letter after the last "_".
// Beside each file may lie its pictures for scaled screens, "..._u@2x.png"
// and "@3x" (ScaledSiblingName); they go wherever the file goes.

#include <filesystem>
#include <string>
#include <string_view>

#include "settings/IniFile.h"

namespace moravel {

// The stored name of button n's picture in state `state` ('u', 'o' or 'd').
inline std::string StatePictureName(int n, char state) {
  return "temp\\freebutton" + std::to_string(n) + "_" + state + ".png";
}

inline constexpr char kStateLetters[3] = {'u', 'o', 'd'};

// `stored` with the character after its last "_" replaced by `state`;
// `stored` unchanged when it has no "_" or ends with it.
std::string WithStateLetter(std::string_view stored, char state);

// True when `stored` names pictures the program made for a button:
// "temp\freebutton<digits>[-<digits>]_<letter>.png", in any letter case,
// with "\" or "/".
bool IsMadePictureName(std::string_view stored);

// The stored up-picture name for a new home of button n's pictures that no
// [button<k>] section of `user` names in any state (compared as the disk
// would: either separator, any case): StatePictureName(n, 'u') when free,
// else the first free "-2", "-3", ... variant. Files already there under
// that name belong to no button and may be overwritten.
std::string FreeStatePictureName(int n, const IniFile& user);

// Removes the scaled siblings of `file` (2 to kMaxScale, found ignoring
// letter case); what cannot be removed stays.
void RemoveScaledSiblings(const std::filesystem::path& file);

}  // namespace moravel
