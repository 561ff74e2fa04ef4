#pragma once
// Which of a skin's wallpapers suits the screen (the bands and their keys are
// in desktop/WallpaperBand.h).

#include <string>
#include <string_view>

#include "desktop/WallpaperBand.h"
#include "settings/IniFile.h"

namespace moravel {

// The value of the most preferred key of the band that is present in
// [wallpaper] (a key present with an empty value counts, and gives empty);
// `firstDefault` when none is. The keys are read from the last fallback to
// the first choice, each with the previous result as its default.
std::string SelectWallpaperName(const IniFile& config, int width, int height,
                                std::string_view firstDefault);

// The key SelectWallpaperName takes its value from: the most preferred key of
// the band present in [wallpaper]; empty when none is.
std::string_view SelectedWallpaperKey(const IniFile& config, int width, int height);

}  // namespace moravel
