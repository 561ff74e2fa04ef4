#include "raster/ServerWords.h"

#include <cstring>

#include "raster/CpuFeatures.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace moravel {

void ToCommonServerWordsScalar(const uint8_t* in, uint8_t* out, int count) {
  for (int x = 0; x < count; ++x, in += 4, out += 4) {
    const uint32_t word = uint32_t(in[0]) << 16 | uint32_t(in[1]) << 8 | uint32_t(in[2]);
    std::memcpy(out, &word, 4);
  }
}

#if defined(__x86_64__) || defined(__i386__)
namespace {

// Eight pixels a step, one byte shuffle each (x86 is little-endian: the
// word's bytes are blue, green, red, 0).
__attribute__((target("avx2"))) void ToCommonServerWordsAvx2(const uint8_t* in, uint8_t* out,
                                                             int count) {
  const __m256i order =
      _mm256_setr_epi8(2, 1, 0, -128, 6, 5, 4, -128, 10, 9, 8, -128, 14, 13, 12, -128, 2, 1, 0,
                       -128, 6, 5, 4, -128, 10, 9, 8, -128, 14, 13, 12, -128);
  int x = 0;
  for (; x + 8 <= count; x += 8) {
    const __m256i pixels = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + 4 * x));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 4 * x),
                        _mm256_shuffle_epi8(pixels, order));
  }
  ToCommonServerWordsScalar(in + 4 * x, out + 4 * x, count - x);
}

}  // namespace

void ToCommonServerWords(const uint8_t* in, uint8_t* out, int count) {
  static const bool avx2 = CpuHasAvx2();
  if (avx2) return ToCommonServerWordsAvx2(in, out, count);
  ToCommonServerWordsScalar(in, out, count);
}
#else
void ToCommonServerWords(const uint8_t* in, uint8_t* out, int count) {
  ToCommonServerWordsScalar(in, out, count);
}
#endif

}  // namespace moravel
