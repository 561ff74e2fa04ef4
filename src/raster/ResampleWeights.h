#pragma once
// Fixed-point Lanczos-3 weights for resampling one axis from inSize to
// outSize pixels. Output pixel i is centred at (i + 0.5) * inSize / outSize in
// the source; the filter is stretched by the scale factor when shrinking, so
// its support is 3 * max(1, inSize / outSize) source pixels on each side.

#include <cstdint>
#include <optional>
#include <vector>

namespace moravel {

// Weights are in units of 1 / 2^kWeightBits; each output's weights sum to
// exactly 2^kWeightBits, so a flat picture stays flat.
inline constexpr int kWeightBits = 14;

struct AxisWeights {
  int inSize = 0;
  int outSize = 0;
  // Weights per output pixel, the same for all, even (trailing weights are 0).
  int taps = 0;
  // First source index read for each output, never smaller than the one of
  // the output before. When inSize >= taps,
  // first + taps <= inSize; otherwise first is 0 and the reader pads the
  // source with zeros up to `taps` pixels.
  std::vector<int> first;
  // outSize * taps weights, output by output.
  std::vector<int16_t> coef;
  // The same weights for SIMD use: per output, per pair (w0, w1) of
  // neighbouring taps, 8 values w0 w1 w0 w1 w0 w1 w0 w1.
  std::vector<int16_t> pairs;

  const int16_t* coefOf(int i) const { return coef.data() + size_t(i) * size_t(taps); }
  const int16_t* pairsOf(int i) const { return pairs.data() + size_t(i) * size_t(taps) * 4; }
};

// The windowed sinc sinc(x) * sinc(x / 3) for |x| < 3, else 0.
double Lanczos3(double x);

// Weights for inSize -> outSize (both at least 1). Returns nothing when the
// tables would exceed `maxBytes`.
std::optional<AxisWeights> BuildLanczosWeights(int inSize, int outSize, size_t maxBytes);

}  // namespace moravel
