#include "widgets/Wallpaper.h"

#include "codecs/PictureFile.h"
#include "raster/Drawing.h"
#include "raster/Stretch.h"
#include "settings/SkinPaths.h"
#include "widgets/WallpaperSelection.h"

namespace moravel {
namespace {

constexpr Rgba kShowDesktop{0, 0, 255, 255};

}  // namespace

bool PaintWallpaperFile(const std::filesystem::path& file, Bitmap& wallpaper) {
  DecodeResult decoded = LoadPictureFile(file);
  if (!decoded.ok()) return false;
  const Bitmap& picture = *decoded.picture;
  std::optional<Bitmap> fitted = Bitmap::Create(picture.width(), picture.height(), kShowDesktop);
  if (!fitted) return false;
  DrawBitmap(*fitted, picture, 0, 0, DrawMode::Blend);
  if (!StretchBitmapToSize(*fitted, wallpaper.width(), wallpaper.height())) return false;
  // Resampling may leave alpha a step below 255; the layer is opaque.
  uint8_t* p = fitted->data();
  for (size_t i = 3; i < fitted->byteCount(); i += 4) p[i] = 255;
  if (fitted->width() != wallpaper.width() || fitted->height() != wallpaper.height()) {
    return false;  // an empty layer: nothing to paint into
  }
  wallpaper = std::move(*fitted);
  return true;
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
