// Plain C++ resampling loops: the reference for the SIMD sets and the
// fallback on machines without them.

#include <algorithm>

#include "raster/CpuFeatures.h"
#include "raster/ResampleKernels.h"

namespace moravel {

namespace {

// Sums stay far inside int32: |value| <= 2^15 and the absolute weights of one
// output add up to well under 2^15.
constexpr int kHorizontalShift = kWeightBits - kMidBits;
constexpr int kVerticalShift = kWeightBits + kMidBits;

int16_t SaturateInt16(int32_t v) {
  return int16_t(std::clamp(v, -32768, 32767));
}
uint8_t SaturateUint8(int32_t v) {
  return uint8_t(std::clamp(v, 0, 255));
}

void HorizontalRow(const uint8_t* in, int16_t* out, const AxisWeights& w) {
  const int taps = w.taps;
  for (int x = 0; x < w.outSize; ++x) {
    const uint8_t* src = in + size_t(w.first[size_t(x)]) * 4;
    const int16_t* c = w.coefOf(x);
    int32_t acc[4] = {0, 0, 0, 0};
    for (int k = 0; k < taps; ++k) {
      for (int ch = 0; ch < 4; ++ch) acc[ch] += int32_t(src[k * 4 + ch]) * c[k];
    }
    for (int ch = 0; ch < 4; ++ch) {
      out[size_t(x) * 4 + size_t(ch)] =
          SaturateInt16((acc[ch] + (1 << (kHorizontalShift - 1))) >> kHorizontalShift);
    }
  }
}

void Vertical(const int16_t* const* rows, const int16_t* pairs, int taps, size_t values,
              uint8_t* out) {
  for (size_t i = 0; i < values; ++i) {
    int32_t acc = 0;
    for (int k = 0; k < taps; ++k) acc += int32_t(rows[k][i]) * pairs[(k / 2) * 8 + (k & 1)];
    out[i] = SaturateUint8((acc + (1 << (kVerticalShift - 1))) >> kVerticalShift);
  }
}

void Widen(const uint8_t* in, int16_t* out, size_t values) {
  for (size_t i = 0; i < values; ++i) out[i] = int16_t(in[i] << kMidBits);
}

void Narrow(const int16_t* in, uint8_t* out, size_t values) {
  for (size_t i = 0; i < values; ++i) {
    out[i] = SaturateUint8((int32_t(in[i]) + (1 << (kMidBits - 1))) >> kMidBits);
  }
}

void Horizontal(const uint8_t* const* in, int16_t* const* out, int rows, const AxisWeights& w) {
  for (int r = 0; r < rows; ++r) HorizontalRow(in[r], out[r], w);
}

HorizontalRows HorizontalFor(int) {
  return Horizontal;
}

const ResampleKernels kScalar{"scalar", HorizontalFor, Vertical, Widen, Narrow};

}  // namespace

const ResampleKernels& ScalarResampleKernels() {
  return kScalar;
}

const ResampleKernels& BestResampleKernels() {
  static const ResampleKernels& best = []() -> const ResampleKernels& {
    const ResampleKernels* avx2 = Avx2ResampleKernels();
    if (avx2 && CpuHasAvx2()) return *avx2;
    if (const ResampleKernels* sse2 = Sse2ResampleKernels()) return *sse2;
    return kScalar;
  }();
  return best;
}

}  // namespace moravel
