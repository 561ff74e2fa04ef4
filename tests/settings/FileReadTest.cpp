// The one reader of whole files: regular files only, never waiting on a FIFO,
// within the caller's bound.

#include <gtest/gtest.h>

#include "SettingsTestFiles.h"
#include "settings/FileIo.h"
#include "settings/IniFile.h"
#include "support/ErrorKindOf.h"
#include "support/Fifo.h"

namespace moravel {
namespace {

using test::TempFolder;
using test::WithoutWaiting;
using test::WriteBytes;

TEST(FileReadTest, ReadsRegularFilesWithinTheBound) {
  TempFolder folder;
  WriteBytes(folder / "six", "abcdef");
  std::filesystem::create_directory(folder / "sub");
  const Result<FileBytes> whole = ReadWholeFile(folder / "six", 6);
  ASSERT_TRUE(whole);
  EXPECT_EQ(whole->text(), "abcdef");
  const Result<FileBytes> longer = ReadWholeFile(folder / "six", 5);
  ASSERT_FALSE(longer);
  EXPECT_EQ(longer.error().kind, ErrorKind::kTooLarge);
  EXPECT_NE(longer.error().message.find("too large"), std::string::npos) << longer.error().message;
  const Result<FileBytes> cut = ReadWholeFile(folder / "six", 4, LongFile::kCut);
  ASSERT_TRUE(cut);
  EXPECT_EQ(cut->text(), "abcd");
  EXPECT_EQ(test::ErrorKindOf(ReadWholeFile(folder / "gone", 6)), ErrorKind::kNotFound);
  EXPECT_EQ(test::ErrorKindOf(ReadWholeFile(folder / "six" / "x", 6)), ErrorKind::kNotFound);
  EXPECT_EQ(test::ErrorKindOf(ReadWholeFile(folder / "sub", 6)), ErrorKind::kNotAFile);
  // A file whose size says nothing is read to its end all the same.
  const Result<FileBytes> stat = ReadWholeFile("/proc/self/stat", 65536);
  ASSERT_TRUE(stat);
  EXPECT_FALSE(stat->bytes.empty());
}

// With nobody writing, opening a FIFO would wait for ever: it is refused at
// once, by the reader and by the settings files read through it.
TEST(FileReadTest, AFifoIsRefusedWithoutWaiting) {
  if (!test::kHaveFifos) GTEST_SKIP() << "no FIFOs in Windows file systems";
  TempFolder folder;
  const std::filesystem::path fifo = folder / "config.ini";
  ASSERT_TRUE(test::MakeFifo(fifo));
  const auto read = WithoutWaiting({fifo}, [&] { return ReadWholeFile(fifo, 1 << 20); });
  ASSERT_TRUE(read) << "waited on the FIFO";
  ASSERT_FALSE(*read);
  EXPECT_EQ(read->error().kind, ErrorKind::kNotAFile);
  EXPECT_NE(read->error().message.find("not a regular file"), std::string::npos)
      << read->error().message;

  const auto ini = WithoutWaiting({fifo}, [&] {
    IniFile file(fifo);
    return std::pair(file.readable(), file.WriteString("skin", "dir", "wood"));
  });
  ASSERT_TRUE(ini) << "waited on the FIFO";
  EXPECT_FALSE(ini->first);   // unreadable,
  EXPECT_FALSE(ini->second);  // so never written over
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));
}

}  // namespace
}  // namespace moravel
