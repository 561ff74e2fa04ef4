#include "raster/ResampleWeights.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>

namespace moravel {

namespace {

double Sinc(double x) {
  if (x == 0.0) return 1.0;
  const double px = std::numbers::pi * x;
  return std::sin(px) / px;
}

// Below this |x| a weight takes the direct formula: the recurrence's absolute
// error (about 1e-15) divided by x would spoil it.
constexpr double kNearZero = 1e-6;

// Lanczos-3 values at x0, x0 + step, ..., `count` of them, into `out`.
// sin(pi x) and sin(pi x / 3) advance by angle addition, so a window costs two
// sincos evaluations instead of two sines per tap.
class LanczosRun {
 public:
  explicit LanczosRun(double step)
      : step_(step),
        cos1_(std::cos(std::numbers::pi * step)),
        sin1_(std::sin(std::numbers::pi * step)),
        cos3_(std::cos(std::numbers::pi * step / 3.0)),
        sin3_(std::sin(std::numbers::pi * step / 3.0)) {}

  void Fill(double x0, int count, double* out) const {
    const double a = std::numbers::pi * x0;
    double s1 = std::sin(a), c1 = std::cos(a), s3 = std::sin(a / 3.0), c3 = std::cos(a / 3.0);
    constexpr double kScale = 3.0 / (std::numbers::pi * std::numbers::pi);
    for (int k = 0; k < count; ++k) {
      const double x = x0 + k * step_;
      if (x <= -3.0 || x >= 3.0) {
        out[k] = 0.0;
      } else if (std::abs(x) < kNearZero) {
        out[k] = Lanczos3(x);
      } else {
        out[k] = kScale * s1 * s3 / (x * x);  // sin(pi x) / (pi x) * sin(pi x / 3) / (pi x / 3)
      }
      const double n1 = s1 * cos1_ + c1 * sin1_, n3 = s3 * cos3_ + c3 * sin3_;
      c1 = c1 * cos1_ - s1 * sin1_, c3 = c3 * cos3_ - s3 * sin3_;
      s1 = n1, s3 = n3;
    }
  }

 private:
  double step_, cos1_, sin1_, cos3_, sin3_;
};

// The source window of one output pixel: its first index and its normalised
// fixed-point weights (`fixed`, returns their count, at most `room`).
int ComputeWindow(int i, int inSize, double scale, double filterScale, const LanczosRun& run,
                  double* w, int* fixed, int room, int& first) {
  const double support = 3.0 * filterScale;
  const double center = (i + 0.5) * scale;
  const int lo = std::max(0, int(std::floor(center - support + 0.5)));
  const int hi = std::min({inSize, int(std::floor(center + support + 0.5)), lo + room});
  const int count = std::max(0, hi - lo);
  run.Fill((lo + 0.5 - center) / filterScale, count, w);
  double sum = 0.0;
  for (int k = 0; k < count; ++k) sum += w[k];
  first = lo;
  if (count == 0 || sum == 0.0) {  // cannot happen for a Lanczos window; stay safe
    first = std::min(std::max(0, int(center)), inSize - 1);
    fixed[0] = 1 << kWeightBits;
    return 1;
  }
  // Round each weight, then put the rounding residue on the largest one so the
  // sum is exact.
  const double one = double(1 << kWeightBits) / sum;
  int total = 0, largest = 0;
  for (int k = 0; k < count; ++k) {
    fixed[k] = int(std::lround(w[k] * one));
    total += fixed[k];
    if (w[k] > w[largest]) largest = k;
  }
  fixed[largest] += (1 << kWeightBits) - total;
  // Drop zero weights at the end. Leading ones stay: the first index must
  // never decrease from one output to the next (the row ring relies on it).
  int n = count;
  while (n > 1 && fixed[n - 1] == 0) --n;
  return n;
}

}  // namespace

double Lanczos3(double x) {
  if (x <= -3.0 || x >= 3.0) return 0.0;
  return Sinc(x) * Sinc(x / 3.0);
}

std::optional<AxisWeights> BuildLanczosWeights(int inSize, int outSize, size_t maxBytes) {
  if (inSize < 1 || outSize < 1) return std::nullopt;
  const double scale = double(inSize) / double(outSize);
  const double filterScale = std::max(1.0, scale);
  // Upper bound of the taps, checked before anything is allocated.
  const double maxTaps = 2.0 * std::ceil(3.0 * filterScale) + 4.0;
  if (double(outSize) * maxTaps * 20.0 > double(maxBytes)) return std::nullopt;

  // Every window first, into a table of `room` weights per output.
  const int room = int(maxTaps);
  const LanczosRun run(1.0 / filterScale);
  std::vector<double> w(static_cast<size_t>(room));
  std::vector<int> fixed(size_t(outSize) * size_t(room));
  std::vector<int> counts(static_cast<size_t>(outSize));
  AxisWeights a;
  a.first.resize(size_t(outSize));
  int taps = 0;
  // Output i + period sits `shift` source pixels after output i: inside the
  // source (no edge cuts either window) it gets the same weights.
  const int period = outSize / std::gcd(inSize, outSize);
  const int shift = inSize / std::gcd(inSize, outSize);
  const double support = 3.0 * filterScale;
  auto inside = [&](int i) {
    const double center = (i + 0.5) * scale;
    return std::floor(center - support + 0.5) >= 0.0 &&
           std::floor(center + support + 0.5) <= double(inSize);
  };
  for (int i = 0; i < outSize; ++i) {
    int* f = fixed.data() + size_t(i) * size_t(room);
    if (i >= period && inside(i) && inside(i - period)) {
      const size_t from = size_t(i - period);
      std::copy_n(f - size_t(period) * size_t(room), counts[from], f);
      counts[size_t(i)] = counts[from];
      a.first[size_t(i)] = a.first[from] + shift;
    } else {
      counts[size_t(i)] =
          ComputeWindow(i, inSize, scale, filterScale, run, w.data(), f, room, a.first[size_t(i)]);
    }
    taps = std::max(taps, counts[size_t(i)]);
  }
  taps += taps & 1;

  a.inSize = inSize;
  a.outSize = outSize;
  a.taps = taps;
  a.coef.assign(size_t(outSize) * size_t(taps), 0);
  a.pairs.resize(size_t(outSize) * size_t(taps) * 4);
  for (int i = 0; i < outSize; ++i) {
    // Move the window left so that `taps` reads stay inside the source.
    const int wanted = a.first[size_t(i)];
    const int first = inSize >= taps ? std::min(wanted, inSize - taps) : 0;
    const int shift = wanted - first;
    a.first[size_t(i)] = first;
    const int* f = fixed.data() + size_t(i) * size_t(room);
    int16_t* c = a.coef.data() + size_t(i) * size_t(taps);
    for (int k = 0; k < counts[size_t(i)]; ++k) c[shift + k] = int16_t(f[k]);
    int16_t* p = a.pairs.data() + size_t(i) * size_t(taps) * 4;
    for (int k = 0; k < taps; k += 2) {
      for (int lane = 0; lane < 4; ++lane) {
        p[k * 4 + lane * 2] = c[k];
        p[k * 4 + lane * 2 + 1] = c[k + 1];
      }
    }
  }
  return a;
}

}  // namespace moravel
