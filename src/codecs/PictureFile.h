#pragma once
// Loading a picture file the way skins name them: the extension, in any case,
// picks the decoder (bmp, ico, emf, wmf, png, gif, jpg, jpeg). Any other
// extension, and EMF/WMF on this platform, is a clean failure.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

#include "codecs/DecodeResult.h"

namespace moravel {

enum class PictureFormat { Unknown, Bmp, Ico, Emf, Wmf, Png, Gif, Jpeg };

PictureFormat PictureFormatForName(std::string_view fileName);

// Decodes bytes already read, as the format says.
DecodeResult DecodePicture(PictureFormat format, std::span<const uint8_t> bytes);

// Reads and decodes a file. Files larger than 256 MiB are refused unread.
DecodeResult LoadPictureFile(const std::filesystem::path& path);

}  // namespace moravel
