#pragma once
// Loading a picture file: its first bytes pick the decoder (PNG, JPEG, GIF,
// BMP, ICO), so a file whose extension lies still loads; bytes none of those
// show leave it to the extension, in any case (bmp, ico, emf, wmf, png, gif,
// jpg, jpeg). Any other extension, and EMF/WMF on this platform, is a clean
// failure.
//
// Every decoder gives the picture or an Error whose kind says why not:
// kMalformed for damaged bytes, kUnsupported for a variant that is not read
// (and EMF/WMF), kTooLarge for a picture over the limits, kEmpty for a file
// with no picture in it, kFailed when memory ran out; a file that cannot be
// read keeps the kind of the read (kNotFound, kNotAFile, ...).

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/Result.h"
#include "codecs/PictureLimits.h"
#include "raster/Bitmap.h"

namespace moravel {

enum class PictureFormat { Unknown, Bmp, Ico, Emf, Wmf, Png, Gif, Jpeg };

PictureFormat PictureFormatForName(std::string_view fileName);

// The format the first bytes of a file show; Unknown when they show none of
// PNG, JPEG, GIF, BMP and ICO (EMF and WMF are never recognised so).
PictureFormat PictureFormatOfBytes(std::span<const uint8_t> bytes);

// Decodes bytes already read, as the format says, within `limits`.
Result<Bitmap> DecodePicture(PictureFormat format, std::span<const uint8_t> bytes,
                             const PictureLimits& limits = {});

// Reads a file and decodes it as its bytes show, else as its name says.
// Files larger than 256 MiB are refused unread.
Result<Bitmap> LoadPictureFile(const std::filesystem::path& path);

// The same with the format given instead of taken from the name, within `limits`.
Result<Bitmap> LoadPictureFile(const std::filesystem::path& path, PictureFormat format,
                               const PictureLimits& limits = {});

// The bytes of a regular file of at most 256 MiB; an error for a missing path
// (kNotFound), a folder, a FIFO or device (kNotAFile, refused without
// waiting), a larger file (kTooLarge) or a failed read.
Result<std::vector<uint8_t>> ReadPictureFileBytes(const std::filesystem::path& path);

}  // namespace moravel
