#include "widgets/Wallpaper.h"

#include <cstring>

#include "codecs/PictureFile.h"
#include "raster/Drawing.h"
#include "raster/Stretch.h"
#include "settings/SkinPaths.h"
#include "widgets/WallpaperSelection.h"

namespace moravel {
namespace {

constexpr Rgba kShowDesktop{0, 0, 255, 255};

// `picture` laid over the blue that shows the desktop, a row at a time, so
// that no second picture of its size is made. False when memory runs out.
bool OverShowDesktop(Bitmap& picture) {
  const int width = picture.width();
  std::optional<Bitmap> row = Bitmap::CreateForOverwrite(width, 1);
  if (!row) return false;
  for (int y = 0; y < picture.height(); ++y) {
    FillRect(*row, {0, 0, width, 1}, kShowDesktop);
    BlendRect(*row, 0, 0, picture, {0, y, width, 1});
    std::memcpy(picture.row(y), row->row(0), size_t(width) * 4);
  }
  return true;
}

}  // namespace

bool PaintWallpaperFile(const std::filesystem::path& file, Bitmap& wallpaper) {
  std::optional<Bitmap> fitted = FitWallpaperFile(file, wallpaper.width(), wallpaper.height());
  if (!fitted) return false;
  wallpaper = std::move(*fitted);
  return true;
}

std::optional<Bitmap> FitWallpaperFile(const std::filesystem::path& file, int width, int height) {
  Result<Bitmap> decoded = LoadPictureFile(file);
  if (!decoded.ok()) return std::nullopt;
  Bitmap fitted = std::move(*decoded);
  if (!fitted.opaque() && !OverShowDesktop(fitted)) return std::nullopt;
  if (fitted.width() != width || fitted.height() != height) {
    if (!StretchBitmapToSize(fitted, width, height)) return std::nullopt;
    // Resampling may leave alpha a step below 255; the layer is opaque.
    uint8_t* p = fitted.data();
    for (size_t i = 3; i < fitted.byteCount(); i += 4) p[i] = 255;
  }
  if (fitted.width() != width || fitted.height() != height) {
    return std::nullopt;  // an empty layer: nothing to paint into
  }
  return fitted;
}

bool LoadWallpaper(const IniFile& config, const std::filesystem::path& skinPath,
                   std::string_view firstDefault, Bitmap& wallpaper, std::string* chosenName) {
  const std::string name =
      SelectWallpaperName(config, wallpaper.width(), wallpaper.height(), firstDefault);
  if (chosenName) *chosenName = name;
  if (name.empty()) {
    FillRect(wallpaper, {0, 0, wallpaper.width(), wallpaper.height()}, kShowDesktop);
    return true;
  }
  return PaintWallpaperFile(PicturePath(skinPath, name), wallpaper);
}

}  // namespace moravel
