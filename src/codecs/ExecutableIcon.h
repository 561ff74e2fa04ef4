#pragma once
// The icon of a Windows executable (.exe, .dll), read by our own bounded
// parser of the PE format (PeResourceTree): the first icon group in
// directory order (named groups are stored before numbered ones), its first
// language, the group's image nearest the asked size (PickIconEntry, by the
// size and depth each image's own data states), decoded and scaled to exactly
// that size with the Lanczos stretch. An image that fails to decode gives way
// to the next nearest (a few times at most).
//
// The file is read by ranges at positions, never whole; one image is read
// only when it is to be decoded, and images over kMaxExecutableIconBytes or
// 2048 pixels a side are skipped. Keeps no state between calls.

#include <cstdint>
#include <filesystem>

#include "base/Result.h"
#include "codecs/ByteSource.h"
#include "raster/Bitmap.h"

namespace moravel {

inline constexpr int kMaxExecutableIconSize = 1024;            // pixels a side
inline constexpr uint32_t kMaxExecutableIconBytes = 4u << 20;  // one stored image

// The icon, size x size RGBA; or kEmpty for a readable executable with no
// usable icon group (no icon), kMalformed for a file that is no PE file or
// whose headers cannot be read (the message says which), kUnsupported for a
// size out of range, and for a path the kind of why it cannot be read
// (kNotFound, kNotAFile, ...).
// `size`: pixels a side, 1 to kMaxExecutableIconSize.
Result<Bitmap> ReadExecutableIcon(const ByteSource& file, int size);
Result<Bitmap> ReadExecutableIcon(const std::filesystem::path& path, int size);

}  // namespace moravel
