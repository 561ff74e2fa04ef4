// Drawing an icon and a caption into a template picture: rectangle fitting,
// fading, tint, blending, the alpha merges and the failures.

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>

#include "editor/ButtonFaceRenderer.h"
#include "editor/EditorTestKit.h"
#include "support/ErrorKindOf.h"
#include "support/TempFolder.h"

namespace moravel {
namespace {

using test::Solid;
using test::WritePng;

constexpr Rgba kRed{255, 0, 0, 255}, kClear{0, 0, 0, 0}, kOwn{1, 200, 1, 255};

class RenderButtonFaceTest : public testing::Test {
 protected:
  // A template of w x h filled with `fill`, and an icon picture.
  std::string Template(int w, int h, Rgba fill = kClear) {
    WritePng(dir_ / "t.png", Solid(w, h, fill));
    return (dir_ / "t.png").string();
  }
  std::string Icon(const Bitmap& icon) {
    WritePng(dir_ / "i.png", icon);
    return (dir_ / "i.png").string();
  }
  // The face drawn; fails the test when there is none.
  Bitmap Render(const std::string& templ, const std::string& icon, const FaceParams& p,
                const std::string& caption = "", int scale = 1) {
    Result<Bitmap> face = renderer_.RenderButtonFace(templ, icon, p, caption, scale);
    EXPECT_TRUE(face.ok()) << face.error().message;
    return face ? std::move(*face) : Bitmap();
  }
  // The columns of row y whose alpha is not 0.
  static std::vector<int> Covered(const Bitmap& b, int y) {
    std::vector<int> xs;
    for (int x = 0; x < b.width(); ++x)
      if (b.at(x, y).a) xs.push_back(x);
    return xs;
  }

  test::TempFolder dir_;
  test::FakeAssociatedIcons desktop_;
  test::FakeCaptionPainter captions_;
  IconLoader icons_{desktop_, Solid(2, 2, kOwn)};
  ButtonFaceRenderer renderer_{icons_, captions_};
};

TEST_F(RenderButtonFaceTest, RectanglesEndOnePixelBeforeTheFarEdge) {
  const std::string templ = Template(100, 40), icon = Icon(Solid(32, 32, kRed));
  const struct {
    int x, w;
    std::vector<int> columns;
  } cases[] = {
      {90, 32, {90, 91, 92, 93, 94, 95, 96, 97, 98}},  // 100 - 90 - 1 wide
      {150, 32, {99}},                                 // moved onto the last column, width 1
      {96, 4, {96, 97, 98, 99}},                       // fits exactly: kept
      {-2, 4, {0, 1}},                                 // negative left: clipped
      {0, 0, {0}},                                     // width below 1 becomes 1
  };
  for (const auto& c : cases) {
    FaceParams p{.iconLeft = c.x, .iconTop = 0, .iconWidth = c.w, .iconHeight = 1};
    EXPECT_EQ(Covered(Render(templ, icon, p), 0), c.columns) << "x " << c.x << " w " << c.w;
  }
}

TEST_F(RenderButtonFaceTest, FadeTintAndMerge) {
  const std::string templ = Template(3, 1, {0, 0, 200, 0});
  Bitmap pixels = Solid(3, 1, {255, 255, 255, 255});
  pixels.set(1, 0, {0, 0, 0, 255});
  pixels.set(2, 0, {255, 0, 0, 255});
  const std::string icon = Icon(pixels);
  FaceParams tint{.iconWidth = 3, .effect = 1, .tintLight = {255, 255, 0}, .tintDark = {0, 0, 128}};
  Bitmap tinted = Render(templ, icon, tint);
  EXPECT_EQ(tinted.at(0, 0), (Rgba{255, 255, 0, 255}));  // white takes the light colour
  EXPECT_EQ(tinted.at(1, 0), (Rgba{0, 0, 128, 255}));    // black the dark one
  EXPECT_EQ(tinted.at(2, 0), (Rgba{255, 255, 0, 255}));  // pure red counts by its largest channel

  FaceParams faded{.iconWidth = 3, .iconAlpha = 128};
  const Rgba half = Render(templ, icon, faded).at(0, 0);
  EXPECT_EQ(half.a, 128);
  EXPECT_EQ(half.r, (255 * 128 + 127 * 0 + 255) / 256);
  EXPECT_EQ(half.b, (255 * 128 + 127 * 200 + 255) / 256);
  faded.mergeIconAlpha = false;  // colour blended, yet the shape stays transparent
  const Rgba hidden = Render(templ, icon, faded).at(0, 0);
  EXPECT_EQ(hidden.a, 0);
  EXPECT_EQ(hidden.r, half.r);
}

TEST_F(RenderButtonFaceTest, CaptionGlyphsCarryTextAlphaAndLieOverTheIcon) {
  const std::string templ = Template(20, 10, {0, 0, 0, 64}), icon = Icon(Solid(20, 10, kRed));
  FaceParams p{.iconWidth = 20,
               .iconHeight = 10,
               .textLeft = 2,
               .textTop = 1,
               .textWidth = 10,
               .textHeight = 8,
               .textAlpha = 200,
               .fontColour = {0, 0, 255},
               .mergeIconAlpha = false};
  const Bitmap face = Render(templ, icon, p, "ab");  // ink: 6 x 5 at (2, 1), 100 at column 8
  const Rgba glyph = face.at(2, 1);
  EXPECT_EQ(glyph.a, 64 + 200 - (64 * 200 + 127) / 255);
  EXPECT_EQ(glyph.b, (255 * 200 + 55 * 0 + 255) / 256);
  EXPECT_EQ(glyph.r, (0 * 200 + 55 * 255 + 255) / 256);
  EXPECT_EQ(face.at(8, 1), (Rgba{255, 0, 0, 64}));  // soft edge below half: no glyph pixel
  EXPECT_EQ(face.at(2, 6).a, 64);                   // below the ink
  EXPECT_EQ(face.at(0, 0), (Rgba{255, 0, 0, 64}));  // icon only
}

// At scale 2: the template enlarged, or its own @2x picture; the rectangles
// at twice the place and size; the icon file's image for the larger size;
// the caption twice as large.
TEST_F(RenderButtonFaceTest, AtScaleTwoEverythingIsTwiceAsLarge) {
  const std::string templ = Template(20, 10), icon = (dir_ / "i.ico").string();
  test::WriteFile(icon, test::IcoOfPngs({Solid(64, 64, {2, 2, 2, 255}), Solid(128, 128, kRed)}));
  FaceParams p{.iconLeft = 2, .iconTop = 1, .iconWidth = 4, .iconHeight = 3};
  p.textLeft = 10, p.textTop = 2, p.textWidth = 8, p.textHeight = 6, p.fontColour = {0, 0, 255};
  const Bitmap face = Render(templ, icon, p, "a", 2);
  ASSERT_EQ(face.width(), 40);
  ASSERT_EQ(face.height(), 20);
  for (auto [x, y] : {std::pair{4, 2}, {11, 7}}) EXPECT_EQ(face.at(x, y), kRed) << x << "," << y;
  for (auto [x, y] : {std::pair{3, 2}, {12, 7}, {4, 8}}) EXPECT_EQ(face.at(x, y), kClear);
  constexpr Rgba kBlue{0, 0, 255, 255};  // the ink, 6 x 10 from (20, 4)
  for (auto [x, y] : {std::pair{20, 4}, {25, 13}}) EXPECT_EQ(face.at(x, y), kBlue) << x << "," << y;
  for (auto [x, y] : {std::pair{26, 4}, {20, 14}}) EXPECT_EQ(face.at(x, y), kClear);

  const Rgba green{0, 90, 0, 255};
  WritePng(dir_ / "t@2x.png", Solid(30, 16, green));
  const Bitmap own = Render(templ, icon, p, "", 2);
  EXPECT_EQ(own.width(), 30);
  EXPECT_EQ(own.height(), 16);
  EXPECT_EQ(own.at(29, 15), green);
  EXPECT_EQ(own.at(11, 7), kRed);
}

// Without a template picture there is no face, and the error says why; any
// later failure still gives a face.
TEST_F(RenderButtonFaceTest, FailuresSayWhyOrGiveTheTemplate) {
  FaceParams p{.iconWidth = 4, .iconHeight = 4};
  test::WriteFile(dir_ / "damaged.png", {0x89, 'P', 'N', 'G', 1, 2, 3});
  const struct {
    std::string templ;
    ErrorKind kind;
  } unreadable[] = {
      {"", ErrorKind::kEmpty},
      {dir_.path().string(), ErrorKind::kNotAFile},
      {(dir_ / "missing.png").string(), ErrorKind::kNotFound},
      {(dir_ / "damaged.png").string(), ErrorKind::kMalformed},
  };
  for (const auto& c : unreadable) {
    const Result<Bitmap> face = renderer_.RenderButtonFace(c.templ, "x.png", p, "");
    EXPECT_EQ(test::ErrorKindOf(face), c.kind) << c.templ;
    if (!face && !c.templ.empty()) {
      EXPECT_EQ(face.error().message.rfind("cannot read the template picture: ", 0), 0u)
          << face.error().message;
    }
  }
  const std::string templ = Template(8, 8);
  // A missing icon file shows the program's own icon, stretched to the rectangle.
  EXPECT_EQ(Render(templ, (dir_ / "missing.png").string(), p).at(3, 3), kOwn);
  // A program without readable icons (here: not a program at all) shows it too.
  EXPECT_EQ(Render(templ, (dir_ / "missing.exe").string(), p).at(0, 0), kOwn);
  // A rectangle too large to scale leaves the template as it was.
  FaceParams huge{.iconLeft = INT_MIN + 1, .iconWidth = INT_MAX, .iconHeight = 4};
  EXPECT_EQ(Render(templ, Icon(Solid(4, 4, kRed)), huge), Solid(8, 8, kClear));
}

}  // namespace
}  // namespace moravel
