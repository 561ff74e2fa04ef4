#include "desktop/WallpaperPainter.h"

#include <string>

#include "settings/Utf8Path.h"

namespace moravel {

bool WallpaperPainter::PaintWallpaperFile(const std::filesystem::path& file, Bitmap& wallpaper) {
  const IniFile noKeys{std::filesystem::path()};  // no such file: every read gives its default
  return PaintWallpaper(noKeys, file.parent_path(), '?' + Utf8Of(file), wallpaper);
}

}  // namespace moravel
