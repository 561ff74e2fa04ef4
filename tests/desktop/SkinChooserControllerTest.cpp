// The skin chooser's state: what it lists, which buttons it enables, when it
// applies a skin and when it closes.

#include <gtest/gtest.h>

#include "DesktopTestKit.h"
#include "desktop/SkinChooserController.h"
#include "settings/IniFile.h"

namespace moravel {
namespace {

using test::DesktopHarness;
using test::ReadText;
using Chooser = SkinChooserController;

std::string DataIniSkin(const DesktopHarness& h) {
  return IniFile(h.programFolder() / "data.ini").ReadString("skin", "dir", "?");
}

// skins/alpha (with one button) and skins/beta (with two), alpha in use.
class SkinChooserTest : public ::testing::Test {
 protected:
  SkinChooserTest() : h("alpha") {
    h.User("[button1]\r\n");
    h.User("beta", "[button1]\r\n[button2]\r\n");
    session = &h.Start();
  }
  DesktopHarness h;
  Desktop* session;
};

TEST_F(SkinChooserTest, ShowingAgainAfterOkStartsAfresh) {
  Chooser chooser(*session);
  EXPECT_FALSE(chooser.visible());
  for (int round = 0; round < 2; ++round) {
    chooser.OnShow(800, 600, 306, 482);
    EXPECT_TRUE(chooser.visible());
    EXPECT_EQ(chooser.items(), (std::vector<std::string>{"alpha", "beta"}));
    EXPECT_FALSE(chooser.selected()) << "not even the skin in use";
    EXPECT_FALSE(chooser.applyEnabled());
    EXPECT_FALSE(chooser.okEnabled());
    chooser.OnSkinClicked(1 - round);
    EXPECT_EQ(chooser.selected(), 1 - round);
    EXPECT_TRUE(chooser.applyEnabled());
    EXPECT_TRUE(chooser.okEnabled());
    chooser.OnOk();
    EXPECT_FALSE(chooser.visible());
    EXPECT_EQ(DataIniSkin(h), round == 0 ? "beta" : "alpha");
    EXPECT_EQ(session->state().scene.buttonCount, round == 0 ? 2 : 1);
  }
}

TEST_F(SkinChooserTest, ApplyKeepsTheDialogAsItIsAndCancelKeepsTheAppliedSkin) {
  Chooser chooser(*session);
  chooser.OnShow(800, 600, 306, 482);
  chooser.OnSkinClicked(1);
  chooser.OnApply();
  EXPECT_EQ(DataIniSkin(h), "beta");
  EXPECT_EQ(session->state().scene.buttonCount, 2);
  EXPECT_TRUE(chooser.visible());
  EXPECT_EQ(chooser.selected(), 1);
  EXPECT_TRUE(chooser.applyEnabled());
  EXPECT_TRUE(chooser.okEnabled());

  const size_t switches = h.timers.switches.size();
  chooser.OnCancel();
  EXPECT_FALSE(chooser.visible());
  EXPECT_FALSE(chooser.applyEnabled());
  EXPECT_FALSE(chooser.okEnabled());
  EXPECT_EQ(DataIniSkin(h), "beta");
  EXPECT_EQ(session->state().files.skinPath, h.skinFolder("beta") / "");
  EXPECT_EQ(h.timers.switches.size(), switches) << "nothing rebuilt";
}

TEST_F(SkinChooserTest, DoubleClickAppliesOnlyASelectedSkin) {
  Chooser chooser(*session);
  chooser.OnShow(800, 600, 306, 482);
  const std::string data = ReadText(h.programFolder() / "data.ini");
  const size_t switches = h.timers.switches.size();
  chooser.OnSkinClicked(2);  // below the last item: no selection
  chooser.OnSkinClicked(-1);
  chooser.OnSkinDoubleClicked();
  EXPECT_TRUE(chooser.visible());
  EXPECT_FALSE(chooser.applyEnabled());
  EXPECT_EQ(ReadText(h.programFolder() / "data.ini"), data);
  EXPECT_EQ(h.timers.switches.size(), switches) << "no scene cleared";

  chooser.OnSkinClicked(1);
  chooser.OnSkinDoubleClicked();
  EXPECT_FALSE(chooser.visible());
  EXPECT_EQ(DataIniSkin(h), "beta");
  EXPECT_EQ(session->state().scene.buttonCount, 2);
}

TEST_F(SkinChooserTest, TheDialogIsCentredByItsOuterSize) {
  struct Case {
    int sw, sh, w, h, left, top;
  };
  for (const Case& c : {Case{1920, 1080, 306, 482, 807, 299}, Case{1366, 768, 301, 479, 533, 145},
                        Case{200, 101, 301, 479, -50, -189}}) {
    Chooser chooser(*session);
    chooser.OnShow(c.sw, c.sh, c.w, c.h);
    EXPECT_EQ(chooser.left(), c.left) << c.sw;
    EXPECT_EQ(chooser.top(), c.top) << c.sh;
  }
}

// The list counts [skin1], [skin2], ... up to the first missing number.
// Start-up rebuilds skins.ini from the folders and leaves later sections.
TEST(SkinChooserListTest, ListsUpToTheFirstGap) {
  DesktopHarness h("alpha");
  std::filesystem::create_directories(h.skinFolder("beta"));
  test::WriteText(h.programFolder() / "skins.ini", "[skin4]\r\ndir=old\r\n");
  Desktop& s = h.Start();
  ASSERT_TRUE(IniFile(h.programFolder() / "skins.ini").HasSection("skin4"));
  Chooser chooser(s);
  chooser.OnShow(800, 600, 306, 482);
  EXPECT_EQ(chooser.items(), (std::vector<std::string>{"alpha", "beta"}));
}

// A folder whose name cannot be stored in skins.ini (a line break in it)
// leaves its number's old section as it was, here without dir.
TEST(SkinChooserListTest, ASectionWithoutDirIsListedAsErrorAndAppliesNothing) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows names cannot hold a line break";
#endif
  DesktopHarness h("alpha");
  h.User("[button1]\r\n");
  std::filesystem::create_directories(h.skinFolder("b\nc"));
  std::filesystem::create_directories(h.skinFolder("delta"));
  test::WriteText(h.programFolder() / "skins.ini", "[skin2]\r\nname=kept\r\n");
  Desktop& s = h.Start();
  Chooser chooser(s);
  chooser.OnShow(800, 600, 306, 482);
  ASSERT_EQ(chooser.items(), (std::vector<std::string>{"alpha", "Error!", "delta"}));
  chooser.OnSkinClicked(1);
  chooser.OnOk();
  EXPECT_EQ(DataIniSkin(h), "Error!");
  EXPECT_EQ(s.state().scene.buttonCount, 0);
}

}  // namespace
}  // namespace moravel
