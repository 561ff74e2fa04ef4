// AVX2 resampling loops. Only the functions below are compiled for AVX2 (the
// target attribute), so the program still runs on a plain x86-64 processor;
// BestResampleKernels() picks this set only when the processor has AVX2.
// They follow ResampleKernelsScalar.cpp operation for operation, as the SSE2
// set does: _mm256_madd_epi16 multiplies 16-bit pixel values by 16-bit weights
// and adds neighbouring products into 32-bit sums, and the packs saturate
// exactly like the clamps there.

#include "raster/ResampleKernels.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>

#define MORAVEL_AVX2 __attribute__((target("avx2")))

namespace moravel {

namespace {

constexpr int kHorizontalShift = kWeightBits - kMidBits;
constexpr int kVerticalShift = kWeightBits + kMidBits;

// pshufb masks: four RGBA pixels p0..p3 -> 16-bit r0 r1 g0 g1 b0 b1 a0 a1 in
// the low lane and r2 r3 g2 g3 b2 b3 a2 a3 in the high lane, ready for
// _mm256_madd_epi16 with the weight pairs (w0, w1) and (w2, w3). The second
// mask gives r0 r1 g0 g1 ... in both lanes (two rows' last pair).
constexpr int8_t kZ = -128;  // a zero byte
// clang-format off
alignas(32) constexpr int8_t kPairMask[32] = {
    0, kZ, 4,  kZ, 1, kZ, 5,  kZ, 2,  kZ, 6,  kZ, 3,  kZ, 7,  kZ,
    8, kZ, 12, kZ, 9, kZ, 13, kZ, 10, kZ, 14, kZ, 11, kZ, 15, kZ};
alignas(32) constexpr int8_t kLastPairMask[32] = {
    0, kZ, 4, kZ, 1, kZ, 5, kZ, 2, kZ, 6, kZ, 3, kZ, 7, kZ,
    0, kZ, 4, kZ, 1, kZ, 5, kZ, 2, kZ, 6, kZ, 3, kZ, 7, kZ};
// clang-format on

MORAVEL_AVX2 inline __m128i Load128(const void* p) {
  return _mm_loadu_si128(static_cast<const __m128i*>(p));
}
MORAVEL_AVX2 inline __m128i Load64(const void* p) {
  return _mm_loadl_epi64(static_cast<const __m128i*>(p));
}
MORAVEL_AVX2 inline __m256i Load256(const void* p) {
  return _mm256_loadu_si256(static_cast<const __m256i*>(p));
}

// One output pixel of one row (four 32-bit sums, shifted): `Pairs` weight
// pairs, or runtime `pairs` when Pairs is 0.
template <int Pairs>
MORAVEL_AVX2 inline __m128i FilterPixel(const uint8_t* src, const int16_t* w, int pairs) {
  const int n = Pairs > 0 ? Pairs : pairs;
  const __m256i mask = Load256(kPairMask);
  __m256i acc = _mm256_setzero_si256();
  int j = 0;
  for (; j + 2 <= n; j += 2) {  // four source pixels, both lanes
    const __m256i px = _mm256_broadcastsi128_si256(Load128(src + j * 8));
    acc =
        _mm256_add_epi32(acc, _mm256_madd_epi16(_mm256_shuffle_epi8(px, mask), Load256(w + j * 8)));
  }
  __m128i sum = _mm_add_epi32(_mm256_castsi256_si128(acc), _mm256_extracti128_si256(acc, 1));
  if (j < n) {  // two source pixels
    const __m128i pair = _mm_shuffle_epi8(Load64(src + j * 8), _mm256_castsi256_si128(mask));
    sum = _mm_add_epi32(sum, _mm_madd_epi16(pair, Load128(w + j * 8)));
  }
  const __m128i round = _mm_set1_epi32(1 << (kHorizontalShift - 1));
  return _mm_srai_epi32(_mm_add_epi32(sum, round), kHorizontalShift);
}

// The same output pixel in `Rows` (2 or 4) rows starting at byte offset
// `at`; each weight load serves every row. Result h holds rows 2h and 2h + 1
// in its low and high lane.
template <int Pairs, int Rows>
MORAVEL_AVX2 inline void FilterRows(const uint8_t* const* in, size_t at, const int16_t* w,
                                    int pairs, __m256i* result) {
  const int n = Pairs > 0 ? Pairs : pairs;
  const __m256i mask = Load256(kPairMask);
  __m256i acc[Rows];
  for (int r = 0; r < Rows; ++r) acc[r] = _mm256_setzero_si256();
  int j = 0;
  for (; j + 2 <= n; j += 2) {
    const __m256i weights = Load256(w + j * 8);
    for (int r = 0; r < Rows; ++r) {
      const __m256i px = _mm256_broadcastsi128_si256(Load128(in[r] + at + size_t(j) * 8));
      acc[r] = _mm256_add_epi32(acc[r], _mm256_madd_epi16(_mm256_shuffle_epi8(px, mask), weights));
    }
  }
  const __m256i round = _mm256_set1_epi32(1 << (kHorizontalShift - 1));
  for (int h = 0; h < Rows / 2; ++h) {
    const __m256i a = acc[2 * h], b = acc[2 * h + 1];
    __m256i sum = _mm256_add_epi32(_mm256_permute2x128_si256(a, b, 0x20),
                                   _mm256_permute2x128_si256(a, b, 0x31));
    if (j < n) {  // the last pair of both rows in one register
      const __m256i px =
          _mm256_inserti128_si256(_mm256_castsi128_si256(Load64(in[2 * h] + at + size_t(j) * 8)),
                                  Load64(in[2 * h + 1] + at + size_t(j) * 8), 1);
      const __m256i pair = _mm256_shuffle_epi8(px, Load256(kLastPairMask));
      const __m256i weights = _mm256_broadcastsi128_si256(Load128(w + j * 8));
      sum = _mm256_add_epi32(sum, _mm256_madd_epi16(pair, weights));
    }
    result[h] = _mm256_srai_epi32(_mm256_add_epi32(sum, round), kHorizontalShift);
  }
}

template <int Pairs>
MORAVEL_AVX2 void OneRow(const uint8_t* in, int16_t* out, const AxisWeights& w) {
  const int pairs = w.taps / 2;
  const int* first = w.first.data();
  int x = 0;
  for (; x + 2 <= w.outSize; x += 2) {
    const __m128i a = FilterPixel<Pairs>(in + size_t(first[x]) * 4, w.pairsOf(x), pairs);
    const __m128i b = FilterPixel<Pairs>(in + size_t(first[x + 1]) * 4, w.pairsOf(x + 1), pairs);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + size_t(x) * 4), _mm_packs_epi32(a, b));
  }
  if (x < w.outSize) {
    const __m128i a = FilterPixel<Pairs>(in + size_t(first[x]) * 4, w.pairsOf(x), pairs);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + size_t(x) * 4), _mm_packs_epi32(a, a));
  }
}

template <int Pairs, int Rows>
MORAVEL_AVX2 void SeveralRows(const uint8_t* const* in, int16_t* const* out, const AxisWeights& w) {
  const int pairs = w.taps / 2;
  const int* first = w.first.data();
  __m256i a[Rows / 2], b[Rows / 2];
  int x = 0;
  for (; x + 2 <= w.outSize; x += 2) {
    FilterRows<Pairs, Rows>(in, size_t(first[x]) * 4, w.pairsOf(x), pairs, a);
    FilterRows<Pairs, Rows>(in, size_t(first[x + 1]) * 4, w.pairsOf(x + 1), pairs, b);
    for (int h = 0; h < Rows / 2; ++h) {
      // Low lane: row 2h, outputs x and x + 1; high lane: row 2h + 1.
      const __m256i packed = _mm256_packs_epi32(a[h], b[h]);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out[2 * h] + size_t(x) * 4),
                       _mm256_castsi256_si128(packed));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out[2 * h + 1] + size_t(x) * 4),
                       _mm256_extracti128_si256(packed, 1));
    }
  }
  if (x < w.outSize) {
    FilterRows<Pairs, Rows>(in, size_t(first[x]) * 4, w.pairsOf(x), pairs, a);
    for (int h = 0; h < Rows / 2; ++h) {
      const __m256i packed = _mm256_packs_epi32(a[h], a[h]);
      _mm_storel_epi64(reinterpret_cast<__m128i*>(out[2 * h] + size_t(x) * 4),
                       _mm256_castsi256_si128(packed));
      _mm_storel_epi64(reinterpret_cast<__m128i*>(out[2 * h + 1] + size_t(x) * 4),
                       _mm256_extracti128_si256(packed, 1));
    }
  }
}

template <int Pairs>
MORAVEL_AVX2 void HorizontalT(const uint8_t* const* in, int16_t* const* out, int rows,
                              const AxisWeights& w) {
  if (rows == 4) return SeveralRows<Pairs, 4>(in, out, w);
  if (rows >= 2) SeveralRows<Pairs, 2>(in, out, w);
  if (rows & 1) OneRow<Pairs>(in[rows - 1], out[rows - 1], w);
}

// The common tap counts get their own unrolled copy.
HorizontalRows HorizontalFor(int taps) {
  switch (taps / 2) {
    case 1:
      return HorizontalT<1>;
    case 2:
      return HorizontalT<2>;
    case 3:
      return HorizontalT<3>;
    case 4:
      return HorizontalT<4>;
    case 5:
      return HorizontalT<5>;
    case 6:
      return HorizontalT<6>;
    case 7:
      return HorizontalT<7>;
    case 8:
      return HorizontalT<8>;
    default:
      return HorizontalT<0>;
  }
}

// One output row, `Pairs` pairs of taps (runtime taps / 2 when Pairs is 0).
// The sums start at the rounding term, so only the shift is left at the end.
template <int Pairs>
MORAVEL_AVX2 void VerticalT(const int16_t* const* rows, const int16_t* pairs, int taps,
                            size_t values, uint8_t* out) {
  const int n = Pairs > 0 ? Pairs : taps / 2;
  // Local copies: stores to `out` may alias the caller's pointer array.
  constexpr int kLocal = Pairs > 0 ? 2 * Pairs : 1;
  const int16_t* local[kLocal];
  const int16_t* const* r = rows;
  if constexpr (Pairs > 0) {
    for (int k = 0; k < 2 * Pairs; ++k) local[k] = rows[k];
    r = local;
  }
  const __m256i round = _mm256_set1_epi32(1 << (kVerticalShift - 1));
  size_t i = 0;
  for (; i + 32 <= values; i += 32) {  // eight pixels
    __m256i acc0 = round, acc1 = round, acc2 = round, acc3 = round;
    for (int k = 0; k < n; ++k) {
      const __m256i w = _mm256_broadcastsi128_si256(Load128(pairs + k * 8));
      const int16_t* r0 = r[2 * k] + i;
      const int16_t* r1 = r[2 * k + 1] + i;
      const __m256i a0 = Load256(r0), b0 = Load256(r1), a1 = Load256(r0 + 16),
                    b1 = Load256(r1 + 16);
      acc0 = _mm256_add_epi32(acc0, _mm256_madd_epi16(_mm256_unpacklo_epi16(a0, b0), w));
      acc1 = _mm256_add_epi32(acc1, _mm256_madd_epi16(_mm256_unpackhi_epi16(a0, b0), w));
      acc2 = _mm256_add_epi32(acc2, _mm256_madd_epi16(_mm256_unpacklo_epi16(a1, b1), w));
      acc3 = _mm256_add_epi32(acc3, _mm256_madd_epi16(_mm256_unpackhi_epi16(a1, b1), w));
    }
    // The unpacks and packs work within 128-bit lanes, so the packs restore
    // the order of each lane; the final permute puts the lanes in order.
    const __m256i lo = _mm256_packs_epi32(_mm256_srai_epi32(acc0, kVerticalShift),
                                          _mm256_srai_epi32(acc1, kVerticalShift));
    const __m256i hi = _mm256_packs_epi32(_mm256_srai_epi32(acc2, kVerticalShift),
                                          _mm256_srai_epi32(acc3, kVerticalShift));
    const __m256i bytes = _mm256_permute4x64_epi64(_mm256_packus_epi16(lo, hi), 0xD8);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), bytes);
  }
  for (; i + 4 <= values; i += 4) {  // one pixel
    __m128i acc = _mm256_castsi256_si128(round);
    for (int k = 0; k < n; ++k) {
      const __m128i a = Load64(r[2 * k] + i), b = Load64(r[2 * k + 1] + i);
      acc = _mm_add_epi32(acc, _mm_madd_epi16(_mm_unpacklo_epi16(a, b), Load128(pairs + k * 8)));
    }
    const __m128i v = _mm_srai_epi32(acc, kVerticalShift);
    const __m128i words = _mm_packs_epi32(v, v);
    const int packed = _mm_cvtsi128_si32(_mm_packus_epi16(words, words));
    __builtin_memcpy(out + i, &packed, 4);
  }
}

MORAVEL_AVX2 void Vertical(const int16_t* const* rows, const int16_t* pairs, int taps,
                           size_t values, uint8_t* out) {
  switch (taps / 2) {
    case 1:
      return VerticalT<1>(rows, pairs, taps, values, out);
    case 2:
      return VerticalT<2>(rows, pairs, taps, values, out);
    case 3:
      return VerticalT<3>(rows, pairs, taps, values, out);
    case 4:
      return VerticalT<4>(rows, pairs, taps, values, out);
    case 5:
      return VerticalT<5>(rows, pairs, taps, values, out);
    case 6:
      return VerticalT<6>(rows, pairs, taps, values, out);
    case 7:
      return VerticalT<7>(rows, pairs, taps, values, out);
    case 8:
      return VerticalT<8>(rows, pairs, taps, values, out);
    default:
      return VerticalT<0>(rows, pairs, taps, values, out);
  }
}

MORAVEL_AVX2 void Widen(const uint8_t* in, int16_t* out, size_t values) {
  size_t i = 0;
  for (; i + 16 <= values; i += 16) {
    const __m256i v = _mm256_cvtepu8_epi16(Load128(in + i));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), _mm256_slli_epi16(v, kMidBits));
  }
  for (; i < values; ++i) out[i] = int16_t(in[i] << kMidBits);
}

MORAVEL_AVX2 void Narrow(const int16_t* in, uint8_t* out, size_t values) {
  size_t i = 0;
  const __m256i round = _mm256_set1_epi16(1 << (kMidBits - 1));
  for (; i + 32 <= values; i += 32) {
    // Saturating add: values near +32767 clamp to 255 either way.
    const __m256i a = _mm256_srai_epi16(_mm256_adds_epi16(Load256(in + i), round), kMidBits);
    const __m256i b = _mm256_srai_epi16(_mm256_adds_epi16(Load256(in + i + 16), round), kMidBits);
    const __m256i bytes = _mm256_permute4x64_epi64(_mm256_packus_epi16(a, b), 0xD8);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), bytes);
  }
  if (i < values) ScalarResampleKernels().narrow(in + i, out + i, values - i);
}

const ResampleKernels kAvx2{"avx2", HorizontalFor, Vertical, Widen, Narrow};

}  // namespace

const ResampleKernels* Avx2ResampleKernels() {
  return &kAvx2;
}

}  // namespace moravel

#else

namespace moravel {
const ResampleKernels* Avx2ResampleKernels() {
  return nullptr;
}
}  // namespace moravel

#endif
