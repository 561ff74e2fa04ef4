#pragma once
// The real local time of this machine. On POSIX, in the zone of TZ or
// /etc/localtime: a new /etc/localtime while the program runs is followed. The zone is read
// again only when that file changed (see ZoneWatch), not at every call,
// which would cost a path lookup each time; and calls within the same
// second (the clock's and the calendar's timers fire together) get the
// first call's answer, so a zone change shows from the next second on. On
// Windows, in the zone the system is set to, followed as it changes.

#include <ctime>
#include <memory>

#include "platform/Clock.h"

namespace moravel {

class SystemClock : public Clock {
 public:
  SystemClock();
  ~SystemClock() override;
  LocalTime now() const override;

 private:
  struct Zone;                     // what the system needs to follow the zone
  std::unique_ptr<Zone> zone_;     // (Windows follows it by itself: none)
  mutable std::time_t last_ = -1;  // the second of the last answer
  mutable LocalTime answer_;
};

}  // namespace moravel
