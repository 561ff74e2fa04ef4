// The skin chooser's controls over a started desktop: captions, fonts and
// places, and what a click, a key or the close button does to the desktop.

#include <gtest/gtest.h>

#include "DialogProbe.h"
#include "desktop/DesktopTestKit.h"
#include "settings/IniFile.h"
#include "win32/SkinChooserWindow.h"

namespace moravel {
namespace {

using test::ClickRow;
using test::FontOf;
using test::PlaceOf;
using test::PressKey;
using test::Text;
using W = SkinChooserWindow;

// skins/alpha (in use, one button) and skins/beta (two).
Desktop& Started(test::DesktopHarness& h) {
  h.User("[button1]\r\n");
  h.User("beta", "[button1]\r\n[button2]\r\n");
  return h.Start();
}

class SkinChooserWindowTest : public ::testing::Test {
 protected:
  std::string skinInUse() const {
    return IniFile(h.programFolder() / "data.ini").ReadString("skin", "dir", "?");
  }
  HWND control(int id) const { return ::GetDlgItem(chooser.handle(), id); }

  test::DesktopHarness h{"alpha"};
  SkinChooserWindow chooser{Started(h), nullptr};
};

TEST_F(SkinChooserWindowTest, OpensCentredAsDesignedListingEverySkinWithNothingChosen) {
  EXPECT_FALSE(chooser.shown());
  chooser.Present();
  ASSERT_TRUE(chooser.shown());
  const HWND dialog = chooser.handle();
  EXPECT_EQ(Text(dialog), "Выберите обложку");
  const SIZE client = test::ClientSize(dialog);
  EXPECT_EQ(client.cx, 300);
  EXPECT_EQ(client.cy, 453);
  const struct {
    int id;
    Rect at;
    const char* text;
  } controls[] = {
      {W::kList, {10, 10, 280, 400}, ""},
      {W::kApply, {10, 420, 95, 25}, "Применить"},
      {W::kOk, {105, 420, 90, 25}, "OK"},
      {W::kCancel, {195, 420, 95, 25}, "Отмена"},
  };
  for (const auto& c : controls) {
    EXPECT_EQ(PlaceOf(control(c.id)), c.at) << c.id;
    EXPECT_EQ(Text(control(c.id)), c.text) << c.id;
    EXPECT_EQ(FontOf(control(c.id)), (test::FontLook{8, true})) << c.id;
  }
  // Centred by the outer size, on the primary monitor.
  RECT outer{};
  ::GetWindowRect(dialog, &outer);
  EXPECT_EQ(outer.left, ::GetSystemMetrics(SM_CXSCREEN) / 2 - (outer.right - outer.left) / 2);
  EXPECT_EQ(outer.top, ::GetSystemMetrics(SM_CYSCREEN) / 2 - (outer.bottom - outer.top) / 2);

  const HWND list = control(W::kList);
  ASSERT_EQ(::SendMessageW(list, LB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(::SendMessageW(list, LB_GETCURSEL, 0, 0), LB_ERR);
  EXPECT_FALSE(::IsWindowEnabled(control(W::kApply)));
  EXPECT_FALSE(::IsWindowEnabled(control(W::kOk)));
  EXPECT_TRUE(::IsWindowEnabled(control(W::kCancel)));
}

TEST_F(SkinChooserWindowTest, AClickedSkinEnablesTheButtonsAndOkAppliesItAndCloses) {
  chooser.Present();
  ClickRow(control(W::kList), 1);
  EXPECT_EQ(::SendMessageW(control(W::kList), LB_GETCURSEL, 0, 0), 1);
  EXPECT_TRUE(::IsWindowEnabled(control(W::kApply)));
  EXPECT_TRUE(::IsWindowEnabled(control(W::kOk)));
  EXPECT_EQ(skinInUse(), "alpha");  // a click alone applies nothing

  ::SendMessageW(control(W::kApply), BM_CLICK, 0, 0);
  EXPECT_EQ(skinInUse(), "beta");
  EXPECT_TRUE(chooser.shown());

  ClickRow(control(W::kList), 0);
  ::SendMessageW(control(W::kOk), BM_CLICK, 0, 0);
  EXPECT_FALSE(chooser.shown());
  EXPECT_EQ(skinInUse(), "alpha");

  // Shown again, it starts afresh; a double click applies and closes.
  chooser.Present();
  EXPECT_EQ(::SendMessageW(control(W::kList), LB_GETCURSEL, 0, 0), LB_ERR);
  ClickRow(control(W::kList), 1, true);
  EXPECT_FALSE(chooser.shown());
  EXPECT_EQ(skinInUse(), "beta");
}

TEST_F(SkinChooserWindowTest, EnterFindsOkDisabledAndEscapeOrTheCloseButtonCancel) {
  chooser.Present();
  EXPECT_TRUE(PressKey(control(W::kList), VK_RETURN));
  EXPECT_TRUE(chooser.shown()) << "\"OK\" is disabled";
  EXPECT_TRUE(PressKey(control(W::kList), VK_ESCAPE));
  EXPECT_FALSE(chooser.shown());

  chooser.Present();
  ClickRow(control(W::kList), 1);
  ::SendMessageW(chooser.handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(chooser.shown());
  EXPECT_EQ(skinInUse(), "alpha");
}

}  // namespace
}  // namespace moravel
