#include "codecs/PictureFile.h"

#include <utility>
#include <vector>

#include "codecs/BmpCodec.h"
#include "codecs/CodecError.h"
#include "codecs/GifCodec.h"
#include "codecs/IcoCodec.h"
#include "codecs/JpegCodec.h"
#include "codecs/PngCodec.h"
#include "settings/FileIo.h"
#include "settings/Utf8Path.h"

namespace moravel {
namespace {

bool SameLetters(std::string_view a, std::string_view lowerCase) {
  if (a.size() != lowerCase.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char c = a[i];
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    if (c != lowerCase[i]) return false;
  }
  return true;
}

}  // namespace

PictureFormat PictureFormatForName(std::string_view fileName) {
  size_t slash = fileName.find_last_of("/\\");
  if (slash != std::string_view::npos) fileName.remove_prefix(slash + 1);
  size_t dot = fileName.rfind('.');
  if (dot == std::string_view::npos) return PictureFormat::Unknown;
  std::string_view ext = fileName.substr(dot + 1);
  struct Known {
    std::string_view ext;
    PictureFormat format;
  };
  static constexpr Known kKnown[] = {
      {"bmp", PictureFormat::Bmp},  {"ico", PictureFormat::Ico},   {"emf", PictureFormat::Emf},
      {"wmf", PictureFormat::Wmf},  {"png", PictureFormat::Png},   {"gif", PictureFormat::Gif},
      {"jpg", PictureFormat::Jpeg}, {"jpeg", PictureFormat::Jpeg},
  };
  for (const Known& k : kKnown)
    if (SameLetters(ext, k.ext)) return k.format;
  return PictureFormat::Unknown;
}

PictureFormat PictureFormatOfBytes(std::span<const uint8_t> bytes) {
  struct Signature {
    std::string_view bytes;
    PictureFormat format;
  };
  using namespace std::string_view_literals;
  static constexpr Signature kSignatures[] = {
      {"\x89PNG\r\n\x1a\n"sv, PictureFormat::Png},
      {"\xff\xd8\xff"sv, PictureFormat::Jpeg},
      {"GIF87a"sv, PictureFormat::Gif},
      {"GIF89a"sv, PictureFormat::Gif},
      {"BM"sv, PictureFormat::Bmp},
      {"\0\0\1\0"sv, PictureFormat::Ico},  // reserved 0, type 1 (icon)
  };
  const std::string_view head(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  for (const Signature& s : kSignatures)
    if (head.starts_with(s.bytes)) return s.format;
  return PictureFormat::Unknown;
}

Result<Bitmap> DecodePicture(PictureFormat format, std::span<const uint8_t> bytes,
                             const PictureLimits& limits) {
  switch (format) {
    case PictureFormat::Bmp:
      return DecodeBmp(bytes, limits);
    case PictureFormat::Ico:
      return DecodeIco(bytes, limits);
    case PictureFormat::Png:
      return DecodePng(bytes, limits);
    case PictureFormat::Gif:
      return DecodeGif(bytes, limits);
    case PictureFormat::Jpeg:
      return DecodeJpeg(bytes, limits);
    case PictureFormat::Emf:
    case PictureFormat::Wmf:
      return Unsupported("metafiles are not supported on this platform");
    case PictureFormat::Unknown:
      break;
  }
  return Unsupported("unknown picture format");
}

Result<std::vector<uint8_t>> ReadPictureFileBytes(const std::filesystem::path& path) {
  Result<FileBytes> read = ReadWholeFile(path, kMaxPictureFileBytes);
  if (read) return std::move(read->bytes);
  if (read.error().kind == ErrorKind::kNotFound)
    return Error{ErrorKind::kNotFound, "cannot open " + Utf8Of(path)};
  return read.error();
}

Result<Bitmap> LoadPictureFile(const std::filesystem::path& path, PictureFormat format,
                               const PictureLimits& limits) {
  if (format == PictureFormat::Unknown || format == PictureFormat::Emf ||
      format == PictureFormat::Wmf)
    return DecodePicture(format, {});  // fails without reading the file
  Result<std::vector<uint8_t>> bytes = ReadPictureFileBytes(path);
  if (!bytes) return bytes.error();
  return DecodePicture(format, *bytes, limits);
}

Result<Bitmap> LoadPictureFile(const std::filesystem::path& path) {
  Result<std::vector<uint8_t>> bytes = ReadPictureFileBytes(path);
  if (!bytes) return bytes.error();
  PictureFormat format = PictureFormatOfBytes(*bytes);
  if (format == PictureFormat::Unknown) format = PictureFormatForName(Utf8Of(path.filename()));
  return DecodePicture(format, *bytes);
}

}  // namespace moravel
