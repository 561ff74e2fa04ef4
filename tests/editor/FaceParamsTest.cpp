// Reading a template's drawing keys per state, with the fall-backs of the over
// and down states.

#include <gtest/gtest.h>

#include <fstream>

#include "editor/FaceParams.h"
#include "support/TempFolder.h"

namespace moravel {
namespace {

IniFile Config(const test::TempFolder& dir, const char* text) {
  std::ofstream(dir / "config.ini") << text;
  return IniFile(dir / "config.ini");
}

TEST(ReadFaceParams, DefaultsWhenTheSectionIsEmpty) {
  test::TempFolder dir;
  IniFile config = Config(dir, "[freebutton1]\n");
  FaceParams expected;
  EXPECT_EQ(ReadFaceParams(config, "freebutton1", ButtonState::kUp), expected);
  expected.fontColour = kCaptionGreenDefault;
  EXPECT_EQ(ReadFaceParams(config, "freebutton1", ButtonState::kUp, kCaptionGreenDefault),
            expected);
  EXPECT_EQ(
      ReadFaceParams(config, "freebutton1", ButtonState::kDown, kCaptionGreenDefault).fontColour,
      kCaptionGreyDefault);
  EXPECT_EQ(TemplateImageName(config, "freebutton1", ButtonState::kDown), "");
}

TEST(ReadFaceParams, OverAndDownFallBackKeyByKey) {
  test::TempFolder dir;
  IniFile config = Config(dir,
                          "[t]\nimage1=up.png\nimage2=over.png\n"
                          "x1=5\nx2=7\ny1=3\ny2=abc\nw3=20\n"
                          "icoalpha1=300\nicoalpha2=10\neffect2=1\nwhitered1=-2\n"
                          "font1=Arial\ns1=9\nb2=1\nalp1=0\nred1=10\ngreen2=20\n");
  const FaceParams up = ReadFaceParams(config, "t", ButtonState::kUp);
  const FaceParams over = ReadFaceParams(config, "t", ButtonState::kOver);
  const FaceParams down = ReadFaceParams(config, "t", ButtonState::kDown);
  // x, y, w ...: down takes over's key, then up's; a key that is no number falls back.
  EXPECT_EQ(std::make_tuple(up.iconLeft, over.iconLeft, down.iconLeft), std::make_tuple(5, 7, 7));
  EXPECT_EQ(std::make_tuple(up.iconTop, over.iconTop, down.iconTop), std::make_tuple(3, 3, 3));
  EXPECT_EQ(std::make_tuple(up.iconWidth, over.iconWidth, down.iconWidth),
            std::make_tuple(1, 1, 20));
  // icoalpha, effect, white*: down skips over's key; bytes keep their low 8 bits.
  EXPECT_EQ(std::make_tuple(up.iconAlpha, over.iconAlpha, down.iconAlpha),
            std::make_tuple(uint8_t(44), uint8_t(10), uint8_t(44)));
  EXPECT_EQ(std::make_tuple(up.effect, over.effect, down.effect),
            std::make_tuple(uint8_t(0), uint8_t(1), uint8_t(0)));
  EXPECT_EQ(down.tintLight, (Rgb{254, 255, 255}));
  // The up face's font is font1, the others' "font" (missing: empty).
  EXPECT_EQ(up.fontName, "Arial");
  EXPECT_EQ(over.fontName, "");
  EXPECT_EQ(down.fontSize, 9);
  EXPECT_EQ(std::make_tuple(up.bold, over.bold, down.bold), std::make_tuple(false, true, true));
  EXPECT_FALSE(down.mergeIconAlpha);
  EXPECT_EQ(up.fontColour, (Rgb{10, 200, 200}));
  EXPECT_EQ(down.fontColour, (Rgb{10, 20, 200}));
  EXPECT_EQ(TemplateImageName(config, "t", ButtonState::kOver), "over.png");
  EXPECT_EQ(TemplateImageName(config, "t", ButtonState::kDown), "over.png");
}

}  // namespace
}  // namespace moravel
