#pragma once
// The local date and time. Injected wherever the program shows or acts on
// the time, so that tests can set it.

#include "platform/LocalTime.h"

namespace moravel {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime now() const = 0;
};

}  // namespace moravel
