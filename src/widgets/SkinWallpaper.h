#pragma once
// The wallpaper painter the program hands to the desktop session: the skin's
// wallpaper for the screen's shape (LoadWallpaper), or a file the user chose
// (PaintWallpaperFile). Remembers the name chosen by the last selection.
// With a SkinProblems it tells of a skin's wallpaper that cannot be painted.
// The first skin wallpaper may come from a WallpaperPrefetch.

#include <string>

#include "desktop/SkinProblems.h"
#include "desktop/WallpaperPainter.h"

namespace moravel {

class WallpaperPrefetch;

class SkinWallpaper : public WallpaperPainter {
 public:
  bool PaintWallpaper(const IniFile& config, const std::filesystem::path& skinPath,
                      std::string_view firstDefault, Bitmap& wallpaper) override;
  // Paints `file` as it is; the selected name stays as it was.
  bool PaintWallpaperFile(const std::filesystem::path& file, Bitmap& wallpaper) override;

  // The name selected by the last PaintWallpaper; empty before the first.
  const std::string& wallpaperName() const { return wallpaperName_; }

  // Who hears of a skin wallpaper that PaintWallpaper could not paint (null:
  // nobody, the default); must outlive its use.
  void SetProblems(SkinProblems* problems) { problems_ = problems; }

  // The next PaintWallpaper takes the prefetched picture when it is the one
  // it would paint (borrowed until then; null: none).
  void UsePrefetch(WallpaperPrefetch* prefetch) { prefetch_ = prefetch; }

 private:
  std::string wallpaperName_;
  SkinProblems* problems_ = nullptr;
  WallpaperPrefetch* prefetch_ = nullptr;
};

}  // namespace moravel
