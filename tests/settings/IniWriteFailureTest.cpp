// Writes that cannot reach the disk are reported, and neither the file nor
// the object's view of it changes. (Tests may run as root, where permission
// bits do not stop writes, so failures are forced through the folder layout.)

#include <gtest/gtest.h>

#include "SettingsTestFiles.h"
#include "settings/IniFile.h"

namespace moravel {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

TEST(IniWriteFailureTest, FolderThatIsAFileOrMissingFailsTheWrite) {
  TempFolder folder;
  WriteBytes(folder / "plain.txt", "not a folder");
  for (const std::filesystem::path& path :
       {folder / "plain.txt" / "config.ini", folder / "missing" / "config.ini"}) {
    IniFile ini(path);
    EXPECT_TRUE(ini.readable()) << path;  // a missing file reads as empty
    const Result<void> written = ini.WriteString("skin", "dir", "wood");
    ASSERT_FALSE(written) << path;
    EXPECT_FALSE(written.error().message.empty()) << path;
    EXPECT_EQ(written.error().kind, ErrorKind::kNotFound) << written.error().message;
    EXPECT_FALSE(ini.HasSection("skin")) << path;
    EXPECT_EQ(ini.ReadString("skin", "dir", "none"), "none") << path;
  }
  EXPECT_EQ(ReadBytes(folder / "plain.txt"), "not a folder");
  EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
}

TEST(IniWriteFailureTest, FailedWriteLeavesMemoryAndDiskUnchanged) {
  TempFolder folder;
  const std::filesystem::path skin = folder / "skin";
  const std::filesystem::path moved = folder / "skin.moved";
  std::filesystem::create_directory(skin);
  const std::string before = "[button1]\r\nobject=a\r\n[button2]\r\nobject=b";
  WriteBytes(skin / "user.ini", before);
  IniFile ini(skin / "user.ini");

  // The folder goes away and a plain file takes its name: no write can land.
  std::filesystem::rename(skin, moved);
  WriteBytes(skin, "blocker");
  EXPECT_FALSE(ini.WriteString("button1", "object", "changed"));
  EXPECT_FALSE(ini.WriteString("button3", "object", "new"));
  EXPECT_FALSE(ini.EraseSection("button2"));
  EXPECT_EQ(ini.ReadString("button1", "object", ""), "a");
  EXPECT_FALSE(ini.HasSection("button3"));
  EXPECT_TRUE(ini.HasSection("button2"));

  // Back in place: the file is as it was and the object writes on from there.
  std::filesystem::remove(skin);
  std::filesystem::rename(moved, skin);
  EXPECT_EQ(ReadBytes(skin / "user.ini"), before);
  ASSERT_TRUE(ini.WriteString("button1", "tr", "1"));
  EXPECT_EQ(ReadBytes(skin / "user.ini"), "[button1]\r\nobject=a\r\ntr=1\r\n[button2]\r\nobject=b");
}

TEST(IniWriteFailureTest, UnreadableFileIsNeverOverwritten) {
  TempFolder folder;
  // A folder where the file should be: it exists but cannot be read as a file.
  const std::filesystem::path path = folder / "data.ini";
  std::filesystem::create_directory(path);
  WriteBytes(path / "inside", "x");
  IniFile ini(path);
  EXPECT_FALSE(ini.readable());
  EXPECT_FALSE(ini.readError().empty());
  EXPECT_EQ(ini.ReadString("skin", "dir", "wood"), "wood");
  EXPECT_FALSE(ini.WriteString("skin", "dir", "metal"));
  EXPECT_TRUE(std::filesystem::is_directory(path));
  EXPECT_EQ(ReadBytes(path / "inside"), "x");
}

}  // namespace
}  // namespace moravel
