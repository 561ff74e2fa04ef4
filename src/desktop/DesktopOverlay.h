#pragma once
// A mode that lays controls of its own over the skin while it is set on the
// desktop (Desktop::SetOverlay), such as the placement of a new button. The
// desktop lends it the scene's controls and the monitors from Attach until
// Detach; the controls it marks as overlay (ControlHandlers::overlay) send
// their pointer events to it. It changes nothing else of the desktop.

#include <vector>

#include "desktop/Monitor.h"
#include "scene/ControlEvents.h"
#include "scene/ControlStack.h"

namespace moravel {

class DesktopOverlay : public ControlEvents {
 public:
  // Both stay valid until Detach.
  virtual void Attach(ControlStack& controls, const std::vector<Monitor>& monitors) = 0;
  // Ends whatever runs and removes every control the overlay added.
  virtual void Detach() = 0;
};

}  // namespace moravel
