#pragma once
// What every picture decoder returns: a picture, or why there is none.

#include <optional>
#include <string>
#include <utility>

#include "raster/Bitmap.h"

namespace moravel {

struct DecodeResult {
  std::optional<Bitmap> picture;  // set on success
  std::string error;              // set on failure, short and human-readable

  bool ok() const { return picture.has_value(); }
  static DecodeResult Success(Bitmap b) { return {std::move(b), {}}; }
  static DecodeResult Failure(std::string why) { return {std::nullopt, std::move(why)}; }
};

}  // namespace moravel
