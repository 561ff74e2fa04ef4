#include "widgets/WallpaperSelection.h"

namespace moravel {

std::string SelectWallpaperName(const IniFile& config, int width, int height,
                                std::string_view firstDefault) {
  const std::array<std::string_view, 4> keys = WallpaperKeys(AspectBandFor(width, height));
  std::string name(firstDefault);
  for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
    name = config.ReadString("wallpaper", *key, name);
  }
  return name;
}

std::string_view SelectedWallpaperKey(const IniFile& config, int width, int height) {
  for (std::string_view key : WallpaperKeys(AspectBandFor(width, height))) {
    if (config.HasKey("wallpaper", key)) return key;
  }
  return {};
}

}  // namespace moravel
