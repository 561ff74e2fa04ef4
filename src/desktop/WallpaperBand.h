#pragma once
// The screen shapes a skin has wallpapers for. A skin names up to four in
// config.ini [wallpaper], one per shape; the screen's width / height picks a
// band, and each band has its own key and order of fallbacks.

#include <array>
#include <string_view>

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

// The wallpaper name a skin switch asks for when the new skin names none:
// "f" (5:4), "d" (4:3), "s" (16:10) or "a" (16:9). No skin has such a file,
// so the previous wallpaper stays on screen.
std::string_view SkinSwitchWallpaperDefault(AspectBand band);

}  // namespace moravel
