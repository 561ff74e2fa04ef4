#include "scene/ControlStack.h"

#include <algorithm>

namespace moravel {
namespace {

// The stacking order: the layer in the top bits, the creation sequence below.
constexpr int kLayerShift = 48;

bool Meets(const Rect& a, const Rect& b) {
  return !Intersect(a, b).empty();
}

bool Lower(const ImageControl* a, const ImageControl* b) {
  return a->order() < b->order();
}

}  // namespace

ControlStack::ControlStack(int screenWidth, int screenHeight) : grid_(screenWidth, screenHeight) {}

ControlStack::~ControlStack() = default;

void ControlStack::SetScreenSize(int screenWidth, int screenHeight) {
  grid_ = ControlGrid(screenWidth, screenHeight);
  for (const auto& control : ordered_) grid_.Insert(control.get(), control->drawnRect());
}

ImageControl& ControlStack::Add(ControlLayer layer) {
  const uint64_t order = (uint64_t(layer) << kLayerShift) | nextSequence_++;
  auto control = std::make_unique<ImageControl>(nextId_++, order, this);
  ImageControl& result = *control;
  auto at = std::upper_bound(
      ordered_.begin(), ordered_.end(), order,
      [](uint64_t o, const std::unique_ptr<ImageControl>& c) { return o < c->order(); });
  ordered_.insert(at, std::move(control));
  byId_[result.id()] = &result;
  return result;  // 0 x 0: nothing to index or draw yet
}

void ControlStack::Remove(ImageControl& control) {
  const Rect drawn = control.drawnRect();
  grid_.Erase(&control, drawn);
  byId_.erase(control.id());
  auto at = std::lower_bound(
      ordered_.begin(), ordered_.end(), control.order(),
      [](const std::unique_ptr<ImageControl>& c, uint64_t o) { return c->order() < o; });
  if (at != ordered_.end() && at->get() == &control) ordered_.erase(at);
  Report(drawn);
}

ImageControl* ControlStack::Find(uint64_t id) const {
  auto it = byId_.find(id);
  return it == byId_.end() ? nullptr : it->second;
}

ImageControl* ControlStack::TopmostAt(int x, int y) const {
  const std::vector<ImageControl*>* cell = grid_.CellAt(x, y);
  if (!cell) return nullptr;
  ImageControl* top = nullptr;
  for (ImageControl* c : *cell) {
    if (c->Covers(x, y) && (!top || Lower(top, c))) top = c;
  }
  return top;
}

void ControlStack::Intersecting(Rect area, std::vector<const ImageControl*>& out) const {
  out.clear();
  scratch_.clear();
  grid_.Candidates(area, scratch_);
  std::sort(scratch_.begin(), scratch_.end(), Lower);
  scratch_.erase(std::unique(scratch_.begin(), scratch_.end()), scratch_.end());
  for (const ImageControl* c : scratch_) {
    if (Meets(c->drawnRect(), area)) out.push_back(c);
  }
}

void ControlStack::ControlChanged(ImageControl& control, Rect before) {
  const Rect after = control.drawnRect();
  if (!(before == after)) {
    grid_.Erase(&control, before);
    grid_.Insert(&control, after);
  }
  Report(before);
  if (!(before == after)) Report(after);
}

void ControlStack::ControlAreaChanged(ImageControl&, Rect area) {
  Report(area);
}

void ControlStack::Report(Rect area) const {
  if (sink_ && !area.empty()) sink_->Invalidate(area);
}

}  // namespace moravel
