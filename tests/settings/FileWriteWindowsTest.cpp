// On Windows a replaced settings file keeps the attributes the user gave it,
// and a read-only one is not replaced.

#include <gtest/gtest.h>
#include <windows.h>

#include "SettingsTestFiles.h"
#include "settings/FileIo.h"

namespace moravel {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

TEST(FileWriteWindowsTest, AHiddenFileStaysHiddenAndAReadOnlyOneIsRefused) {
  TempFolder folder;
  const std::filesystem::path hidden = folder / "user.ini", locked = folder / "config.ini";
  WriteBytes(hidden, "old");
  WriteBytes(locked, "old");
  ASSERT_TRUE(::SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(::SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY));

  ASSERT_TRUE(WriteFileAtomically(hidden, "new"));
  EXPECT_EQ(ReadBytes(hidden), "new");
  EXPECT_TRUE(::GetFileAttributesW(hidden.c_str()) & FILE_ATTRIBUTE_HIDDEN);

  const Result<void> refused = WriteFileAtomically(locked, "new");
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.error().kind, ErrorKind::kAccessDenied) << refused.error().message;
  EXPECT_EQ(ReadBytes(locked), "old");
  ::SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_NORMAL);  // so the folder can go
  // No temporary file is left behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                          std::filesystem::directory_iterator()),
            2);
}

}  // namespace
}  // namespace moravel
