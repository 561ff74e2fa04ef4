#pragma once
// One change of the running desktop that touches several of its parts (the
// settings files, the scene, the wallpaper, the monitors). The desktop session
// runs each on its model (Desktop::Run); what it changes on screen
// shows by itself (FrameSink). A command lives for one run.

namespace moravel {

struct DesktopModel;

class DesktopCommand {
 public:
  virtual ~DesktopCommand() = default;
  // The user-interface thread only; `model` is lent for the call.
  virtual void Apply(DesktopModel& model) = 0;
};

}  // namespace moravel
