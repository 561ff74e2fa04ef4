// Saving PNG files: what is saved reads back, and a refused write says whether
// it was for want of access.

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "codecs/PictureFile.h"
#include "codecs/PngFile.h"
#include "support/ErrorKindOf.h"
#include "support/FileSizeLimit.h"
#include "support/TempFolder.h"

namespace moravel {
namespace {

TEST(SavePngFile, SavesOrTellsWhyNot) {
  test::TempFolder dir;
  const Bitmap picture = *Bitmap::Create(3, 2, {1, 2, 3, 4});
  ASSERT_TRUE(SavePngFile(dir / "a.png", picture, PngSpeed::Fast));
  EXPECT_EQ(*LoadPictureFile(dir / "a.png"), picture);
  // Nothing but the file itself is left in the folder.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
  EXPECT_EQ(test::ErrorKindOf(SavePngFile(dir / "no/such/folder.png", picture, PngSpeed::Fast)),
            ErrorKind::kNotFound);
  EXPECT_EQ(test::ErrorKindOf(SavePngFile(dir / "empty.png", Bitmap(), PngSpeed::Fast)),
            ErrorKind::kEmpty);
  // sysfs refuses new files even to root, as a read-only skin folder would.
  if (std::filesystem::is_directory("/sys/kernel")) {
    EXPECT_EQ(
        test::ErrorKindOf(SavePngFile("/sys/kernel/moravel-test.png", picture, PngSpeed::Fast)),
        ErrorKind::kAccessDenied);
  }
  // A full disk is told apart from a folder that may not be written.
  if (test::FileSizeLimit::kAvailable) {
    const test::FileSizeLimit full(16);
    const Result<void> saved = SavePngFile(dir / "full.png", picture, PngSpeed::Fast);
    ASSERT_FALSE(saved);
    EXPECT_EQ(saved.error().kind, ErrorKind::kNoSpace) << saved.error().message;
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "full.png"));
}

}  // namespace
}  // namespace moravel
