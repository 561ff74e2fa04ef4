#pragma once
// Which of a skin's wallpapers suits the screen. A skin names up to four in
// config.ini [wallpaper], one per screen shape; the screen's width / height
// picks a band, and each band has its own order of fallbacks.

#include <array>
#include <string>
#include <string_view>

#include "settings/IniFile.h"

namespace moravel {

enum class AspectBand {
  R5x4,    // ratio <= 1.29
  R4x3,    // 1.29 < ratio <= 1.465
  R16x10,  // 1.465 < ratio <= 1.68
  R16x9,   // ratio > 1.68
};

// The band of a screen of width x height pixels (a ratio on a threshold
// belongs to the lower band). A height below 1 counts as 1.
AspectBand AspectBandFor(int width, int height);

// The keys of [wallpaper] for a band, from the first choice to the last fallback.
std::array<std::string_view, 4> WallpaperKeys(AspectBand band);

// The key that a wallpaper chosen by the user is stored under: the first choice.
std::string_view WallpaperKeyFor(AspectBand band);

// The value of the most preferred key of the band that is present in
// [wallpaper] (a key present with an empty value counts, and gives empty);
// `firstDefault` when none is. The keys are read from the last fallback to
// the first choice, each with the previous result as its default.
std::string SelectWallpaperName(const IniFile& config, int width, int height,
                                std::string_view firstDefault);

}  // namespace moravel
