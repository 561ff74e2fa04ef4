// The placement overlay: its controls, the tick's key rules, dragging, slot
// clicks, and that no overlay control outlives its placement.

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <utility>

#include "placement/Placement.h"
#include "support/TempFolder.h"
#include "support/TestPictures.h"

namespace moravel {
namespace {

using TickResult = Placement::TickResult;
using Point = std::pair<int, int>;

constexpr int kW = 1024, kH = 768;
// Columns -60, 20, 100, ..., 980 (the picture is 64 x 32); rows -30, 10, 50, ..., 730.
constexpr char kGrid[] = "image1=Up.png\nposx=100\nposy=50\nposw=80\nposh=40\n";
constexpr char kLastColumn[] = "image1=up.png\nposx=980\nposy=50\nposw=80\nposh=40\n";
constexpr char kNoGrid[] = "image1=up.png\n";
constexpr char kStepZero[] = "image1=up.png\nposx=1023\nposw=0\n";
constexpr char kNoRows[] = "image1=up.png\nposx=100\nposy=1000\nposh=5000\n";
constexpr char kNoPicture[] = "posx=100\n";

struct FakeTimers : DesktopTimers {
  bool on[kDesktopTimerCount] = {};
  void SetEnabled(DesktopTimer t, bool enabled) override { on[int(t)] = enabled; }
  bool IsEnabled(DesktopTimer t) const override { return on[int(t)]; }
};

class PlacementTest : public testing::Test {
 protected:
  PlacementTest() {
    test::WritePng(dir_ / "up.png", test::Solid(64, 32, {1, 2, 3, 255}));
    test::WritePng(dir_ / "help.png", test::Solid(48, 36, {9, 9, 9, 255}));
    placement_.Attach(controls_, monitors_);
  }
  // Begins with the template section [t] holding `keys`.
  Result<void> Begin(const std::string& keys, const char* help = "help.png") {
    std::ofstream(dir_ / "config.ini") << "[t]\n" << keys;
    return placement_.Begin(IniFile(dir_ / "config.ini"), "t", dir_.path(), dir_ / help);
  }
  std::vector<ImageControl*> Overlay() const {
    std::vector<ImageControl*> out;
    for (const auto& c : controls_.all())
      if (c->handlers.overlay) out.push_back(c.get());
    return out;
  }
  ImageControl& Marker() { return *Overlay().back(); }
  Point MarkerAt() const { return {placement_.markerLeft(), placement_.markerTop()}; }
  // One tick per entry, after tapping its keys: E(sc) S(pace) C(trl) L R U D.
  TickResult Run(const std::vector<std::string>& ticks) {
    TickResult last = TickResult::kNothing;
    for (const std::string& tick : ticks) {
      for (char k : tick) {
        const PlacementKey key = PlacementKey(std::string("ESCLRUD").find(k));
        keys_.Press(key);
        keys_.Release(key);
      }
      last = placement_.Tick(keys_);
    }
    return last;
  }
  bool TimerOn() const { return timers_.IsEnabled(DesktopTimer::Placement); }

  test::TempFolder dir_;
  ControlStack controls_{kW, kH};
  FakeTimers timers_;
  const std::vector<Monitor> monitors_{Monitor{{0, 0, kW, kH}, Bitmap()}};
  Placement placement_{timers_};
  KeyLatch keys_;
};

TEST_F(PlacementTest, BeginShowsHelpThenSlotsThenMarkerAboveEverything) {
  controls_.Add(ControlLayer::Button).SetPicture(std::make_shared<Bitmap>(test::Solid(5, 5, {})));
  ASSERT_TRUE(Begin(std::string(kGrid) + "posx1=10\nposy1=-100\nposx3=20\nposy3=20\n"));
  EXPECT_TRUE(TimerOn());
  const std::vector<ImageControl*> overlay = Overlay();
  ASSERT_EQ(overlay.size(), 3u);  // posx3 without posx2: one slot
  EXPECT_FALSE(controls_.all().front()->handlers.overlay);
  EXPECT_EQ(overlay[0]->rect(), (Rect{1024 / 2 - 240, 768 / 2 - 180, 48, 36}));
  EXPECT_EQ(overlay[1]->rect(), (Rect{10, 668, 64, 32}));
  EXPECT_EQ(overlay[1]->picture()->at(0, 0), (Rgba{255, 0, 0, 127}));
  EXPECT_EQ(overlay[2]->rect(), (Rect{100, 50, 64, 32}));
  EXPECT_EQ(overlay[2]->picture()->at(0, 0), (Rgba{0, 255, 0, 127}));
}

TEST_F(PlacementTest, TickKeyRules) {
  const std::optional<Point> none, dragged = Point{130, 75};
  const struct {
    const char* what;
    const char* keys;
    std::optional<Point> dragTo;
    std::vector<std::string> ticks;
    TickResult result;
    Point marker;
  } cases[] = {
      {"Esc with Space cancels", kGrid, none, {"ES"}, TickResult::kCancelled, {100, 50}},
      {"Space commits", kGrid, none, {"S"}, TickResult::kCommit, {100, 50}},
      {"Ctrl alone", kGrid, none, {"C"}, TickResult::kNothing, {100, 50}},
      {"grid steps from the third column", kGrid, none, {"R", "D"}, TickResult::kMoved, {180, 90}},
      {"Ctrl moves by pixels", kGrid, none, {"CR", "CD"}, TickResult::kMoved, {101, 51}},
      {"Right on the last column wraps", kLastColumn, none, {"R"}, TickResult::kMoved, {-60, 50}},
      {"Up on the first row wraps", kGrid, none, {"U", "U", "U"}, TickResult::kMoved, {100, 730}},
      {"Left after a drag: at or before", kGrid, dragged, {"L"}, TickResult::kMoved, {100, 50}},
      {"Right after a drag: at or after", kGrid, dragged, {"R"}, TickResult::kMoved, {180, 90}},
      {"no posx: pixels from the corner", kNoGrid, none, {"LU"}, TickResult::kMoved, {-1, -1}},
      {"step 0: one column stays on screen",
       kStepZero,
       none,
       {"R"},
       TickResult::kNothing,
       {1023, 0}},
      {"grid without rows holds the marker",
       kNoRows,
       none,
       {"R"},
       TickResult::kNothing,
       {100, 1000}},
      {"the invisible marker moves", kNoPicture, none, {"R"}, TickResult::kMoved, {101, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(Begin(c.keys));
    if (c.dragTo) {
      placement_.MouseDown(Marker(), MouseButton::Left, MarkerAt().first, MarkerAt().second);
      placement_.MouseMove(Marker(), c.dragTo->first, c.dragTo->second);
      placement_.MouseUp(Marker(), MouseButton::Left, c.dragTo->first, c.dragTo->second);
    }
    EXPECT_EQ(Run(c.ticks), c.result);
    EXPECT_EQ(MarkerAt(), c.marker);
    const bool cancelled = c.result == TickResult::kCancelled;
    EXPECT_EQ(placement_.active(), !cancelled);
    ASSERT_EQ(Overlay().size(), cancelled ? 0u : 2u);
    if (!cancelled) {
      EXPECT_EQ(Marker().rect().x, c.marker.first);
    }
  }
}

TEST_F(PlacementTest, DragKeepsTheGrabbedPointUnderThePointerWithoutBounds) {
  ASSERT_TRUE(Begin(kGrid));
  placement_.MouseDown(Marker(), MouseButton::Right, 110, 60);
  placement_.MouseMove(Marker(), 300, 400);
  EXPECT_EQ(MarkerAt(), (Point{290, 390}));
  placement_.MouseMove(Marker(), -5000, 10);
  EXPECT_EQ(Marker().rect().x, -5010);
  placement_.MouseUp(Marker(), MouseButton::Right, -5000, 10);
  placement_.MouseMove(Marker(), 0, 0);
  EXPECT_EQ(MarkerAt(), (Point{-5010, 0}));
}

TEST_F(PlacementTest, SlotClickPutsTheMarkerOnTheSlotForTheCommit) {
  ASSERT_TRUE(Begin(std::string(kGrid) + "posx1=10\nposy1=-100\n"));
  placement_.Click(*Overlay()[1]);
  EXPECT_EQ(Run({"S"}), TickResult::kCommit);
  EXPECT_EQ(MarkerAt(), (Point{10, 668}));
  Run({"R"});  // freed from the grid: snaps at or after instead of stepping
  EXPECT_EQ(MarkerAt(), (Point{20, 690}));
}

TEST_F(PlacementTest, AtScaleTwoEverythingIsInSkinPixelsAndShownTwiceAsLarge) {
  // 1024 x 768 device pixels: 512 x 384 skin pixels.
  const std::vector<Monitor> doubled{Monitor{{0, 0, kW, kH}, Bitmap(), 2}};
  placement_.Attach(controls_, doubled);
  ASSERT_TRUE(Begin(std::string(kGrid) + "posx1=-64\nposy1=10\n"));
  EXPECT_EQ(MarkerAt(), (Point{100, 50}));
  EXPECT_EQ(Marker().rect(), (Rect{200, 100, 128, 64}));
  EXPECT_EQ(Overlay()[1]->rect(), (Rect{896, 20, 128, 64}));  // the far edge of 512
  Run({"R"});                                                 // one grid step of 80
  EXPECT_EQ(MarkerAt(), (Point{180, 50}));
  Run({"CR"});  // one skin pixel
  EXPECT_EQ(MarkerAt(), (Point{181, 50}));
  EXPECT_EQ(Marker().rect().x, 362);
  placement_.MouseDown(Marker(), MouseButton::Left, 365, 101);  // skin (182, 50)
  placement_.MouseMove(Marker(), 405, 121);                     // skin (202, 60)
  EXPECT_EQ(MarkerAt(), (Point{201, 60}));
  placement_.MouseUp(Marker(), MouseButton::Left, 405, 121);
  placement_.Click(*Overlay()[1]);
  EXPECT_EQ(MarkerAt(), (Point{448, 10}));
  placement_.Attach(controls_, monitors_);
}

TEST_F(PlacementTest, MissingHelpPictureShowsNothing) {
  const Result<void> begun = Begin(kGrid, "nohelp.png");
  ASSERT_FALSE(begun);
  EXPECT_EQ(begun.error().kind, ErrorKind::kNotFound);
  EXPECT_EQ(begun.error().message.rfind("nohelp.png: ", 0), 0u) << begun.error().message;
  EXPECT_EQ(controls_.size(), 0u);
  EXPECT_FALSE(TimerOn());
}

TEST_F(PlacementTest, BeginAgainReplacesTheOverlayAndEndRemovesIt) {
  ASSERT_TRUE(Begin(std::string(kGrid) + "posx1=10\n"));
  ASSERT_TRUE(Begin(std::string(kGrid) + "posx1=10\n"));
  EXPECT_EQ(controls_.size(), 3u);
  placement_.End();
  EXPECT_EQ(controls_.size(), 0u);
  EXPECT_FALSE(TimerOn());
  EXPECT_EQ(Run({"R"}), TickResult::kNothing);

  // Taken off the desktop, the overlay goes and nothing begins until the next Attach.
  ASSERT_TRUE(Begin(kGrid));
  placement_.Detach();
  EXPECT_EQ(controls_.size(), 0u);
  EXPECT_FALSE(TimerOn());
  EXPECT_FALSE(Begin(kGrid));
  EXPECT_EQ(controls_.size(), 0u);
}

}  // namespace
}  // namespace moravel
