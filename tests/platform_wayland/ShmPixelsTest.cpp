// The frame's pixels as the wl_shm buffer holds them.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "platform_wayland/ShmPixels.h"

namespace moravel {
namespace {

uint32_t Word(const uint8_t* p) {
  uint32_t w;
  std::memcpy(&w, p, 4);
  return w;
}

TEST(ShmPixelsTest, OpaqueColoursKeepTheirChannelsInArgbOrder) {
  EXPECT_EQ(ShmArgb(0x12, 0x34, 0x56, 255), 0xFF123456u);
  EXPECT_EQ(ShmArgb(255, 0, 0, 255), 0xFFFF0000u);
  EXPECT_EQ(ShmArgb(0, 0, 0, 255), 0xFF000000u);    // black is not transparent
  EXPECT_EQ(ShmArgb(0, 0, 254, 255), 0xFF0000FEu);  // nearly the key colour is shown
  EXPECT_EQ(ShmArgb(1, 0, 255, 255), 0xFF0100FFu);
  EXPECT_EQ(ShmArgb(0, 1, 255, 255), 0xFF0001FFu);
}

TEST(ShmPixelsTest, PureBlueIsFullyTransparentWhateverItsAlpha) {
  for (int a : {0, 1, 128, 255}) EXPECT_EQ(ShmArgb(0, 0, 255, uint8_t(a)), 0u) << a;
}

TEST(ShmPixelsTest, TranslucentPixelsArePremultipliedRoundedToNearest) {
  for (int a = 0; a < 256; a += 5) {
    for (int c = 0; c < 256; c += 3) {
      const uint32_t w = ShmArgb(uint8_t(c), uint8_t(255 - c), uint8_t(c / 2), uint8_t(a));
      const auto expect = [a](int v) { return uint32_t(std::lround(v * a / 255.0)); };
      ASSERT_EQ(w >> 24, uint32_t(a));
      ASSERT_EQ(w >> 16 & 0xFF, expect(c)) << c << " " << a;
      ASSERT_EQ(w >> 8 & 0xFF, expect(255 - c)) << c << " " << a;
      ASSERT_EQ(w & 0xFF, expect(c / 2)) << c << " " << a;
    }
  }
}

TEST(ShmPixelsTest, RowsConvertInPlaceAsWellAsIntoAnotherBuffer) {
  const std::vector<uint8_t> rgba = {200, 40,  40, 255, 0,   0, 255, 255, 10, 20,
                                     30,  128, 0,  0,   255, 0, 1,   2,   3,  255};
  std::vector<uint8_t> out(rgba.size());
  ToShmArgb(rgba.data(), out.data(), 5);
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(Word(&out[i * 4]),
              ShmArgb(rgba[i * 4], rgba[i * 4 + 1], rgba[i * 4 + 2], rgba[i * 4 + 3]))
        << i;
  }
  std::vector<uint8_t> inPlace = rgba;
  ToShmArgb(inPlace.data(), inPlace.data(), 5);
  EXPECT_EQ(inPlace, out);
}

TEST(ShmPixelsTest, ConvertsNoMoreThanItIsToldTo) {
  std::vector<uint8_t> pixels = {200, 40, 40, 255, 7, 8, 9, 255};
  ToShmArgb(pixels.data(), pixels.data(), 1);
  EXPECT_EQ(Word(&pixels[0]), 0xFFC82828u);
  EXPECT_EQ((std::vector<uint8_t>(pixels.begin() + 4, pixels.end())),
            (std::vector<uint8_t>{7, 8, 9, 255}));
}

}  // namespace
}  // namespace moravel
