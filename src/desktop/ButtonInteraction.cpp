#include "desktop/ButtonInteraction.h"

namespace moravel {

DesktopButton* ButtonInteraction::Slot(const ImageControl& control) {
  const int k = control.tag;
  if (k < 1 || k > kMaxButtons) return nullptr;
  return &scene_.button(k);
}

void ButtonInteraction::TrackHover(ImageControl& sender) {
  if (sender.id() == pointer_.hoveredId) return;
  if (ImageControl* hovered = controls_.Find(pointer_.hoveredId)) {
    if (DesktopButton* old = Slot(*hovered)) hovered->SetPicture(old->upPicture);
  }
  pointer_.hoveredId = sender.id();
  if (DesktopButton* slot = Slot(sender)) sender.SetPicture(slot->overPicture);
}

void ButtonInteraction::ButtonMouseDown(ImageControl& sender, MouseButton button) {
  DesktopButton* slot = Slot(sender);
  if (!slot) return;
  if (button == MouseButton::Left) {
    sender.SetPicture(slot->downPicture);
  } else {
    pointer_.selectedButton = sender.tag;
  }
  if (pointer_.justLaunched) sender.SetPicture(slot->overPicture);
  pointer_.justLaunched = false;
}

void ButtonInteraction::ButtonMouseUp(ImageControl& sender) {
  pointer_.hoveredId = kWallpaperControlId;
  if (DesktopButton* slot = Slot(sender)) sender.SetPicture(slot->upPicture);
}

void ButtonInteraction::LaunchButton(ImageControl& sender) {
  DesktopButton* slot = Slot(sender);
  if (!slot) return;
  pointer_.justLaunched = true;
  if (!slot->target.empty()) {
    launcher_.OpenTarget(slot->target, slot->arguments);
  } else {
    launcher_.OpenSpecialFolder(slot->specialFolder);
  }
}

void ButtonInteraction::OpenDateTimeSettings() {
  launcher_.OpenDateTimeSettings();
}

void ButtonInteraction::MouseMove(ImageControl& control, int, int) {
  if (control.handlers.trackHover) TrackHover(control);
}

void ButtonInteraction::MouseDown(ImageControl& control, MouseButton button, int, int) {
  if (control.handlers.buttonHandlers) ButtonMouseDown(control, button);
}

void ButtonInteraction::Click(ImageControl& control) {
  if (control.handlers.binding == ClickBinding::Click) RunAction(control);
}

void ButtonInteraction::DoubleClick(ImageControl& control) {
  if (control.handlers.binding == ClickBinding::DoubleClick) RunAction(control);
}

void ButtonInteraction::MouseUp(ImageControl& control, MouseButton button, int x, int y) {
  if (control.handlers.buttonHandlers) {
    ButtonMouseUp(control);
    if (button == MouseButton::Right) window_.ShowButtonMenu(x, y);
  } else if (&control == &wallpaper_ && button == MouseButton::Right && noTray_) {
    window_.ShowMainMenu(x, y);
  }
}

void ButtonInteraction::RunAction(ImageControl& control) {
  switch (control.handlers.action) {
    case ClickAction::LaunchButton:
      LaunchButton(control);
      break;
    case ClickAction::OpenDateTimeSettings:
      OpenDateTimeSettings();
      break;
    case ClickAction::None:
      break;
  }
}

}  // namespace moravel
