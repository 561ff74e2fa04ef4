// The skin preview tool's work through its library: the bundled wood skin
// rendered at 1920 x 1080 (scratch program folder, session start, first
// ticks, every check), and the PNG the tool then writes. The whole tool is
// timed outside (see the README's moravel-preview paragraph); this shows
// where the time goes.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <vector>

#include "codecs/PngCodec.h"
#include "preview/SkinPreview.h"

namespace {

using namespace moravel;

const std::filesystem::path kWood = std::filesystem::path(MORAVEL_SOURCE_DIR) / "skins/wood";
constexpr LocalTime kTime{2026, 3, 14, 7, 10, 8, 42};

void PreviewRender(benchmark::State& state) {
  for (auto _ : state) {
    SkinPreview preview = RenderSkinPreview(kWood, 1920, 1080, kTime);
    if (!preview.error.empty() || !preview.problems.empty()) {
      state.SkipWithError("the wood skin did not preview clean");
      break;
    }
    benchmark::DoNotOptimize(preview.picture.data());
  }
}
BENCHMARK(PreviewRender)->Name("Preview/wood_1920x1080")->Unit(benchmark::kMillisecond);

void PreviewEncode(benchmark::State& state) {
  const SkinPreview preview = RenderSkinPreview(kWood, 1920, 1080, kTime);
  size_t bytes = 0;
  for (auto _ : state) {
    const Result<std::vector<uint8_t>> png = EncodePng(preview.picture, PngSpeed::Fast);
    if (!png) {
      state.SkipWithError("the picture could not be encoded");
      break;
    }
    bytes = png->size();
  }
  state.counters["bytes"] = double(bytes);
}
BENCHMARK(PreviewEncode)->Name("Preview/wood_1920x1080_png")->Unit(benchmark::kMillisecond);

}  // namespace
