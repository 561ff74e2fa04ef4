#include "codecs/PngCodec.h"

#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <new>

#include "codecs/ByteReader.h"
#include "codecs/CodecError.h"
#include "codecs/PictureLimits.h"
#include "codecs/PlainPngDecoder.h"

// libpng reports errors by longjmp. The functions that call setjmp keep no
// C++ object with a destructor in their own frame: the Bitmap and the output
// vector belong to the caller, and the callbacks below only touch plain
// structs, so a longjmp never skips a destructor.

namespace moravel {
namespace {

// The bytes being read and the first error libpng reported. Plain data only.
struct PngSource {
  const uint8_t* data;
  size_t size;
  size_t pos;
  char message[160];
  ErrorKind kind;  // of the error in `message`
};

// Where an encoder writes. `out` is the caller's vector.
struct PngSink {
  std::vector<uint8_t>* out;
  char message[160];
};

void KeepMessage(char (&to)[160], png_const_charp what) {
  std::snprintf(to, sizeof to, "PNG: %s", what ? what : "unknown error");
}

[[noreturn]] void OnReadError(png_structp png, png_const_charp what) {
  KeepMessage(static_cast<PngSource*>(png_get_error_ptr(png))->message, what);
  png_longjmp(png, 1);
}

[[noreturn]] void OnWriteError(png_structp png, png_const_charp what) {
  KeepMessage(static_cast<PngSink*>(png_get_error_ptr(png))->message, what);
  png_longjmp(png, 1);
}

void IgnoreWarning(png_structp, png_const_charp) {}

void ReadBytes(png_structp png, png_bytep to, size_t count) {
  auto* src = static_cast<PngSource*>(png_get_io_ptr(png));
  if (count > src->size - src->pos) png_error(png, "file is truncated");
  std::memcpy(to, src->data + src->pos, count);
  src->pos += count;
}

void WriteBytes(png_structp png, png_bytep from, size_t count) {
  auto* sink = static_cast<PngSink*>(png_get_io_ptr(png));
  bool stored = true;
  try {
    sink->out->insert(sink->out->end(), from, from + count);
  } catch (const std::bad_alloc&) {
    stored = false;
  }
  if (!stored) png_error(png, "out of memory");
}

void FlushNothing(png_structp) {}

// Asks libpng for 8-bit RGBA rows whatever the file holds. Stored sample
// values are kept: gAMA, cHRM, sRGB and bKGD are not applied.
// Returns the number of interlace passes.
int RequestRgba8(png_structp png, png_infop info) {
  const int colorType = png_get_color_type(png, info);
  const int depth = png_get_bit_depth(png, info);
  if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if ((colorType & PNG_COLOR_MASK_COLOR) == 0 && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
  const bool keyed = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  if (keyed) png_set_tRNS_to_alpha(png);
  if (depth == 16) png_set_scale_16(png);
  if ((colorType & PNG_COLOR_MASK_COLOR) == 0) png_set_gray_to_rgb(png);
  if ((colorType & PNG_COLOR_MASK_ALPHA) == 0 && !keyed)
    png_set_add_alpha(png, 0xff, PNG_FILLER_AFTER);
  return png_set_interlace_handling(png);
}

// Reads the whole file into `out`. On failure returns false with the reason in
// src.message; `out` may then hold a partly filled picture.
bool ReadPng(png_structp png, png_infop info, PngSource& src, const PictureLimits& limits,
             std::optional<Bitmap>& out) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_read_fn(png, &src, ReadBytes);
  png_set_user_limits(png, kMaxPictureSide, kMaxPictureSide);
  png_set_chunk_cache_max(png, 128);
  png_set_chunk_malloc_max(png, 8u << 20);
  // Corrupt files are refused: a bad CRC on any chunk, critical or not, is an error.
  png_set_crc_action(png, PNG_CRC_ERROR_QUIT, PNG_CRC_ERROR_QUIT);
  png_read_info(png, info);

  const png_uint_32 width = png_get_image_width(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  if (!limits.Allows(width, height)) {
    src.kind = ErrorKind::kTooLarge;
    png_error(png, "picture is too large");
  }
  const int passes = RequestRgba8(png, info);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != size_t(width) * 4) png_error(png, "unexpected row layout");

  out = Bitmap::Create(int(width), int(height));
  if (!out) {
    src.kind = ErrorKind::kFailed;
    png_error(png, "out of memory");
  }
  // Every pass writes into the finished rows, so interlaced files need no
  // extra buffer: libpng merges each pass into what the row already holds.
  for (int pass = 0; pass < passes; ++pass) {
    for (png_uint_32 y = 0; y < height; ++y) png_read_row(png, out->row(int(y)), nullptr);
  }
  // Reading on to IEND refuses truncated files and bad CRCs after the pixels.
  png_read_end(png, nullptr);
  return true;
}

bool WritePng(png_structp png, png_infop info, const Bitmap& picture, PngSpeed speed,
              PngSink& sink) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_write_fn(png, &sink, WriteBytes, FlushNothing);
  // An opaque picture is stored without its alpha: a quarter less to
  // compress, and the same pixels when read back.
  const bool opaque = picture.opaque();
  png_set_IHDR(png, info, png_uint_32(picture.width()), png_uint_32(picture.height()), 8,
               opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (speed == PngSpeed::Fast) {
    png_set_compression_level(png, 1);
    png_set_compression_strategy(png, Z_RLE);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
  } else {
    png_set_compression_level(png, Z_DEFAULT_COMPRESSION);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_ALL_FILTERS);
  }
  png_write_info(png, info);
  if (opaque) png_set_filler(png, 0, PNG_FILLER_AFTER);  // rows hold RGBA; A is dropped
  for (int y = 0; y < picture.height(); ++y) {
    png_write_row(png, picture.row(y));
  }
  png_write_end(png, nullptr);
  return true;
}

}  // namespace

Result<Bitmap> DecodePng(std::span<const uint8_t> bytes, const PictureLimits& limits) {
  if (std::optional<Bitmap> plain = DecodePlainPng(bytes, limits)) return std::move(*plain);
  return DecodePngWithLibpng(bytes, limits);
}

Result<Bitmap> DecodePngWithLibpng(std::span<const uint8_t> bytes, const PictureLimits& limits) {
  PngSource src{bytes.data(), bytes.size(), 0, {}, ErrorKind::kMalformed};
  if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0) {
    return Malformed("PNG: not a PNG file");
  }
  // libpng refuses these too (user limits), but only as "Invalid IHDR data".
  if (bytes.size() >= 24 && std::memcmp(&bytes[12], "IHDR", 4) == 0) {
    const uint32_t width = BigEndian32(&bytes[16]), height = BigEndian32(&bytes[20]);
    if (width != 0 && height != 0 && !limits.Allows(width, height)) {
      return TooLarge("PNG: picture is too large");
    }
  }
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &src, OnReadError, IgnoreWarning);
  if (!png) return Error{ErrorKind::kFailed, "PNG: out of memory"};
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return Error{ErrorKind::kFailed, "PNG: out of memory"};
  }
  std::optional<Bitmap> picture;
  const bool ok = ReadPng(png, info, src, limits, picture);
  png_destroy_read_struct(&png, &info, nullptr);
  if (!ok) return Error{src.kind, src.message};
  return std::move(*picture);
}

Result<std::vector<uint8_t>> EncodePng(const Bitmap& picture, PngSpeed speed) {
  if (picture.empty()) return Error{ErrorKind::kEmpty, "PNG: empty picture"};
  std::vector<uint8_t> out;
  PngSink sink{&out, {}};
  png_structp png =
      png_create_write_struct(PNG_LIBPNG_VER_STRING, &sink, OnWriteError, IgnoreWarning);
  if (!png) return Error{ErrorKind::kFailed, "PNG: out of memory"};
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return Error{ErrorKind::kFailed, "PNG: out of memory"};
  }
  const bool ok = WritePng(png, info, picture, speed, sink);
  png_destroy_write_struct(&png, &info);
  if (!ok) return Error{ErrorKind::kFailed, sink.message};
  return out;
}

}  // namespace moravel
