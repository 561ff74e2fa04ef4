#pragma once
// The real local time of this machine, in the zone of TZ / /etc/localtime as
// they are at each call (a zone changed while the program runs is followed).

#include "platform/Clock.h"

namespace moravel {

class SystemClock : public Clock {
 public:
  LocalTime now() const override;
};

}  // namespace moravel
