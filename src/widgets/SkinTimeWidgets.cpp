#include "widgets/SkinTimeWidgets.h"

#include <exception>

#include "widgets/DigitClock.h"

namespace moravel {

bool SkinTimeWidgets::BuildAnalogClock(SceneContext& ctx, bool clickAction) {
  // A clock still standing on these controls is replaced, not left behind.
  ClearAnalogClock(ctx);
  try {
    analogClock_ = AnalogClock::Build(ctx, clickAction);
  } catch (const std::exception&) {
    analogClock_.reset();  // Build took its control off again
  }
  return analogClock_ != nullptr;
}

void SkinTimeWidgets::ClearAnalogClock(SceneContext& ctx) {
  if (analogClock_ && analogClock_->IsOn(ctx.controls)) analogClock_->Remove();
  analogClock_.reset();
}

void SkinTimeWidgets::OnCalendarTimer(SceneContext& ctx) {
  calendar_.Show(ctx.scene, ctx.clock.now());
}

void SkinTimeWidgets::OnClockTimer(SceneContext& ctx) {
  const LocalTime now = ctx.clock.now();
  const int h = now.hour, m = now.minute, s = now.second;
  DesktopScene& scene = ctx.scene;
  if (s == scene.lastClockSecond) return;
  ShowClockDigits(scene, h, m, s);
  if (scene.analogClockPresent && analogClock_ && analogClock_->IsOn(ctx.controls)) {
    analogClock_->SetAngles(HandAnglesAt(h, m, s));
  }
  scene.lastClockSecond = s;
  scene.lastClockMinute = m;
  scene.lastClockHour = h;
}

}  // namespace moravel
