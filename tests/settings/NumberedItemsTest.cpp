// Counting numbered sections and keys from 1 up to the first gap.

#include <gtest/gtest.h>

#include "SettingsTestFiles.h"
#include "settings/NumberedItems.h"

namespace moravel {
namespace {

using test::TempFolder;
using test::WriteBytes;

class NumberedItemsTest : public ::testing::Test {
 protected:
  IniFile Load(std::string_view bytes) {
    WriteBytes(folder_ / "test.ini", bytes);
    return IniFile(folder_ / "test.ini");
  }
  TempFolder folder_;
};

TEST_F(NumberedItemsTest, GapHidesLaterSections) {
  IniFile ini = Load("[button1]\n[button2]\n[button4]\n[button5]\n");
  EXPECT_EQ(CountNumberedSections("button", ini), 2);
}

TEST_F(NumberedItemsTest, CountsInAnyOrderAndCase) {
  IniFile ini = Load("[Skin3]\n[skin1]\n[SKIN2]\n[picture1]\n[skin10]\n");
  EXPECT_EQ(CountNumberedSections("skin", ini), 3);
  EXPECT_EQ(CountNumberedSections("picture", ini), 1);
  EXPECT_EQ(CountNumberedSections("freebutton", ini), 0);
}

TEST_F(NumberedItemsTest, NoSectionOneMeansNothing) {
  IniFile ini = Load("[button0]\n[button2]\n[button]\n");
  EXPECT_EQ(CountNumberedSections("button", ini), 0);
  IniFile empty(folder_ / "absent.ini");
  EXPECT_EQ(CountNumberedSections("button", empty), 0);
}

TEST_F(NumberedItemsTest, PrefixMustMatchWhole) {
  // [freebutton1] is no [button1]: names compare whole.
  IniFile ini = Load("[freebutton1]\n[freebutton2]\n");
  EXPECT_EQ(CountNumberedSections("button", ini), 0);
  EXPECT_EQ(CountNumberedSections("freebutton", ini), 2);
}

TEST_F(NumberedItemsTest, ErasedLastSectionShortensTheCount) {
  IniFile ini = Load("[skin1]\ndir=a\n[skin2]\ndir=b\n[skin3]\ndir=c\n[skin5]\ndir=e\n");
  ASSERT_EQ(CountNumberedSections("skin", ini), 3);
  ASSERT_TRUE(ini.EraseSection("skin3"));
  EXPECT_EQ(CountNumberedSections("skin", ini), 2);
  ASSERT_TRUE(ini.WriteString("skin3", "dir", "c"));
  ASSERT_TRUE(ini.WriteString("skin4", "dir", "d"));
  EXPECT_EQ(CountNumberedSections("skin", ini), 5);
}

TEST_F(NumberedItemsTest, KeysInsideOneSection) {
  IniFile ini = Load(
      "[month]\nimage1=jan.png\nimage2=feb.png\nIMAGE3=mar.png\nimage5=may.png\n"
      "[weekday]\nimage1=sun.png\n");
  EXPECT_EQ(CountNumberedKeys("image", ini, "month"), 3);
  EXPECT_EQ(CountNumberedKeys("image", ini, "weekday"), 1);
  EXPECT_EQ(CountNumberedKeys("image", ini, "year1"), 0);
}

}  // namespace
}  // namespace moravel
