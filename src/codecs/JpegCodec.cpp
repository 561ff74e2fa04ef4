#include "codecs/JpegCodec.h"

// jpeglib.h needs size_t and FILE declared first.
#include <jerror.h>
#include <jpeglib.h>

#include <algorithm>
#include <csetjmp>
#include <cstddef>
#include <cstdio>

#include "codecs/CodecError.h"
#include "codecs/PictureLimits.h"

// libjpeg reports errors through error_exit, which here longjmps back to
// ReadJpeg. ReadJpeg keeps no C++ object with a destructor in its frame (the
// Bitmap belongs to the caller), so the jump never skips a destructor.

namespace moravel {
namespace {

constexpr int kMaxScans = 500;                  // progressive files with more are hostile
constexpr long kMaxLibjpegMemory = 512L << 20;  // bytes libjpeg may hold for one picture
// And at most this much for each pixel the limits allow: a progressive file
// keeps its coefficients for the whole picture (3 to 6 bytes a pixel) even
// when it is decoded reduced.
constexpr long kLibjpegBytesPerPixel = 8;

// Error and progress handling for one decode. `error` must stay the first
// member: the callbacks find this struct through cinfo->err.
struct JpegContext {
  jpeg_error_mgr error;
  jpeg_progress_mgr progress;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX + 8];
  ErrorKind kind;  // of the error in `message`
};

JpegContext& ContextOf(j_common_ptr cinfo) {
  return *reinterpret_cast<JpegContext*>(cinfo->err);
}

[[noreturn]] void Fail(j_common_ptr cinfo, const char* what,
                       ErrorKind kind = ErrorKind::kMalformed) {
  JpegContext& ctx = ContextOf(cinfo);
  std::snprintf(ctx.message, sizeof ctx.message, "JPEG: %s", what);
  ctx.kind = kind;
  std::longjmp(ctx.jump, 1);
}

[[noreturn]] void OnError(j_common_ptr cinfo) {
  char text[JMSG_LENGTH_MAX];
  (*cinfo->err->format_message)(cinfo, text);
  Fail(cinfo, text);
}

// Warnings are silent, except that running out of data is an error: libjpeg
// would otherwise pad a truncated file with grey and call it a picture.
void OnMessage(j_common_ptr cinfo, int level) {
  if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) Fail(cinfo, "file is truncated");
  if (level < 0) cinfo->err->num_warnings++;
}

void OnProgress(j_common_ptr cinfo) {
  if (!cinfo->is_decompressor) return;
  if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans) {
    Fail(cinfo, "too many scans");
  }
}

inline uint8_t Scale(unsigned a, unsigned b) {
  return uint8_t((a * b + 127) / 255);
}

// Turns CMYK rows (4 bytes a pixel, read in place into the picture) into RGBA.
// Files with an Adobe marker store the inks inverted (255 means no ink).
void CmykToRgba(Bitmap& picture, bool adobeInverted) {
  uint8_t* p = picture.data();
  for (size_t i = 0, n = picture.byteCount() / 4; i < n; ++i, p += 4) {
    unsigned c = p[0], m = p[1], y = p[2], k = p[3];
    if (!adobeInverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
    p[0] = Scale(c, k);
    p[1] = Scale(m, k);
    p[2] = Scale(y, k);
    p[3] = 255;
  }
}

// The largest of 1, 2, 4 and 8 that, dividing the picture's sides, leaves
// both at least `minSide` pixels (1 when minSide is 0). Powers of two are
// libjpeg's quickest reduced decodes.
unsigned ScaleDenominator(unsigned width, unsigned height, int minSide) {
  if (minSide <= 0) return 1;
  const unsigned shorter = width < height ? width : height;
  unsigned denom = 1;
  while (denom < 8 && shorter / (denom * 2) >= unsigned(minSide)) denom *= 2;
  return denom;
}

// Decodes into `out`. On failure returns false with ctx.message set.
bool ReadJpeg(jpeg_decompress_struct& cinfo, JpegContext& ctx, std::span<const uint8_t> bytes,
              const PictureLimits& limits, std::optional<Bitmap>& out) {
  if (setjmp(ctx.jump)) return false;
  jpeg_create_decompress(&cinfo);
  cinfo.mem->max_memory_to_use =
      long(std::min<int64_t>(kMaxLibjpegMemory, limits.maxPixels * kLibjpegBytesPerPixel));
  cinfo.progress = &ctx.progress;
  jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&cinfo, TRUE);
  if (!PictureSizeAllowed(cinfo.image_width, cinfo.image_height)) {
    Fail(reinterpret_cast<j_common_ptr>(&cinfo), "picture is too large", ErrorKind::kTooLarge);
  }
  const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_RGBA;
  cinfo.scale_num = 1;
  cinfo.scale_denom = ScaleDenominator(cinfo.image_width, cinfo.image_height, limits.jpegMinSide);
  jpeg_calc_output_dimensions(&cinfo);
  if (!limits.Allows(cinfo.output_width, cinfo.output_height)) {
    Fail(reinterpret_cast<j_common_ptr>(&cinfo), "picture is too large", ErrorKind::kTooLarge);
  }
  jpeg_start_decompress(&cinfo);
  if (cinfo.output_components != 4 || !limits.Allows(cinfo.output_width, cinfo.output_height)) {
    Fail(reinterpret_cast<j_common_ptr>(&cinfo), "unexpected output layout");
  }
  // Every row is written below (a short file's missing rows by the library).
  out = Bitmap::CreateForOverwrite(int(cinfo.output_width), int(cinfo.output_height));
  if (!out) Fail(reinterpret_cast<j_common_ptr>(&cinfo), "out of memory", ErrorKind::kFailed);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = out->row(int(cinfo.output_scanline));
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  if (cmyk) CmykToRgba(*out, cinfo.saw_Adobe_marker);
  return true;
}

}  // namespace

Result<Bitmap> DecodeJpeg(std::span<const uint8_t> bytes, const PictureLimits& limits) {
  if (bytes.empty()) return Error{ErrorKind::kEmpty, "JPEG: empty file"};
  JpegContext ctx{};
  jpeg_decompress_struct cinfo{};
  cinfo.err = jpeg_std_error(&ctx.error);
  ctx.error.error_exit = OnError;
  ctx.error.emit_message = OnMessage;
  ctx.progress.progress_monitor = OnProgress;
  std::optional<Bitmap> picture;
  const bool ok = ReadJpeg(cinfo, ctx, bytes, limits, picture);
  jpeg_destroy_decompress(&cinfo);
  if (!ok) return Error{ctx.kind, ctx.message};
  return std::move(*picture);
}

}  // namespace moravel
