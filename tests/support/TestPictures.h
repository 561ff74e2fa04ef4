#pragma once
// Pictures and files written by tests.

#include <filesystem>
#include <fstream>
#include <vector>

#include "codecs/PngCodec.h"
#include "raster/Bitmap.h"

namespace moravel::test {

inline Bitmap Solid(int w, int h, Rgba c) {
  return *Bitmap::Create(w, h, c);
}

// Writes `bytes` to `path`, making its folders.
inline void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

inline void WritePng(const std::filesystem::path& path, const Bitmap& picture) {
  std::vector<uint8_t> bytes;
  EncodePng(picture, PngSpeed::Fast, bytes);
  WriteFile(path, bytes);
}

}  // namespace moravel::test
