#pragma once
// Stand-ins for the desktop's icons and caption text, and picture files
// written for the editor tests.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "editor/AssociatedIcons.h"
#include "editor/CaptionPainter.h"
#include "raster/Bitmap.h"
#include "support/TestPictures.h"

namespace moravel::test {

// The desktop's icons: every path has the grey file icon (the empty path a
// darker one); the theme knows one name, "known".
class FakeAssociatedIcons : public AssociatedIcons {
 public:
  static constexpr Rgba kFile{50, 50, 50, 255}, kNoPath{9, 9, 9, 255}, kThemed{4, 5, 6, 255};
  bool knowsFiles = true;

  Bitmap IconForPath(const std::string& path, int size) const override {
    if (!knowsFiles) return {};
    return Solid(size, size, path.empty() ? kNoPath : kFile);
  }
  Bitmap IconByName(const std::string& name, int size) const override {
    return name == "known" ? Solid(size, size, kThemed) : Bitmap();
  }
};

// Captions as ink boxes: each character covers a 3 x 5 block fully, with a
// column of coverage 100 (below the glyph threshold) after the last one.
class FakeCaptionPainter : public CaptionPainter {
 public:
  AlphaPlane DrawCaption(std::string_view text, const CaptionFont&, int width,
                         int height) const override {
    AlphaPlane plane = *AlphaPlane::Create(width, height);
    const int inked = std::min<int>(width, 3 * int(text.size()));
    for (int y = 0; y < std::min(height, 5); ++y) {
      for (int x = 0; x < inked; ++x) plane.row(y)[x] = 255;
      if (inked < width) plane.row(y)[inked] = 100;
    }
    return plane;
  }
};

}  // namespace moravel::test
