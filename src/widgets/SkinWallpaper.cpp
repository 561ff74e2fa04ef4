#include "widgets/SkinWallpaper.h"

#include <utility>

#include "codecs/PictureFile.h"
#include "settings/SkinPaths.h"
#include "widgets/Wallpaper.h"
#include "widgets/WallpaperPrefetch.h"
#include "widgets/WallpaperSelection.h"

namespace moravel {

bool SkinWallpaper::PaintWallpaper(const IniFile& config, const std::filesystem::path& skinPath,
                                   std::string_view firstDefault, Bitmap& wallpaper) {
  if (WallpaperPrefetch* prefetch = std::exchange(prefetch_, nullptr)) {
    const std::string name =
        SelectWallpaperName(config, wallpaper.width(), wallpaper.height(), firstDefault);
    std::optional<Bitmap> painted;
    if (!name.empty()) {
      painted = prefetch->Take(PicturePath(skinPath, name), wallpaper.width(), wallpaper.height());
    }
    if (painted) {
      wallpaperName_ = name;
      wallpaper = std::move(*painted);
      return true;
    }
  }
  if (LoadWallpaper(config, skinPath, firstDefault, wallpaper, &wallpaperName_)) return true;
  if (problems_) {  // decoded once more, only to say why
    const std::filesystem::path file = PicturePath(skinPath, wallpaperName_);
    const std::string_view key =
        SelectedWallpaperKey(config, wallpaper.width(), wallpaper.height());
    const Result<Bitmap> again = LoadPictureFile(file);
    ReportPictureFailure(problems_, {&config, "wallpaper", key, wallpaperName_}, file,
                         again.ok() ? std::string() : again.error().message);
  }
  return false;
}

bool SkinWallpaper::PaintWallpaperFile(const std::filesystem::path& file, Bitmap& wallpaper) {
  return moravel::PaintWallpaperFile(file, wallpaper);
}

}  // namespace moravel
