// The main menu's "Масштаб" submenu.

#include <gtest/gtest.h>

#include <string>

#include "platform_win32/WideText.h"
#include "win32/PopupMenus.h"

namespace moravel {
namespace {

struct Item {
  std::string text;
  UINT id = 0;
  UINT type = 0, state = 0;
  HMENU submenu = nullptr;
};

Item ItemAt(HMENU menu, int position) {
  wchar_t text[64] = {};
  MENUITEMINFOW info{sizeof info};
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
  info.dwTypeData = text;
  info.cch = 63;
  ::GetMenuItemInfoW(menu, UINT(position), TRUE, &info);
  return {Utf8FromWide(text), info.wID, info.fType, info.fState, info.hSubMenu};
}

// Directly after "Сменить фон": four radio items in the order of the
// choices, the one of `scaleChoice` checked, each chosen as its choice.
TEST(PopupMenus, ScaleSubmenuChecksTheChoiceAndChoosesEachOfItsItems) {
  const char* const texts[] = {"Автоматически", "100 %", "200 %", "300 %"};
  for (int current = 0; current <= 3; ++current) {
    MainMenuState state;
    state.scaleChoice = current;
    HMENU menu = MakeMainMenu(state, false);
    int wallpaper = -1;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
      if (ItemAt(menu, i).text == "Сменить фон") wallpaper = i;
    ASSERT_GE(wallpaper, 0);
    const Item scale = ItemAt(menu, wallpaper + 1);
    EXPECT_EQ(scale.text, "Масштаб");
    ASSERT_TRUE(scale.submenu);
    ASSERT_EQ(::GetMenuItemCount(scale.submenu), 4);
    for (int i = 0; i < 4; ++i) {
      const Item item = ItemAt(scale.submenu, i);
      EXPECT_EQ(item.text, texts[i]);
      EXPECT_TRUE(item.type & MFT_RADIOCHECK) << i;
      EXPECT_EQ((item.state & MFS_CHECKED) != 0, i == current) << current << " " << i;
      EXPECT_EQ(ScaleChoiceOf(MenuChoice(item.id)), i);
    }
    ::DestroyMenu(menu);
  }
  for (MenuChoice other : {MenuChoice::kNothing, MenuChoice::kChangeWallpaper, MenuChoice::kExit})
    EXPECT_EQ(ScaleChoiceOf(other), -1);
}

}  // namespace
}  // namespace moravel
