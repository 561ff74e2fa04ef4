#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "platform_win32/GdiCaptionPainter.h"

namespace moravel {
namespace {

// An outline face; where it is missing GDI picks a close one.
const CaptionFont kFont{.face = "Tahoma", .points = 12};
const GdiCaptionPainter kPainter;

int64_t Ink(const AlphaPlane& plane) {
  return std::accumulate(plane.data(), plane.data() + plane.byteCount(), int64_t(0));
}

// The first and last rows and columns with ink of at least `threshold`.
struct InkBox {
  int left = -1, top = -1, right = -1, bottom = -1;
};

InkBox BoxOf(const AlphaPlane& plane, uint8_t threshold = 1) {
  InkBox box;
  for (int y = 0; y < plane.height(); ++y) {
    for (int x = 0; x < plane.width(); ++x) {
      if (plane.row(y)[x] < threshold) continue;
      box.left = box.left < 0 ? x : std::min(box.left, x);
      box.top = box.top < 0 ? y : box.top;
      box.right = std::max(box.right, x);
      box.bottom = y;
    }
  }
  return box;
}

TEST(GdiCaptionPainter, NothingToDrawGivesABlankPlaneOfTheArea) {
  for (const char* text : {"", "   ", "\n\t"}) {
    EXPECT_EQ(kPainter.DrawCaption(text, kFont, 40, 20), *AlphaPlane::Create(40, 20)) << text;
  }
  EXPECT_EQ(kPainter.DrawCaption("A", kFont, 0, -3).width(), 1);
  EXPECT_TRUE(kPainter.DrawCaption("A", kFont, 20000, 10).empty());
}

// One line from the top-left corner; a smaller area shows the same drawing
// cut at its edges, not wrapped, shrunk or shortened.
TEST(GdiCaptionPainter, OneLineFromTheTopLeftCornerClippedToTheArea) {
  const char* text = "A caption far wider than its area";
  const AlphaPlane wide = kPainter.DrawCaption(text, kFont, 400, 40);
  const InkBox box = BoxOf(wide);
  EXPECT_LE(box.left, 3);
  EXPECT_LE(box.top, 8);
  EXPECT_LT(box.bottom, 24);  // 16 pixels to the em: one line
  EXPECT_GT(box.right, 200);
  const AlphaPlane clipped = kPainter.DrawCaption(text, kFont, 40, 12);
  AlphaPlane corner = *AlphaPlane::Create(40, 12);
  for (int y = 0; y < 12; ++y) std::copy_n(wide.row(y), 40, corner.row(y));
  EXPECT_EQ(clipped, corner);
  EXPECT_GT(Ink(clipped), 0);
}

TEST(GdiCaptionPainter, ControlCharactersAreDrawnAsSpaces) {
  const AlphaPlane spaced = kPainter.DrawCaption("Ok Go", kFont, 100, 30);
  for (const char* text : {"Ok\nGo", "Ok\tGo", "Ok\xE2\x80\xA8Go" /* U+2028 */}) {
    EXPECT_EQ(kPainter.DrawCaption(text, kFont, 100, 30), spaced) << text;
  }
}

// 72 points are 96 pixels to the em at 96 dots per inch; a capital H stands
// about 0.7 em.
TEST(GdiCaptionPainter, PointsAreAtNinetySixDotsPerInch) {
  CaptionFont font = kFont;
  font.points = 72;
  const InkBox large = BoxOf(kPainter.DrawCaption("H", font, 200, 150), 128);
  EXPECT_GE(large.bottom - large.top + 1, 58);
  EXPECT_LE(large.bottom - large.top + 1, 80);
}

// At scale 2 a capital stands twice as high.
TEST(GdiCaptionPainter, TheScaleEnlargesTheText) {
  CaptionFont font = kFont;
  const InkBox once = BoxOf(kPainter.DrawCaption("H", font, 100, 80), 128);
  font.scale = 2;
  const InkBox twice = BoxOf(kPainter.DrawCaption("H", font, 100, 80), 128);
  EXPECT_NEAR(twice.bottom - twice.top, 2 * (once.bottom - once.top), 2);
}

TEST(GdiCaptionPainter, BoldInksMoreAndLargeTextIsSmoothed) {
  CaptionFont font = kFont;
  const int64_t regular = Ink(kPainter.DrawCaption("Moravel", font, 120, 30));
  font.bold = true;
  EXPECT_GT(Ink(kPainter.DrawCaption("Moravel", font, 120, 30)), regular * 11 / 10);
  // Fonts may ask for crisp small sizes, which GDI obeys; at 32 pixels to the
  // em the common faces are smoothed.
  font.points = 24;
  const AlphaPlane large = kPainter.DrawCaption("Moravel", font, 200, 60);
  EXPECT_TRUE(std::any_of(large.data(), large.data() + large.byteCount(),
                          [](uint8_t c) { return c > 0 && c < 255; }));
}

}  // namespace
}  // namespace moravel
