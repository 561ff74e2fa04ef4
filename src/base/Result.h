#pragma once
// A value or the Error that kept it from being made: what every fallible
// operation returns (file reads and writes, picture decoders and the PNG
// encoder, PNG saves, INI updates, the shortcut and executable readers, the
// button face, the placement's start and the button commit, the preview
// tool's arguments).
//
//   Result<Bitmap> r = DecodePng(bytes, limits);
//   if (!r) return r.error();      // an Error converts to any Result
//   Use(*r);
//
// Result<void> is success or an Error. Reading value() or error() from the
// wrong side is a programming fault (checked by assert in debug builds).

#include <cassert>
#include <utility>
#include <variant>

#include "base/Error.h"

namespace moravel {

template <class T>
class [[nodiscard]] Result {
 public:
  Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
  Result(Error error) : state_(std::in_place_index<1>, std::move(error)) {}

  bool ok() const { return state_.index() == 0; }
  explicit operator bool() const { return ok(); }

  T& value() & {
    assert(ok());
    return *std::get_if<0>(&state_);
  }
  const T& value() const& {
    assert(ok());
    return *std::get_if<0>(&state_);
  }
  T&& value() && {
    assert(ok());
    return std::move(*std::get_if<0>(&state_));
  }
  T& operator*() & { return value(); }
  const T& operator*() const& { return value(); }
  T&& operator*() && { return std::move(*this).value(); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }

  const Error& error() const {
    assert(!ok());
    return *std::get_if<1>(&state_);
  }

 private:
  std::variant<T, Error> state_;
};

template <>
class [[nodiscard]] Result<void> {
 public:
  Result() = default;
  Result(Error error) : error_(std::move(error)), failed_(true) {}

  bool ok() const { return !failed_; }
  explicit operator bool() const { return ok(); }
  const Error& error() const {
    assert(failed_);
    return error_;
  }

 private:
  Error error_;
  bool failed_ = false;
};

}  // namespace moravel
