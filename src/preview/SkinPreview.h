#pragma once
// The picture a skin gives on a screen of a given size at a given time, made
// by the program's own desktop session without a window: a scratch program
// folder whose data.ini names the skin and whose skins/<name> is a link to
// the skin folder (nothing is written into the skin folder itself), the
// program's wallpaper and time widgets, a clock stopped at `time`, and the
// calendar and clock timers' work run once. Every problem met on the way is
// collected, as ProblemList writes them (paths relative to the skin folder):
// pictures that cannot be loaded, the settings checks of SkinChecker.h and
// TemplateCheck.h, and controls off the screen (OffScreenCheck.h).

#include <filesystem>
#include <string>
#include <vector>

#include "platform/LocalTime.h"
#include "raster/Bitmap.h"

namespace moravel {

struct SkinPreview {
  std::string error;  // not empty: nothing could be rendered, and why
  // width x height; where the desktop window shows the user's own desktop
  // (its pure blue key colour) the pixels are fully transparent (ClearKeyColour).
  Bitmap picture;
  std::vector<std::string> problems;  // one line each
};

// The tool's exit code for a preview: 2 when nothing was rendered, 1 when
// there are problems, else 0.
inline int PreviewExitCode(const SkinPreview& preview) {
  return !preview.error.empty() ? 2 : preview.problems.empty() ? 0 : 1;
}

// `width` and `height` in device pixels (at least 1), the skin drawn at
// `scale` (1..3). Never throws.
SkinPreview RenderSkinPreview(const std::filesystem::path& skinFolder, int width, int height,
                              const LocalTime& time, int scale = 1);

// Makes the pixels of a desktop frame whose colour is the key colour (0, 0,
// 255, any alpha) fully transparent (0, 0, 0, 0).
void ClearKeyColour(Bitmap& picture);

}  // namespace moravel
