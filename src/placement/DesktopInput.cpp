#include "placement/DesktopInput.h"

namespace moravel {

void DesktopInput::Pointer(const PointerEvent& event) {
  // A click on the marker or the desktop takes the keys back to the placement.
  if (event.kind == PointerEvent::Kind::Press && flow_.placement().active())
    window_.TakeKeyboardFocus();
  desktop_.HandlePointer(event);
}

void DesktopInput::Key(PlacementKey key, bool pressed) {
  if (pressed) {
    flow_.KeyPressed(key);
  } else {
    flow_.KeyReleased(key);
  }
}

void DesktopInput::FileDropped(const std::filesystem::path& file) {
  flow_.OpenEditor();
  if (openEditorWith_) openEditorWith_(file);
}

}  // namespace moravel
