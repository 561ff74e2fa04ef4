// One clock hand update: a 128 x 128 hand turned 37 degrees and drawn onto a
// 256 x 256 opaque plate.

#include <benchmark/benchmark.h>

#include "raster/RotatingLayer.h"

namespace {

void RotateHand(benchmark::State& state) {
  // A soft-edged hand: an opaque bar with a translucent rim, transparent around.
  moravel::Bitmap hand = *moravel::Bitmap::Create(128, 128);
  for (int y = 0; y < 128; ++y) {
    for (int x = 0; x < 128; ++x) {
      const int d = std::abs(y - 64);
      const uint8_t a = d < 6 ? 255 : d < 12 ? uint8_t(255 - (d - 6) * 40) : 0;
      hand.set(x, y, {uint8_t(x * 2), 90, uint8_t(255 - x), a});
    }
  }
  moravel::RotatingLayer layer(hand);
  layer.setPivot(10, 64);
  layer.setPosition(128, 128);
  layer.setAngle(37);
  moravel::Bitmap plate = *moravel::Bitmap::Create(256, 256, {30, 60, 90, 255});
  for (auto _ : state) {
    layer.Draw(plate);
    benchmark::DoNotOptimize(plate.data());
  }
}

BENCHMARK(RotateHand)->Unit(benchmark::kMicrosecond);

}  // namespace
