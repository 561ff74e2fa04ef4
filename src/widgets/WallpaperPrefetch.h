#pragma once
// The wallpaper the program is about to show, painted on a thread of its own
// while the toolkit connects to the display and the window is made: the skin
// named in data.ini, its wallpaper for a screen of the size guessed before
// the toolkit starts. The desktop's own work stays on the user-interface
// thread; this thread only reads files and decodes a picture, and its result
// is taken only when it is exactly what the desktop would paint (the same
// file and size), so a wrong guess costs nothing but the thread's time.

#include <filesystem>
#include <optional>
#include <thread>

#include "raster/Bitmap.h"

namespace moravel {

class WallpaperPrefetch {
 public:
  // Starts the thread; `programFolder` holds data.ini and skins/.
  WallpaperPrefetch(std::filesystem::path programFolder, int width, int height);
  ~WallpaperPrefetch();  // waits for the thread
  WallpaperPrefetch(const WallpaperPrefetch&) = delete;
  WallpaperPrefetch& operator=(const WallpaperPrefetch&) = delete;

  // Waits for the thread; then the wallpaper painted from `file` at width x
  // height, once, or nothing (another file or size, or it failed).
  std::optional<Bitmap> Take(const std::filesystem::path& file, int width, int height);

 private:
  void Paint(const std::filesystem::path& programFolder);

  int width_, height_;
  std::filesystem::path file_;  // written by the thread, read after join
  std::optional<Bitmap> painted_;
  std::thread thread_;
};

}  // namespace moravel
