#pragma once
// The files of a button made by the editor: "temp\freebutton<n>_u.png",
// "_o.png" and "_d.png" in the skin folder, stored with "\" as skins made on
// Windows store them.

#include <string>

namespace moravel {

// The stored name of button n's picture in state `state` ('u', 'o' or 'd').
inline std::string StatePictureName(int n, char state) {
  return "temp\\freebutton" + std::to_string(n) + "_" + state + ".png";
}

inline constexpr char kStateLetters[3] = {'u', 'o', 'd'};

}  // namespace moravel
