#pragma once
// The button editor ("Создание кнопки") without its windowing toolkit: the
// skin's templates, the target, the action, where the icon comes from, the
// caption, and the live preview of the new button's up picture. The dialog's
// view forwards each event to its handler here (On...), then shows this
// state; captions and the designed geometry are here so that the view and its
// tests share them.
//
// States: hidden -> OnShow (or a drop) -> choices, each refreshing the
// preview at once, the target and the icon box 300 ms after the last
// keystroke in either, the caption through the 1000 ms caption poll -> hidden
// by "ОК" (the placement begins) or "Отмена". The dialog is modeless and kept
// for the whole run: the action and the icon mode stay chosen between shows,
// the text boxes and the template are reset by each show.
//
// Lifetime: the settings files, the renderer and the timers must outlive the
// controller. Not thread-safe (the user-interface thread only).

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Result.h"
#include "desktop/DesktopTimers.h"
#include "desktop/SettingsFiles.h"
#include "editor/ButtonAction.h"
#include "editor/ButtonFaceRenderer.h"
#include "editor/FaceParams.h"
#include "editor/NewButtonDesign.h"
#include "raster/Bitmap.h"
#include "raster/Rect.h"

namespace moravel {

class ButtonEditorController {
 public:
  enum class IconMode { kAutomatic, kManual };

  // Asks the host to begin placing the new button on the desktop. Success
  // when it began; else the error the host has shown.
  using BeginPlacement = std::function<Result<void>()>;

  static constexpr std::string_view kCaption = "Создание кнопки";
  static constexpr std::string_view kTemplatesTitle = "Кнопка";
  static constexpr std::string_view kActionTitle = "Действие";
  static constexpr std::string_view kIconsTitle = "Иконки";
  static constexpr std::string_view kBrowseCaption = "...";
  static constexpr std::string_view kCaptionLabel = "Текст на кнопке";
  static constexpr std::string_view kOkCaption = "ОК";  // Cyrillic letters
  static constexpr std::string_view kCancelCaption = "Отмена";

  // Designed geometry in pixels (left, top, width, height): in the client
  // area, or in the group box named first.
  static constexpr int kClientWidth = 600, kClientHeight = 459;
  static constexpr Rect kTemplatesTitleAt{10, 5, 280, 20};
  static constexpr Rect kTemplateList{10, 29, 280, 420};  // its height follows the preview
  static constexpr Rect kActionGroup{310, 5, 280, 115};
  static constexpr Rect kTargetEdit{5, 25, 245, 25};     // action group
  static constexpr Rect kBrowseTarget{250, 25, 25, 25};  // action group
  static constexpr Rect kIconGroup{310, 120, 280, 95};
  static constexpr Rect kIconEdit{5, 60, 245, 25};           // icon group
  static constexpr Rect kBrowseIcon{250, 60, 25, 25};        // icon group
  static constexpr Rect kCaptionLabelAt{310, 219, 280, 13};  // 3 pixels above the box
  static constexpr Rect kCaptionEdit{310, 235, 280, 25};
  static constexpr int kPreviewLeft = 310, kPreviewTop = 265;  // sized to the picture
  // "ОК" and "Отмена"; their top follows the preview.
  static constexpr Rect kOkButton{370, 425, 75, 25};
  static constexpr Rect kCancelButton{455, 425, 75, 25};

  struct ActionChoice {
    ButtonAction action;
    std::string_view caption;
    Rect at;  // action group
  };
  static constexpr std::array<ActionChoice, 5> kActionChoices{{
      {ButtonAction::kOpenFile, "Открыть файл", {5, 55, 270, 17}},
      {ButtonAction::kMyComputer, "\"Мой компьютер\"", {5, 75, 135, 17}},
      {ButtonAction::kRecycleBin, "\"Корзина\"", {140, 75, 135, 17}},
      {ButtonAction::kMyDocuments, "\"Мои документы\"", {5, 95, 135, 17}},
      {ButtonAction::kNetwork, "\"Сет. окружение\"", {140, 95, 135, 17}},
  }};
  struct IconModeChoice {
    IconMode mode;
    std::string_view caption;
    Rect at;  // icon group
  };
  static constexpr std::array<IconModeChoice, 2> kIconModeChoices{{
      {IconMode::kAutomatic, "Формировать автоматически", {5, 20, 270, 15}},
      {IconMode::kManual, "Указывать вручную", {5, 35, 270, 15}},
  }};

  // The parts of the dialog that follow the preview's size.
  struct Layout {
    int clientWidth = kClientWidth, clientHeight = kClientHeight;
    int buttonsTop = kOkButton.y;           // "ОК" and "Отмена"
    int listHeight = kTemplateList.height;  // the template list
    friend bool operator==(const Layout&, const Layout&) = default;
  };
  // The layout for a preview of previewWidth x previewHeight pixels: the
  // client area 600 wide, or the preview's width + 320 past 280; 400 high
  // with the buttons at 365 below a height of 126, else the preview's height
  // + 335 with the buttons at its height + 300; the list 40 pixels shorter
  // than the client area.
  static Layout FitEditorToPreview(int previewWidth, int previewHeight);

  // `files`: the desktop's, read only, except that OnShow reads config.ini
  // again from the disk. All outlive the controller.
  ButtonEditorController(const SettingsFiles& files, const ButtonFaceRenderer& renderer,
                         DesktopTimers& timers, BeginPlacement beginPlacement);

  // Each time the dialog is shown: reads the skin's config.ini again from the
  // disk; lists its templates [freebutton1] .. (up to the first missing
  // number) by "name", else the section's name; empties the three text boxes
  // and the caption; selects the first template (none, with "ОК" disabled,
  // when there is none) with the grey caption default; takes the icon source,
  // refreshes the preview, and enables the caption box and its poll when the
  // template has a caption area (tw1 and th1 not 1).
  void OnShow();
  // A click on template `index` (0-based): as OnShow's template steps, but
  // with the green caption default, and the icon source as it is. An index
  // outside the list changes nothing.
  void OnTemplateChosen(int index);
  // The file dialogs of "..." (nothing: cancelled, nothing changes). A target
  // becomes the icon source in the automatic mode whatever the action (the
  // chosen action stays); an icon switches to the manual mode.
  void OnBrowseTarget(const std::optional<std::filesystem::path>& file);
  void OnBrowseIcon(const std::optional<std::filesystem::path>& file);
  // The radio buttons: take the icon source and refresh the preview.
  void OnActionChosen(ButtonAction action);
  void OnIconModeChosen(IconMode mode);
  // Typing into the target or the icon box stores the text and restarts the
  // typing pause (DesktopTimer::EditorTyping); the text is taken at its tick,
  // at a choice that takes the icon source, or at "ОК", whichever comes
  // first. Typing into the caption box stores it for the next poll.
  void OnTargetEdited(std::string text);
  void OnIconEdited(std::string text);
  void OnCaptionEdited(std::string text) { captionBox_ = std::move(text); }
  // The typing pause's tick: what was typed into the target or the icon box
  // since it was last taken gives the icon source, and the preview is
  // refreshed.
  void OnTypingPause();
  // The caption poll (DesktopTimer::EditorCaption): a caption box changed
  // since the last poll becomes the caption, and the preview is refreshed.
  void OnCaptionPoll();
  // "ОК" (also Enter): takes what was typed (as OnTypingPause), stops the
  // caption poll and asks the host to begin the placement; hides the dialog
  // when it began. Nothing when "ОК" is disabled.
  void OnOk();
  // "Отмена", Escape or the window's close button: stops the caption poll
  // and the typing pause and hides the dialog.
  void OnCancel();
  // A file, folder or launcher dropped on the desktop or the dialog: shows
  // the dialog when hidden (OnShow), then makes `path` the target with the
  // open-file action and the automatic icon, and refreshes the preview.
  void OnDropped(const std::filesystem::path& path);

  bool visible() const { return visible_; }
  const std::vector<std::string>& templateNames() const { return templateNames_; }
  // The selected template's index; nothing when the skin has none.
  std::optional<int> selected() const { return selected_; }
  const std::string& targetText() const { return targetText_; }
  const std::string& iconText() const { return iconText_; }
  const std::string& captionBoxText() const { return captionBox_; }
  ButtonAction action() const { return action_; }
  IconMode iconMode() const { return iconMode_; }
  bool okEnabled() const { return okEnabled_; }
  bool captionEnabled() const { return captionEnabled_; }
  // The up picture as the new button would look; empty when the template
  // picture cannot be read.
  const Bitmap& preview() const { return preview_; }
  const Layout& layout() const { return layout_; }
  // Why the last "ОК" did not begin the placement; empty after a success.
  const std::string& placementError() const { return placementError_; }

  // The choices as the placement and the commit read them.
  NewButtonDesign design() const;

 private:
  const IniFile& Config() const;
  // Reads the selected template's up picture and state-1 FaceParams.
  void ReadTemplate(Rgb captionDefault);
  // The caption box and its poll are on exactly when the template has a
  // caption area.
  void UpdateCaptionArea();
  // IconSourcePath from the icon mode, the action and the text boxes; what
  // was typed counts as taken.
  void TakeIconSource();
  // Typing is taken: nothing waits for the typing pause, which stops.
  void TypingTaken();
  void RefreshPreview();

  const SettingsFiles& files_;
  const ButtonFaceRenderer& renderer_;
  DesktopTimers& timers_;
  BeginPlacement beginPlacement_;

  bool visible_ = false;
  std::vector<std::string> templateNames_;
  std::optional<int> selected_;
  std::string targetText_, iconText_, captionBox_;
  bool typed_ = false;  // the target or the icon box changed since last taken
  ButtonAction action_ = ButtonAction::kOpenFile;
  IconMode iconMode_ = IconMode::kAutomatic;
  bool okEnabled_ = true;
  bool captionEnabled_ = true;

  int templateNumber_ = 0;
  std::string templatePicturePath_;
  FaceParams editorFaceParams_;
  std::string iconSourcePath_;
  std::string captionText_;
  std::string lastCaption_;  // the caption box at the last poll

  Bitmap preview_;
  Layout layout_;
  std::string placementError_;
};

}  // namespace moravel
