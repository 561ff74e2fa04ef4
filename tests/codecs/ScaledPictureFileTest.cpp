// A picture for a scale: its @Nx sibling when that can be read, else the
// plain file enlarged.

#include <gtest/gtest.h>

#include "codecs/ScaledPictureFile.h"
#include "support/TempFolder.h"
#include "support/TestPictures.h"

namespace moravel {
namespace {

TEST(ScaledPictureFileTest, ADamagedOrMissingSiblingFallsBackToTheEnlargedFile) {
  test::TempFolder dir;
  test::WritePng(dir / "a.png", test::Solid(3, 2, {1, 2, 3, 255}));
  EXPECT_EQ(ScaledSiblingName(dir / "a.png", 2), dir / "a@2x.png");

  Result<Bitmap> three = LoadPictureAtScale(dir / "a.png", 3);  // no sibling
  ASSERT_TRUE(three.ok());
  EXPECT_EQ(three->width(), 9);

  test::WriteFile(dir / "a@2x.png", {0x89, 'P', 'N', 'G'});  // damaged
  Result<Bitmap> two = LoadPictureAtScale(dir / "a.png", 2);
  ASSERT_TRUE(two.ok());
  EXPECT_EQ(two->width(), 6);

  EXPECT_EQ(LoadPictureAtScale(dir / "gone.png", 2).error().kind, ErrorKind::kNotFound);
}

}  // namespace
}  // namespace moravel
