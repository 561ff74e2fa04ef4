// The desktop scene: building a large generated skin without a window, one
// pointer move across buttons (hit test, state change, recomposition of the
// changed rectangles), and the bundled skin following a new screen size. The
// generated skin is written once into a temp folder.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "SessionFakes.h"
#include "codecs/PngCodec.h"
#include "desktop/Desktop.h"
#include "desktop/SceneBuilder.h"
#include "platform/FakeClock.h"
#include "platform/RecordingLauncher.h"
#include "scene/DesktopFrame.h"
#include "scene/FrameComposer.h"
#include "widgets/SkinTimeWidgets.h"
#include "widgets/SkinWallpaper.h"

namespace {

using namespace moravel;
using namespace moravel::bench;
namespace fs = std::filesystem;

constexpr int kScreenW = 1920, kScreenH = 1080;
constexpr int kCount = 500;
constexpr int kButton = 40, kPitch = 50, kColumns = 30;

// A program folder whose skin "bench" has 500 buttons on a grid, each with
// its own three 40 x 40 pictures, and `pictures` static 32 x 32 pictures.
class GeneratedSkin {
 public:
  explicit GeneratedSkin(int pictures) {
    root_ = fs::temp_directory_path() /
            ("moravel-bench-" + std::to_string(::getpid()) + "-" + std::to_string(pictures));
    const fs::path skin = root_ / "skins/bench";
    fs::create_directories(skin / "temp");
    std::ofstream(root_ / "data.ini") << "[skin]\ndir=bench\n";
    std::ofstream user(skin / "user.ini");
    for (int k = 1; k <= kCount; ++k) {
      const std::string n = std::to_string(k);
      user << "[button" << n << "]\nobject=/bin/true\nimage=temp\\b" << n
           << "_u.png\nx=" << ((k - 1) % kColumns) * kPitch
           << "\ny=" << ((k - 1) / kColumns) * kPitch << "\n";
      const uint8_t v = uint8_t(k);
      WritePng(skin / ("temp/b" + n + "_u.png"),
               *Bitmap::Create(kButton, kButton, Rgba{v, 0, 0, 255}));
      WritePng(skin / ("temp/b" + n + "_o.png"),
               *Bitmap::Create(kButton, kButton, Rgba{0, v, 0, 200}));
      WritePng(skin / ("temp/b" + n + "_d.png"),
               *Bitmap::Create(kButton, kButton, Rgba{0, 0, v, 255}));
    }
    std::ofstream config(skin / "config.ini");
    config << "[doubleclick]\ndc=0\n";
    for (int i = 1; i <= pictures; ++i) {
      const std::string n = std::to_string(i);
      config << "[picture" << n << "]\nimage=p" << n << ".png\nx=" << (i * 37) % kScreenW
             << "\ny=" << (i * 53) % kScreenH << "\n";
      WritePng(skin / ("p" + n + ".png"), *Bitmap::Create(32, 32, Rgba{uint8_t(i), 99, 0, 255}));
    }
  }
  ~GeneratedSkin() { fs::remove_all(root_); }
  const fs::path& root() const { return root_; }

 private:
  fs::path root_;
};

void SceneBuild(benchmark::State& state) {
  GeneratedSkin skin(kCount);
  SettingsFiles files;
  files.programFolder = skin.root();
  files.data = std::make_unique<IniFile>(skin.root() / "data.ini");
  files.config = std::make_unique<IniFile>(skin.root() / "skins/bench/config.ini");
  files.user = std::make_unique<IniFile>(skin.root() / "skins/bench/user.ini");
  DesktopScene scene;
  ControlStack controls(kScreenW, kScreenH);
  FrameComposer frame(controls, kScreenW, kScreenH);
  controls.SetDirtySink(&frame);
  ImageControl wallpaper(0, 0, nullptr);
  PointerState pointer;
  MainMenuState menu;
  ButtonTable buttons(scene, controls, pointer, menu);
  NoTimers timers;
  FakeClock clock;
  const std::vector<Monitor> screen{Monitor{{0, 0, kScreenW, kScreenH}, Bitmap()}};
  SceneBuilder builder(SceneParts{files, scene, controls, wallpaper, pointer, buttons, menu, timers,
                                  nullptr, frame.wallpaper(), clock, screen});
  for (auto _ : state) {
    builder.Build();
    benchmark::DoNotOptimize(scene.buttonCount);
    state.PauseTiming();
    if (scene.buttonCount != kCount || scene.staticCount != kCount) {
      state.SkipWithError("the skin did not build whole");
    }
    builder.Clear();
    frame.TakeDirty();
    state.ResumeTiming();
  }
}
BENCHMARK(SceneBuild)->Name("SceneBuild/500buttons_500pictures")->Unit(benchmark::kMillisecond);

void PointerMove(benchmark::State& state) {
  GeneratedSkin skin(0);
  RecordingLauncher launcher;
  FakeClock clock;
  NoTimers timers;
  NoWindow window;
  Desktop session(DesktopServices{launcher, clock, timers, window}, skin.root(), kScreenW,
                  kScreenH);
  session.Start();
  session.frame().TakeDirty();
  int k = 0;
  size_t rectangles = 0;
  for (auto _ : state) {
    // The centre of the next button: the old one goes up, the new one over.
    const int x = (k % kColumns) * kPitch + kButton / 2, y = (k / kColumns) * kPitch + kButton / 2;
    session.HandlePointer({PointerEvent::Kind::Move, x, y});
    rectangles += session.frame().TakeDirty().size();
    k = (k + 7) % kCount;
  }
  if (rectangles < size_t(state.iterations())) state.SkipWithError("moves changed nothing");
  state.counters["rects_per_move"] = double(rectangles) / double(state.iterations());
}
BENCHMARK(PointerMove)->Name("PointerMove/500buttons")->Unit(benchmark::kMicrosecond);

// The bundled wood skin on a 1280x1024 monitor that becomes 1920x1080: the
// scene taken down, the wallpaper chosen and stretched again, the scene and
// the clock built again, the frame composed whole.
void ScreenChange(benchmark::State& state) {
  const fs::path root =
      fs::temp_directory_path() / ("moravel-bench-screen-" + std::to_string(::getpid()));
  fs::create_directories(root / "skins");
  fs::create_directory_symlink(fs::path(MORAVEL_SOURCE_DIR) / "skins/wood", root / "skins/wood");
  std::ofstream(root / "data.ini") << "[skin]\ndir=wood\n";
  RecordingLauncher launcher;
  FakeClock clock(LocalTime{2026, 3, 14, 6, 10, 8, 42});
  NoTimers timers;
  NoWindow window;
  SkinWallpaper wallpaper;
  SkinTimeWidgets widgets;
  {
    Desktop session(DesktopServices{launcher, clock, timers, window, &wallpaper, &widgets}, root,
                    1280, 1024);
    session.Start();
    for (auto _ : state) {
      session.FollowScreens({0, 0, kScreenW, kScreenH}, {});
      session.frame().TakeDirty();
      state.PauseTiming();
      if (session.frame().picture().width() != kScreenW) state.SkipWithError("no new size");
      session.FollowScreens({0, 0, 1280, 1024}, {});
      session.frame().TakeDirty();
      state.ResumeTiming();
    }
  }
  fs::remove_all(root);
}
BENCHMARK(ScreenChange)
    ->Name("ScreenChange/wood_1280x1024_to_1920x1080")
    ->Unit(benchmark::kMillisecond);

}  // namespace
