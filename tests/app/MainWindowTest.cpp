// The desktop window driven by real Qt mouse events on the offscreen
// platform, over a program folder with one button and one picture.

#include <gtest/gtest.h>

#include <QCloseEvent>
#include <array>

#include "MouseInput.h"
#include "ProgramFolder.h"
#include "TestApplication.h"
#include "app/MainWindow.h"
#include "app/Program.h"
#include "app/QtDesktopTimers.h"
#include "commands/ButtonMenu.h"
#include "commands/MainMenu.h"
#include "desktop/Desktop.h"
#include "platform/FakeClock.h"
#include "platform/RecordingLauncher.h"

namespace moravel {
namespace {

constexpr QRect kScreen(0, 0, 400, 300);

QPoint Centre(const Rect& r) {
  return {r.x + r.width / 2, r.y + r.height / 2};
}

class DesktopWindow {
 public:
  explicit DesktopWindow(bool doubleClick, bool noTray = false)
      : folder(doubleClick),
        program({.launcher = launcher,
                 .clock = clock,
                 .programFolder = folder.root(),
                 .geometry = kScreen,
                 .noTray = noTray}),
        window(program.window()) {
    TestApplication();
    program.start();
    window.show();
    QApplication::processEvents();
  }

  // The colour the window shows at `at`, as painted by the window itself.
  Rgba shown(QPoint at) {
    const QColor c = window.grab().toImage().pixelColor(at);
    return {uint8_t(c.red()), uint8_t(c.green()), uint8_t(c.blue()), uint8_t(c.alpha())};
  }

  RecordingLauncher launcher;
  FakeClock clock;
  ProgramFolder folder;
  Program program;
  MainWindow& window;
};

// Holds the window's QApplication before the window exists.
class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() { TestApplication(); }
};

TEST_F(MainWindowTest, IsAFramelessScreenSizedWindowBelowOthers) {
  DesktopWindow d(false);
  EXPECT_EQ(d.window.windowTitle(), "moravel");
  EXPECT_EQ(d.window.geometry(), kScreen);
  EXPECT_TRUE(d.window.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_TRUE(d.window.windowFlags() & Qt::WindowStaysOnBottomHint);
  EXPECT_TRUE(d.window.hasMouseTracking());
}

TEST_F(MainWindowTest, ShowsTheSkinsPicturesWhereTheSkinPlacesThemOnBlue) {
  DesktopWindow d(false);
  EXPECT_EQ(d.shown(Centre(ProgramFolder::kButton)), ProgramFolder::kUp);
  EXPECT_EQ(d.shown(Centre(ProgramFolder::kPictureAt)), ProgramFolder::kPicture);
  const Rect& p = ProgramFolder::kPictureAt;
  EXPECT_EQ(d.shown({p.x, p.y}), ProgramFolder::kPicture);
  EXPECT_EQ(d.shown({p.right() - 1, p.bottom() - 1}), ProgramFolder::kPicture);
  EXPECT_EQ(d.shown({p.right(), p.bottom()}), (Rgba{0, 0, 255, 255}));
  EXPECT_EQ(d.shown({5, 295}), (Rgba{0, 0, 255, 255}));
}

TEST_F(MainWindowTest, PointerOverAButtonShowsItsOverPictureAndLeavingShowsItsUpPicture) {
  DesktopWindow d(false);
  // The scene starts with its newest button as the hovered one: come from the
  // wallpaper, as a user's pointer does.
  mouse::Move(d.window, QPoint(200, 250));
  mouse::Move(d.window, Centre(ProgramFolder::kButton));
  EXPECT_EQ(d.shown(Centre(ProgramFolder::kButton)), ProgramFolder::kOver);
  mouse::Move(d.window, QPoint(200, 250));
  EXPECT_EQ(d.shown(Centre(ProgramFolder::kButton)), ProgramFolder::kUp);
}

TEST_F(MainWindowTest, PressShowsTheDownPictureAndAClickOpensTheTargetOnce) {
  DesktopWindow d(false);
  const QPoint at = Centre(ProgramFolder::kButton);
  mouse::Move(d.window, at);
  mouse::Press(d.window, at);
  EXPECT_EQ(d.shown(at), ProgramFolder::kDown);
  EXPECT_TRUE(d.launcher.calls.empty());
  mouse::Release(d.window, at);
  ASSERT_EQ(d.launcher.calls.size(), 1u);
  EXPECT_EQ(d.launcher.calls[0].kind, RecordingLauncher::Kind::Target);
  EXPECT_EQ(d.launcher.calls[0].target, ProgramFolder::kTarget);
  EXPECT_EQ(d.launcher.calls[0].arguments, ProgramFolder::kArguments);
  EXPECT_EQ(d.shown(at), ProgramFolder::kUp);
}

TEST_F(MainWindowTest, AClickOnTheWallpaperOrAPictureOpensNothing) {
  DesktopWindow d(false);
  mouse::Click(d.window, QPoint(200, 250));
  mouse::Click(d.window, Centre(ProgramFolder::kPictureAt));
  EXPECT_TRUE(d.launcher.calls.empty());
}

TEST_F(MainWindowTest, InDoubleClickModeOnlyTheDoubleClickOpensTheTarget) {
  DesktopWindow d(true);
  const QPoint at = Centre(ProgramFolder::kButton);
  mouse::Click(d.window, at);
  EXPECT_TRUE(d.launcher.calls.empty());
  mouse::DoubleClick(d.window, at);
  ASSERT_EQ(d.launcher.calls.size(), 1u);
  EXPECT_EQ(d.launcher.calls[0].target, ProgramFolder::kTarget);
}

TEST_F(MainWindowTest, ARightClickOnAButtonOpensTheButtonMenuAndOpensNothing) {
  DesktopWindow d(false);
  const QPoint at = Centre(ProgramFolder::kButton);
  EXPECT_FALSE(d.program.buttonMenu().isVisible());
  mouse::Click(d.window, at, Qt::RightButton);
  EXPECT_TRUE(d.program.buttonMenu().isVisible());
  EXPECT_FALSE(d.program.mainMenu().isVisible());
  EXPECT_TRUE(d.launcher.calls.empty());
  d.program.buttonMenu().close();
  EXPECT_FALSE(d.program.buttonMenu().isVisible());
}

TEST_F(MainWindowTest, WithoutATrayARightClickOnTheWallpaperOpensTheMainMenu) {
  for (bool noTray : {false, true}) {
    DesktopWindow d(false, noTray);
    mouse::Click(d.window, QPoint(200, 250), Qt::RightButton);
    EXPECT_EQ(d.program.mainMenu().isVisible(), noTray);
    EXPECT_FALSE(d.program.buttonMenu().isVisible());
    d.program.mainMenu().close();
  }
}

TEST_F(MainWindowTest, EveryCloseAttemptIsRefusedUntilTheExitCommand) {
  DesktopWindow d(false);
  int closed = 0;
  QObject::connect(&d.window, &MainWindow::closed, [&] { ++closed; });
  EXPECT_FALSE(d.window.close());
  QCloseEvent event;
  QApplication::sendEvent(&d.window, &event);
  EXPECT_FALSE(event.isAccepted());
  EXPECT_TRUE(d.window.isVisible());
  EXPECT_EQ(closed, 0);

  d.program.session().Exit();
  EXPECT_TRUE(d.program.session().MayClose());
  EXPECT_FALSE(d.window.isVisible());
  EXPECT_EQ(closed, 1);
  // The scene is cleared: its timers no longer run.
  EXPECT_FALSE(d.program.timers().IsEnabled(DesktopTimer::Calendar));
  EXPECT_FALSE(d.program.timers().IsEnabled(DesktopTimer::Clock));
}

TEST_F(MainWindowTest, TheTwoTimersKeepTheirOwnIntervalsAndSwitchApart) {
  QtDesktopTimers timers;
  EXPECT_EQ(timers.intervalMs(DesktopTimer::Calendar), 1000);
  EXPECT_EQ(timers.intervalMs(DesktopTimer::Clock), 500);
  timers.SetEnabled(DesktopTimer::Clock, true);
  EXPECT_TRUE(timers.IsEnabled(DesktopTimer::Clock));
  EXPECT_FALSE(timers.IsEnabled(DesktopTimer::Calendar));
  timers.SetEnabled(DesktopTimer::Calendar, true);
  timers.SetEnabled(DesktopTimer::Clock, false);
  EXPECT_TRUE(timers.IsEnabled(DesktopTimer::Calendar));
  EXPECT_FALSE(timers.IsEnabled(DesktopTimer::Clock));
}

TEST_F(MainWindowTest, ATimerTickReachesItsHandler) {
  QtDesktopTimers timers;
  std::array<int, kDesktopTimerCount> ticks{};
  timers.connectTo([&](DesktopTimer t) { ++ticks[size_t(t)]; });
  timers.SetEnabled(DesktopTimer::Placement, true);
  timers.SetEnabled(DesktopTimer::Clock, true);
  EXPECT_TRUE(mouse::WaitUntil([&] { return ticks[size_t(DesktopTimer::Clock)] >= 2; }, 3000));
  EXPECT_EQ(ticks[size_t(DesktopTimer::Calendar)], 0);
  EXPECT_EQ(ticks[size_t(DesktopTimer::EditorCaption)], 0);
  EXPECT_GE(ticks[size_t(DesktopTimer::Placement)], 5);  // every 100 ms
}

TEST_F(MainWindowTest, TheTypingPauseTicksOnceAfterItsRestart) {
  QtDesktopTimers timers;
  EXPECT_EQ(timers.intervalMs(DesktopTimer::EditorTyping), 300);
  int ticks = 0;
  timers.connectTo([&](DesktopTimer t) { ticks += t == DesktopTimer::EditorTyping; });
  timers.Restart(DesktopTimer::EditorTyping);
  timers.Restart(DesktopTimer::EditorTyping);
  EXPECT_TRUE(timers.IsEnabled(DesktopTimer::EditorTyping));
  EXPECT_TRUE(mouse::WaitUntil([&] { return ticks >= 1; }, 3000));
  EXPECT_EQ(ticks, 1);
  EXPECT_FALSE(timers.IsEnabled(DesktopTimer::EditorTyping)) << "off after its tick";
}

}  // namespace
}  // namespace moravel
