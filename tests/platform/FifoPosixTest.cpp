// Launchers, their lists and the user's folder names are read without ever
// waiting on a FIFO put in their place.

#include <gtest/gtest.h>

#include "platform/KeyFile.h"
#include "platform/UserDirs.h"
#include "support/Fifo.h"
#include "support/TempFolder.h"

namespace moravel {
namespace {

using test::WithoutWaiting;

TEST(FifoTest, KeyFilesAndUserDirsRefuseAFifoWithoutWaiting) {
  test::TempFolder folder;
  const std::filesystem::path launcher = folder / "x.desktop", dirs = folder / "user-dirs.dirs";
  ASSERT_TRUE(test::MakeFifo(launcher));
  ASSERT_TRUE(test::MakeFifo(dirs));
  const auto keys =
      WithoutWaiting({launcher}, [&] { return KeyFile::Load(launcher.string()).has_value(); });
  ASSERT_TRUE(keys) << "waited on a key file";
  EXPECT_FALSE(*keys);
  const auto desktop = WithoutWaiting({dirs}, [&] {
    return UserDirs::FindInConfig(folder.path().string(), "XDG_DESKTOP_DIR", "/h");
  });
  ASSERT_TRUE(desktop) << "waited on user-dirs.dirs";
  EXPECT_EQ(*desktop, std::nullopt);
}

}  // namespace
}  // namespace moravel
