#pragma once
// The real local time of this machine, in the zone of TZ / /etc/localtime.

#include "platform/Clock.h"

namespace moravel {

class SystemClock : public Clock {
 public:
  LocalTime now() const override;
};

}  // namespace moravel
