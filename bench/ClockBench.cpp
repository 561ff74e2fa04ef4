// The time widgets and the wallpaper fit, the two drawings that recur while
// the desktop runs:
// - ClockTick: one clock timer tick in a new second on a 1920 x 1080 desktop
//   with an analog clock (256 x 256 plate, hour, minute and second hands) and
//   six clock digits, through the frame update of the changed rectangles.
// - WallpaperFit: a 1920 x 1200 JPEG (the wood skin's) decoded from memory and
//   fitted to a 3840 x 2160 screen as the wallpaper painter does it.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "SessionFakes.h"
#include "codecs/PictureFile.h"
#include "codecs/PngCodec.h"
#include "desktop/Desktop.h"
#include "platform/FakeClock.h"
#include "platform/RecordingLauncher.h"
#include "raster/Drawing.h"
#include "raster/Stretch.h"
#include "scene/DesktopFrame.h"
#include "scene/FrameOutput.h"
#include "scene/FramePresenter.h"
#include "widgets/SkinTimeWidgets.h"

namespace {

using namespace moravel;
using namespace moravel::bench;
namespace fs = std::filesystem;

constexpr int kScreenW = 1920, kScreenH = 1080;

// An opaque gradient, so that the clock has a wallpaper to lie on.
class GradientWallpaper : public WallpaperPainter {
 public:
  bool PaintWallpaper(const IniFile&, const fs::path&, std::string_view,
                      Bitmap& wallpaper) override {
    for (int y = 0; y < wallpaper.height(); ++y) {
      for (int x = 0; x < wallpaper.width(); ++x) {
        wallpaper.set(x, y, Rgba{uint8_t(x), uint8_t(y), uint8_t(x + y), 255});
      }
    }
    return true;
  }
};

// A round plate: opaque inside radius 120, transparent outside.
Bitmap Plate() {
  Bitmap plate = *Bitmap::Create(256, 256);
  for (int y = 0; y < 256; ++y) {
    for (int x = 0; x < 256; ++x) {
      const int dx = x - 128, dy = y - 128;
      if (dx * dx + dy * dy <= 120 * 120) plate.set(x, y, Rgba{230, 220, uint8_t(x), 255});
    }
  }
  return plate;
}

// A hand drawn pointing right on a white key background, `length` x `width`,
// its pivot at (10, width / 2), as the skins draw them.
Bitmap Hand(int length, int width, Rgba colour) {
  Bitmap hand = *Bitmap::Create(length, width, Rgba{255, 255, 255, 255});
  FillRect(hand, {4, width / 2 - 3, length - 8, 7}, colour);
  return hand;
}

// A program folder with skin "clock": the analog clock and six digits.
class ClockSkin {
 public:
  ClockSkin() {
    root_ = fs::temp_directory_path() / ("moravel-clockbench-" + std::to_string(::getpid()));
    const fs::path skin = root_ / "skins/clock";
    fs::create_directories(skin);
    std::ofstream(root_ / "data.ini") << "[skin]\ndir=clock\n";
    WritePng(skin / "plate.png", Plate());
    WritePng(skin / "hour.png", Hand(80, 23, Rgba{40, 40, 40, 255}));
    WritePng(skin / "minute.png", Hand(110, 21, Rgba{20, 20, 20, 255}));
    WritePng(skin / "second.png", Hand(124, 19, Rgba{200, 0, 0, 255}));
    std::ofstream config(skin / "config.ini");
    config << "[analogclock]\nshowseconds=1\nplate=plate.png\nx=-300\ny=40\n"
              "hour=hour.png\nHArrowCX=10\nHArrowCY=11\n"
              "minute=minute.png\nMArrowCX=10\nMArrowCY=10\n"
              "second=second.png\nSArrowCX=10\nSArrowCY=9\n";
    for (int d = 0; d < 10; ++d) {
      Bitmap digit = *Bitmap::Create(28, 44, Rgba{0, 0, 0, 0});
      FillRect(digit, {4, 4, 20, 36}, Rgba{uint8_t(25 * d), 90, 200, 255});
      WritePng(skin / ('d' + std::to_string(d) + ".png"), digit);
    }
    for (int c = 1; c <= 6; ++c) {
      config << "[clock" << c << "]\nx=" << 1500 + 30 * c << "\ny=350\ntr=1\n";
      for (int d = 0; d < 10; ++d) config << "image" << d << "=d" << d << ".png\n";
    }
  }
  ~ClockSkin() { fs::remove_all(root_); }
  const fs::path& root() const { return root_; }

 private:
  fs::path root_;
};

// The clock skin started on a desktop without a window, its first frame taken.
struct ClockDesktop {
  ClockDesktop() { session.Start(); }
  ClockSkin skin;
  RecordingLauncher launcher;
  FakeClock clock;
  NoTimers timers;
  NoWindow window;
  GradientWallpaper wallpaper;
  SkinTimeWidgets widgets;
  Desktop session{DesktopServices{launcher, clock, timers, window, &wallpaper, &widgets},
                  skin.root(), kScreenW, kScreenH};
};

void ClockTick(benchmark::State& state) {
  ClockDesktop desktop;
  Desktop& session = desktop.session;
  FakeClock& clock = desktop.clock;
  if (!session.state().scene.analogClockPresent)
    state.SkipWithError("the analog clock was not built");
  session.frame().TakeDirty();
  int t = 10 * 3600;
  size_t rectangles = 0;
  for (auto _ : state) {
    ++t;  // a new second every tick
    clock.set(LocalTime{2026, 3, 7, 7, (t / 3600) % 24, (t / 60) % 60, t % 60});
    session.OnClockTimer();
    rectangles += session.frame().TakeDirty().size();
  }
  if (rectangles < 2 * size_t(state.iterations())) state.SkipWithError("a tick drew too little");
  state.counters["rects_per_tick"] = double(rectangles) / double(state.iterations());
}
BENCHMARK(ClockTick)->Name("ClockTick")->Unit(benchmark::kMicrosecond);

// What a window gets of a tick: the changed rectangles composed by the
// presenter and handed to the window in pieces, as the X11 and the Win32
// windows take them; counted instead of drawn.
class CountingOutput : public FrameOutput {
 public:
  void ShowPiece(Bitmap&, Rect area) override {
    ++pieces;
    pixels += size_t(area.width) * size_t(area.height);
  }
  void ShapePiece(const Bitmap&, Rect, bool) override { ++shapes; }
  size_t pieces = 0, pixels = 0, shapes = 0;
};

void ClockTickPresented(benchmark::State& state) {
  ClockDesktop desktop;
  Desktop& session = desktop.session;
  FakeClock& clock = desktop.clock;
  FramePresenter presenter(session.frame());
  CountingOutput output;
  for (const Rect& r : session.frame().TakeDirty()) presenter.Present(r, output);
  output = CountingOutput();
  int t = 10 * 3600;
  size_t rectangles = 0;
  for (auto _ : state) {
    ++t;
    clock.set(LocalTime{2026, 3, 7, 7, (t / 3600) % 24, (t / 60) % 60, t % 60});
    session.OnClockTimer();
    const std::vector<Rect> dirty = session.frame().TakeDirty();
    rectangles += dirty.size();
    for (const Rect& r : dirty) presenter.Present(r, output);
  }
  if (output.pixels == 0) state.SkipWithError("a tick sent nothing");
  const double ticks = double(state.iterations());
  state.counters["rects_per_tick"] = double(rectangles) / ticks;
  state.counters["pieces_per_tick"] = double(output.pieces) / ticks;
  state.counters["shapes_per_tick"] = double(output.shapes) / ticks;
  // The share of the screen sent per tick, in per mille.
  state.counters["screen_permille"] =
      1000.0 * double(output.pixels) / ticks / (double(kScreenW) * kScreenH);
}
BENCHMARK(ClockTickPresented)->Name("ClockTick/presented")->Unit(benchmark::kMicrosecond);

std::vector<uint8_t> ReadFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WallpaperFit(benchmark::State& state) {
  const fs::path file =
      fs::path(__FILE__).parent_path().parent_path() / "skins/wood/wallpaper/wood-16x10.jpg";
  const std::vector<uint8_t> jpeg = ReadFile(file);
  if (jpeg.empty()) {
    state.SkipWithError("skins/wood/wallpaper/wood-16x10.jpg not found");
    return;
  }
  for (auto _ : state) {
    Result<Bitmap> decoded = DecodePicture(PictureFormat::Jpeg, jpeg);
    if (!decoded.ok()) {
      state.SkipWithError("the JPEG did not decode");
      break;
    }
    const Bitmap& picture = *decoded;
    // Laid over blue, stretched to the screen, made opaque (Wallpaper.cpp).
    Bitmap fitted = *Bitmap::Create(picture.width(), picture.height(), Rgba{0, 0, 255, 255});
    DrawBitmap(fitted, picture, 0, 0, DrawMode::Blend);
    if (!StretchBitmapToSize(fitted, 3840, 2160)) state.SkipWithError("stretch refused");
    uint8_t* p = fitted.data();
    for (size_t i = 3; i < fitted.byteCount(); i += 4) p[i] = 255;
    benchmark::DoNotOptimize(fitted.data());
  }
}
BENCHMARK(WallpaperFit)
    ->Name("WallpaperFit/1920x1200_jpeg_to_3840x2160")
    ->Unit(benchmark::kMillisecond);

}  // namespace
