#pragma once
// The frame's RGBA pixels as the 32-bit words of the usual X visual (red in
// bits 16 to 23, green 8 to 15, blue 0 to 7, the top byte 0) in this
// machine's byte order: what a piece becomes just before it is sent.

#include <cstdint>

namespace moravel {

// `count` pixels from `in` to `out`; `out` may be `in`. Takes the AVX2 loop
// when the processor has it.
void ToCommonServerWords(const uint8_t* in, uint8_t* out, int count);
// The plain loop, which the AVX2 one matches byte for byte.
void ToCommonServerWordsScalar(const uint8_t* in, uint8_t* out, int count);

}  // namespace moravel
