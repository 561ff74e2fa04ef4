#pragma once
// What kind of file an icon is taken from, told by the path's extension.

#include <string_view>

namespace moravel {

enum class IconSourceKind {
  kPicture = 1,     // jpg, jpeg, bmp, gif: the picture itself, fully opaque
  kPng = 2,         // png: colour and alpha as stored
  kIconFile = 3,    // ico: the icon's image nearest 64 x 64
  kExecutable = 4,  // exe: the first icon group of its resources
  kShortcut = 5,    // lnk: the icon of the link's target
  kOther = 6,       // anything else: the icon the desktop shows for it
};

// The extension is what follows the last "." (the whole path when there is
// none); only its leading letters count, without regard to case: "png"
// (so "pngx" too), "jpg", "bmp", "gif", "jpeg" ("jpe" is no picture), "ico",
// "exe", "lnk". Paths of 3 characters or fewer, and paths ending in ".",
// are kOther.
IconSourceKind ClassifyIconSource(std::string_view path);

// True when the extension (as above) starts with `letters` (lower case).
bool ExtensionStartsWith(std::string_view path, std::string_view letters);

}  // namespace moravel
