#pragma once
// Paints the skin's wallpaper into the wallpaper layer. Implemented in
// src/widgets; the program hands it to the desktop.

#include <filesystem>
#include <string_view>

#include "raster/Bitmap.h"
#include "settings/IniFile.h"

namespace moravel {

class WallpaperPainter {
 public:
  virtual ~WallpaperPainter() = default;
  // Picks the wallpaper named by `config` for the shape of `wallpaper` (which
  // is screen-sized), with `firstDefault` as the name when the skin names none,
  // and paints it over all of `wallpaper`. Returns true when `wallpaper` was
  // repainted; on any failure returns false and leaves it as it was.
  virtual bool PaintWallpaper(const IniFile& config, const std::filesystem::path& skinPath,
                              std::string_view firstDefault, Bitmap& wallpaper) = 0;

  // Paints the picture file the user chose (an absolute path) over all of
  // `wallpaper`; true and false as above. By default it is painted as the
  // wallpaper value "?<file>" through PaintWallpaper with no [wallpaper] keys.
  virtual bool PaintWallpaperFile(const std::filesystem::path& file, Bitmap& wallpaper);
};

}  // namespace moravel
