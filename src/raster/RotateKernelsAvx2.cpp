// The AVX2 pixel loop of a rotating layer, eight plate pixels at a time.
// Only the functions below are compiled for AVX2 (the target attribute);
// BestRotateKernels() picks this set only when the processor has AVX2.
// It follows RotateKernelsScalar.cpp operation for operation:
// _mm256_madd_epi16 forms p * (128 - f) + q * f exactly as the scalar sums
// do, and the 16-bit blend stays below 65536 (d * keep <= 255 * 255).
// Groups of eight over an opaque plate take the vector path; the rest (the
// last few pixels of a run, translucent plate pixels) go to the scalar loop.

#include "raster/RotateKernels.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>

#define MORAVEL_AVX2 __attribute__((target("avx2")))

namespace moravel {

namespace {

constexpr int kGroup = 8;
constexpr int kWeightShift = kRotateFixBits - kRotateFracBits;
constexpr int kZ = -128;  // a zero byte in a pshufb mask

// A 16-byte neighbourhood [p00 p01 | p10 p11] (top pair, bottom pair) ->
// 16-bit (p00, p10) per channel, and (p01, p11), ready for _mm256_madd_epi16
// with the vertical weight pair (128 - fy, fy).
// clang-format off
alignas(32) constexpr int8_t kLeftMask[32] = {
    0, kZ, 8, kZ, 1, kZ, 9, kZ, 2, kZ, 10, kZ, 3, kZ, 11, kZ,
    0, kZ, 8, kZ, 1, kZ, 9, kZ, 2, kZ, 10, kZ, 3, kZ, 11, kZ};
alignas(32) constexpr int8_t kRightMask[32] = {
    4, kZ, 12, kZ, 5, kZ, 13, kZ, 6, kZ, 14, kZ, 7, kZ, 15, kZ,
    4, kZ, 12, kZ, 5, kZ, 13, kZ, 6, kZ, 14, kZ, 7, kZ, 15, kZ};
// Each pixel's alpha byte copied over its four bytes.
alignas(32) constexpr int8_t kAlphaMask[32] = {
    3, 3, 3, 3, 7, 7, 7, 7, 11, 11, 11, 11, 15, 15, 15, 15,
    3, 3, 3, 3, 7, 7, 7, 7, 11, 11, 11, 11, 15, 15, 15, 15};
// clang-format on

MORAVEL_AVX2 inline __m256i Load256(const void* p) {
  return _mm256_loadu_si256(static_cast<const __m256i*>(p));
}

// The neighbourhood of one sample: top pair in the low half, bottom pair in
// the high half.
MORAVEL_AVX2 inline __m128i Neighbourhood(const uint8_t* p, size_t rowBytes) {
  const __m128i top = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p));
  return _mm_castpd_si128(
      _mm_loadh_pd(_mm_castsi128_pd(top), reinterpret_cast<const double*>(p + rowBytes)));
}

// (128 - f) | f << 16 per 32-bit lane, f the 7 weight bits of each position.
MORAVEL_AVX2 inline __m256i WeightPairs(__m256i positions) {
  const __m256i f = _mm256_and_si256(_mm256_srli_epi32(positions, kWeightShift),
                                     _mm256_set1_epi32((1 << kRotateFracBits) - 1));
  const __m256i high = _mm256_sub_epi32(_mm256_slli_epi32(f, 16), f);  // (f << 16) - f
  return _mm256_add_epi32(_mm256_set1_epi32(1 << kRotateFracBits), high);
}

// Bilinear samples of pixels k and k + 4 (low and high lane) as four 32-bit
// channels each; wx and wy hold the weight pairs of pixels 0..7.
template <int K>
MORAVEL_AVX2 inline __m256i Sample(const __m128i* hoods, __m256i wx, __m256i wy) {
  constexpr int kPick = K * 0x55;  // lane element K in all four places
  const __m256i px = _mm256_inserti128_si256(_mm256_castsi128_si256(hoods[K]), hoods[K + 4], 1);
  const __m256i wyK = _mm256_shuffle_epi32(wy, kPick), wxK = _mm256_shuffle_epi32(wx, kPick);
  const __m256i left = _mm256_madd_epi16(_mm256_shuffle_epi8(px, Load256(kLeftMask)), wyK);
  const __m256i right = _mm256_madd_epi16(_mm256_shuffle_epi8(px, Load256(kRightMask)), wyK);
  // left, right <= 255 * 128, so both fit a 16-bit half.
  const __m256i pairs = _mm256_or_si256(left, _mm256_slli_epi32(right, 16));
  const __m256i round = _mm256_set1_epi32(1 << (2 * kRotateFracBits - 1));
  return _mm256_srli_epi32(_mm256_add_epi32(_mm256_madd_epi16(pairs, wxK), round),
                           2 * kRotateFracBits);
}

// Eight samples laid over eight opaque plate pixels (alpha stays 255).
MORAVEL_AVX2 inline __m256i OverOpaque(__m256i sample, __m256i plate) {
  const __m256i keep = _mm256_xor_si256(_mm256_shuffle_epi8(sample, Load256(kAlphaMask)),
                                        _mm256_set1_epi8(-1));  // 255 - alpha
  const __m256i zero = _mm256_setzero_si256(), bias = _mm256_set1_epi16(128);
  __m256i half[2];
  for (int h = 0; h < 2; ++h) {
    const __m256i d = h ? _mm256_unpackhi_epi8(plate, zero) : _mm256_unpacklo_epi8(plate, zero);
    const __m256i k = h ? _mm256_unpackhi_epi8(keep, zero) : _mm256_unpacklo_epi8(keep, zero);
    const __m256i s = h ? _mm256_unpackhi_epi8(sample, zero) : _mm256_unpacklo_epi8(sample, zero);
    const __m256i t = _mm256_add_epi16(_mm256_mullo_epi16(d, k), bias);
    const __m256i div = _mm256_srli_epi16(_mm256_add_epi16(t, _mm256_srli_epi16(t, 8)), 8);
    half[h] = _mm256_add_epi16(s, div);
  }
  const __m256i alpha = _mm256_set1_epi32(int(0xFF000000u));
  return _mm256_or_si256(_mm256_andnot_si256(alpha, _mm256_packus_epi16(half[0], half[1])),
                         _mm256_and_si256(alpha, plate));
}

MORAVEL_AVX2 void DrawSpan(const RotateSpan& span) {
  const size_t rowBytes = span.stride * 4;
  const __m256i lanes = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
  const __m256i alpha = _mm256_set1_epi32(int(0xFF000000u));
  // Only the low 32 bits of the positions feed the weights, so they may wrap.
  const __m256i stepU = _mm256_mullo_epi32(lanes, _mm256_set1_epi32(int(uint32_t(span.stepU))));
  const __m256i stepV = _mm256_mullo_epi32(lanes, _mm256_set1_epi32(int(uint32_t(span.stepV))));
  long long u = span.u, v = span.v;
  uint8_t* d = span.plate;
  int i = 0;
  for (; i + kGroup <= span.count; i += kGroup, d += 4 * kGroup) {
    const long long u0 = u, v0 = v;
    __m128i hoods[kGroup];
    for (int k = 0; k < kGroup; ++k, u += span.stepU, v += span.stepV) {
      const size_t at = size_t(v >> kRotateFixBits) * span.stride + size_t(u >> kRotateFixBits);
      hoods[k] = Neighbourhood(span.hand + at * 4, rowBytes);
    }
    __m128i any = hoods[0];
    for (int k = 1; k < kGroup; ++k) any = _mm_or_si128(any, hoods[k]);
    if (_mm_testz_si128(any, _mm256_castsi256_si128(alpha))) continue;  // all transparent
    const __m256i wx = WeightPairs(_mm256_add_epi32(_mm256_set1_epi32(int(uint32_t(u0))), stepU));
    const __m256i wy = WeightPairs(_mm256_add_epi32(_mm256_set1_epi32(int(uint32_t(v0))), stepV));
    const __m256i lo = _mm256_packs_epi32(Sample<0>(hoods, wx, wy), Sample<1>(hoods, wx, wy));
    const __m256i hi = _mm256_packs_epi32(Sample<2>(hoods, wx, wy), Sample<3>(hoods, wx, wy));
    // Pixels 0 1 2 3 | 4 5 6 7, premultiplied RGBA.
    const __m256i sample = _mm256_packus_epi16(lo, hi);
    if (_mm256_testz_si256(sample, alpha)) continue;  // nothing to lay over
    const __m256i plate = Load256(d);
    if (_mm256_movemask_epi8(_mm256_cmpeq_epi32(_mm256_and_si256(plate, alpha), alpha)) == -1) {
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(d), OverOpaque(sample, plate));
    } else {
      ScalarRotateKernels().drawSpan(
          {span.hand, span.stride, u0, v0, span.stepU, span.stepV, d, kGroup});
    }
  }
  if (i < span.count) {
    ScalarRotateKernels().drawSpan(
        {span.hand, span.stride, u, v, span.stepU, span.stepV, d, span.count - i});
  }
}

const RotateKernels kAvx2{"avx2", DrawSpan};

}  // namespace

const RotateKernels* Avx2RotateKernels() {
  return &kAvx2;
}

}  // namespace moravel

#else

namespace moravel {
const RotateKernels* Avx2RotateKernels() {
  return nullptr;
}
}  // namespace moravel

#endif
