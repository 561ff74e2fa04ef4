// moravel_soak: the desktop core in one process for a long time, measuring
// its resident memory around each phase: skin switches, buttons made and
// removed, and a simulated week of clock and calendar ticks. Exits 1 when a
// phase grew the resident memory by 1 MiB or more.
//
//   moravel_soak [SWITCHES BUTTONS TICKS]   (defaults 10000 1000 604800)

#include <malloc.h>

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "SessionFakes.h"
#include "desktop/Desktop.h"
#include "editor/ButtonFaceRenderer.h"
#include "placement/AddButtonCommand.h"
#include "placement/RemoveButtonCommand.h"
#include "platform/FakeClock.h"
#include "platform/FakeEnvironment.h"
#include "platform_qt/QtAssociatedIcons.h"
#include "platform_qt/QtCaptionPainter.h"
#include "scene/DesktopFrame.h"
#include "widgets/SkinTimeWidgets.h"
#include "widgets/SkinWallpaper.h"

namespace {

using namespace moravel;
namespace fs = std::filesystem;

// Resident memory in KiB, after giving freed heap back to the system.
long ResidentKiB() {
  malloc_trim(0);
  std::ifstream status("/proc/self/status");
  std::string key;
  long value = 0;
  while (status >> key) {
    if (key == "VmRSS:") {
      status >> value;
      return value;
    }
    status.ignore(1 << 12, '\n');
  }
  return -1;
}

class NoLauncher : public Launcher {
 public:
  bool OpenTarget(const std::string&, const std::string&) override { return true; }
  bool OpenSpecialFolder(int) override { return true; }
  bool OpenDateTimeSettings() override { return true; }
};

// Advances the clock by one second of local wall time (days of 24 hours).
void NextSecond(FakeClock& clock) {
  LocalTime t = clock.now();
  if (++t.second < 60) return clock.set(t);
  t.second = 0;
  if (++t.minute < 60) return clock.set(t);
  t.minute = 0;
  if (++t.hour < 24) return clock.set(t);
  t.hour = 0;
  t.weekday = t.weekday % 7 + 1;
  t.day = t.day % 28 + 1;
  clock.set(t);
}

bool failed = false;

template <typename Work>
void Phase(const char* name, long count, Work work) {
  const long before = ResidentKiB();
  for (long i = 0; i < count; ++i) work(i);
  const long after = ResidentKiB();
  const long growth = after - before;
  std::printf("%-28s %8ld times  VmRSS before %7ld KiB  after %7ld KiB  growth %+6ld KiB\n", name,
              count, before, after, growth);
  std::fflush(stdout);
  if (growth >= 1024) failed = true;
}

}  // namespace

int main(int argc, char** argv) {
  const long switches = argc > 1 ? std::atol(argv[1]) : 10000;
  const long buttons = argc > 2 ? std::atol(argv[2]) : 1000;
  const long ticks = argc > 3 ? std::atol(argv[3]) : 604800;
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);

  const fs::path program = fs::temp_directory_path() / ("moravel-soak-" + std::to_string(getpid()));
  fs::remove_all(program);
  fs::create_directories(program / "skins");
  for (const char* skin : {"wood", "paper"})
    fs::copy(fs::path(MORAVEL_SOURCE_DIR) / "skins" / skin, program / "skins" / skin,
             fs::copy_options::recursive);
  fs::copy_file(fs::path(MORAVEL_SOURCE_DIR) / "assets/help.png", program / "help.png");
  std::ofstream(program / "data.ini") << "[skin]\ndir=wood\n";

  NoLauncher launcher;
  FakeClock clock(LocalTime{2026, 12, 7, 2, 9, 59, 0});
  bench::NoTimers timers;
  bench::NoWindow window;
  SkinWallpaper wallpaper;
  SkinTimeWidgets timeWidgets;
  Desktop session({launcher, clock, timers, window, &wallpaper, &timeWidgets}, program, 800, 600);
  session.Start();
  FakeEnvironment env{{"HOME", program.string()}};
  QtAssociatedIcons icons(env);
  QtCaptionPainter captions;
  IconLoader loader(icons, *Bitmap::Create(48, 48, {1, 2, 3, 255}));
  ButtonFaceRenderer renderer(loader, captions);

  auto makeAndRemove = [&](long) {
    const IniFile& config = *session.state().files.config;
    NewButtonDesign design{.templateNumber = 1,
                           .target = (program / "help.png").string(),
                           .iconSource = (program / "help.png").string(),
                           .caption = "Soak",
                           .upParams = ReadFaceParams(config, "freebutton1", ButtonState::kUp)};
    AddButtonCommand add(renderer, design, 100, 100);
    session.Run(add);
    RemoveButtonCommand remove(add.result()->ok() ? **add.result() : 0);
    session.Run(remove);
    session.frame().TakeDirty();
  };
  auto tick = [&](long) {
    NextSecond(clock);
    session.OnTimer(DesktopTimer::Clock);
    session.OnTimer(DesktopTimer::Calendar);
    session.frame().TakeDirty();  // what the window's repaint does
  };
  // Warm-up: every path once, so that caches and pools exist before measuring.
  session.ApplySkin("paper");
  session.ApplySkin("wood");
  for (int i = 0; i < 3; ++i) makeAndRemove(i);
  for (int i = 0; i < 100; ++i) tick(i);

  Phase("skin switches", switches, [&](long i) {
    session.ApplySkin(i % 2 == 0 ? "paper" : "wood");
    session.frame().TakeDirty();
  });
  Phase("buttons made and removed", buttons, makeAndRemove);
  Phase("clock and calendar ticks", ticks, tick);
  fs::remove_all(program);
  std::printf(failed ? "soak: FAILED (growth of 1 MiB or more)\n" : "soak: passed\n");
  return failed ? 1 : 0;
}
