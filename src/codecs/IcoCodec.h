#pragma once
// Windows icons (.ico): BMP entries with their AND mask, and PNG entries.

#include <cstdint>
#include <span>

#include "codecs/DecodeResult.h"

namespace moravel {

// Decodes the best entry of an icon file: the largest, then the deepest colour.
DecodeResult DecodeIco(std::span<const uint8_t> bytes);

}  // namespace moravel
