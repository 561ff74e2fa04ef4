// How the skins' "tr" flag changes the drawing of a picture.

#include <gtest/gtest.h>

#include <memory>

#include "scene/TransparentKey.h"

namespace moravel {
namespace {

constexpr Rgba kRed{255, 0, 0, 255}, kGreen{0, 255, 0, 255};

// A 3x3 opaque picture: red everywhere, green in the bottom-left corner and
// in the centre.
Picture CornerKeyed() {
  Bitmap b = *Bitmap::Create(3, 3, kRed);
  b.set(0, 2, kGreen);
  b.set(1, 1, kGreen);
  return std::make_shared<const Bitmap>(b);
}

TEST(TransparentKeyTest, OpaquePictureLosesTheBottomLeftColour) {
  const Picture source = CornerKeyed();
  const Picture keyed = PictureForDrawing(source, true);
  ASSERT_NE(keyed, source);
  EXPECT_EQ(keyed->at(0, 2), (Rgba{0, 255, 0, 0}));
  EXPECT_EQ(keyed->at(1, 1), (Rgba{0, 255, 0, 0}));
  EXPECT_EQ(keyed->at(0, 0), kRed);
  EXPECT_EQ(keyed->at(2, 2), kRed);
  EXPECT_EQ(source->at(0, 2), kGreen) << "the shared source must stay untouched";
}

TEST(TransparentKeyTest, KeyMatchesTheExactColourOnly) {
  Bitmap b = *Bitmap::Create(2, 1, kGreen);
  b.set(1, 0, Rgba{0, 254, 0, 255});
  const Picture keyed = PictureForDrawing(std::make_shared<const Bitmap>(b), true);
  EXPECT_EQ(keyed->at(0, 0).a, 0);
  EXPECT_EQ(keyed->at(1, 0).a, 255);
}

TEST(TransparentKeyTest, PicturesWithTheirOwnAlphaAreDrawnAsTheyAre) {
  Bitmap shaped = *Bitmap::Create(3, 3, kRed);
  shaped.set(2, 0, Rgba{255, 0, 0, 128});
  const Picture alpha = std::make_shared<const Bitmap>(shaped);
  EXPECT_EQ(PictureForDrawing(alpha, true), alpha);
  EXPECT_EQ(PictureForDrawing(alpha, false), alpha);
}

TEST(TransparentKeyTest, WithoutTheFlagNothingIsKeyed) {
  const Picture source = CornerKeyed();
  EXPECT_EQ(PictureForDrawing(source, false), source);
}

TEST(TransparentKeyTest, KeyingTwiceChangesNothingMore) {
  const Picture once = PictureForDrawing(CornerKeyed(), true);
  EXPECT_EQ(PictureForDrawing(once, true), once);
}

TEST(TransparentKeyTest, EmptyPicturesPassThrough) {
  EXPECT_EQ(PictureForDrawing(nullptr, true), nullptr);
  const Picture empty = std::make_shared<const Bitmap>();
  EXPECT_EQ(PictureForDrawing(empty, true), empty);
}

}  // namespace
}  // namespace moravel
