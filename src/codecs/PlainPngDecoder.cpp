#include "codecs/PlainPngDecoder.h"

#include <libdeflate.h>

#include <cstring>
#include <memory>
#include <new>
#include <string_view>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "codecs/ByteReader.h"
#include "codecs/PictureLimits.h"

namespace moravel {
namespace {

constexpr uint8_t kSignature[8] = {137, 'P', 'N', 'G', 13, 10, 26, 10};
// libpng refuses larger chunks (besides image data) at the limit the codec
// gives it; beyond these, the file is left to libpng.
constexpr uint32_t kMaxChunkBytes = 8u << 20;
constexpr int kMaxChunks = 1000;
// Larger image data is left to libpng, which inflates it row by row straight
// into the picture: inflated in one go here, it would need a buffer as large
// as the picture beside it (800 MB at a peak instead of 400 MB for 100
// megapixels), and at such sizes the one go is no quicker on photo-like data.
constexpr size_t kMaxInflatedBytes = size_t(64) << 20;

bool ChunkNameValid(const uint8_t* name) {
  for (int i = 0; i < 4; ++i) {
    const uint8_t c = name[i];
    if (c < 'A' || c > 'z' || (c > 'Z' && c < 'a')) return false;
  }
  return true;
}

// Undoes the filter of one row in place; `prev` is the row above, unfiltered
// (zeros for the first), kBpp 3 or 4 bytes a pixel. Both may be read a byte
// past their end. False for an unknown filter.
template <size_t kBpp>
bool Unfilter(uint8_t filter, uint8_t* row, const uint8_t* prev, size_t bytes) {
  constexpr size_t bpp = kBpp;
  switch (filter) {
    case 0:
      return true;
    case 1:
      for (size_t i = bpp; i < bytes; ++i) row[i] = uint8_t(row[i] + row[i - bpp]);
      return true;
    case 2:
      for (size_t i = 0; i < bytes; ++i) row[i] = uint8_t(row[i] + prev[i]);
      return true;
    case 3:
      for (size_t i = 0; i < bpp; ++i) row[i] = uint8_t(row[i] + (prev[i] >> 1));
      for (size_t i = bpp; i < bytes; ++i)
        row[i] = uint8_t(row[i] + ((unsigned(row[i - bpp]) + prev[i]) >> 1));
      return true;
    case 4: {
#if defined(__SSE2__)
      // One pixel at a time in 16-bit lanes: left a, up b, up-left c.
      const __m128i zero = _mm_setzero_si128();
      __m128i a = zero, c = zero;
      auto abs16 = [&](__m128i v) { return _mm_max_epi16(v, _mm_sub_epi16(zero, v)); };
      for (size_t i = 0; i < bytes; i += bpp) {
        // Whole words are read (a fourth byte that no lane stored uses);
        // only the pixel's bytes are written.
        uint32_t upWord, rawWord;
        std::memcpy(&upWord, prev + i, 4);
        std::memcpy(&rawWord, row + i, 4);
        const __m128i b = _mm_unpacklo_epi8(_mm_cvtsi32_si128(int(upWord)), zero);
        const __m128i pa = abs16(_mm_sub_epi16(b, c)), pb = abs16(_mm_sub_epi16(a, c));
        const __m128i pc = abs16(_mm_sub_epi16(_mm_add_epi16(a, b), _mm_add_epi16(c, c)));
        const __m128i least = _mm_min_epi16(pa, _mm_min_epi16(pb, pc));
        // a when pa is least, else b when pb is, else c (the order ties take).
        const __m128i takeA = _mm_cmpeq_epi16(least, pa);
        const __m128i takeB = _mm_andnot_si128(takeA, _mm_cmpeq_epi16(least, pb));
        const __m128i takeC = _mm_andnot_si128(_mm_or_si128(takeA, takeB), _mm_set1_epi16(-1));
        const __m128i guess =
            _mm_or_si128(_mm_or_si128(_mm_and_si128(takeA, a), _mm_and_si128(takeB, b)),
                         _mm_and_si128(takeC, c));
        const __m128i pixel =
            _mm_add_epi8(_mm_packus_epi16(guess, zero), _mm_cvtsi32_si128(int(rawWord)));
        const uint32_t out = uint32_t(_mm_cvtsi128_si32(pixel));
        std::memcpy(row + i, &out, bpp);
        a = _mm_unpacklo_epi8(pixel, zero);
        c = b;
      }
#else
      for (size_t i = 0; i < bytes; ++i) {
        const int a = i >= bpp ? row[i - bpp] : 0, b = prev[i], c = i >= bpp ? prev[i - bpp] : 0;
        const int pa = b > c ? b - c : c - b, pb = a > c ? a - c : c - a;
        const int pc = a + b - 2 * c > 0 ? a + b - 2 * c : 2 * c - a - b;
        row[i] = uint8_t(row[i] + (pa <= pb && pa <= pc ? a : pb <= pc ? b : c));
      }
#endif
      return true;
    }
    default:
      return false;
  }
}

struct FreeDecompressor {
  void operator()(libdeflate_decompressor* d) const { libdeflate_free_decompressor(d); }
};

std::optional<Bitmap> Decode(std::span<const uint8_t> bytes, const PictureLimits& limits) {
  if (bytes.size() < 8 || std::memcmp(bytes.data(), kSignature, 8) != 0) return std::nullopt;
  const uint8_t* const p = bytes.data();
  uint32_t width = 0, height = 0;
  size_t bpp = 0;  // bytes a pixel: 4 RGBA, 3 RGB
  std::vector<std::span<const uint8_t>> idat;
  size_t idatBytes = 0;
  bool idatClosed = false;
  size_t at = 8;
  for (int chunks = 0;; ++chunks) {
    if (chunks == kMaxChunks || bytes.size() - at < 12) return std::nullopt;  // no IEND
    const uint32_t length = BigEndian32(p + at);
    const uint8_t* name = p + at + 4;
    const uint8_t* data = name + 4;
    if (length > kMaxChunkBytes || length > bytes.size() - at - 12) return std::nullopt;
    if (!ChunkNameValid(name)) return std::nullopt;
    if (libdeflate_crc32(0, name, size_t(length) + 4) != BigEndian32(data + length))
      return std::nullopt;
    at += size_t(length) + 12;
    const std::string_view type(reinterpret_cast<const char*>(name), 4);
    if (chunks == 0) {
      // 8 bits a sample; colour type 6 (RGBA) or 2 (RGB); no interlacing.
      if (type != "IHDR" || length != 13) return std::nullopt;
      width = BigEndian32(data), height = BigEndian32(data + 4);
      if (!limits.Allows(width, height) || data[8] != 8 || data[10] != 0 || data[11] != 0 ||
          data[12] != 0)
        return std::nullopt;
      if (data[9] == 6) {
        bpp = 4;
      } else if (data[9] == 2) {
        bpp = 3;
      } else {
        return std::nullopt;
      }
      if ((size_t(width) * bpp + 1) * height > kMaxInflatedBytes) return std::nullopt;
      continue;
    }
    if (type == "IDAT") {
      if (idatClosed) return std::nullopt;
      idat.emplace_back(data, length);
      idatBytes += length;
      continue;
    }
    idatClosed = !idat.empty();
    if (type == "IEND") {
      if (length != 0 || idat.empty()) return std::nullopt;
      break;
    }
    // A palette, a transparency key or another critical chunk: libpng's.
    if (type == "PLTE" || type == "tRNS" || (name[0] & 0x20) == 0) return std::nullopt;
  }

  // The image data inflated in one go: a filter byte and the samples per row.
  const size_t rowBytes = size_t(width) * bpp;
  const size_t rawBytes = (rowBytes + 1) * height;
  std::vector<uint8_t> joined;
  std::span<const uint8_t> stream = idat.front();
  if (idat.size() > 1) {
    joined.reserve(idatBytes);
    for (std::span<const uint8_t> part : idat)
      joined.insert(joined.end(), part.begin(), part.end());
    stream = joined;
  }
  const std::unique_ptr<libdeflate_decompressor, FreeDecompressor> inflater(
      libdeflate_alloc_decompressor());
  if (!inflater) return std::nullopt;
  const auto raw = std::make_unique_for_overwrite<uint8_t[]>(rawBytes + 1);  // a byte to read past
  size_t consumed = 0;
  // Exactly rawBytes out (more or less is an error) from all of the stream.
  if (libdeflate_zlib_decompress_ex(inflater.get(), stream.data(), stream.size(), raw.get(),
                                    rawBytes, &consumed, nullptr) != LIBDEFLATE_SUCCESS ||
      consumed != stream.size())
    return std::nullopt;

  std::optional<Bitmap> picture = Bitmap::CreateForOverwrite(int(width), int(height));
  if (!picture) return std::nullopt;
  const std::vector<uint8_t> zeros(rowBytes + 1, 0);
  const uint8_t* prev = zeros.data();
  for (uint32_t y = 0; y < height; ++y) {
    uint8_t* row = raw.get() + size_t(y) * (rowBytes + 1);
    if (!(bpp == 4 ? Unfilter<4>(row[0], row + 1, prev, rowBytes)
                   : Unfilter<3>(row[0], row + 1, prev, rowBytes)))
      return std::nullopt;
    uint8_t* out = picture->row(int(y));
    if (bpp == 4) {
      std::memcpy(out, row + 1, rowBytes);
    } else {
      for (uint32_t x = 0; x < width; ++x) {
        out[4 * x] = row[1 + 3 * x];
        out[4 * x + 1] = row[2 + 3 * x];
        out[4 * x + 2] = row[3 + 3 * x];
        out[4 * x + 3] = 255;
      }
    }
    prev = row + 1;
  }
  return picture;
}

}  // namespace

std::optional<Bitmap> DecodePlainPng(std::span<const uint8_t> bytes, const PictureLimits& limits) {
  try {
    return Decode(bytes, limits);
  } catch (const std::bad_alloc&) {
    return std::nullopt;  // libpng tries, and tells
  }
}

}  // namespace moravel
