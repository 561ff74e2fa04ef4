#include <gtest/gtest.h>

#include "platform_win32/ShellAssociatedIcons.h"
#include "settings/Utf8Path.h"
#include "support/TempFolder.h"
#include "support/TestPictures.h"

namespace moravel {
namespace {

// The shell's icons (Wine's own under Wine) for a folder and for a missing
// file, at the size asked for.
TEST(ShellAssociatedIcons, ThePathsIconIsTheShellsAtTheAskedSize) {
  test::TempFolder folder;
  const ShellAssociatedIcons icons;
  for (const std::filesystem::path& path : {folder.path(), folder / "missing.txt"}) {
    const Bitmap icon = icons.IconForPath(Utf8Of(path), 48);
    ASSERT_EQ(icon.width(), 48) << Utf8Of(path);
    EXPECT_FALSE(icon == *Bitmap::Create(48, 48)) << Utf8Of(path);  // not all transparent
  }
  EXPECT_TRUE(icons.IconForPath("", 48).empty());
}

// A picture file by absolute UTF-8 path, fitted; no theme names on Windows.
TEST(ShellAssociatedIcons, OnlyPictureFilesNamedByAbsolutePathGiveIcons) {
  test::TempFolder folder;
  const std::string file =
      Utf8Of(folder.path()) + "\\\xD0\xB7\xD0\xBD\xD0\xB0\xD0\xBA.png";  // знак
  test::WritePng(PathFromUtf8(file), test::Solid(16, 8, {0, 0, 255, 255}));
  const ShellAssociatedIcons icons;
  const Bitmap icon = icons.IconByName(file, 32);
  ASSERT_EQ(icon.width(), 32);
  EXPECT_EQ(icon.at(16, 16), (Rgba{0, 0, 255, 255}));
  EXPECT_EQ(icon.at(16, 2), (Rgba{0, 0, 0, 0}));
  EXPECT_TRUE(icons.IconByName("folder", 32).empty());
  EXPECT_TRUE(icons.IconByName(Utf8Of(folder / "missing.png"), 32).empty());
}

}  // namespace
}  // namespace moravel
