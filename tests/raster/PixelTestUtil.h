#pragma once
// Helpers shared by the raster tests: deterministic pictures and a pixel
// comparison that names the pixels that differ.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>

#include "raster/Bitmap.h"

namespace moravel::testing {

inline Bitmap Noise(int w, int h, uint32_t seed) {
  Bitmap b = *Bitmap::Create(w, h);
  std::mt19937 rng(seed);
  for (size_t i = 0; i < b.byteCount(); ++i) b.data()[i] = uint8_t(rng());
  return b;
}

inline std::string Describe(Rgba c) {
  std::ostringstream s;
  s << '(' << int(c.r) << ',' << int(c.g) << ',' << int(c.b) << ',' << int(c.a) << ')';
  return s.str();
}

// Passes when both bitmaps have the same size and every channel differs by at
// most `tolerance`; otherwise lists the first few differing pixels.
inline ::testing::AssertionResult NearlyEqual(const Bitmap& actual, const Bitmap& expected,
                                              int tolerance = 0) {
  if (actual.width() != expected.width() || actual.height() != expected.height()) {
    return ::testing::AssertionFailure()
           << "size " << actual.width() << 'x' << actual.height() << " expected "
           << expected.width() << 'x' << expected.height();
  }
  int bad = 0;
  std::ostringstream msg;
  for (int y = 0; y < actual.height(); ++y) {
    for (int x = 0; x < actual.width(); ++x) {
      const Rgba a = actual.at(x, y), e = expected.at(x, y);
      if (std::abs(a.r - e.r) > tolerance || std::abs(a.g - e.g) > tolerance ||
          std::abs(a.b - e.b) > tolerance || std::abs(a.a - e.a) > tolerance) {
        if (++bad <= 8) {
          msg << " (" << x << ',' << y << ")=" << Describe(a) << " expected " << Describe(e);
        }
      }
    }
  }
  if (bad == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << bad << " pixels differ:" << msg.str();
}

}  // namespace moravel::testing
