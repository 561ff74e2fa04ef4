// The plain C++ pixel loop of a rotating layer: the reference for the SIMD
// set and the fallback on machines without it.

#include <algorithm>

#include "raster/CpuFeatures.h"
#include "raster/RotateKernels.h"

namespace moravel {

namespace {

constexpr unsigned kFracOne = 1u << kRotateFracBits;

void DrawSpan(const RotateSpan& span) {
  long long u = span.u, v = span.v;
  uint8_t* d = span.plate;
  for (int i = 0; i < span.count; ++i, u += span.stepU, v += span.stepV, d += 4) {
    const unsigned fx = unsigned(u >> (kRotateFixBits - kRotateFracBits)) & (kFracOne - 1);
    const unsigned fy = unsigned(v >> (kRotateFixBits - kRotateFracBits)) & (kFracOne - 1);
    const uint8_t* p =
        span.hand + (size_t(v >> kRotateFixBits) * span.stride + size_t(u >> kRotateFixBits)) * 4;
    const uint8_t* q = p + span.stride * 4;
    if ((p[3] | p[7] | q[3] | q[7]) == 0) continue;  // all four neighbours transparent
    unsigned sample[4];
    for (int ch = 0; ch < 4; ++ch) {
      const unsigned left = p[ch] * (kFracOne - fy) + q[ch] * fy;
      const unsigned right = p[ch + 4] * (kFracOne - fy) + q[ch + 4] * fy;
      sample[ch] = (left * (kFracOne - fx) + right * fx + (1u << (2 * kRotateFracBits - 1))) >>
                   (2 * kRotateFracBits);
    }
    const unsigned sa = sample[3];
    if (sa == 0) continue;
    const unsigned keep = 255 - sa;
    if (d[3] == 255) {
      for (int ch = 0; ch < 3; ++ch) d[ch] = uint8_t(sample[ch] + RoundDiv255(d[ch] * keep));
      continue;
    }
    // Source-over on a translucent plate, back to straight alpha:
    // alpha = sa + A (255 - sa) / 255, colour = premultiplied sum / alpha.
    const unsigned da = d[3];
    const unsigned m = sa * 255 + da * keep;  // 255 * new alpha
    for (int ch = 0; ch < 3; ++ch) {
      const unsigned n = sample[ch] * 65025 + d[ch] * da * keep;  // 65025 * premultiplied
      d[ch] = uint8_t(std::min(255u, (n + m / 2) / m));
    }
    d[3] = uint8_t((m + 127) / 255);
  }
}

const RotateKernels kScalar{"scalar", DrawSpan};

}  // namespace

const RotateKernels& ScalarRotateKernels() {
  return kScalar;
}

const RotateKernels& BestRotateKernels() {
  static const RotateKernels& best = []() -> const RotateKernels& {
    const RotateKernels* avx2 = Avx2RotateKernels();
    if (avx2 && CpuHasAvx2()) return *avx2;
    return kScalar;
  }();
  return best;
}

}  // namespace moravel
