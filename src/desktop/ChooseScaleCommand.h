#pragma once
// "Масштаб": the user chooses the scale the skin is drawn at, `choice` 0 for
// "Автоматически" (the scale the desktop publishes) or 1..3 for "100 %" ..
// "300 %"; anything else is taken as 0. The choice is kept in data.ini as
// [display] scale=<choice> and applies at once: when the scale drawn at
// changes, the scene is built again (FollowMonitorsCommand). Nothing before
// Start.

#include "desktop/DesktopCommand.h"

namespace moravel {

class ChooseScaleCommand : public DesktopCommand {
 public:
  explicit ChooseScaleCommand(int choice) : choice_(choice) {}
  void Apply(DesktopModel& model) override;

  // `choice` when it is 1..3, else 0 (automatic).
  static int Normalized(int choice);
  // The choice data.ini holds (0 when missing or out of range).
  static int StoredChoice(const class IniFile& data);

 private:
  int choice_;
};

}  // namespace moravel
