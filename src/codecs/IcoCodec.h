#pragma once
// Windows icons (.ico): BMP entries with their AND mask, and PNG entries. The
// entry helpers serve icon files and the icon resources of executables alike.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "base/Result.h"
#include "codecs/PictureLimits.h"
#include "raster/Bitmap.h"

namespace moravel {

// One image of an icon: its bytes and the size and depth its own data states
// (the sizes an icon directory or group repeats are often wrong or 0).
struct IconEntry {
  std::span<const uint8_t> data;  // borrowed from the caller
  int width = 0, height = 0;      // pixels, each 1 to kMaxPictureSide
  int bits = 0;                   // per pixel (PNG: sample depth times channels)
  bool png = false;
};

// Reads the size and depth at the start of an entry's bytes (only the first 26
// are looked at, so a prefix of the entry will do). Nothing when they are
// missing or the size is out of the decoders' limits (PictureLimits.h).
std::optional<IconEntry> ExamineIconEntry(std::span<const uint8_t> data);

// A DIB entry (with its AND mask: the mask gives the shape only when no pixel
// has alpha) or a PNG entry, decoded at its own size; one over `limits` fails.
Result<Bitmap> DecodeIconEntry(std::span<const uint8_t> data, const PictureLimits& limits = {});

// The index of the entry nearest size x size: smallest |w - size| + |h - size|,
// ties: more bits per pixel, then the larger, then the first. `entries` must
// not be empty.
size_t PickIconEntry(std::span<const IconEntry> entries, int size);

// The icon file readers pass over entries whose size is over `limits`.

// Decodes the best entry of an icon file: the largest, then the deepest colour.
Result<Bitmap> DecodeIco(std::span<const uint8_t> bytes, const PictureLimits& limits = {});

// The entry nearest size x size (as PickIconEntry), decoded at its own size.
Result<Bitmap> DecodeIcoNearest(std::span<const uint8_t> bytes, int size,
                                const PictureLimits& limits = {});

}  // namespace moravel
