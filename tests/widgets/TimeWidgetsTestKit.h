#pragma once
// Generated clock and calendar skins for the time widget tests: a wallpaper
// with a known pattern, a plain plate, hands drawn pointing right on a
// colour-key background, digit and calendar pictures of distinct colours.

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "desktop/DesktopTestKit.h"
#include "scene/FrameComposer.h"
#include "widgets/SkinTimeWidgets.h"

namespace moravel::test {

inline constexpr Rgba kPlateGrey{128, 128, 128, 255};
inline constexpr Rgba kKeyMagenta{255, 0, 255, 255};
inline constexpr Rgba kHourRed{220, 0, 0, 255};
inline constexpr Rgba kMinuteGreen{0, 220, 0, 255};
inline constexpr Rgba kSecondBlue{0, 0, 220, 255};
inline constexpr int kPlateSize = 101;  // pivots sit at the plate's centre, (50, 50)
inline constexpr int kHourLength = 25, kMinuteLength = 35, kSecondLength = 45;

// Wallpaper pixel (x, y) is (x mod 256, y mod 256, 77, 255).
inline Rgba PatternAt(int x, int y) {
  return {uint8_t(x & 255), uint8_t(y & 255), 77, 255};
}

class PatternWallpaper : public WallpaperPainter {
 public:
  bool PaintWallpaper(const IniFile&, const std::filesystem::path&, std::string_view,
                      Bitmap& wallpaper) override {
    for (int y = 0; y < wallpaper.height(); ++y) {
      for (int x = 0; x < wallpaper.width(); ++x) wallpaper.set(x, y, PatternAt(x, y));
    }
    return true;
  }
};

// A hand `length` pixels long from its pivot (1, 3), three pixels thick,
// pointing right, on a magenta background; the one-pixel border stays
// background.
inline Bitmap HandPicture(int length, Rgba colour) {
  Bitmap hand = Solid(length + 2, 7, kKeyMagenta);
  for (int y = 2; y <= 4; ++y) {
    for (int x = 1; x <= length; ++x) hand.set(x, y, colour);
  }
  return hand;
}

// The colour of digit `d` of clock section `clock` (0 .. 5).
inline Rgba DigitColour(int clock, int d) {
  return {uint8_t(10 + 20 * d), uint8_t(30 * clock), 200, 255};
}

// A session over a generated skin, with the real time widgets.
class ClockHarness : public DesktopHarness {
 public:
  ClockHarness() {
    timeWidgets = &widgets;
    wallpaper = &pattern;
    Picture("plate.png", Solid(kPlateSize, kPlateSize, kPlateGrey));
    Picture("hour.png", HandPicture(kHourLength, kHourRed));
    Picture("acm.png", HandPicture(kMinuteLength, kMinuteGreen));
    Picture("acs.png", HandPicture(kSecondLength, kSecondBlue));
  }

  // [analogclock] at screen (x, y) with the generated plate and hands.
  static std::string AnalogClockSection(bool seconds, int x = 100, int y = 100) {
    return "[analogclock]\r\nplate=plate.png\r\nhour=hour.png\r\nminute=acm.png\r\n"
           "second=acs.png\r\nshowseconds=" +
           std::string(seconds ? "1" : "0") + "\r\nx=" + std::to_string(x) +
           "\r\ny=" + std::to_string(y) + "\r\nHArrowCX=1\r\nHArrowCY=3\r\nMArrowCX=1\r\n" +
           "MArrowCY=3\r\nSArrowCX=1\r\nSArrowCY=3\r\n";
  }

  // [clock1] .. [clock6], 8 x 12 digits side by side from (x, y), with their
  // pictures written.
  std::string DigitSections(int x = 300, int y = 20) {
    static constexpr int kCounts[6] = {3, 10, 6, 10, 6, 10};
    std::string text;
    for (int c = 0; c < 6; ++c) {
      text += "[clock" + std::to_string(c + 1) + "]\r\nx=" + std::to_string(x + 10 * c) +
              "\r\ny=" + std::to_string(y) + "\r\n";
      for (int d = 0; d < kCounts[c]; ++d) {
        const std::string name = 'c' + std::to_string(c + 1) + "_" + std::to_string(d) + ".png";
        Picture(name, Solid(8, 12, DigitColour(c, d)));
        text += "image" + std::to_string(d) + "=" + name + "\r\n";
      }
    }
    return text;
  }

  void Tick(int h, int m, int s) {
    clock.set(LocalTime{2026, 3, 7, 7, h, m, s});
    session->OnClockTimer();
  }

  SkinTimeWidgets widgets;
  PatternWallpaper pattern;
};

}  // namespace moravel::test

namespace moravel::test {

// `picture` as a 24-bit bottom-up BMP file (alpha dropped).
inline void WriteBmp(const std::filesystem::path& file, const Bitmap& picture) {
  const int w = picture.width(), h = picture.height();
  const int stride = (w * 3 + 3) & ~3;
  const uint32_t size = uint32_t(54 + stride * h);
  std::string bytes(size, '\0');
  auto put = [&](size_t at, uint32_t v, int n) {
    for (int i = 0; i < n; ++i) bytes[at + size_t(i)] = char((v >> (8 * i)) & 255);
  };
  bytes[0] = 'B', bytes[1] = 'M';
  put(2, size, 4);
  put(10, 54, 4);
  put(14, 40, 4);
  put(18, uint32_t(w), 4);
  put(22, uint32_t(h), 4);
  put(26, 1, 2);
  put(28, 24, 2);
  for (int y = 0; y < h; ++y) {
    const size_t row = 54 + size_t(stride) * size_t(h - 1 - y);
    for (int x = 0; x < w; ++x) {
      const Rgba c = picture.at(x, y);
      bytes[row + size_t(x) * 3] = char(c.b);
      bytes[row + size_t(x) * 3 + 1] = char(c.g);
      bytes[row + size_t(x) * 3 + 2] = char(c.r);
    }
  }
  WriteText(file, bytes);
}

}  // namespace moravel::test
