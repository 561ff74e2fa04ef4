#include "desktop/ChooseScaleCommand.h"

#include <span>
#include <vector>

#include "desktop/DesktopModel.h"
#include "desktop/FollowMonitorsCommand.h"

namespace moravel {

int ChooseScaleCommand::Normalized(int choice) {
  return choice >= 1 && choice <= kMaxScale ? choice : 0;
}

int ChooseScaleCommand::StoredChoice(const IniFile& data) {
  return Normalized(data.ReadInt("display", "scale", 0));
}

void ChooseScaleCommand::Apply(DesktopModel& s) {
  if (!s.files.data) return;  // before Start
  const int choice = Normalized(choice_);
  s.menu.scaleChoice = choice;
  (void)s.files.data->WriteInt("display", "scale", choice);
  std::vector<Rect> others;
  for (size_t i = 1; i < s.monitors.size(); ++i) others.push_back(s.monitors[i].area);
  FollowMonitorsCommand follow(s.primary().area, others, s.publishedScale);
  follow.Apply(s);
}

}  // namespace moravel
