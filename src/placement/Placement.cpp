#include "placement/Placement.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "codecs/ScaledPictureFile.h"
#include "placement/Silhouette.h"
#include "settings/CaseInsensitivePath.h"
#include "settings/NumberedItems.h"
#include "settings/ScreenCoordinate.h"
#include "settings/Utf8Path.h"

namespace moravel {
namespace {

Picture Shared(Bitmap bitmap) {
  return std::make_shared<const Bitmap>(std::move(bitmap));
}

int HeldOnScreenRange(int64_t v) {
  return int(std::clamp<int64_t>(v, -ImageControl::kFarOffScreen, ImageControl::kFarOffScreen));
}

// The next index of a list of `size` entries, wrapping around.
int Next(int index, size_t size) {
  return size_t(index) + 1 >= size ? 0 : index + 1;
}
int Previous(int index, size_t size) {
  return index <= 0 ? int(size) - 1 : index - 1;
}

}  // namespace

Placement::Placement(DesktopTimers& timers) : timers_(timers) {}

Placement::~Placement() {
  End();
}

void Placement::Attach(ControlStack& controls, const std::vector<Monitor>& monitors) {
  End();
  controls_ = &controls;
  monitors_ = &monitors;
}

void Placement::Detach() {
  End();
  controls_ = nullptr;
  monitors_ = nullptr;
}

Result<void> Placement::Begin(const IniFile& config, std::string_view section,
                              const std::filesystem::path& skinPath,
                              const std::filesystem::path& helpPicture) {
  End();
  if (!controls_ || monitors_->empty())
    return Error{ErrorKind::kFailed, "the desktop is not ready"};
  const SkinScreen shown = screen();
  Result<Bitmap> help = LoadPictureAtScale(helpPicture, shown.scale);
  if (!help.ok()) {
    return Error{help.error().kind, Utf8Of(helpPicture.filename()) + ": " + help.error().message,
                 help.error().systemCode};
  }

  const std::string image = config.ReadString(section, "image1", "");
  Bitmap red, green;
  if (!image.empty()) {
    const std::filesystem::path up = ResolveSkinFile(skinPath, image);
    red = MakeSilhouette(up, kSlotColour, shown.scale);
    green = MakeSilhouette(up, kMarkerColour, shown.scale);
  }
  markerWidth_ = green.width() / shown.scale;
  markerHeight_ = green.height() / shown.scale;
  const int upWidth = red.width() / shown.scale, upHeight = red.height() / shown.scale;

  int startX = 0, startY = 0;
  gridAvailable_ = false;
  grid_ = {};
  if (config.HasKey(section, "posx")) {
    startX = ResolveScreenCoordinate(config.ReadInt(section, "posx", 0), screenWidth());
    startY = ResolveScreenCoordinate(config.ReadInt(section, "posy", 0), screenHeight());
    const int stepX = config.ReadInt(section, "posw", upWidth);
    const int stepY = config.ReadInt(section, "posh", upHeight);
    if (stepX > 0 && stepY > 0) {
      gridAvailable_ = true;
      grid_ = BuildPlacementGrid(startX, startY, stepX, stepY, upWidth, upHeight, screenWidth(),
                                 screenHeight());
      column_ = ColumnAtOrBefore(grid_, startX);
      row_ = RowAtOrBefore(grid_, startY);
    }
  }
  snapped_ = gridAvailable_;
  dragging_ = false;

  active_ = true;
  helpId_ = AddOverlay(Shared(std::move(*help)), screenWidth() / 2 - kHelpHalfWidth,
                       screenHeight() / 2 - kHelpHalfHeight)
                .id();
  const Picture slot = Shared(std::move(red));
  const int slots = CountNumberedKeys("posx", config, section);
  for (int i = 1; i <= slots; ++i) {
    const std::string n = std::to_string(i);
    const int x = ResolveScreenCoordinate(config.ReadInt(section, "posx" + n, 0), screenWidth());
    const int y = ResolveScreenCoordinate(config.ReadInt(section, "posy" + n, 0), screenHeight());
    slotIds_.push_back(AddOverlay(slot, x, y).id());
  }
  markerId_ = AddOverlay(Shared(std::move(green)), 0, 0).id();
  MoveMarker(startX, startY);
  timers_.SetEnabled(DesktopTimer::Placement, true);
  return {};
}

ImageControl& Placement::AddOverlay(const Picture& picture, int left, int top) {
  ImageControl& control = controls_->Add(ControlLayer::Placement);
  control.handlers.overlay = true;
  control.SetPicture(picture);
  const SkinScreen shown = screen();
  control.MoveTo(shown.Device(left), shown.Device(top));
  return control;
}

void Placement::End() {
  if (!active_) return;
  timers_.SetEnabled(DesktopTimer::Placement, false);
  std::vector<uint64_t> ids = std::move(slotIds_);
  ids.push_back(helpId_);
  ids.push_back(markerId_);
  for (uint64_t id : ids) {
    if (ImageControl* control = controls_->Find(id)) controls_->Remove(*control);
  }
  slotIds_.clear();
  helpId_ = markerId_ = 0;
  active_ = dragging_ = false;
}

Placement::TickResult Placement::Tick(KeyLatch& keys) {
  if (!active_) return TickResult::kNothing;
  const bool escape = keys.Take(PlacementKey::Escape);
  const bool space = keys.Take(PlacementKey::Space);
  const bool control = keys.Take(PlacementKey::Control);
  const bool left = keys.Take(PlacementKey::Left);
  const bool right = keys.Take(PlacementKey::Right);
  const bool up = keys.Take(PlacementKey::Up);
  const bool down = keys.Take(PlacementKey::Down);
  if (escape) {
    End();
    return TickResult::kCancelled;
  }
  if (space) return TickResult::kCommit;
  if (!(left || right || up || down)) return TickResult::kNothing;
  const bool moved = control || !gridAvailable_ ? PixelStep(left, right, up, down)
                                                : GridStep(left, right, up, down);
  return moved ? TickResult::kMoved : TickResult::kNothing;
}

// The marker may leave the screen until one pixel column or row of it remains.
bool Placement::PixelStep(bool left, bool right, bool up, bool down) {
  snapped_ = false;
  int64_t x = left_, y = top_;
  if (right && x + 1 < screenWidth()) ++x;
  if (left && x - 1 > -int64_t(markerWidth_)) --x;
  if (up && y - 1 > -int64_t(markerHeight_)) --y;
  if (down && y + 1 < screenHeight()) ++y;
  const int oldLeft = left_, oldTop = top_;
  MoveMarker(x, y);
  return left_ != oldLeft || top_ != oldTop;
}

bool Placement::GridStep(bool left, bool right, bool up, bool down) {
  const size_t columns = grid_.columns.size(), rows = grid_.rows.size();
  if (columns == 0 || rows == 0) return false;
  const int oldLeft = left_, oldTop = top_;
  if (!snapped_) {
    snapped_ = true;
    if (right || down) {
      column_ = ColumnAtOrAfter(grid_, left_);
      row_ = RowAtOrAfter(grid_, top_);
    } else {
      column_ = ColumnAtOrBefore(grid_, left_);
      row_ = RowAtOrBefore(grid_, top_);
    }
    MoveMarker(grid_.columns[size_t(column_)], grid_.rows[size_t(row_)]);
  } else {
    // Only the axis an arrow acted on takes the grid's position.
    int64_t x = left_, y = top_;
    if (right) column_ = Next(column_, columns);
    if (left) column_ = Previous(column_, columns);
    if (right || left) x = grid_.columns[size_t(column_)];
    if (up) row_ = Previous(row_, rows);
    if (down) row_ = Next(row_, rows);
    if (up || down) y = grid_.rows[size_t(row_)];
    MoveMarker(x, y);
  }
  return left_ != oldLeft || top_ != oldTop;
}

void Placement::MoveMarker(int64_t left, int64_t top) {
  left_ = HeldOnScreenRange(left);
  top_ = HeldOnScreenRange(top);
  const SkinScreen shown = screen();
  if (ImageControl* marker = controls_->Find(markerId_))
    marker->MoveTo(shown.Device(left_), shown.Device(top_));
}

bool Placement::IsSlot(uint64_t id) const {
  return std::find(slotIds_.begin(), slotIds_.end(), id) != slotIds_.end();
}

void Placement::MouseDown(ImageControl& control, MouseButton, int x, int y) {
  if (!active_ || control.id() != markerId_) return;
  dragging_ = true;
  grabX_ = int64_t(screen().Skin(x)) - left_;
  grabY_ = int64_t(screen().Skin(y)) - top_;
}

void Placement::MouseMove(ImageControl& control, int x, int y) {
  if (!dragging_ || control.id() != markerId_) return;
  MoveMarker(screen().Skin(x) - grabX_, screen().Skin(y) - grabY_);
}

void Placement::MouseUp(ImageControl& control, MouseButton, int, int) {
  if (control.id() != markerId_) return;
  dragging_ = false;
  snapped_ = false;
}

void Placement::Click(ImageControl& control) {
  if (!active_ || !IsSlot(control.id())) return;
  snapped_ = false;
  MoveMarker(screen().Skin(control.rect().x), screen().Skin(control.rect().y));
}

}  // namespace moravel
