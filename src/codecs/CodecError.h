#pragma once
// Short spellings of the errors the picture readers return, for their own
// .cpp files.

#include <string>
#include <utility>

#include "base/Error.h"

namespace moravel {

// Bytes that do not follow their format.
inline Error Malformed(std::string message) {
  return Error{ErrorKind::kMalformed, std::move(message)};
}

// A well-formed variant of the format that is not read.
inline Error Unsupported(std::string message) {
  return Error{ErrorKind::kUnsupported, std::move(message)};
}

// A picture over the caller's limits, or too large to hold.
inline Error TooLarge(std::string message) {
  return Error{ErrorKind::kTooLarge, std::move(message)};
}

}  // namespace moravel
