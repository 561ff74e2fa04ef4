// Pointer events reach the controls in the order the skins were designed for.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "scene/ControlStack.h"
#include "scene/PointerRouter.h"

namespace moravel {
namespace {

// Records "event:tag" for each control event (the wallpaper has tag 0).
class RecordingEvents : public ControlEvents {
 public:
  void MouseMove(ImageControl& c, int, int) override { Log("move", c); }
  void MouseDown(ImageControl& c, MouseButton, int, int) override { Log("down", c); }
  void Click(ImageControl& c) override { Log("click", c); }
  void DoubleClick(ImageControl& c) override { Log("dblclick", c); }
  void MouseUp(ImageControl& c, MouseButton, int, int) override { Log("up", c); }
  std::vector<std::string> log;

 private:
  void Log(const char* what, const ImageControl& c) {
    log.push_back(std::string(what) + ":" + std::to_string(c.tag));
  }
};

using Log = std::vector<std::string>;

class PointerRouterTest : public ::testing::Test {
 protected:
  PointerRouterTest()
      : controls(100, 100), wallpaper(0, 0, nullptr), router(controls, wallpaper, events) {
    wallpaper.SetSize(100, 100);
  }
  ImageControl& Add(ControlLayer layer, int tag, Rect r, Rgba colour = {1, 2, 3, 255}) {
    ImageControl& c = controls.Add(layer);
    c.tag = tag;
    c.MoveTo(r.x, r.y);
    c.SetPicture(std::make_shared<const Bitmap>(*Bitmap::Create(r.width, r.height, colour)));
    return c;
  }
  void Send(PointerEvent::Kind kind, int x, int y, MouseButton b = MouseButton::Left) {
    router.Handle({kind, x, y, b});
  }
  Log Take() { return std::exchange(events.log, {}); }

  ControlStack controls;
  ImageControl wallpaper;
  RecordingEvents events;
  PointerRouter router;
};

using K = PointerEvent::Kind;

TEST_F(PointerRouterTest, TheTopmostControlUnderThePointerGetsTheEvent) {
  Add(ControlLayer::Button, 1, {10, 10, 20, 20});
  Add(ControlLayer::Button, 2, {20, 20, 20, 20});
  Add(ControlLayer::StaticPicture, 3, {0, 0, 50, 50});  // below both, created last
  Send(K::Move, 25, 25);
  Send(K::Move, 15, 15);
  Send(K::Move, 45, 45);
  Send(K::Move, 60, 60);
  EXPECT_EQ(Take(), (Log{"move:2", "move:1", "move:3", "move:0"}));
}

TEST_F(PointerRouterTest, TransparentPartsCountAndEmptyControlsTakeNoRoom) {
  Add(ControlLayer::Button, 1, {10, 10, 20, 20}, Rgba{0, 0, 0, 0});
  ImageControl& empty = controls.Add(ControlLayer::Button);
  empty.tag = 2;
  empty.MoveTo(10, 10);
  Send(K::Move, 12, 12);
  EXPECT_EQ(Take(), (Log{"move:1"}));
}

TEST_F(PointerRouterTest, HiddenControlsGetNoEvents) {
  Add(ControlLayer::Button, 1, {10, 10, 20, 20}).SetVisible(false);
  Send(K::Move, 12, 12);
  EXPECT_EQ(Take(), (Log{"move:0"}));
}

TEST_F(PointerRouterTest, ClickComesBeforeMouseUpWhenReleasedInside) {
  Add(ControlLayer::Button, 1, {10, 10, 20, 20});
  Send(K::Press, 12, 12);
  Send(K::Release, 29, 29);
  EXPECT_EQ(Take(), (Log{"down:1", "click:1", "up:1"}));
}

TEST_F(PointerRouterTest, ThePressedControlKeepsTheEventsWhileTheLeftButtonIsHeld) {
  Add(ControlLayer::Button, 1, {10, 10, 20, 20});
  Add(ControlLayer::Button, 2, {50, 50, 20, 20});
  Send(K::Press, 12, 12);
  Send(K::Move, 55, 55);
  Send(K::Release, 55, 55);
  Send(K::Move, 55, 55);
  EXPECT_EQ(Take(), (Log{"down:1", "move:1", "up:1", "move:2"}))
      << "released outside: no click, and the capture ends with the release";
}

TEST_F(PointerRouterTest, DoubleClickPressAndItsReleaseWithoutClick) {
  Add(ControlLayer::Button, 1, {10, 10, 20, 20});
  Send(K::Press, 12, 12);
  Send(K::Release, 12, 12);
  Send(K::DoubleClick, 12, 12);
  Send(K::Release, 12, 12);
  Send(K::Press, 12, 12);
  Send(K::Release, 12, 12);
  EXPECT_EQ(Take(), (Log{"down:1", "click:1", "up:1", "dblclick:1", "down:1", "up:1", "down:1",
                         "click:1", "up:1"}));
}

TEST_F(PointerRouterTest, OtherButtonsGiveDownAndUpWithoutCaptureOrClick) {
  Add(ControlLayer::Button, 1, {10, 10, 20, 20});
  Send(K::Press, 12, 12, MouseButton::Right);
  Send(K::Release, 60, 60, MouseButton::Right);
  Send(K::Press, 12, 12, MouseButton::Middle);
  Send(K::Release, 12, 12, MouseButton::Middle);
  EXPECT_EQ(Take(), (Log{"down:1", "up:0", "down:1", "up:1"}));
}

TEST_F(PointerRouterTest, ACaptureOnARemovedControlEnds) {
  ImageControl& c = Add(ControlLayer::Button, 1, {10, 10, 20, 20});
  Send(K::Press, 12, 12);
  controls.Remove(c);
  Send(K::Move, 12, 12);
  Send(K::Release, 12, 12);
  EXPECT_EQ(Take(), (Log{"down:1", "move:0", "up:0"}));
}

TEST_F(PointerRouterTest, LeavingTheWindowMovesOntoTheWallpaperUnlessAButtonIsHeld) {
  Add(ControlLayer::Button, 1, {10, 10, 20, 20});
  Send(K::Move, 12, 12);
  Send(K::Leave, 0, 0);
  Send(K::Press, 12, 12);
  Send(K::Leave, 0, 0);
  Send(K::Release, 12, 12);
  EXPECT_EQ(Take(), (Log{"move:1", "move:0", "down:1", "click:1", "up:1"}));
}

TEST_F(PointerRouterTest, OutsideTheScreenNothingIsHit) {
  Send(K::Move, -1, 5);
  Send(K::Move, 100, 5);
  EXPECT_TRUE(Take().empty());
}

}  // namespace
}  // namespace moravel
