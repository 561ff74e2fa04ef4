#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform_win32/IconBitmap.h"

namespace moravel {
namespace {

constexpr int kSide = 2;
constexpr Rgba kClear{0, 0, 0, 0};

// An icon of kSide x kSide `pixels` in a top-down DIB section of `bits` (24
// or 32), and a 1-bit `mask` (kSide wide, `maskRows` high, 1 a pixel);
// without pixels, a monochrome icon.
HICON MakeIcon(const std::vector<Rgba>& pixels, int bits, const std::vector<int>& mask,
               int maskRows = kSide) {
  HBITMAP colour = nullptr;
  if (!pixels.empty()) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kSide, -kSide, 1, WORD(bits), BI_RGB};
    void* memory = nullptr;
    colour = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
    const size_t bytes = size_t(bits) / 8, stride = (kSide * bytes + 3) / 4 * 4;
    for (size_t i = 0; i < pixels.size(); ++i) {
      uint8_t* p = static_cast<uint8_t*>(memory) + i / kSide * stride + i % kSide * bytes;
      const Rgba c = pixels[i];
      p[0] = c.b, p[1] = c.g, p[2] = c.r;
      if (bytes == 4) p[3] = c.a;
    }
  }
  std::vector<uint8_t> rows(size_t(maskRows) * 2, 0);  // 16-bit aligned rows
  for (size_t i = 0; i < mask.size(); ++i) rows[i / kSide * 2] |= mask[i] ? 0x80 >> i % kSide : 0;
  ICONINFO info{TRUE, 0, 0, ::CreateBitmap(kSide, maskRows, 1, 1, rows.data()), colour};
  HICON icon = ::CreateIconIndirect(&info);
  ::DeleteObject(info.hbmMask);
  if (colour) ::DeleteObject(colour);
  return icon;
}

std::vector<Rgba> PixelsOf(HICON icon) {
  const Bitmap picture = BitmapOfIcon(icon);
  ::DestroyIcon(icon);
  std::vector<Rgba> pixels;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) pixels.push_back(picture.at(x, y));
  }
  return pixels;
}

TEST(BitmapOfIcon, AnAlphaChannelWinsOverTheMask) {
  const std::vector<Rgba> pixels = {{255, 0, 0, 255}, {0, 255, 0, 128}, {10, 20, 30, 40}, kClear};
  EXPECT_EQ(PixelsOf(MakeIcon(pixels, 32, {0, 0, 0, 0})), pixels);
}

// The mask cuts the colours: 1 transparent (also where the colour would
// invert the screen), 0 opaque. 32 bits with every alpha 0 have no alpha.
TEST(BitmapOfIcon, IconsWithoutAlphaTakeTheMask) {
  const std::vector<Rgba> colours = {{255, 0, 0, 0}, {0, 255, 0, 0}, {9, 9, 9, 0}, {0, 0, 200, 0}};
  const std::vector<Rgba> expected = {{255, 0, 0, 255}, kClear, kClear, {0, 0, 200, 255}};
  EXPECT_EQ(PixelsOf(MakeIcon(colours, 24, {0, 1, 1, 0})), expected);
  EXPECT_EQ(PixelsOf(MakeIcon(colours, 32, {0, 1, 1, 0})), expected);
}

// The AND mask above the XOR mask; the XOR bit is the colour.
TEST(BitmapOfIcon, AMonochromeIconIsBlackAndWhiteWhereItsMaskShows) {
  const std::vector<Rgba> expected = {{255, 255, 255, 255}, {0, 0, 0, 255}, kClear, kClear};
  EXPECT_EQ(PixelsOf(MakeIcon({}, 0, {0, 0, 1, 1, 1, 0, 1, 0}, 2 * kSide)), expected);
  EXPECT_TRUE(BitmapOfIcon(nullptr).empty());
}

}  // namespace
}  // namespace moravel
