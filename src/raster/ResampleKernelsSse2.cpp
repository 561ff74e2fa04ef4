// SSE2 resampling loops (the x86-64 baseline, so no run-time check is needed).
// They follow ResampleKernelsScalar.cpp operation for operation: _mm_madd_epi16
// multiplies 16-bit pixel values by 16-bit weights and adds neighbouring
// products into 32-bit sums, and the packs saturate exactly like the clamps
// there.

#include "raster/ResampleKernels.h"

#if defined(__SSE2__)
#include <emmintrin.h>

namespace moravel {

namespace {

constexpr int kHorizontalShift = kWeightBits - kMidBits;
constexpr int kVerticalShift = kWeightBits + kMidBits;

inline __m128i LoadPairs(const int16_t* p) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

// Pixels 0, 1 of `px` (RGBA bytes) as 16-bit r0 r1 g0 g1 b0 b1 a0 a1, ready
// for _mm_madd_epi16 with a weight pair.
inline __m128i InterleaveLow(__m128i px, __m128i next) {
  return _mm_unpacklo_epi8(_mm_unpacklo_epi8(px, next), _mm_setzero_si128());
}

// One output pixel: sums of `Pairs` weight pairs (runtime `pairs` when 0).
template <int Pairs>
inline __m128i FilterPixel(const uint8_t* src, const int16_t* w, int pairs) {
  const int n = Pairs > 0 ? Pairs : pairs;
  __m128i acc = _mm_setzero_si128();
  int j = 0;
  for (; j + 2 <= n; j += 2) {  // four source pixels
    const __m128i px = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + j * 8));
    const __m128i next = _mm_srli_si128(px, 4);
    const __m128i lo = InterleaveLow(px, next);
    const __m128i hi = _mm_unpacklo_epi8(_mm_unpackhi_epi8(px, next), _mm_setzero_si128());
    acc = _mm_add_epi32(acc, _mm_madd_epi16(lo, LoadPairs(w + j * 8)));
    acc = _mm_add_epi32(acc, _mm_madd_epi16(hi, LoadPairs(w + j * 8 + 8)));
  }
  if (j < n) {  // two source pixels
    const __m128i px = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(src + j * 8));
    acc = _mm_add_epi32(
        acc, _mm_madd_epi16(InterleaveLow(px, _mm_srli_si128(px, 4)), LoadPairs(w + j * 8)));
  }
  const __m128i round = _mm_set1_epi32(1 << (kHorizontalShift - 1));
  return _mm_srai_epi32(_mm_add_epi32(acc, round), kHorizontalShift);
}

template <int Pairs>
void HorizontalRow(const uint8_t* in, int16_t* out, const AxisWeights& w) {
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

template <int Pairs>
void HorizontalT(const uint8_t* const* in, int16_t* const* out, int rows, const AxisWeights& w) {
  for (int r = 0; r < rows; ++r) HorizontalRow<Pairs>(in[r], out[r], w);
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

inline __m128i Load(const int16_t* p) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

inline __m128i Finish(__m128i acc) {
  const __m128i round = _mm_set1_epi32(1 << (kVerticalShift - 1));
  return _mm_srai_epi32(_mm_add_epi32(acc, round), kVerticalShift);
}

void Vertical(const int16_t* const* rows, const int16_t* pairs, int taps, size_t values,
              uint8_t* out) {
  size_t i = 0;
  for (; i + 16 <= values; i += 16) {  // four pixels
    __m128i acc0 = _mm_setzero_si128(), acc1 = acc0, acc2 = acc0, acc3 = acc0;
    for (int k = 0; k < taps; k += 2) {
      const __m128i w = LoadPairs(pairs + k * 4);
      const int16_t* r0 = rows[k] + i;
      const int16_t* r1 = rows[k + 1] + i;
      const __m128i a0 = Load(r0), b0 = Load(r1), a1 = Load(r0 + 8), b1 = Load(r1 + 8);
      acc0 = _mm_add_epi32(acc0, _mm_madd_epi16(_mm_unpacklo_epi16(a0, b0), w));
      acc1 = _mm_add_epi32(acc1, _mm_madd_epi16(_mm_unpackhi_epi16(a0, b0), w));
      acc2 = _mm_add_epi32(acc2, _mm_madd_epi16(_mm_unpacklo_epi16(a1, b1), w));
      acc3 = _mm_add_epi32(acc3, _mm_madd_epi16(_mm_unpackhi_epi16(a1, b1), w));
    }
    const __m128i lo = _mm_packs_epi32(Finish(acc0), Finish(acc1));
    const __m128i hi = _mm_packs_epi32(Finish(acc2), Finish(acc3));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(lo, hi));
  }
  for (; i + 4 <= values; i += 4) {  // one pixel
    __m128i acc = _mm_setzero_si128();
    for (int k = 0; k < taps; k += 2) {
      const __m128i a = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(rows[k] + i));
      const __m128i b = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(rows[k + 1] + i));
      acc = _mm_add_epi32(acc, _mm_madd_epi16(_mm_unpacklo_epi16(a, b), LoadPairs(pairs + k * 4)));
    }
    const __m128i v = _mm_packs_epi32(Finish(acc), Finish(acc));
    const int packed = _mm_cvtsi128_si32(_mm_packus_epi16(v, v));
    __builtin_memcpy(out + i, &packed, 4);
  }
}

void Widen(const uint8_t* in, int16_t* out, size_t values) {
  size_t i = 0;
  for (; i + 16 <= values; i += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
    const __m128i z = _mm_setzero_si128();
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i),
                     _mm_slli_epi16(_mm_unpacklo_epi8(v, z), kMidBits));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 8),
                     _mm_slli_epi16(_mm_unpackhi_epi8(v, z), kMidBits));
  }
  for (; i < values; ++i) out[i] = int16_t(in[i] << kMidBits);
}

void Narrow(const int16_t* in, uint8_t* out, size_t values) {
  size_t i = 0;
  const __m128i round = _mm_set1_epi16(1 << (kMidBits - 1));
  for (; i + 16 <= values; i += 16) {
    // Saturating add: values near +32767 clamp to 255 either way.
    const __m128i a = _mm_srai_epi16(_mm_adds_epi16(Load(in + i), round), kMidBits);
    const __m128i b = _mm_srai_epi16(_mm_adds_epi16(Load(in + i + 8), round), kMidBits);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(a, b));
  }
  if (i < values) ScalarResampleKernels().narrow(in + i, out + i, values - i);
}

const ResampleKernels kSse2{"sse2", HorizontalFor, Vertical, Widen, Narrow};

}  // namespace

const ResampleKernels* Sse2ResampleKernels() {
  return &kSse2;
}

}  // namespace moravel

#else

namespace moravel {
const ResampleKernels* Sse2ResampleKernels() {
  return nullptr;
}
}  // namespace moravel

#endif
