#include "widgets/WallpaperPrefetch.h"

#include <exception>

#include "settings/IniFile.h"
#include "settings/SkinPaths.h"
#include "widgets/Wallpaper.h"
#include "widgets/WallpaperSelection.h"

namespace moravel {

WallpaperPrefetch::WallpaperPrefetch(std::filesystem::path programFolder, int width, int height)
    : width_(width), height_(height) {
  try {
    thread_ = std::thread([this, folder = std::move(programFolder)] { Paint(folder); });
  } catch (const std::exception&) {
    // No thread: the desktop paints the wallpaper itself.
  }
}

WallpaperPrefetch::~WallpaperPrefetch() {
  if (thread_.joinable()) thread_.join();
}

void WallpaperPrefetch::Paint(const std::filesystem::path& programFolder) {
  try {
    const IniFile data(programFolder / "data.ini");
    const std::filesystem::path skinPath =
        SkinPath(programFolder, data.ReadString("skin", "dir", "wood"));
    const IniFile config(skinPath / "config.ini");
    const std::string name = SelectWallpaperName(config, width_, height_, "");
    if (name.empty()) return;
    const std::filesystem::path file = PicturePath(skinPath, name);
    painted_ = FitWallpaperFile(file, width_, height_);
    file_ = file;
  } catch (const std::exception&) {
    painted_.reset();
  }
}

std::optional<Bitmap> WallpaperPrefetch::Take(const std::filesystem::path& file, int width,
                                              int height) {
  if (thread_.joinable()) thread_.join();
  std::optional<Bitmap> out;
  if (painted_ && file == file_ && width == width_ && height == height_) out.swap(painted_);
  painted_.reset();
  return out;
}

}  // namespace moravel
