#pragma once
// A clock that shows whatever the test set, for tests of any subsystem. It
// lives here rather than in a test folder so that every test program can use
// it by linking moravel_platform. Starts at 1970-01-01 00:00:00, a Thursday.

#include "platform/Clock.h"

namespace moravel {

class FakeClock : public Clock {
 public:
  FakeClock() = default;
  explicit FakeClock(const LocalTime& t) : time_(t) {}

  void set(const LocalTime& t) { time_ = t; }
  LocalTime now() const override { return time_; }

 private:
  LocalTime time_;
};

}  // namespace moravel
