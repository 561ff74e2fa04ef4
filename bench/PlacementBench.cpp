// The placement overlay's 100 ms tick with arrow keys held on a fine grid:
// two grid steps, the wrap-around at the screen's edges, and the marker's
// move in the control stack. The template and help pictures are written to a
// scratch folder, read by Begin and removed again.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "SessionFakes.h"
#include "placement/Placement.h"
#include "scene/ControlStack.h"

namespace {

using namespace moravel;
namespace fs = std::filesystem;

constexpr int kScreenW = 1920, kScreenH = 1080;

void PlacementTick(benchmark::State& state) {
  const fs::path dir =
      fs::temp_directory_path() / ("moravel-placement-bench-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  bench::WritePng(dir / "up.png", *Bitmap::Create(64, 64, {40, 80, 120, 255}));
  bench::WritePng(dir / "help.png", *Bitmap::Create(480, 360, {250, 250, 250, 255}));
  std::ofstream(dir / "config.ini")
      << "[freebutton1]\nimage1=up.png\nposx=100\nposy=100\nposw=8\nposh=8\n";

  ControlStack controls(kScreenW, kScreenH);
  bench::NoTimers timers;
  const std::vector<Monitor> monitors{Monitor{{0, 0, kScreenW, kScreenH}, Bitmap()}};
  Placement placement(timers);
  placement.Attach(controls, monitors);
  const Result<void> begun =
      placement.Begin(IniFile(dir / "config.ini"), "freebutton1", dir, dir / "help.png");
  fs::remove_all(dir);
  if (!begun) {
    state.SkipWithError(begun.error().message.c_str());
    return;
  }
  KeyLatch keys;
  keys.Press(PlacementKey::Right);
  keys.Press(PlacementKey::Down);
  for (auto _ : state) {
    benchmark::DoNotOptimize(placement.Tick(keys));
  }
  benchmark::DoNotOptimize(placement.markerLeft());
}

}  // namespace

BENCHMARK(PlacementTick)->Name("PlacementTick/1920x1080_grid")->Unit(benchmark::kMicrosecond);
