#pragma once
// Input from the connection's seat to the layer surfaces: the pointer's
// events in device pixels of the surface they happened on (PointerTranslator),
// the placement's keys by their raw evdev codes (no keymap needed: the keys
// are found by their place), and the loss of the keyboard focus. Pointers and
// keyboards come and go with the seat's capabilities. Events for surfaces
// that are not layer surfaces of the connection are left out.
//
// Lifetime: the connection outlives it; it is made once per connection.

#include <functional>

#include "placement/KeyLatch.h"
#include "platform_wayland/PointerTranslator.h"
#include "platform_wayland/WaylandConnection.h"

struct wl_array;
struct wl_keyboard;
struct wl_pointer;

namespace moravel {

class WaylandSeat {
 public:
  using PointerHandler = std::function<void(LayerSurface& surface, const PointerEvent& event)>;
  using KeyHandler = std::function<void(PlacementKey key, bool pressed)>;

  explicit WaylandSeat(WaylandConnection& connection);
  ~WaylandSeat();
  WaylandSeat(const WaylandSeat&) = delete;
  WaylandSeat& operator=(const WaylandSeat&) = delete;

  void SetPointerHandler(PointerHandler handler) { pointerHandler_ = std::move(handler); }
  void SetKeyHandler(KeyHandler handler) { keyHandler_ = std::move(handler); }
  void SetFocusLost(std::function<void()> handler) { focusLost_ = std::move(handler); }

  // Whether the seat has a pointer now, and a keyboard.
  bool hasPointer() const { return pointer_ != nullptr; }
  bool hasKeyboard() const { return keyboard_ != nullptr; }

 private:
  static void Capabilities(void* data, wl_seat* seat, uint32_t capabilities);
  static void Name(void* data, wl_seat* seat, const char* name);
  static void PointerEnter(void* data, wl_pointer* pointer, uint32_t serial, wl_surface* surface,
                           int32_t x, int32_t y);
  static void PointerLeave(void* data, wl_pointer* pointer, uint32_t serial, wl_surface* surface);
  static void PointerMotion(void* data, wl_pointer* pointer, uint32_t time, int32_t x, int32_t y);
  static void PointerButton(void* data, wl_pointer* pointer, uint32_t serial, uint32_t time,
                            uint32_t button, uint32_t state);
  static void PointerAxis(void* data, wl_pointer* pointer, uint32_t time, uint32_t axis,
                          int32_t value);
  static void PointerFrame(void* data, wl_pointer* pointer);
  static void PointerAxisSource(void* data, wl_pointer* pointer, uint32_t source);
  static void PointerAxisStop(void* data, wl_pointer* pointer, uint32_t time, uint32_t axis);
  static void PointerAxisDiscrete(void* data, wl_pointer* pointer, uint32_t axis, int32_t discrete);
  static void KeyboardKeymap(void* data, wl_keyboard* keyboard, uint32_t format, int32_t fd,
                             uint32_t size);
  static void KeyboardEnter(void* data, wl_keyboard* keyboard, uint32_t serial, wl_surface* surface,
                            wl_array* keys);
  static void KeyboardLeave(void* data, wl_keyboard* keyboard, uint32_t serial,
                            wl_surface* surface);
  static void KeyboardKey(void* data, wl_keyboard* keyboard, uint32_t serial, uint32_t time,
                          uint32_t key, uint32_t state);
  static void KeyboardModifiers(void* data, wl_keyboard* keyboard, uint32_t serial,
                                uint32_t depressed, uint32_t latched, uint32_t locked,
                                uint32_t group);
  static void KeyboardRepeat(void* data, wl_keyboard* keyboard, int32_t rate, int32_t delay);

  // Hands the translator's events of this frame to the handler.
  void DeliverPointer();
  void ReleasePointer();
  void ReleaseKeyboard();

  WaylandConnection& connection_;
  wl_pointer* pointer_ = nullptr;
  wl_keyboard* keyboard_ = nullptr;
  const wl_surface* pointerFocus_ = nullptr;  // compared only, never used
  bool keyboardFocus_ = false;
  PointerTranslator translator_;
  PointerHandler pointerHandler_;
  KeyHandler keyHandler_;
  std::function<void()> focusLost_;
};

}  // namespace moravel
