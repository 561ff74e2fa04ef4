#include "desktop/ButtonTable.h"

#include <utility>

#include "settings/Utf8Path.h"

namespace moravel {

std::optional<int> ButtonTable::NextNumber() const {
  if (count() >= kMaxButtons) return std::nullopt;
  return count() + 1;
}

int ButtonTable::Add(DesktopButton button, int left, int top, bool transparent) {
  const std::optional<int> k = NextNumber();
  if (!k) return 0;
  ImageControl& control = controls_.Add(ControlLayer::Button);
  button.image = &control;
  control.MoveTo(left, top);
  control.SetTransparent(transparent);
  control.tag = *k;
  control.handlers.buttonHandlers = true;
  control.handlers.trackHover = true;
  BindClick(control.handlers, ClickAction::LaunchButton, menu_.useDoubleClickChecked);
  control.SetPicture(button.upPicture);
  scene_.button(*k) = std::move(button);
  scene_.buttonCount = *k;
  pointer_.hoveredId = control.id();
  return *k;
}

void ButtonTable::Remove(int k) {
  if (k < 1 || k > count()) return;
  DesktopButton& slot = scene_.button(k);
  if (slot.image) {
    if (pointer_.hoveredId == slot.image->id()) pointer_.hoveredId = kWallpaperControlId;
    controls_.Remove(*slot.image);
  }
  slot = DesktopButton{};
  if (pointer_.selectedButton == k) pointer_.selectedButton = 0;
  if (k == count()) scene_.buttonCount = k - 1;
}

void ButtonTable::MoveLastInto(int to) {
  const int last = count();
  if (to < 1 || to >= last || scene_.button(to).image) return;
  DesktopButton& from = scene_.button(last);
  if (from.image) from.image->tag = to;
  scene_.button(to) = std::move(from);
  from = DesktopButton{};
  if (pointer_.selectedButton == last) pointer_.selectedButton = to;
  scene_.buttonCount = last - 1;
}

void ButtonTable::Clear() {
  for (int k = 1; k <= kMaxButtons; ++k) {
    DesktopButton& slot = scene_.button(k);
    if (slot.image) {
      if (pointer_.hoveredId == slot.image->id()) pointer_.hoveredId = kWallpaperControlId;
      controls_.Remove(*slot.image);
    }
    slot = DesktopButton{};
  }
  scene_.buttonCount = 0;
}

void ButtonTable::RebindClicks(bool doubleClick) {
  for (int k = 1; k <= count(); ++k)
    if (ImageControl* image = scene_.button(k).image)
      BindClick(image->handlers, ClickAction::LaunchButton, doubleClick);
}

IniBatch ButtonTable::RecordUpdate(int number, const ButtonRecord& record) {
  const std::string section = "button" + std::to_string(number);
  IniBatch batch;
  batch.EraseSection(section).Set(section, "object", record.object);
  if (record.param) batch.Set(section, "param", *record.param);
  batch.SetInt(section, "x", record.x)
      .SetInt(section, "y", record.y)
      .Set(section, "image", record.image)
      .SetFlag(section, "tr", record.transparent);
  return batch;
}

std::string ButtonTable::UnreadableRecordsMessage(const IniFile& user) {
  return "Не удалось прочитать файл " + Utf8Of(user.path()) +
         ". Пока он не читается, кнопки этой обложки нельзя добавлять и удалять." +
         (user.readError().empty() ? "" : "\n(" + user.readError() + ")");
}

}  // namespace moravel
