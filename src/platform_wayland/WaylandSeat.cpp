#include "platform_wayland/WaylandSeat.h"

#include <unistd.h>
#include <wayland-client.h>

#include "platform_wayland/EvdevCodes.h"
#include "platform_wayland/LayerSurface.h"

namespace moravel {

WaylandSeat::WaylandSeat(WaylandConnection& connection) : connection_(connection) {
  static const wl_seat_listener kSeat = {&WaylandSeat::Capabilities, &WaylandSeat::Name};
  if (connection_.seat()) wl_seat_add_listener(connection_.seat(), &kSeat, this);
}

WaylandSeat::~WaylandSeat() {
  ReleasePointer();
  ReleaseKeyboard();
  connection_.Flush();
}

void WaylandSeat::ReleasePointer() {
  if (!pointer_) return;
  if (wl_pointer_get_version(pointer_) >= WL_POINTER_RELEASE_SINCE_VERSION) {
    wl_pointer_release(pointer_);
  } else {
    wl_pointer_destroy(pointer_);
  }
  pointer_ = nullptr;
  pointerFocus_ = nullptr;
}

void WaylandSeat::ReleaseKeyboard() {
  if (!keyboard_) return;
  if (wl_keyboard_get_version(keyboard_) >= WL_KEYBOARD_RELEASE_SINCE_VERSION) {
    wl_keyboard_release(keyboard_);
  } else {
    wl_keyboard_destroy(keyboard_);
  }
  keyboard_ = nullptr;
}

void WaylandSeat::Capabilities(void* data, wl_seat* seat, uint32_t capabilities) {
  auto* self = static_cast<WaylandSeat*>(data);
  const bool pointer = capabilities & WL_SEAT_CAPABILITY_POINTER;
  const bool keyboard = capabilities & WL_SEAT_CAPABILITY_KEYBOARD;
  if (pointer && !self->pointer_) {
    static const wl_pointer_listener kPointer = {
        &PointerEnter, &PointerLeave,      &PointerMotion,   &PointerButton,      &PointerAxis,
        &PointerFrame, &PointerAxisSource, &PointerAxisStop, &PointerAxisDiscrete};
    self->pointer_ = wl_seat_get_pointer(seat);
    wl_pointer_add_listener(self->pointer_, &kPointer, self);
  } else if (!pointer && self->pointer_) {
    self->ReleasePointer();
  }
  if (keyboard && !self->keyboard_) {
    static const wl_keyboard_listener kKeyboard = {&KeyboardKeymap,    &KeyboardEnter,
                                                   &KeyboardLeave,     &KeyboardKey,
                                                   &KeyboardModifiers, &KeyboardRepeat};
    self->keyboard_ = wl_seat_get_keyboard(seat);
    wl_keyboard_add_listener(self->keyboard_, &kKeyboard, self);
  } else if (!keyboard && self->keyboard_) {
    self->ReleaseKeyboard();
    if (self->keyboardFocus_) {
      self->keyboardFocus_ = false;
      if (self->focusLost_) self->focusLost_();
    }
  }
}

void WaylandSeat::Name(void*, wl_seat*, const char*) {}

void WaylandSeat::PointerEnter(void* data, wl_pointer* pointer, uint32_t, wl_surface* surface,
                               int32_t x, int32_t y) {
  auto* self = static_cast<WaylandSeat*>(data);
  LayerSurface* layer = self->connection_.SurfaceOf(surface);
  self->pointerFocus_ = layer ? surface : nullptr;
  if (!layer) return;
  self->translator_.Enter(wl_fixed_to_double(x), wl_fixed_to_double(y), layer->scale());
  // Before version 5 no frame events come: each event is a frame of its own.
  if (wl_pointer_get_version(pointer) < WL_POINTER_FRAME_SINCE_VERSION) self->DeliverPointer();
}

void WaylandSeat::PointerLeave(void* data, wl_pointer* pointer, uint32_t, wl_surface*) {
  auto* self = static_cast<WaylandSeat*>(data);
  if (!self->pointerFocus_) return;
  self->translator_.Leave();
  // The surface is kept until the frame hands the leave on.
  if (wl_pointer_get_version(pointer) < WL_POINTER_FRAME_SINCE_VERSION) self->DeliverPointer();
}

void WaylandSeat::PointerMotion(void* data, wl_pointer* pointer, uint32_t, int32_t x, int32_t y) {
  auto* self = static_cast<WaylandSeat*>(data);
  if (!self->pointerFocus_) return;
  self->translator_.Motion(wl_fixed_to_double(x), wl_fixed_to_double(y));
  if (wl_pointer_get_version(pointer) < WL_POINTER_FRAME_SINCE_VERSION) self->DeliverPointer();
}

void WaylandSeat::PointerButton(void* data, wl_pointer* pointer, uint32_t, uint32_t time,
                                uint32_t button, uint32_t state) {
  auto* self = static_cast<WaylandSeat*>(data);
  if (!self->pointerFocus_) return;
  self->translator_.Button(time, button, state == WL_POINTER_BUTTON_STATE_PRESSED);
  if (wl_pointer_get_version(pointer) < WL_POINTER_FRAME_SINCE_VERSION) self->DeliverPointer();
}

void WaylandSeat::PointerAxis(void*, wl_pointer*, uint32_t, uint32_t, int32_t) {}
void WaylandSeat::PointerAxisSource(void*, wl_pointer*, uint32_t) {}
void WaylandSeat::PointerAxisStop(void*, wl_pointer*, uint32_t, uint32_t) {}
void WaylandSeat::PointerAxisDiscrete(void*, wl_pointer*, uint32_t, int32_t) {}

void WaylandSeat::PointerFrame(void* data, wl_pointer*) {
  static_cast<WaylandSeat*>(data)->DeliverPointer();
}

void WaylandSeat::DeliverPointer() {
  const std::vector<PointerEvent> events = translator_.Frame();
  LayerSurface* layer = connection_.SurfaceOf(static_cast<const wl_surface*>(pointerFocus_));
  for (const PointerEvent& event : events) {
    if (event.kind == PointerEvent::Kind::Leave) {
      // The surface may be gone already; whoever hears of it was told of it.
      if (layer && pointerHandler_) pointerHandler_(*layer, event);
      layer = nullptr;
      pointerFocus_ = nullptr;
      continue;
    }
    if (layer && pointerHandler_) pointerHandler_(*layer, event);
  }
}

void WaylandSeat::KeyboardKeymap(void*, wl_keyboard*, uint32_t, int32_t fd, uint32_t) {
  close(fd);  // the keys are read by their evdev codes
}

void WaylandSeat::KeyboardEnter(void* data, wl_keyboard*, uint32_t, wl_surface* surface,
                                wl_array*) {
  auto* self = static_cast<WaylandSeat*>(data);
  self->keyboardFocus_ = self->connection_.SurfaceOf(surface) != nullptr;
}

void WaylandSeat::KeyboardLeave(void* data, wl_keyboard*, uint32_t, wl_surface*) {
  auto* self = static_cast<WaylandSeat*>(data);
  if (!self->keyboardFocus_) return;
  self->keyboardFocus_ = false;
  if (self->focusLost_) self->focusLost_();
}

void WaylandSeat::KeyboardKey(void* data, wl_keyboard*, uint32_t, uint32_t, uint32_t key,
                              uint32_t state) {
  auto* self = static_cast<WaylandSeat*>(data);
  if (!self->keyboardFocus_ || !self->keyHandler_) return;
  if (const std::optional<PlacementKey> placement = PlacementKeyFromEvdev(key))
    self->keyHandler_(*placement, state == WL_KEYBOARD_KEY_STATE_PRESSED);
}

void WaylandSeat::KeyboardModifiers(void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t,
                                    uint32_t) {}
void WaylandSeat::KeyboardRepeat(void*, wl_keyboard*, int32_t, int32_t) {}

}  // namespace moravel
