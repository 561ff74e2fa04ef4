// Skin folders, stored file names and the state pictures of buttons.

#include <gtest/gtest.h>

#include "SettingsTestFiles.h"
#include "settings/CaseInsensitivePath.h"
#include "settings/SkinPaths.h"
#include "settings/Utf8Path.h"

namespace moravel {
namespace {

using test::TempFolder;
using test::WriteBytes;
namespace fs = std::filesystem;

// A name found ignoring letter case. Windows file systems ignore it
// themselves: there the name as asked for is the file already.
void ExpectSameFile(const fs::path& found, const fs::path& onDisk) {
#ifdef _WIN32
  EXPECT_TRUE(fs::equivalent(found, onDisk)) << found << " is not " << onDisk;
#else
  EXPECT_EQ(found, onDisk);
#endif
}

TEST(SkinPathTest, FolderUnderSkinsWithTrailingSeparator) {
  EXPECT_EQ(SkinPath("/opt/moravel/", "wood").string(), "/opt/moravel/skins/wood/");
  EXPECT_EQ(SkinPath("/opt/moravel", "wood").string(), "/opt/moravel/skins/wood/");
  EXPECT_EQ(SkinPath("/opt/moravel/", "").string(), "/opt/moravel/skins/");
  EXPECT_EQ(SkinPath("/opt/moravel/", "dark\\blue").string(), "/opt/moravel/skins/dark/blue/");
}

TEST(SkinPathTest, AFolderLeadingOutOfSkinsIsNoSkin) {
  for (const char* dir : {"..", "..\\..\\etc", "../outside", "wood\\..\\..\\x", "wood/..", "/etc",
                          "\\etc", "C:\\skins\\wood", "c:wood"}) {
    EXPECT_EQ(SkinPath("/opt/moravel/", dir), fs::path(kNoSkinFolder)) << dir;
  }
  // Nothing can be made there.
  std::error_code ec;
  fs::create_directories(fs::path(kNoSkinFolder) / "temp", ec);
  EXPECT_TRUE(ec);
  // Dots that lead nowhere are names like any other.
  EXPECT_EQ(SkinPath("/opt/moravel/", "...").string(), "/opt/moravel/skins/.../");
  EXPECT_EQ(SkinPath("/opt/moravel/", "..wood\\x..").string(), "/opt/moravel/skins/..wood/x../");
}

TEST(SkinPathTest, AbsoluteValuesStartWithQuestionMark) {
  EXPECT_EQ(AbsolutePictureValue("?/home/me/wall.jpg"), fs::path("/home/me/wall.jpg"));
  EXPECT_EQ(AbsolutePictureValue("wall.jpg"), std::nullopt);
  EXPECT_EQ(AbsolutePictureValue(""), std::nullopt);
  EXPECT_EQ(PicturePath("/skins/wood/", "?/elsewhere/a.png"), fs::path("/elsewhere/a.png"));
  EXPECT_EQ(PicturePath("/skins/wood/", "pics\\a.png"), fs::path("/skins/wood/pics/a.png"));
}

TEST(StatePicturesTest, LastUnderscoreNamesTheState) {
  for (const char* stored :
       {"temp\\freebutton3_d.png", "temp\\freebutton3_u.png", "temp\\freebutton3_o.png"}) {
    const auto names = StatePictureNames("/s/wood/", stored);
    ASSERT_TRUE(names) << stored;
    EXPECT_EQ(names->up, fs::path("/s/wood/temp/freebutton3_u.png"));
    EXPECT_EQ(names->over, fs::path("/s/wood/temp/freebutton3_o.png"));
    EXPECT_EQ(names->down, fs::path("/s/wood/temp/freebutton3_d.png"));
  }
}

TEST(StatePicturesTest, OnlyOneCharacterIsReplacedAndTheExtensionStays) {
  const auto names = StatePictureNames("/s/wood/", "my_button_UP.PNG");
  ASSERT_TRUE(names);
  EXPECT_EQ(names->up, fs::path("/s/wood/my_button_uP.PNG"));
  EXPECT_EQ(names->down, fs::path("/s/wood/my_button_dP.PNG"));
  // A two-byte letter after "_" is one character.
  const auto cyrillic = StatePictureNames("/s/wood/", "кнопка_н.png");
  ASSERT_TRUE(cyrillic);
  EXPECT_EQ(cyrillic->over, PathFromUtf8("/s/wood/кнопка_o.png"));
}

TEST(StatePicturesTest, UnderscoreInTheSkinFolderCounts) {
  const auto names = StatePictureNames("/s/old_wood/", "button.png");
  ASSERT_TRUE(names);
  EXPECT_EQ(names->up, fs::path("/s/old_uood/button.png"));
}

TEST(StatePicturesTest, NoUsableUnderscoreNamesNothing) {
  EXPECT_EQ(StatePictureNames("/s/wood/", "button.png"), std::nullopt);
  EXPECT_EQ(StatePictureNames("/s/wood/", "button_"), std::nullopt);
  EXPECT_EQ(StatePictureNames("/s/wood/", ""), std::nullopt);
  EXPECT_EQ(StatePictureNames("", "_"), std::nullopt);
}

class ResolveSkinFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(folder_ / "Skin" / "Temp");
    WriteBytes(folder_ / "Skin" / "Temp" / "FreeButton1_U.png", "u");
    WriteBytes(folder_ / "Skin" / "Pogoda.PNG", "p");
    WriteBytes(folder_ / "Skin" / PathFromUtf8("ОБОИ.jpg"), "w");
  }
  fs::path skin() const { return folder_ / "Skin" / ""; }
  TempFolder folder_;
};

TEST_F(ResolveSkinFileTest, ExactNameIsTakenAsIs) {
  EXPECT_EQ(ResolveSkinFile(skin(), "Pogoda.PNG"), skin() / "Pogoda.PNG");
  EXPECT_EQ(ResolveSkinFile(skin(), "Temp\\FreeButton1_U.png"),
            skin() / "Temp" / "FreeButton1_U.png");
}

TEST_F(ResolveSkinFileTest, OtherCaseFindsTheFileOnDisk) {
  ExpectSameFile(ResolveSkinFile(skin(), "pogoda.png"), skin() / "Pogoda.PNG");
  ExpectSameFile(ResolveSkinFile(skin(), "temp\\freebutton1_u.png"),
                 skin() / "Temp" / "FreeButton1_U.png");
  ExpectSameFile(ResolveSkinFile(skin(), "\\TEMP\\FREEBUTTON1_U.PNG"),
                 skin() / "Temp" / "FreeButton1_U.png");
  ExpectSameFile(ResolveSkinFile(skin(), "обои.JPG"), skin() / PathFromUtf8("ОБОИ.jpg"));
  // The skin folder itself may differ in case too.
  ExpectSameFile(FindFileIgnoringCase(folder_ / "skin" / "POGODA.png"), skin() / "Pogoda.PNG");
}

TEST_F(ResolveSkinFileTest, MissingFileGivesThePlainPath) {
  EXPECT_EQ(ResolveSkinFile(skin(), "temp\\freebutton2_u.png"),
            skin() / "temp" / "freebutton2_u.png");
  EXPECT_EQ(ResolveSkinFile(skin(), "nothere\\pogoda.png"), skin() / "nothere" / "pogoda.png");
}

TEST_F(ResolveSkinFileTest, SeveralMatchesPickTheFirstByName) {
#ifdef _WIN32
  GTEST_SKIP() << "a Windows folder holds one name per letter case";
#endif
  WriteBytes(folder_ / "Skin" / "POGODA.png", "q");
  EXPECT_EQ(ResolveSkinFile(skin(), "pogoda.png"), skin() / "POGODA.png");
}

// Names may reach a neighbour skin, never anything outside the skins folder:
// such a name gives a path under kNoSkinFolder, which is always missing.
TEST(SkinContainmentTest, NamesStayInTheSkinsFolder) {
  TempFolder folder;
  const fs::path skins = folder / "skins";
  fs::create_directories(skins / "Other");
  fs::create_directories(skins / "wood");
  WriteBytes(folder / "data.ini", "[skin]\r\ndir=wood\r\n");
  WriteBytes(skins / "Other" / "A.png", "a");
  WriteBytes(skins / "wood" / "b.png", "b");
  const fs::path wood = SkinPath(folder.path(), "wood");
  ExpectSameFile(ResolveSkinFile(wood, "..\\other\\a.png"), skins / "Other" / "A.png");
  EXPECT_EQ(ResolveSkinFile(wood, "x\\..\\.\\b.png"), skins / "wood" / "b.png");
  EXPECT_EQ(ResolveSkinFile(wood, "..\\list.png"), skins / "list.png");
  for (const char* name : {"..\\..\\data.ini", "..\\..\\..\\..\\..\\..\\..\\..\\etc\\passwd",
                           "../../data.ini", "\\..\\..\\data.ini", "x\\..\\..\\..\\data.ini"}) {
    const fs::path file = ResolveSkinFile(wood, name);
    EXPECT_TRUE(IsNoSkinPath(file)) << name << " gave " << file;
    EXPECT_FALSE(fs::exists(file)) << name;
  }
  // The skins folder itself (an empty dir) reaches nothing above it, and a
  // skin named "skins" nothing beside it.
  const fs::path all = SkinPath(folder.path(), "");
  EXPECT_EQ(ResolveSkinFile(all, "wood\\b.png"), skins / "wood" / "b.png");
  EXPECT_TRUE(IsNoSkinPath(ResolveSkinFile(all, "..\\data.ini")));
  EXPECT_EQ(SkinsFolderOf(SkinPath("/opt/moravel", "skins")), fs::path("/opt/moravel/skins/skins"));
  EXPECT_EQ(SkinsFolderOf(SkinPath("/opt/moravel", "dark\\blue")),
            fs::path("/opt/moravel/skins/dark"));
  EXPECT_TRUE(IsNoSkinPath(ResolveSkinFile(kNoSkinFolder, "..\\zero")));
  // Button pictures: the state letter is put in first, then the same rule.
  const auto neighbour = StatePictureNames(wood, "..\\other\\b_u.png");
  ASSERT_TRUE(neighbour);
  EXPECT_EQ(neighbour->down, skins / "other" / "b_d.png");
  const auto out = StatePictureNames(wood, "..\\..\\..\\etc\\b_u.png");
  ASSERT_TRUE(out);
  for (const fs::path& file : {out->up, out->over, out->down})
    EXPECT_TRUE(IsNoSkinPath(file)) << file;
  EXPECT_TRUE(IsNoSkinPath(PicturePath(wood, "..\\..\\data.ini")));
}

}  // namespace
}  // namespace moravel
