#pragma once
// Window-side stand-ins for benchmarks that run a desktop session without a
// window, and a PNG writer for the skins they generate.

#include <filesystem>
#include <fstream>
#include <vector>

#include "codecs/PngCodec.h"
#include "desktop/InertServices.h"
#include "raster/Bitmap.h"

namespace moravel::bench {

using NoTimers = InertTimers;
using NoWindow = InertWindow;

inline void WritePng(const std::filesystem::path& file, const Bitmap& picture) {
  const Result<std::vector<uint8_t>> bytes = EncodePng(picture, PngSpeed::Fast);
  if (!bytes) return;  // the benchmark then meets a missing picture
  std::ofstream(file, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes->data()), std::streamsize(bytes->size()));
}

}  // namespace moravel::bench
