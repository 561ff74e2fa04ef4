#pragma once
// Pictures and files written by tests.

#include <filesystem>
#include <fstream>
#include <utility>
#include <vector>

#include "codecs/PngCodec.h"
#include "raster/Bitmap.h"

namespace moravel::test {

inline Bitmap Solid(int w, int h, Rgba c) {
  return *Bitmap::Create(w, h, c);
}

// Opaque pixels that do not compress: its PNG is about 3 * w * h bytes.
inline Bitmap Noise(int w, int h, uint32_t seed = 1) {
  Bitmap picture = Solid(w, h, {0, 0, 0, 255});
  for (int y = 0; y < h; ++y) {
    uint8_t* p = picture.row(y);
    for (int x = 0; x < w; ++x, p += 4) {
      for (int c = 0; c < 3; ++c) {
        seed = seed * 1664525u + 1013904223u;
        p[c] = uint8_t(seed >> 24);
      }
    }
  }
  return picture;
}

// Writes `bytes` to `path`, making its folders.
inline void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// `picture` as a PNG file's bytes; none when it cannot be encoded (an empty
// picture), which the reader under test then meets as an empty file.
inline std::vector<uint8_t> PngBytes(const Bitmap& picture, PngSpeed speed = PngSpeed::Fast) {
  Result<std::vector<uint8_t>> bytes = EncodePng(picture, speed);
  return bytes ? std::move(*bytes) : std::vector<uint8_t>();
}

inline void WritePng(const std::filesystem::path& path, const Bitmap& picture) {
  WriteFile(path, PngBytes(picture));
}

}  // namespace moravel::test
