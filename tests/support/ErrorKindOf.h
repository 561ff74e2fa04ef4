#pragma once
// The kind of a failed Result, or nothing for a success: one value to compare
// when a test expects a success or one kind of failure.

#include <optional>

#include "base/Result.h"

namespace moravel::test {

template <class T>
std::optional<ErrorKind> ErrorKindOf(const Result<T>& result) {
  if (result) return std::nullopt;
  return result.error().kind;
}

}  // namespace moravel::test
