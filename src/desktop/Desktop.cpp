#include "desktop/Desktop.h"

#include <utility>

#include "desktop/ChangeWallpaperCommand.h"
#include "desktop/ChooseScaleCommand.h"
#include "desktop/FollowMonitorsCommand.h"
#include "desktop/SkinList.h"
#include "desktop/SwitchSkinCommand.h"
#include "settings/SkinPaths.h"

namespace moravel {

Desktop::Desktop(DesktopServices services, std::filesystem::path programFolder, int screenWidth,
                 int screenHeight, int scale)
    : state_(std::make_unique<DesktopModel>(services, std::move(programFolder), screenWidth,
                                            screenHeight, scale)) {}

Desktop::~Desktop() {
  SetOverlay(nullptr);
}

void Desktop::Start() {
  DesktopModel& s = *state_;
  s.mayClose = false;
  s.pointer = PointerState{};
  s.scene.lastClockHour = s.scene.lastClockMinute = s.scene.lastClockSecond = kNothingDrawn;
  s.scene.lastShownDay = 0;

  SettingsFiles& f = s.files;
  f.data = std::make_unique<IniFile>(f.programFolder / "data.ini");
  if (!f.data->HasKey("skin", "dir")) (void)f.data->WriteString("skin", "dir", "wood");
  f.skinPath = SkinPath(f.programFolder, f.data->ReadString("skin", "dir", "wood"));
  f.skins = std::make_unique<IniFile>(f.programFolder / "skins.ini");
  RebuildSkinList(*f.skins, f.programFolder / "skins");
  f.config = std::make_unique<IniFile>(f.skinPath / "config.ini");
  f.user = std::make_unique<IniFile>(f.skinPath / "user.ini");
  s.menu.useDoubleClickChecked = f.config->ReadFlag("doubleclick", "dc", true);
  s.menu.scaleChoice = ChooseScaleCommand::StoredChoice(*f.data);
  s.primary().scale = s.chosenScale();

  s.wallpaperControl.SetSize(s.width(), s.height());
  // The wallpaper may still be on its way from another thread (a prefetch):
  // the parts it does not show through are built meanwhile.
  s.builder.BuildBeforeWallpaper();
  s.PaintSkinWallpaper();
  s.builder.BuildOverWallpaper();
  s.composer.InvalidateAll();  // the first picture is shown whole
  if (!f.user->readable())
    s.services.window.ShowMessage(ButtonTable::UnreadableRecordsMessage(*f.user));
}

void Desktop::HandlePointer(const PointerEvent& event) {
  state_->router.Handle(event);
}

void Desktop::SetNoTray(bool noTray) {
  state_->interaction.SetNoTray(noTray);
}

void Desktop::OnTimer(DesktopTimer timer) {
  switch (timer) {
    case DesktopTimer::Calendar:
      return OnCalendarTimer();
    case DesktopTimer::Clock:
      return OnClockTimer();
    case DesktopTimer::EditorCaption:
    case DesktopTimer::EditorTyping:
    case DesktopTimer::Placement:
      break;
  }
}

void Desktop::OnCalendarTimer() {
  DesktopModel& s = *state_;
  if (!s.services.timeWidgets) return;
  SceneContext ctx = s.builder.Context();
  s.services.timeWidgets->OnCalendarTimer(ctx);
}

void Desktop::OnClockTimer() {
  DesktopModel& s = *state_;
  if (!s.services.timeWidgets) return;
  SceneContext ctx = s.builder.Context();
  s.services.timeWidgets->OnClockTimer(ctx);
}

void Desktop::OpenDesktopFiles() {
  state_->services.launcher.OpenSpecialFolder(0);
}

void Desktop::ToggleDoubleClick() {
  DesktopModel& s = *state_;
  if (!s.files.config || !s.files.user) return;  // before Start
  const bool doubleClick = !s.menu.useDoubleClickChecked;
  s.menu.useDoubleClickChecked = doubleClick;
  (void)s.files.config->WriteFlag("doubleclick", "dc", doubleClick);
  s.buttons.RebindClicks(doubleClick);
}

void Desktop::Exit() {
  DesktopModel& s = *state_;
  s.builder.Clear();
  s.mayClose = true;
  s.services.window.Close();
}

bool Desktop::MayClose() const {
  return state_->mayClose;
}

void Desktop::Run(DesktopCommand& command) {
  command.Apply(*state_);
}

void Desktop::ApplySkin(const std::string& name) {
  SwitchSkinCommand command(name);
  Run(command);
}

void Desktop::ChangeWallpaper(std::optional<std::filesystem::path> chosen) {
  ChangeWallpaperCommand command(std::move(chosen));
  Run(command);
}

void Desktop::FollowScreens(Rect primary, std::span<const Rect> screens, int scale) {
  FollowMonitorsCommand command(primary, screens, scale);
  Run(command);
}

void Desktop::ChooseScale(int choice) {
  const int chosen = ChooseScaleCommand::Normalized(choice);
  const int next = chosen ? chosen : state_->publishedScale;
  if (overlay_ && next != state_->primary().scale) {  // laid out for the old scale
    overlay_->Detach();
    overlay_->Attach(state_->controls, state_->monitors);
  }
  ChooseScaleCommand command(choice);
  Run(command);
}

const std::vector<Monitor>& Desktop::monitors() const {
  return state_->monitors;
}

const MainMenuState& Desktop::menu() const {
  return state_->menu;
}

FrameComposer& Desktop::frame() {
  return state_->composer;
}

const DesktopModel& Desktop::state() const {
  return *state_;
}

void Desktop::SetProblems(SkinProblems* problems) {
  state_->builder.SetProblems(problems);
}

void Desktop::SetOverlay(DesktopOverlay* overlay) {
  if (overlay_) overlay_->Detach();
  overlay_ = overlay;
  state_->router.SetOverlay(overlay);
  if (overlay) overlay->Attach(state_->controls, state_->monitors);
}

}  // namespace moravel
