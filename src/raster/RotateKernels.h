#pragma once
// The pixel loop of RotatingLayer::Draw, one set per instruction set. Every
// set gives bit-identical results; BestRotateKernels() picks AVX2 when the
// processor has it, else the plain C++ loop.
//
// Each plate pixel takes a bilinear sample (weights in 1/128 steps) of the
// premultiplied hand at its 16.16 fixed-point position and gets it laid over
// source-over, keeping straight alpha.

#include <cstddef>
#include <cstdint>

namespace moravel {

inline constexpr int kRotateFixBits = 16;  // sample positions are 16.16 fixed point
inline constexpr int kRotateFracBits = 7;  // bilinear weights are 0..128

// x / 255 rounded to nearest, for x <= 255 * 255.
inline unsigned RoundDiv255(unsigned x) {
  return (x + 128 + ((x + 128) >> 8)) >> 8;
}

// One run of plate pixels along a plate row.
struct RotateSpan {
  // Premultiplied RGBA, `stride` pixels per row, with a transparent border so
  // that the 2 x 2 neighbourhood of every sample lies inside.
  const uint8_t* hand = nullptr;
  size_t stride = 0;
  // Position of the first pixel in the hand and the step per plate pixel
  // (16.16); every position of the run is non-negative and its 2 x 2
  // neighbourhood inside the hand.
  long long u = 0, v = 0, stepU = 0, stepV = 0;
  uint8_t* plate = nullptr;  // the first plate pixel (straight-alpha RGBA)
  int count = 0;             // plate pixels
};

struct RotateKernels {
  const char* name;
  void (*drawSpan)(const RotateSpan& span);
};

const RotateKernels& ScalarRotateKernels();
// The AVX2 set; nullptr when this build has none. Callable only when
// CpuHasAvx2() (raster/CpuFeatures.h).
const RotateKernels* Avx2RotateKernels();
const RotateKernels& BestRotateKernels();

}  // namespace moravel
