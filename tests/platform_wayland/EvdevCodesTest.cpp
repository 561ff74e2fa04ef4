// The seat's evdev codes as the program's buttons and placement keys.

#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include "platform_wayland/EvdevCodes.h"

namespace moravel {
namespace {

TEST(EvdevCodesTest, ThePlacementKeysByTheirPlaceOnTheKeyboard) {
  EXPECT_EQ(PlacementKeyFromEvdev(KEY_ESC), PlacementKey::Escape);
  EXPECT_EQ(PlacementKeyFromEvdev(KEY_SPACE), PlacementKey::Space);
  EXPECT_EQ(PlacementKeyFromEvdev(KEY_LEFTCTRL), PlacementKey::Control);
  EXPECT_EQ(PlacementKeyFromEvdev(KEY_RIGHTCTRL), PlacementKey::Control);
  EXPECT_EQ(PlacementKeyFromEvdev(KEY_LEFT), PlacementKey::Left);
  EXPECT_EQ(PlacementKeyFromEvdev(KEY_RIGHT), PlacementKey::Right);
  EXPECT_EQ(PlacementKeyFromEvdev(KEY_UP), PlacementKey::Up);
  EXPECT_EQ(PlacementKeyFromEvdev(KEY_DOWN), PlacementKey::Down);
}

TEST(EvdevCodesTest, OtherKeysAreNotPlacementKeys) {
  // Xkb's codes are evdev's plus 8: Esc's would be Backspace's here.
  for (uint32_t code : {0u, uint32_t(KEY_ESC + 8), uint32_t(KEY_A), uint32_t(KEY_LEFTSHIFT),
                        uint32_t(KEY_ENTER), uint32_t(KEY_KP4), uint32_t(KEY_MAX), 0xFFFFFFFFu})
    EXPECT_FALSE(PlacementKeyFromEvdev(code)) << code;
}

TEST(EvdevCodesTest, TheThreeButtonsAndNoOthers) {
  EXPECT_EQ(MouseButtonFromEvdev(BTN_LEFT), MouseButton::Left);
  EXPECT_EQ(MouseButtonFromEvdev(BTN_RIGHT), MouseButton::Right);
  EXPECT_EQ(MouseButtonFromEvdev(BTN_MIDDLE), MouseButton::Middle);
  for (uint32_t code : {0u, uint32_t(BTN_SIDE), uint32_t(BTN_EXTRA), uint32_t(BTN_TOUCH)})
    EXPECT_FALSE(MouseButtonFromEvdev(code)) << code;
}

}  // namespace
}  // namespace moravel
