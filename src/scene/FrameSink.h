#pragma once
// Told when the frame has changed parts to show. The composer tells it once,
// at the first change after the last TakeDirty, whatever made the change (a
// pointer event, a timer, a command), so no caller has to remember to. The
// sink must not compose or take the frame during the call: the change that
// told it may be half done. A window schedules its repaint instead.

namespace moravel {

class FrameSink {
 public:
  virtual ~FrameSink() = default;
  virtual void FrameChanged() = 0;
};

}  // namespace moravel
