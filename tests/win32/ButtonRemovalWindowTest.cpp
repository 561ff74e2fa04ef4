// The removal dialog's captions, places and wiring.

#include <gtest/gtest.h>

#include "DialogProbe.h"
#include "win32/ButtonRemovalWindow.h"

namespace moravel {
namespace {

using test::FontOf;
using test::PlaceOf;
using test::Text;
using W = ButtonRemovalWindow;

TEST(ButtonRemovalWindow, AsksThenRemovesOrNot) {
  int removals = 0;
  ButtonRemovalWindow dialog([&] { ++removals; }, nullptr);
  const HWND d = dialog.handle();
  const auto control = [&](int id) { return ::GetDlgItem(d, id); };
  EXPECT_EQ(Text(d), "Удаление кнопки!");
  const SIZE client = test::ClientSize(d);
  EXPECT_EQ(client.cx, 226);
  EXPECT_EQ(client.cy, 100);
  EXPECT_EQ(Text(control(W::kQuestion)), "Удалить эту кнопку?");
  EXPECT_EQ(PlaceOf(control(W::kQuestion)), (Rect{33, 30, 160, 13}));
  EXPECT_EQ(::GetWindowLongW(control(W::kQuestion), GWL_STYLE) & SS_TYPEMASK, SS_CENTER);
  EXPECT_EQ(Text(control(W::kOk)), "Ок");
  EXPECT_EQ(PlaceOf(control(W::kOk)), (Rect{33, 65, 75, 25}));
  EXPECT_EQ(Text(control(W::kCancel)), "Отмена");
  EXPECT_EQ(PlaceOf(control(W::kCancel)), (Rect{118, 65, 75, 25}));
  for (int id : {W::kQuestion, W::kOk, W::kCancel})
    EXPECT_EQ(FontOf(control(id)), (test::FontLook{8, true})) << id;

  EXPECT_FALSE(dialog.shown());
  dialog.Present();
  ASSERT_TRUE(dialog.shown());
  // Centred by its client area's size.
  RECT outer{};
  ::GetWindowRect(d, &outer);
  EXPECT_EQ(outer.left, ::GetSystemMetrics(SM_CXSCREEN) / 2 - 113);
  EXPECT_EQ(outer.top, ::GetSystemMetrics(SM_CYSCREEN) / 2 - 50);
  ::SendMessageW(control(W::kCancel), BM_CLICK, 0, 0);
  EXPECT_FALSE(dialog.shown());
  dialog.Present();
  ::SendMessageW(d, WM_CLOSE, 0, 0);
  EXPECT_FALSE(dialog.shown());
  EXPECT_EQ(removals, 0);

  dialog.Present();
  EXPECT_TRUE(test::PressKey(control(W::kOk), VK_RETURN));  // "Ок" is the default
  EXPECT_FALSE(dialog.shown());
  EXPECT_EQ(removals, 1);
}

}  // namespace
}  // namespace moravel
