#include "widgets/AnalogClock.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <optional>
#include <string>
#include <utility>

#include "codecs/PictureFile.h"
#include "raster/Drawing.h"
#include "raster/HandPreparation.h"
#include "settings/CaseInsensitivePath.h"
#include "settings/ScreenCoordinate.h"

namespace moravel {
namespace {

constexpr const char* kSection = "analogclock";

// The picture named by `key` in the skin folder, or nothing.
std::optional<Bitmap> LoadSkinPicture(const SceneContext& ctx, const char* key,
                                      const char* fallback) {
  const std::string value = ctx.files.config->ReadString(kSection, key, fallback);
  const std::filesystem::path file = ResolveSkinFile(ctx.files.skinPath, value);
  DecodeResult decoded = LoadPictureFile(file);
  if (!decoded.ok() || decoded.picture->empty()) {
    ReportPictureFailure(ctx.problems, {ctx.files.config.get(), kSection, key, value}, file,
                         decoded.ok() ? "an empty picture" : decoded.error);
    return std::nullopt;
  }
  return std::move(decoded.picture);
}

// The smallest rectangle holding both (an empty one adds nothing).
Rect Bounding(Rect a, Rect b) {
  if (a.empty()) return b;
  if (b.empty()) return a;
  const int left = std::min(a.x, b.x), top = std::min(a.y, b.y);
  return {left, top, std::max(a.right(), b.right()) - left, std::max(a.bottom(), b.bottom()) - top};
}

// The part of `area` (inside both pictures) where `a` and `b` differ; empty
// where they are the same. A hand turned by a hundredth of a degree often
// changes no pixel at all.
Rect Differing(const Bitmap& a, const Bitmap& b, Rect area) {
  int left = area.right(), right = area.x, top = -1, bottom = -1;
  const size_t bytes = size_t(std::max(area.width, 0)) * 4;
  for (int y = area.y; y < area.bottom(); ++y) {
    const uint8_t* pa = a.row(y) + size_t(area.x) * 4;
    const uint8_t* pb = b.row(y) + size_t(area.x) * 4;
    if (std::memcmp(pa, pb, bytes) == 0) continue;
    int first = 0, last = area.width - 1;
    while (std::memcmp(pa + size_t(first) * 4, pb + size_t(first) * 4, 4) == 0) ++first;
    while (std::memcmp(pa + size_t(last) * 4, pb + size_t(last) * 4, 4) == 0) --last;
    left = std::min(left, area.x + first);
    right = std::max(right, area.x + last + 1);
    if (top < 0) top = y;
    bottom = y + 1;
  }
  if (top < 0) return {};
  return {left, top, right - left, bottom - top};
}

}  // namespace

// The keys of one hand in [analogclock]: its picture (with the name used when
// the key is missing), its pivot in the picture and the pivot's place on the plate.
struct AnalogClock::HandKeys {
  const char* file;
  const char* defaultFile;
  const char* pivotX;
  const char* pivotY;
  const char* centerX;
  const char* centerY;
};

namespace {

constexpr AnalogClock::HandKeys kHour{"hour", "", "HArrowCX", "HArrowCY", "HcenterX", "Hcentery"};
constexpr AnalogClock::HandKeys kMinute{"minute",   "acm.bmp",  "MArrowCX",
                                        "MArrowCY", "McenterX", "Mcentery"};
constexpr AnalogClock::HandKeys kSecond{"second",   "acs.bmp",  "SArrowCX",
                                        "SArrowCY", "ScenterX", "Scentery"};

}  // namespace

std::unique_ptr<AnalogClock> AnalogClock::Build(SceneContext& ctx, bool clickAction) {
  if (!ctx.files.config) return nullptr;
  const IniFile& config = *ctx.files.config;
  std::optional<Bitmap> plate = LoadSkinPicture(ctx, "plate", "");
  if (!plate) return nullptr;
  const int w = plate->width(), h = plate->height();
  const int x = ResolveScreenCoordinate(config.ReadInt(kSection, "x", 0), ctx.screenWidth);
  const int y = ResolveScreenCoordinate(config.ReadInt(kSection, "y", 0), ctx.screenHeight);

  // The clock is an opaque picture: the wallpaper under it shows through the
  // plate's transparent parts because it is copied in here.
  std::optional<Bitmap> base = Bitmap::Create(w, h);
  if (!base) return nullptr;
  CopyRect(*base, 0, 0, ctx.wallpaper, {x, y, w, h});
  DrawBitmap(*base, *plate, 0, 0, DrawMode::Blend);
  plate.reset();

  ImageControl& image = ctx.controls.Add(ControlLayer::AnalogClock);
  image.SetOpaque(true);  // the wallpaper is in its base
  std::unique_ptr<AnalogClock> clock;
  try {
    clock.reset(new AnalogClock(ctx.controls, image, std::move(*base)));
    if (clickAction) {
      BindClick(image.handlers, ClickAction::OpenDateTimeSettings, ctx.menu.useDoubleClickChecked);
    }
    image.MoveTo(x, y);
    const bool built = clock->AddHand(ctx, kHour) && clock->AddHand(ctx, kMinute) &&
                       (!ctx.scene.showSeconds || clock->AddHand(ctx, kSecond));
    if (!built) {
      ctx.controls.Remove(image);
      return nullptr;
    }
    clock->Redraw();
  } catch (...) {
    ctx.controls.Remove(image);
    throw;
  }
  return clock;
}

AnalogClock::AnalogClock(ControlStack& controls, ImageControl& image, Bitmap base)
    : controls_(&controls), image_(&image), imageId_(image.id()), base_(std::move(base)) {}

void AnalogClock::Remove() {
  if (IsOn(*controls_)) controls_->Remove(*image_);
  image_ = nullptr;
}

bool AnalogClock::IsOn(const ControlStack& controls) const {
  return image_ && &controls == controls_ && controls.Find(imageId_) == image_;
}

bool AnalogClock::AddHand(const SceneContext& ctx, const HandKeys& keys) {
  const IniFile& config = *ctx.files.config;
  std::optional<Bitmap> hand = LoadSkinPicture(ctx, keys.file, keys.defaultFile);
  if (!hand) return false;
  ApplyColorKey(*hand);
  ClearEdgeFrame(*hand);  // the turned hand fades out at its border
  RotatingLayer& layer = hands_.emplace_back(*hand);
  layer.setPivot(float(config.ReadInt(kSection, keys.pivotX, 0)),
                 float(config.ReadInt(kSection, keys.pivotY, 0)));
  layer.setPosition(float(config.ReadInt(kSection, keys.centerX, base_.width() / 2)),
                    float(config.ReadInt(kSection, keys.centerY, base_.height() / 2)));
  return true;
}

void AnalogClock::SetAngles(const HandAngles& angles) {
  const float values[3] = {angles.hour, angles.minute, angles.second};
  for (size_t i = 0; i < hands_.size(); ++i) hands_[i].setAngle(values[i]);
  Redraw();
}

void AnalogClock::Redraw() {
  const Rect plate{0, 0, base_.width(), base_.height()};
  std::shared_ptr<Bitmap>& buffer = buffers_[size_t(next_)];
  std::vector<Rect>& stale = stale_[size_t(next_)];
  if (!buffer || buffer.use_count() > 1) {  // someone else still holds it: start afresh
    try {
      buffer = std::make_shared<Bitmap>(base_);
    } catch (const std::bad_alloc&) {
      return;  // out of memory: the clock keeps showing its last picture
    }
    stale.clear();
  }
  // Outside where its hands were, the buffer is the base already.
  for (const Rect& r : stale) CopyRect(*buffer, r.x, r.y, base_, r);
  std::vector<Rect> drawn;
  for (const RotatingLayer& hand : hands_) {
    drawn.push_back(Intersect(hand.Bounds(), plate));
    hand.Draw(*buffer);
  }
  // The shown picture differs from the new one where a hand was or is.
  const std::vector<Rect>& shown = stale_[size_t(next_ ^ 1)];
  std::vector<Rect> changed;
  const std::shared_ptr<Bitmap>& onScreen = buffers_[size_t(next_ ^ 1)];
  if (shown_ && onScreen && shown.size() == drawn.size()) {
    for (size_t i = 0; i < drawn.size(); ++i) {
      const Rect area = Differing(*buffer, *onScreen, Bounding(shown[i], drawn[i]));
      if (!area.empty()) changed.push_back(area);
    }
    image_->SetPicture(buffer, changed);
  } else {
    image_->SetPicture(buffer);
  }
  stale = std::move(drawn);
  shown_ = true;
  next_ ^= 1;
}

}  // namespace moravel
