#include "widgets/SkinWallpaper.h"

#include "widgets/Wallpaper.h"

namespace moravel {

bool SkinWallpaper::PaintWallpaper(const IniFile& config, const std::filesystem::path& skinPath,
                                   std::string_view firstDefault, Bitmap& wallpaper) {
  return LoadWallpaper(config, skinPath, firstDefault, wallpaper, &wallpaperName_);
}

bool SkinWallpaper::PaintWallpaperFile(const std::filesystem::path& file, Bitmap& wallpaper) {
  return moravel::PaintWallpaperFile(file, wallpaper);
}

}  // namespace moravel
