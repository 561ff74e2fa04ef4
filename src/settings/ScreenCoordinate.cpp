#include "settings/ScreenCoordinate.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace moravel {

int ResolveScreenCoordinate(int v, int extent) {
  constexpr int64_t kCentre = 10000;
  const int64_t value = v;
  const int64_t e = extent;
  const int64_t half = e / 2;
  int64_t result;
  if (value >= kCentre) {
    result = value - kCentre + half;
  } else if (value <= -kCentre) {
    result = value + kCentre + half;
  } else if (value < 0) {
    result = e + value;
  } else {
    result = value;
  }
  return static_cast<int>(std::clamp<int64_t>(result, std::numeric_limits<int>::min(),
                                              std::numeric_limits<int>::max()));
}

}  // namespace moravel

namespace moravel {

int SkinScreen::Device(int skin) const {
  return static_cast<int>(std::clamp<int64_t>(
      int64_t(skin) * scale, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

int SkinScreen::Skin(int device) const {
  const int q = device / scale;
  return (device % scale != 0 && device < 0) ? q - 1 : q;
}

}  // namespace moravel
