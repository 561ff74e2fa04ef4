// Saving PNG files: what is saved reads back, and a refused write says whether
// it was for want of access.

#include <gtest/gtest.h>

#include <filesystem>

#include "codecs/PictureFile.h"
#include "codecs/PngFile.h"
#include "support/TempFolder.h"

namespace moravel {
namespace {

TEST(SavePngFile, SavesOrTellsWhyNot) {
  test::TempFolder dir;
  const Bitmap picture = *Bitmap::Create(3, 2, {1, 2, 3, 4});
  ASSERT_EQ(SavePngFile(dir / "a.png", picture, PngSpeed::Fast), PngSaveResult::kSaved);
  EXPECT_EQ(*LoadPictureFile(dir / "a.png"), picture);
  // Nothing but the file itself is left in the folder.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
  EXPECT_EQ(SavePngFile(dir / "no/such/folder.png", picture, PngSpeed::Fast),
            PngSaveResult::kFailed);
  EXPECT_EQ(SavePngFile(dir / "empty.png", Bitmap(), PngSpeed::Fast), PngSaveResult::kFailed);
  // sysfs refuses new files even to root, as a read-only skin folder would.
  if (std::filesystem::is_directory("/sys/kernel")) {
    EXPECT_EQ(SavePngFile("/sys/kernel/moravel-test.png", picture, PngSpeed::Fast),
              PngSaveResult::kNoWriteAccess);
  }
}

}  // namespace
}  // namespace moravel
