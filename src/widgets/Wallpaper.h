#pragma once
// Loading, fitting and painting the desktop's wallpaper.
//
// The picture is drawn onto an opaque bitmap whose colour is pure blue
// (0, 0, 255), so that where the picture is transparent the user's own desktop
// shows through the window; then it is stretched to the wallpaper layer's size
// (StretchBitmapToSize, aspect ratio not kept) and replaces the layer.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "raster/Bitmap.h"
#include "settings/IniFile.h"

namespace moravel {

// Paints the picture in `file` over all of `wallpaper` (which keeps its size).
// False, leaving `wallpaper` as it was, when the file cannot be loaded or the
// picture cannot be fitted.
bool PaintWallpaperFile(const std::filesystem::path& file, Bitmap& wallpaper);

// The same picture as a new width x height layer; nothing on a failure.
std::optional<Bitmap> FitWallpaperFile(const std::filesystem::path& file, int width, int height);

// Picks the wallpaper name for the shape of `wallpaper` (SelectWallpaperName,
// with `firstDefault`) and paints it: a name starting with "?" is an absolute
// path (the rest of the name), any other is relative to `skinPath` ("\" as
// separator); either is found ignoring letter case when the exact name is
// missing. An empty name paints the layer pure blue (nothing is shown there).
// Returns true when `wallpaper` was repainted; false leaves it as it was.
// `chosenName`, when given, receives the selected name in every case.
bool LoadWallpaper(const IniFile& config, const std::filesystem::path& skinPath,
                   std::string_view firstDefault, Bitmap& wallpaper,
                   std::string* chosenName = nullptr);

}  // namespace moravel
