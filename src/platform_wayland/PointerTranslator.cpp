#include "platform_wayland/PointerTranslator.h"

#include <cmath>
#include <cstdlib>
#include <utility>

#include "platform_wayland/EvdevCodes.h"

namespace moravel {
namespace {

int ToDevice(double v, int scale) {
  const double d = std::floor(v * scale);
  if (d >= 2147483647.0) return 2147483647;
  if (d <= -2147483648.0) return -2147483647 - 1;
  return int(d);
}

}  // namespace

void PointerTranslator::Enter(double x, double y, int scale) {
  scale_ = scale < 1 ? 1 : scale;
  Motion(x, y);
}

void PointerTranslator::Motion(double x, double y) {
  x_ = ToDevice(x, scale_);
  y_ = ToDevice(y, scale_);
  moved_ = true;
}

void PointerTranslator::FlushMove() {
  if (!moved_) return;
  moved_ = false;
  pending_.push_back({PointerEvent::Kind::Move, x_, y_});
}

void PointerTranslator::Button(uint32_t time, uint32_t code, bool pressed) {
  const std::optional<MouseButton> button = MouseButtonFromEvdev(code);
  if (!button) return;
  FlushMove();
  PointerEvent event{PointerEvent::Kind::Release, x_, y_, *button};
  if (pressed) {
    const int slop = kDoubleClickSlop * scale_;
    const bool twice = armed_ && armedButton_ == *button && time - armedTime_ <= kDoubleClickMs &&
                       std::abs(x_ - armedX_) <= slop && std::abs(y_ - armedY_) <= slop;
    event.kind = twice ? PointerEvent::Kind::DoubleClick : PointerEvent::Kind::Press;
    armed_ = !twice;
    armedButton_ = *button;
    armedTime_ = time;
    armedX_ = x_;
    armedY_ = y_;
  }
  pending_.push_back(event);
}

void PointerTranslator::Leave() {
  moved_ = false;
  armed_ = false;
  pending_.push_back({PointerEvent::Kind::Leave});
}

std::vector<PointerEvent> PointerTranslator::Frame() {
  FlushMove();
  return std::exchange(pending_, {});
}

}  // namespace moravel
