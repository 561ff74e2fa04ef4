#include "raster/ResampleWeights.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace moravel {

namespace {

double Sinc(double x) {
  if (x == 0.0) return 1.0;
  const double px = std::numbers::pi * x;
  return std::sin(px) / px;
}

// The source window of one output pixel and its normalised weights.
struct Window {
  int first = 0;
  std::vector<int> fixed;
};

Window ComputeWindow(int i, int inSize, double scale, double filterScale) {
  const double support = 3.0 * filterScale;
  const double center = (i + 0.5) * scale;
  const int lo = std::max(0, int(std::floor(center - support + 0.5)));
  const int hi = std::min(inSize, int(std::floor(center + support + 0.5)));
  std::vector<double> w;
  double sum = 0.0;
  for (int k = lo; k < hi; ++k) {
    const double v = Lanczos3((k + 0.5 - center) / filterScale);
    w.push_back(v);
    sum += v;
  }
  Window win;
  win.first = lo;
  if (w.empty() || sum == 0.0) {  // cannot happen for a Lanczos window; stay safe
    win.first = std::min(std::max(0, int(center)), inSize - 1);
    win.fixed = {1 << kWeightBits};
    return win;
  }
  // Round each weight, then put the rounding residue on the largest one so the
  // sum is exact.
  const double one = double(1 << kWeightBits);
  win.fixed.resize(w.size());
  int total = 0;
  size_t largest = 0;
  for (size_t k = 0; k < w.size(); ++k) {
    win.fixed[k] = int(std::lround(w[k] / sum * one));
    total += win.fixed[k];
    if (w[k] > w[largest]) largest = k;
  }
  win.fixed[largest] += (1 << kWeightBits) - total;
  // Drop zero weights at the end. Leading ones stay: the first index must
  // never decrease from one output to the next (the row ring relies on it).
  while (win.fixed.size() > 1 && win.fixed.back() == 0) win.fixed.pop_back();
  return win;
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

  std::vector<Window> windows(static_cast<size_t>(outSize));
  int taps = 0;
  for (int i = 0; i < outSize; ++i) {
    windows[size_t(i)] = ComputeWindow(i, inSize, scale, filterScale);
    taps = std::max(taps, int(windows[size_t(i)].fixed.size()));
  }
  taps += taps & 1;

  AxisWeights a;
  a.inSize = inSize;
  a.outSize = outSize;
  a.taps = taps;
  a.first.resize(size_t(outSize));
  a.coef.assign(size_t(outSize) * size_t(taps), 0);
  a.pairs.assign(size_t(outSize) * size_t(taps) * 4, 0);
  for (int i = 0; i < outSize; ++i) {
    const Window& win = windows[size_t(i)];
    // Move the window left so that `taps` reads stay inside the source.
    const int first = inSize >= taps ? std::min(win.first, inSize - taps) : 0;
    const int shift = win.first - first;
    a.first[size_t(i)] = first;
    int16_t* c = a.coef.data() + size_t(i) * size_t(taps);
    for (size_t k = 0; k < win.fixed.size(); ++k) c[size_t(shift) + k] = int16_t(win.fixed[k]);
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
