#pragma once
// Stand-ins for the desktop's icons and caption text, and picture files
// written for the editor tests.

#include <algorithm>
#include <cstdint>
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

// Captions as ink boxes: each character covers a 3 x 5 block (times the
// font's scale) fully, with a column of coverage 100 (below the glyph
// threshold) after the last one.
class FakeCaptionPainter : public CaptionPainter {
 public:
  AlphaPlane DrawCaption(std::string_view text, const CaptionFont& font, int width,
                         int height) const override {
    AlphaPlane plane = *AlphaPlane::Create(width, height);
    const int inked = std::min<int>(width, 3 * font.scale * int(text.size()));
    for (int y = 0; y < std::min(height, 5 * font.scale); ++y) {
      for (int x = 0; x < inked; ++x) plane.row(y)[x] = 255;
      if (inked < width) plane.row(y)[inked] = 100;
    }
    return plane;
  }
};

// `v` as `bytes` little-endian bytes at the end of `out`.
inline void Le(std::vector<uint8_t>& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(v >> 8 * i));
}

// An icon file whose entries are the given PNG pictures.
inline std::vector<uint8_t> IcoOfPngs(const std::vector<Bitmap>& pictures) {
  std::vector<std::vector<uint8_t>> pngs(pictures.size());
  for (size_t i = 0; i < pictures.size(); ++i) pngs[i] = PngBytes(pictures[i]);
  std::vector<uint8_t> out;
  Le(out, 0, 2), Le(out, 1, 2), Le(out, uint32_t(pngs.size()), 2);
  uint32_t offset = uint32_t(6 + 16 * pngs.size());
  for (const auto& png : pngs) {
    Le(out, 0, 4), Le(out, 1, 2), Le(out, 32, 2), Le(out, uint32_t(png.size()), 4),
        Le(out, offset, 4);
    offset += uint32_t(png.size());
  }
  for (const auto& png : pngs) out.insert(out.end(), png.begin(), png.end());
  return out;
}

}  // namespace moravel::test
