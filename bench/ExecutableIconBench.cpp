// The icon of a Windows executable as the button editor reads it: headers,
// resource tree, the group's nearest image decoded and stretched to 64 x 64.
// Warm: the same file every time (NSIS's installer stub, Debian nsis-common,
// whose 32 x 32 image is stretched up).

#include <benchmark/benchmark.h>

#include <filesystem>

#include "codecs/ExecutableIcon.h"

namespace {

void BM_IconPlane_exe(benchmark::State& state) {
  const std::filesystem::path exe = "/usr/share/nsis/Stubs/zlib-amd64-unicode";
  if (!std::filesystem::exists(exe)) {
    state.SkipWithError("needs Debian package nsis-common");
    return;
  }
  for (auto _ : state) {
    moravel::Result<moravel::Bitmap> r = moravel::ReadExecutableIcon(exe, 64);
    if (!r) {
      state.SkipWithError("no icon read");
      break;
    }
    benchmark::DoNotOptimize(r->data());
  }
}
BENCHMARK(BM_IconPlane_exe)->Name("IconPlane/exe")->Unit(benchmark::kMicrosecond);

}  // namespace
