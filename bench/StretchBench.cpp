// Wallpaper stretching as the program does it: one StretchBitmapToSize call
// on a full-size picture, output allocation included. items_per_second is
// output pixels per second (scripts/bench-compare sets it against Pillow).

#include <benchmark/benchmark.h>

#include <random>

#include "raster/Stretch.h"

namespace {

moravel::Bitmap NoisePicture(int w, int h) {
  moravel::Bitmap b = *moravel::Bitmap::Create(w, h);
  std::mt19937 rng(12345);
  for (size_t i = 0; i < b.byteCount(); i += 4) {
    const uint32_t v = rng();
    b.data()[i] = uint8_t(v), b.data()[i + 1] = uint8_t(v >> 8), b.data()[i + 2] = uint8_t(v >> 16);
    b.data()[i + 3] = 255;
  }
  return b;
}

void Stretch(benchmark::State& state, int sw, int sh, int dw, int dh) {
  const moravel::Bitmap source = NoisePicture(sw, sh);
  for (auto _ : state) {
    state.PauseTiming();
    moravel::Bitmap b = source;
    state.ResumeTiming();
    if (!moravel::StretchBitmapToSize(b, dw, dh)) state.SkipWithError("stretch refused");
    benchmark::DoNotOptimize(b.data());
    state.PauseTiming();
    b = moravel::Bitmap();  // the freeing is not the stretch's cost
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * int64_t(dw) * dh);
}

BENCHMARK_CAPTURE(Stretch, 1920x1080_to_3840x2160, 1920, 1080, 3840, 2160)
    ->Name("Stretch/1920x1080_to_3840x2160")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Stretch, 1024x768_to_1920x1200, 1024, 768, 1920, 1200)
    ->Name("Stretch/1024x768_to_1920x1200")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Stretch, 640x480_to_1366x768, 640, 480, 1366, 768)
    ->Name("Stretch/640x480_to_1366x768")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Stretch, 2560x1600_to_1280x1024, 2560, 1600, 1280, 1024)
    ->Name("Stretch/2560x1600_to_1280x1024")
    ->Unit(benchmark::kMillisecond);

}  // namespace
