#include "widgets/AnalogClock.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <optional>
#include <string>
#include <utility>

#include "codecs/ScaledPictureFile.h"
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
  Result<Bitmap> decoded = LoadPictureAtScale(file, ctx.screen.scale);
  if (!decoded.ok() || decoded->empty()) {
    ReportPictureFailure(ctx.problems, {ctx.files.config.get(), kSection, key, value}, file,
                         decoded.ok() ? "an empty picture" : decoded.error().message);
    return std::nullopt;
  }
  return std::move(*decoded);
}

// Gathers the changed runs of successive rows into few rectangles: a row
// joins the rectangle above it while that takes in at most kWaste pixels
// that did not change. Each rectangle costs a request to the display and a
// pass of the compositor, so one per row would cost more than it saves.
class RowBands {
 public:
  static constexpr long long kWaste = 512;

  explicit RowBands(std::vector<Rect>& out) : out_(out) {}

  // Columns lo..hi of row y changed; rows come top to bottom.
  void Add(int y, int lo, int hi) {
    const long long pixels = hi - lo + 1;
    if (!band_.empty()) {
      const int left = std::min(band_.x, lo), right = std::max(band_.right(), hi + 1);
      const Rect grown{left, band_.y, right - left, y + 1 - band_.y};
      if ((long long)grown.width * grown.height - (changed_ + pixels) <= kWaste) {
        band_ = grown;
        changed_ += pixels;
        return;
      }
      out_.push_back(band_);
    }
    band_ = {lo, y, hi - lo + 1, 1};
    changed_ = pixels;
  }
  void Finish() {
    if (!band_.empty()) out_.push_back(band_);
    band_ = {};
  }

 private:
  std::vector<Rect>& out_;
  Rect band_;
  long long changed_ = 0;
};

// The columns of plate row y where a hand was (`was`) or is now (`now`).
RotatingLayer::Footprint::Columns RunAt(const RotatingLayer::Footprint& was,
                                        const RotatingLayer::Footprint& now, int y) {
  RotatingLayer::Footprint::Columns a = was.at(y), b = now.at(y);
  if (a.lo > a.hi) a = b;
  if (b.lo > b.hi) b = a;
  return {std::min(a.lo, b.lo), std::max(a.hi, b.hi)};
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
  const int x = ctx.screen.X(config.ReadInt(kSection, "x", 0));
  const int y = ctx.screen.Y(config.ReadInt(kSection, "y", 0));

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
  const int handWidth = hand->width(), handHeight = hand->height();
  // Pivots and centres are skin pixels; the pictures are at the screen's
  // scale. A whole coordinate is a pixel's centre, and skin pixel p's centre
  // is the middle of its s x s block: s * p + (s - 1) / 2.
  const float s = float(ctx.screen.scale), middle = (s - 1) / 2;
  const float pivotX = s * float(config.ReadInt(kSection, keys.pivotX, 0)) + middle;
  const float pivotY = s * float(config.ReadInt(kSection, keys.pivotY, 0)) + middle;
  layer.setPivot(pivotX, pivotY);
  double reach = 0;  // the farthest corner of the picture from the pivot
  for (const int x : {0, handWidth})
    for (const int y : {0, handHeight})
      reach = std::max(reach, double(std::hypot(x - pivotX, y - pivotY)));
  reach_.push_back(reach);
  const int w = base_.width() / ctx.screen.scale, h = base_.height() / ctx.screen.scale;
  layer.setPosition(s * float(config.ReadInt(kSection, keys.centerX, w / 2)) + middle,
                    s * float(config.ReadInt(kSection, keys.centerY, h / 2)) + middle);
  return true;
}

void AnalogClock::SetAngles(const HandAngles& angles) {
  const float values[3] = {angles.hour, angles.minute, angles.second};
  for (size_t i = 0; i < hands_.size(); ++i) {
    // The hour hand turns 1/120 degree a second: most seconds it would move
    // no pixel by a visible amount, and drawing it again costs its whole area.
    const double moved = std::abs(double(values[i]) - hands_[i].angle()) * kRadiansPerDegree;
    if (!picture_ || moved * reach_[i] >= kLeastMovePixels) hands_[i].setAngle(values[i]);
  }
  Redraw();
}

void AnalogClock::Redraw() {
  const int w = base_.width(), h = base_.height();
  planned_.resize(hands_.size());
  for (size_t i = 0; i < hands_.size(); ++i) {
    if (picture_ && i < angles_.size() && hands_[i].angle() == angles_[i])
      planned_[i] = footprints_[i];  // where it is drawn already
    else
      hands_[i].Plan(w, h, planned_[i]);
  }
  if (!picture_) {
    try {
      picture_ = std::make_shared<Bitmap>(base_);
    } catch (const std::bad_alloc&) {
      return;  // out of memory: the clock shows no picture yet
    }
    for (size_t i = 0; i < hands_.size(); ++i) {
      for (int y = planned_[i].top(); y < planned_[i].bottom(); ++y)
        hands_[i].DrawRow(*picture_, planned_[i], y, 0, w - 1);
    }
    image_->SetPicture(picture_);
  } else {
    if (picture_.use_count() > 2) {  // someone besides the control holds it
      try {
        picture_ = std::make_shared<Bitmap>(*picture_);
      } catch (const std::bad_alloc&) {
        return;  // out of memory: the clock keeps showing its last picture
      }
    }
    std::vector<Rect> changed;
    for (size_t i = 0; i < hands_.size(); ++i) {
      // A pixel changes only where a turned hand was or is now.
      if (hands_[i].angle() != angles_[i]) RedrawAround(i, changed);
    }
    image_->SetPicture(picture_, changed);
  }
  footprints_.swap(planned_);
  angles_.resize(hands_.size());
  for (size_t i = 0; i < hands_.size(); ++i) angles_[i] = hands_[i].angle();
}

void AnalogClock::RedrawAround(size_t hand, std::vector<Rect>& changed) {
  const RotatingLayer::Footprint &was = footprints_[hand], &now = planned_[hand];
  Bitmap& picture = *picture_;
  RowBands bands(changed);
  // The row's run is drawn again from the base and compared with before.
  auto redrawRun = [&](int y, int lo, int hi) {
    const size_t bytes = size_t(hi - lo + 1) * 4;
    uint8_t* run = picture.row(y) + size_t(lo) * 4;
    rowCopy_.resize(bytes);
    std::memcpy(rowCopy_.data(), run, bytes);
    std::memcpy(run, base_.row(y) + size_t(lo) * 4, bytes);
    for (size_t j = 0; j < hands_.size(); ++j) hands_[j].DrawRow(picture, planned_[j], y, lo, hi);
    if (std::memcmp(run, rowCopy_.data(), bytes) == 0) return;
    size_t first = 0, last = bytes / 4 - 1;
    while (std::memcmp(run + first * 4, rowCopy_.data() + first * 4, 4) == 0) ++first;
    while (std::memcmp(run + last * 4, rowCopy_.data() + last * 4, 4) == 0) --last;
    bands.Add(y, lo + int(first), lo + int(last));
  };
  const int top = was.empty()   ? now.top()
                  : now.empty() ? was.top()
                                : std::min(was.top(), now.top());
  const int bottom = was.empty()   ? now.bottom()
                     : now.empty() ? was.bottom()
                                   : std::max(was.bottom(), now.bottom());
  for (int y = top; y < bottom; ++y) {
    const RotatingLayer::Footprint::Columns run = RunAt(was, now, y);
    if (run.lo > run.hi) continue;
    // Only the parts that the passes of the turned hands before this one
    // left out: a pixel is drawn once a tick, where hands cross too. Each
    // earlier run splits a piece in two at most: three hands leave three
    // pieces at most.
    int pieces[3][2] = {{run.lo, run.hi}}, count = 1;
    for (size_t j = 0; j < hand; ++j) {
      if (hands_[j].angle() == angles_[j]) continue;
      const RotatingLayer::Footprint::Columns done = RunAt(footprints_[j], planned_[j], y);
      if (done.lo > done.hi) continue;
      int kept[3][2], keptCount = 0;
      for (int k = 0; k < count; ++k) {
        const int p = pieces[k][0], q = pieces[k][1];
        if (done.hi < p || done.lo > q) {
          kept[keptCount][0] = p, kept[keptCount++][1] = q;
          continue;
        }
        if (p < done.lo) kept[keptCount][0] = p, kept[keptCount++][1] = done.lo - 1;
        if (done.hi < q) kept[keptCount][0] = done.hi + 1, kept[keptCount++][1] = q;
      }
      std::copy(&kept[0][0], &kept[0][0] + 2 * keptCount, &pieces[0][0]);
      count = keptCount;
    }
    for (int k = 0; k < count; ++k) redrawRun(y, pieces[k][0], pieces[k][1]);
  }
  bands.Finish();
}

}  // namespace moravel
