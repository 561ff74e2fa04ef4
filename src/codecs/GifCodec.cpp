#include "codecs/GifCodec.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "codecs/CodecError.h"
#include "codecs/PictureLimits.h"

// Reads records one at a time up to the first image instead of slurping the
// whole file, so later frames cost neither time nor memory.

namespace moravel {
namespace {

struct GifSource {
  std::span<const uint8_t> bytes;
  size_t pos = 0;
};

int ReadBytes(GifFileType* gif, GifByteType* to, int count) {
  auto* src = static_cast<GifSource*>(gif->UserData);
  const size_t n = std::min(size_t(count < 0 ? 0 : count), src->bytes.size() - src->pos);
  // An empty span may hold no pointer at all, and memcpy wants one even for 0 bytes.
  if (n == 0) return 0;
  std::memcpy(to, src->bytes.data() + src->pos, n);
  src->pos += n;
  return int(n);
}

void CloseGif(GifFileType* gif) {
  int ignored = 0;
  DGifCloseFile(gif, &ignored);
}

Error GifFailure(const char* what, ErrorKind kind = ErrorKind::kMalformed) {
  return Error{kind, std::string("GIF: ") + what};
}

Error LibraryFailure(int code) {
  const char* text = GifErrorString(code);
  return GifFailure(text ? text : "unreadable file",
                    code == D_GIF_ERR_NOT_ENOUGH_MEM ? ErrorKind::kFailed : ErrorKind::kMalformed);
}

// The transparent index of a Graphics Control Extension, or -1.
int TransparentIndex(const GifByteType* ext) {
  GraphicsControlBlock gcb{};
  if (!ext || DGifExtensionToGCB(ext[0], ext + 1, &gcb) != GIF_OK) return -1;
  return gcb.TransparentColor;  // NO_TRANSPARENT_COLOR is -1
}

// Row of the picture that the `n`th row in the file belongs to, for a frame of
// `height` rows stored in the four interlace passes.
int InterlacedRow(int n, int height) {
  static constexpr int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass) {
    const int rows =
        height > kStart[pass] ? (height - kStart[pass] + kStep[pass] - 1) / kStep[pass] : 0;
    if (n < rows) return kStart[pass] + n * kStep[pass];
    n -= rows;
  }
  return -1;  // not reached for n < height
}

// Decodes the image whose descriptor giflib just read onto a transparent
// canvas covering the logical screen (grown if the frame reaches past it).
Result<Bitmap> ReadFrame(GifFileType* gif, int transparent, const PictureLimits& limits) {
  const GifImageDesc& desc = gif->Image;
  if (!limits.Allows(desc.Width, desc.Height) || desc.Left < 0 || desc.Top < 0) {
    return GifFailure("frame is too large", ErrorKind::kTooLarge);
  }
  const ColorMapObject* colors = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
  if (!colors || !colors->Colors || colors->ColorCount <= 0) return GifFailure("no colour map");
  const int64_t width = std::max<int64_t>(gif->SWidth, int64_t(desc.Left) + desc.Width);
  const int64_t height = std::max<int64_t>(gif->SHeight, int64_t(desc.Top) + desc.Height);
  if (!limits.Allows(width, height))
    return GifFailure("picture is too large", ErrorKind::kTooLarge);
  std::optional<Bitmap> canvas = Bitmap::Create(int(width), int(height));
  if (!canvas) return GifFailure("out of memory", ErrorKind::kFailed);

  std::vector<GifPixelType> line(size_t(desc.Width));
  for (int n = 0; n < desc.Height; ++n) {
    if (DGifGetLine(gif, line.data(), desc.Width) != GIF_OK) return LibraryFailure(gif->Error);
    const int y = desc.Interlace ? InterlacedRow(n, desc.Height) : n;
    uint8_t* px = canvas->row(desc.Top + y) + size_t(desc.Left) * 4;
    for (int x = 0; x < desc.Width; ++x, px += 4) {
      const int index = line[size_t(x)];
      if (index == transparent) continue;  // the canvas is already clear
      if (index >= colors->ColorCount) {
        px[0] = px[1] = px[2] = 0, px[3] = 255;  // outside the map: opaque black
        continue;
      }
      const GifColorType& c = colors->Colors[index];
      px[0] = c.Red, px[1] = c.Green, px[2] = c.Blue, px[3] = 255;
    }
  }
  return std::move(*canvas);
}

}  // namespace

Result<Bitmap> DecodeGif(std::span<const uint8_t> bytes, const PictureLimits& limits) {
  GifSource src{bytes};
  int error = 0;
  std::unique_ptr<GifFileType, decltype(&CloseGif)> handle(DGifOpen(&src, ReadBytes, &error),
                                                           CloseGif);
  GifFileType* gif = handle.get();
  if (!gif) return LibraryFailure(error);
  if (!limits.Allows(std::max(gif->SWidth, 1), std::max(gif->SHeight, 1))) {
    return GifFailure("picture is too large", ErrorKind::kTooLarge);
  }

  int transparent = -1;  // from the control block just before the first image
  for (;;) {
    GifRecordType record = UNDEFINED_RECORD_TYPE;
    if (DGifGetRecordType(gif, &record) != GIF_OK) return LibraryFailure(gif->Error);
    if (record == IMAGE_DESC_RECORD_TYPE) {
      if (DGifGetImageDesc(gif) != GIF_OK) return LibraryFailure(gif->Error);
      return ReadFrame(gif, transparent, limits);
    }
    if (record != EXTENSION_RECORD_TYPE) return GifFailure("no image in file", ErrorKind::kEmpty);
    int code = 0;
    GifByteType* ext = nullptr;
    if (DGifGetExtension(gif, &code, &ext) != GIF_OK) return LibraryFailure(gif->Error);
    if (code == GRAPHICS_EXT_FUNC_CODE) transparent = TransparentIndex(ext);
    while (ext) {
      if (DGifGetExtensionNext(gif, &ext) != GIF_OK) return LibraryFailure(gif->Error);
    }
  }
}

}  // namespace moravel
