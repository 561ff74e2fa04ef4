// Several changes to one settings file written as one: all of them or none.

#include <gtest/gtest.h>

#include "settings/FileIo.h"
#include "settings/IniFile.h"
#include "support/TempFolder.h"

namespace moravel {
namespace {

TEST(IniBatch, AllChangesInOneWriteOrNone) {
  test::TempFolder dir;
  const auto path = dir / "user.ini";
  {
    IniFile ini(path);
    ASSERT_TRUE(ini.WriteString("button2", "object", "old"));
    ASSERT_TRUE(ini.WriteString("button2", "param", "stale"));
  }
  IniFile ini(path);
  IniBatch batch;
  batch.EraseSection("button2").Set("button2", "object", "/bin/true").SetInt("button2", "x", -5);
  batch.Set("button3", "image", "temp\\freebutton3_u.png");
  ASSERT_TRUE(ini.Apply(batch));
  EXPECT_FALSE(ini.HasKey("button2", "param"));  // the old record went whole
  EXPECT_EQ(IniFile(path).ReadInt("button2", "x", 0), -5);
  EXPECT_EQ(IniFile(path).ReadString("button3", "image", ""), "temp\\freebutton3_u.png");

  const std::string before(ReadWholeFile(path, IniFile::kMaxBytes)->text());
  IniBatch bad;
  bad.Set("button4", "object", "x").Set("button4", "bad=key", "y");
  const Result<void> refused = ini.Apply(bad);
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.error().kind, ErrorKind::kMalformed);
  EXPECT_EQ(ReadWholeFile(path, IniFile::kMaxBytes)->text(), before);
  EXPECT_FALSE(ini.HasSection("button4"));
}

}  // namespace
}  // namespace moravel
