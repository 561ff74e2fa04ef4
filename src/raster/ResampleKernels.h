#pragma once
// The inner loops of the Lanczos resampler, one set per instruction set.
// Every set computes bit-identical results; the best one for this machine is
// picked once by BestResampleKernels(): AVX2 when the processor has it, else
// SSE2, else the plain C++ loops.
//
// Between the two passes a row is kept as signed 16-bit values with
// kMidBits fraction bits (RGBA per pixel), so the ringing of the first pass
// (below 0 or above 255) reaches the second pass unclipped.

#include <cstddef>
#include <cstdint>

#include "raster/ResampleWeights.h"

namespace moravel {

inline constexpr int kMidBits = 6;

// Up to kHorizontalBatch source rows filtered in one call (the wide sets
// share each weight load between them).
inline constexpr int kHorizontalBatch = 4;

// `rows` (1 to kHorizontalBatch) RGBA rows in[r] of w.inSize pixels ->
// out[r] of w.outSize pixels of 16-bit values. Each in[r] must be readable
// for max(w.inSize, w.taps) pixels.
using HorizontalRows = void (*)(const uint8_t* const* in, int16_t* const* out, int rows,
                                const AxisWeights& w);

struct ResampleKernels {
  const char* name;
  // The horizontal loop for weights of `taps` taps, picked once per pass.
  HorizontalRows (*horizontalFor)(int taps);
  // One output row from `taps` rows of `values` 16-bit values each (`values`
  // a multiple of 4, `taps` even); `pairs`
  // are the broadcast weight pairs of this output row (AxisWeights::pairsOf).
  // Results are rounded and clamped to 0..255.
  void (*vertical)(const int16_t* const* rows, const int16_t* pairs, int taps, size_t values,
                   uint8_t* out);
  // 8-bit values -> 16-bit values with kMidBits fraction bits.
  void (*widen)(const uint8_t* in, int16_t* out, size_t values);
  // 16-bit values with kMidBits fraction bits -> 8-bit, rounded and clamped.
  void (*narrow)(const int16_t* in, uint8_t* out, size_t values);
};

const ResampleKernels& ScalarResampleKernels();
// The SSE2 set; nullptr when this build has no SSE2.
const ResampleKernels* Sse2ResampleKernels();
// The AVX2 set; nullptr when this build has none. Callable only when
// CpuHasAvx2() (raster/CpuFeatures.h).
const ResampleKernels* Avx2ResampleKernels();
const ResampleKernels& BestResampleKernels();

}  // namespace moravel
