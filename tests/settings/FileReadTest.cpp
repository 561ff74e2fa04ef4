// The one reader of whole files: regular files only, never waiting on a FIFO,
// within the caller's bound.

#include <gtest/gtest.h>

#include "SettingsTestFiles.h"
#include "settings/FileIo.h"
#include "settings/IniFile.h"
#include "support/Fifo.h"

namespace moravel {
namespace {

using Status = FileReadResult::Status;
using test::TempFolder;
using test::WithoutWaiting;
using test::WriteBytes;

TEST(FileReadTest, ReadsRegularFilesWithinTheBound) {
  TempFolder folder;
  WriteBytes(folder / "six", "abcdef");
  std::filesystem::create_directory(folder / "sub");
  const FileReadResult whole = ReadWholeFile(folder / "six", 6);
  EXPECT_EQ(whole.status, Status::kOk);
  EXPECT_EQ(whole.text(), "abcdef");
  const FileReadResult longer = ReadWholeFile(folder / "six", 5);
  EXPECT_EQ(longer.status, Status::kFailed);
  EXPECT_NE(longer.error.find("too large"), std::string::npos) << longer.error;
  EXPECT_TRUE(longer.bytes.empty());
  const FileReadResult cut = ReadWholeFile(folder / "six", 4, LongFile::kCut);
  EXPECT_EQ(cut.status, Status::kOk);
  EXPECT_EQ(cut.text(), "abcd");
  EXPECT_EQ(ReadWholeFile(folder / "gone", 6).status, Status::kMissing);
  EXPECT_EQ(ReadWholeFile(folder / "six" / "x", 6).status, Status::kMissing);
  EXPECT_EQ(ReadWholeFile(folder / "sub", 6).status, Status::kFailed);
  // A file whose size says nothing is read to its end all the same.
  EXPECT_EQ(ReadWholeFile("/proc/self/stat", 65536).status, Status::kOk);
  EXPECT_FALSE(ReadWholeFile("/proc/self/stat", 65536).bytes.empty());
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
  EXPECT_EQ(read->status, Status::kFailed);
  EXPECT_NE(read->error.find("not a regular file"), std::string::npos) << read->error;

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
