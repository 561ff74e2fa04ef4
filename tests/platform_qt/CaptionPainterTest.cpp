#include <gtest/gtest.h>

#include <QFontDatabase>
#include <filesystem>

#include "TestGuiApplication.h"
#include "platform_qt/QtCaptionPainter.h"

using moravel::AlphaPlane;
using moravel::CaptionFont;

namespace {

constexpr const char* kLiberationSans =
    "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf";

// The rows and columns with ink (inclusive; -1 when none), and its sum.
struct Ink {
  int left = -1, top = -1, right = -1, bottom = -1;
  long total = 0;
  explicit Ink(const AlphaPlane& plane) {
    for (int y = 0; y < plane.height(); ++y) {
      for (int x = 0; x < plane.width(); ++x) {
        if (const int a = plane.row(y)[x]) {
          total += a;
          if (left < 0 || x < left) left = x;
          if (top < 0) top = y;
          right = std::max(right, x);
          bottom = y;
        }
      }
    }
  }
};

class CaptionPainterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TestGuiApplication();
    if (!std::filesystem::exists(kLiberationSans)) {
      GTEST_SKIP() << "needs Liberation Sans (Debian package fonts-liberation2)";
    }
    static const bool added = QFontDatabase::addApplicationFont(kLiberationSans) >= 0;
    ASSERT_TRUE(added);
  }

  AlphaPlane draw(std::string_view text, CaptionFont font, int width = 200, int height = 60) {
    return painter.DrawCaption(text, font, width, height);
  }

  moravel::QtCaptionPainter painter;
  const CaptionFont sans{"Liberation Sans", 12};
};

}  // namespace

TEST_F(CaptionPainterTest, DrawsOneLineFromTheTopLeftCornerAt96Dpi) {
  const Ink ink(draw("H", sans));
  EXPECT_GE(ink.left, 0);
  EXPECT_LE(ink.left, 2);
  EXPECT_LE(ink.top, 4);  // the ascent of a 16-pixel font less the cap height
  // 12 pt at 96 dpi is 16 pixels, whose capitals are 0.73 of it (the test
  // program's screen is at 72 dpi).
  EXPECT_NEAR(ink.bottom - ink.top + 1, 12, 1);
  EXPECT_GT(Ink(draw("H", {})).total, 0);  // the default face and size
}

TEST_F(CaptionPainterTest, LongCaptionsAreClippedNotWrapped) {
  const std::string longText(60, 'W');
  const Ink ink(draw(longText + " " + longText, sans, 100, 80));
  EXPECT_EQ(ink.right, 99);
  EXPECT_LT(ink.bottom, 20);  // nothing on a second line
  // Line breaks and tabs are spaces on the same line.
  EXPECT_EQ(draw("a\nb\tc", sans), draw("a b c", sans));
}

TEST_F(CaptionPainterTest, BoldAndLargerSizesDrawMoreInk) {
  CaptionFont bold = sans;
  bold.bold = true;
  EXPECT_GT(Ink(draw("Caption", bold)).total, Ink(draw("Caption", sans)).total);
  const Ink small(draw("Hg", {"Liberation Sans", 8}));
  const Ink large(draw("Hg", {"Liberation Sans", 20}));
  EXPECT_GT(large.bottom - large.top, small.bottom - small.top);
}

// At scale 2 a capital stands twice as high, at the default size too.
TEST_F(CaptionPainterTest, TheScaleEnlargesTheText) {
  for (CaptionFont font : {sans, CaptionFont{}}) {
    const Ink once(draw("H", font));
    font.scale = 2;
    const Ink twice(draw("H", font));
    EXPECT_NEAR(twice.bottom - twice.top, 2 * (once.bottom - once.top), 2) << font.face;
  }
}

TEST_F(CaptionPainterTest, WindowsFacesDrawAsLiberationSans) {
  const AlphaPlane expected = draw("Moravel 123", sans);
  for (const char* face : {"MS Sans Serif", "Microsoft Sans Serif", "Arial", "Tahoma"}) {
    EXPECT_EQ(draw("Moravel 123", {face, 12}), expected) << face;
  }
}

TEST_F(CaptionPainterTest, SizesBelowOneCountAsOne) {
  EXPECT_EQ(draw("x", sans, 0, 0), AlphaPlane::Create(1, 1));
  EXPECT_EQ(draw("x", sans, -5, -7), AlphaPlane::Create(1, 1));
  EXPECT_EQ(draw("x", sans, 10, 0), AlphaPlane::Create(10, 1));
}
