// The program's UTF-8 names cross to paths and back unchanged on every
// system, and reach the disk as the names they spell; file identities tell
// files and their versions apart.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SettingsTestFiles.h"
#include "settings/FileIdentity.h"
#include "settings/FileIo.h"
#include "settings/Utf8Path.h"

namespace moravel {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;
using test::WriteBytes;

TEST(Utf8PathTest, CyrillicNamesKeepTheirLettersOnTheDisk) {
  const std::string name = "Обложки/Дерево/кнопка_u.png";
  EXPECT_EQ(Utf8Of(PathFromUtf8(name)), name);
  EXPECT_EQ(PathFromUtf8(name), fs::path(u8"Обложки/Дерево/кнопка_u.png"));

  TempFolder folder;
  const fs::path file = folder.path() / PathFromUtf8("дерево.ini");
  ASSERT_TRUE(WriteFileAtomically(file, "[skin]").ok());
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder.path()))
    names.push_back(Utf8Of(entry.path().filename()));
  EXPECT_EQ(names, std::vector<std::string>{"дерево.ini"});
  const Result<FileBytes> read = ReadWholeFile(folder.path() / PathFromUtf8("дерево.ini"), 100);
  ASSERT_TRUE(read) << read.error().message;
  EXPECT_EQ(read->text(), "[skin]");
}

TEST(FileIdentityTest, TellsFilesAndTheirNewVersionsApart) {
  TempFolder folder;
  WriteBytes(folder / "a.png", "one");
  WriteBytes(folder / "b.png", "one");
  EXPECT_FALSE(IdentifyFile(folder / "missing.png"));
  const std::optional<FileIdentity> a = IdentifyFile(folder / "a.png");
  ASSERT_TRUE(a);
  EXPECT_EQ(a->size, 3u);
  EXPECT_EQ(IdentifyFile(folder / "a.png"), a) << "unchanged";
  const std::optional<FileIdentity> b = IdentifyFile(folder / "b.png");
  ASSERT_TRUE(b);
  EXPECT_EQ(b->device, a->device);
  EXPECT_NE(b->file, a->file);
  // A replacement is a new file, even of the same size.
  ASSERT_TRUE(WriteFileAtomically(folder / "a.png", "two").ok());
  const std::optional<FileIdentity> replaced = IdentifyFile(folder / "a.png");
  ASSERT_TRUE(replaced);
  EXPECT_NE(replaced->file, a->file);
  EXPECT_EQ(replaced->size, 3u);
}

}  // namespace
}  // namespace moravel
