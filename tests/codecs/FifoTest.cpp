// Readers of pictures, icons, programs and shortcuts named by skins and users
// refuse a FIFO at once instead of waiting for a writer.

#include <gtest/gtest.h>

#include "codecs/ExecutableIcon.h"
#include "codecs/PictureFile.h"
#include "codecs/ShellLink.h"
#include "support/ErrorKindOf.h"
#include "support/Fifo.h"
#include "support/TempFolder.h"

namespace moravel {
namespace {

using test::WithoutWaiting;

TEST(FifoTest, FileReadersRefuseAFifoWithoutWaiting) {
  if (!test::kHaveFifos) GTEST_SKIP() << "no FIFOs in Windows file systems";
  test::TempFolder folder;
  std::vector<std::filesystem::path> fifos;
  for (const char* name : {"a.png", "b.ico", "c.lnk", "d.exe"}) {
    fifos.push_back(folder / name);
    ASSERT_TRUE(test::MakeFifo(fifos.back()));
  }
  const auto picture = WithoutWaiting(fifos, [&] { return LoadPictureFile(fifos[0]); });
  ASSERT_TRUE(picture) << "waited on a picture";
  EXPECT_FALSE(picture->ok());
  const auto bytes = WithoutWaiting(fifos, [&] {
    const Result<std::vector<uint8_t>> read = ReadPictureFileBytes(fifos[1]);
    return read.ok() || read.error().kind != ErrorKind::kNotAFile;
  });
  ASSERT_TRUE(bytes) << "waited on an icon file";
  EXPECT_FALSE(*bytes);
  const auto link =
      WithoutWaiting(fifos, [&] { return test::ErrorKindOf(ReadShortcut(fifos[2])); });
  ASSERT_TRUE(link) << "waited on a shortcut";
  EXPECT_EQ(*link, ErrorKind::kNotAFile);
  const auto program =
      WithoutWaiting(fifos, [&] { return test::ErrorKindOf(ReadExecutableIcon(fifos[3], 32)); });
  ASSERT_TRUE(program) << "waited on a program";
  EXPECT_EQ(*program, ErrorKind::kNotAFile);
}

}  // namespace
}  // namespace moravel
