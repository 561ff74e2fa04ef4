#include "platform_win32/IconBitmap.h"

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "codecs/PictureLimits.h"

namespace moravel {
namespace {

// A BITMAPINFO with room for the two colours of a 1-bit table.
struct TwoColourInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colours[2];
};

// The rows of `bitmap` as 32-bit BGRA, top to bottom; empty on failure.
std::vector<uint8_t> ReadColour(HDC dc, HBITMAP bitmap, int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<uint8_t> pixels(size_t(width) * size_t(height) * 4);
  if (::GetDIBits(dc, bitmap, 0, UINT(height), pixels.data(), &info, DIB_RGB_COLORS) != height)
    return {};
  return pixels;
}

// The rows of the 1-bit `mask` as one byte a pixel (0 or 1), top to bottom;
// empty on failure.
std::vector<uint8_t> ReadMask(HDC dc, HBITMAP mask, int width, int height) {
  TwoColourInfo info{};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = width;
  info.header.biHeight = -height;
  info.header.biPlanes = 1;
  info.header.biBitCount = 1;
  info.header.biCompression = BI_RGB;
  const size_t stride = (size_t(width) + 31) / 32 * 4;  // rows end on 32-bit bounds
  std::vector<uint8_t> packed(stride * size_t(height));
  if (::GetDIBits(dc, mask, 0, UINT(height), packed.data(), reinterpret_cast<BITMAPINFO*>(&info),
                  DIB_RGB_COLORS) != height)
    return {};
  std::vector<uint8_t> bits(size_t(width) * size_t(height));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      bits[size_t(y) * width + x] = (packed[y * stride + x / 8] >> (7 - x % 8)) & 1;
    }
  }
  return bits;
}

// A monochrome icon's colour: the XOR half of its `masks` (below the AND
// half), 1 white and 0 black, as BGRA.
std::vector<uint8_t> MonochromeColour(const std::vector<uint8_t>& masks, int width, int height) {
  const size_t pixels = size_t(width) * size_t(height);
  if (masks.size() < 2 * pixels) return {};
  std::vector<uint8_t> bgra(pixels * 4, 0);
  for (size_t i = 0; i < pixels; ++i) {
    const uint8_t level = masks[pixels + i] ? 255 : 0;
    bgra[4 * i] = bgra[4 * i + 1] = bgra[4 * i + 2] = level;
  }
  return bgra;
}

bool HasAlpha(const std::vector<uint8_t>& bgra) {
  for (size_t i = 3; i < bgra.size(); i += 4) {
    if (bgra[i] != 0) return true;
  }
  return false;
}

// The picture of the icon `info` describes.
Bitmap Convert(const ICONINFO& info) {
  BITMAP mask{};
  BITMAP colour{};
  if (!info.hbmMask || !::GetObjectW(info.hbmMask, sizeof mask, &mask) ||
      (info.hbmColor && !::GetObjectW(info.hbmColor, sizeof colour, &colour)))
    return {};
  // A monochrome icon's mask is twice as high: the AND mask above the XOR one.
  const int width = mask.bmWidth;
  const int height = info.hbmColor ? mask.bmHeight : mask.bmHeight / 2;
  if (!PictureSizeAllowed(width, height)) return {};
  HDC dc = ::CreateCompatibleDC(nullptr);
  if (!dc) return {};
  const std::vector<uint8_t> masks = ReadMask(dc, info.hbmMask, width, mask.bmHeight);
  const std::vector<uint8_t> bgra = info.hbmColor ? ReadColour(dc, info.hbmColor, width, height)
                                                  : MonochromeColour(masks, width, height);
  ::DeleteDC(dc);
  std::optional<Bitmap> picture = Bitmap::Create(width, height);  // transparent
  if (masks.empty() || bgra.empty() || !picture) return {};

  const bool alpha = colour.bmBitsPixel == 32 && HasAlpha(bgra);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const size_t i = size_t(y) * size_t(width) + size_t(x);
      const uint8_t* p = &bgra[4 * i];
      if (alpha) {
        picture->set(x, y, {p[2], p[1], p[0], p[3]});
      } else if (masks[i] == 0) {
        picture->set(x, y, {p[2], p[1], p[0], 255});
      }
    }
  }
  return std::move(*picture);
}

}  // namespace

Bitmap BitmapOfIcon(HICON icon) {
  ICONINFO info{};
  if (!icon || !::GetIconInfo(icon, &info)) return {};
  Bitmap picture = Convert(info);
  // GetIconInfo hands out copies of both bitmaps; they are ours to delete.
  if (info.hbmColor) ::DeleteObject(info.hbmColor);
  if (info.hbmMask) ::DeleteObject(info.hbmMask);
  return picture;
}

}  // namespace moravel
