#include "editor/ButtonEditorController.h"

#include "editor/ShellFolderIcons.h"
#include "settings/CaseInsensitivePath.h"
#include "settings/NumberedItems.h"
#include "settings/Utf8Path.h"

namespace moravel {

namespace {

std::string TemplateSection(int number) {
  return "freebutton" + std::to_string(number);
}

}  // namespace

ButtonEditorController::Layout ButtonEditorController::FitEditorToPreview(int previewWidth,
                                                                          int previewHeight) {
  Layout l;
  l.clientWidth = previewWidth <= 280 ? 600 : previewWidth + 320;
  if (previewHeight < 126) {
    l.clientHeight = 400;
    l.buttonsTop = 365;
  } else {
    l.clientHeight = previewHeight + 335;
    l.buttonsTop = previewHeight + 300;
  }
  l.listHeight = l.clientHeight - 40;
  return l;
}

ButtonEditorController::ButtonEditorController(const SettingsFiles& files,
                                               const ButtonFaceRenderer& renderer,
                                               DesktopTimers& timers, BeginPlacement beginPlacement)
    : files_(files),
      renderer_(renderer),
      timers_(timers),
      beginPlacement_(std::move(beginPlacement)) {}

const IniFile& ButtonEditorController::Config() const {
  // Before the start-up has opened the settings, the editor reads nothing.
  static const IniFile kNone{std::filesystem::path()};
  return files_.config ? *files_.config : kNone;
}

void ButtonEditorController::OnShow() {
  lastCaption_ = captionBox_;  // what the last show left in the box
  if (files_.config) files_.config->Reload();
  const IniFile& config = Config();
  templateNames_.clear();
  const int count = CountNumberedSections("freebutton", config);
  for (int i = 1; i <= count; ++i) {
    const std::string section = TemplateSection(i);
    templateNames_.push_back(config.ReadString(section, "name", section));
  }
  targetText_.clear();
  iconText_.clear();
  captionBox_.clear();
  okEnabled_ = count >= 1;
  selected_ = okEnabled_ ? std::optional<int>(0) : std::nullopt;
  ReadTemplate(kCaptionGreyDefault);
  captionText_.clear();
  TakeIconSource();
  RefreshPreview();
  UpdateCaptionArea();
  visible_ = true;
}

void ButtonEditorController::OnTemplateChosen(int index) {
  if (index < 0 || index >= int(templateNames_.size())) return;
  selected_ = index;
  ReadTemplate(kCaptionGreenDefault);
  RefreshPreview();
  UpdateCaptionArea();
}

void ButtonEditorController::OnBrowseTarget(const std::optional<std::filesystem::path>& file) {
  if (!file) return;
  targetText_ = Utf8Of(*file);
  // Not the icon source rule: a special-folder action still takes the file.
  iconSourcePath_ = iconMode_ == IconMode::kAutomatic ? targetText_ : iconText_;
  TypingTaken();
  RefreshPreview();
}

void ButtonEditorController::OnBrowseIcon(const std::optional<std::filesystem::path>& file) {
  if (!file) return;
  iconText_ = Utf8Of(*file);
  iconMode_ = IconMode::kManual;
  TakeIconSource();
  RefreshPreview();
}

void ButtonEditorController::OnActionChosen(ButtonAction action) {
  action_ = action;
  TakeIconSource();
  RefreshPreview();
}

void ButtonEditorController::OnIconModeChosen(IconMode mode) {
  iconMode_ = mode;
  TakeIconSource();
  RefreshPreview();
}

void ButtonEditorController::OnTargetEdited(std::string text) {
  targetText_ = std::move(text);
  typed_ = true;
  timers_.Restart(DesktopTimer::EditorTyping);
}

void ButtonEditorController::OnIconEdited(std::string text) {
  iconText_ = std::move(text);
  typed_ = true;
  timers_.Restart(DesktopTimer::EditorTyping);
}

void ButtonEditorController::OnTypingPause() {
  if (!typed_) return;
  TakeIconSource();
  RefreshPreview();
}

void ButtonEditorController::OnCaptionPoll() {
  if (captionBox_ == lastCaption_) return;
  captionText_ = lastCaption_ = captionBox_;
  RefreshPreview();
}

void ButtonEditorController::OnOk() {
  if (!okEnabled_) return;
  OnTypingPause();
  // The poll stays off even when the placement cannot begin.
  timers_.SetEnabled(DesktopTimer::EditorCaption, false);
  placementError_.clear();
  if (!beginPlacement_) return;
  if (Result<void> begun = beginPlacement_(); !begun) {
    placementError_ = begun.error().message;
    return;
  }
  visible_ = false;
}

void ButtonEditorController::OnCancel() {
  timers_.SetEnabled(DesktopTimer::EditorCaption, false);
  TypingTaken();
  visible_ = false;
}

void ButtonEditorController::OnDropped(const std::filesystem::path& path) {
  if (!visible_) OnShow();
  targetText_ = Utf8Of(path);
  action_ = ButtonAction::kOpenFile;
  iconMode_ = IconMode::kAutomatic;
  TakeIconSource();
  RefreshPreview();
}

NewButtonDesign ButtonEditorController::design() const {
  return {templateNumber_, targetText_, action_, iconSourcePath_, captionText_, editorFaceParams_};
}

void ButtonEditorController::ReadTemplate(Rgb captionDefault) {
  // With no template selected this is [freebutton0], which no skin has.
  templateNumber_ = selected_ ? *selected_ + 1 : 0;
  const std::string section = TemplateSection(templateNumber_);
  const IniFile& config = Config();
  // A missing image1 leaves the skin folder itself, which reads as no picture.
  templatePicturePath_ = Utf8Of(
      ResolveSkinFile(files_.skinPath, TemplateImageName(config, section, ButtonState::kUp)));
  editorFaceParams_ = ReadFaceParams(config, section, ButtonState::kUp, captionDefault);
}

void ButtonEditorController::UpdateCaptionArea() {
  captionEnabled_ = editorFaceParams_.textWidth != 1 && editorFaceParams_.textHeight != 1;
  timers_.SetEnabled(DesktopTimer::EditorCaption, captionEnabled_);
}

void ButtonEditorController::TakeIconSource() {
  TypingTaken();
  if (iconMode_ == IconMode::kManual) {
    iconSourcePath_ = iconText_;
  } else if (action_ == ButtonAction::kOpenFile) {
    iconSourcePath_ = targetText_;
  } else {
    iconSourcePath_ = Utf8Of(SpecialFolderIcon(Config(), files_.skinPath, int(action_)));
  }
}

void ButtonEditorController::TypingTaken() {
  typed_ = false;
  timers_.SetEnabled(DesktopTimer::EditorTyping, false);
}

void ButtonEditorController::RefreshPreview() {
  Result<Bitmap> face = renderer_.RenderButtonFace(templatePicturePath_, iconSourcePath_,
                                                   editorFaceParams_, captionText_);
  preview_ = face ? std::move(*face) : Bitmap();
  layout_ = FitEditorToPreview(preview_.width(), preview_.height());
}

}  // namespace moravel
