#pragma once
// Loading a picture file the way skins name them: the extension, in any case,
// picks the decoder (bmp, ico, emf, wmf, png, gif, jpg, jpeg). Any other
// extension, and EMF/WMF on this platform, is a clean failure.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "codecs/DecodeResult.h"
#include "codecs/PictureLimits.h"

namespace moravel {

enum class PictureFormat { Unknown, Bmp, Ico, Emf, Wmf, Png, Gif, Jpeg };

PictureFormat PictureFormatForName(std::string_view fileName);

// Decodes bytes already read, as the format says, within `limits`.
DecodeResult DecodePicture(PictureFormat format, std::span<const uint8_t> bytes,
                           const PictureLimits& limits = {});

// Reads and decodes a file. Files larger than 256 MiB are refused unread.
DecodeResult LoadPictureFile(const std::filesystem::path& path);

// The same with the format given instead of taken from the name, within `limits`.
DecodeResult LoadPictureFile(const std::filesystem::path& path, PictureFormat format,
                             const PictureLimits& limits = {});

// The bytes of a regular file of at most 256 MiB; nothing (with `error` set)
// for a missing path, a folder, a FIFO or device (refused without waiting), a
// larger file or a failed read.
std::optional<std::vector<uint8_t>> ReadPictureFileBytes(const std::filesystem::path& path,
                                                         std::string& error);

}  // namespace moravel
