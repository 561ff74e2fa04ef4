#pragma once
// The skin chooser dialog ("Обложки..." in the main menu) without its
// windowing toolkit: the list of skins, the selection, which buttons are
// enabled, whether the dialog is shown and where. The dialog's view forwards
// each event to its handler here (On...), then shows this state; captions
// and the designed geometry are here so that the view and its tests share
// them.
//
// States: hidden -> OnShow -> (apply any number of times) -> hidden by
// "OK", a double click on a skin or "Отмена". The dialog is modeless.
//
// Lifetime: the desktop must outlive the controller.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "desktop/Desktop.h"
#include "raster/Rect.h"

namespace moravel {

class SkinChooserController {
 public:
  static constexpr std::string_view kCaption = "Выберите обложку";
  static constexpr std::string_view kApplyCaption = "Применить";
  static constexpr std::string_view kOkCaption = "OK";
  static constexpr std::string_view kCancelCaption = "Отмена";
  // The name listed for a [skin<k>] section without dir.
  static constexpr std::string_view kMissingDir = "Error!";

  // Designed geometry in pixels: the client area, and each control's place
  // in it (left, top, width, height).
  static constexpr int kClientWidth = 300, kClientHeight = 453;
  static constexpr Rect kSkinList{10, 10, 280, 400};
  static constexpr Rect kApplyButton{10, 420, 95, 25};
  static constexpr Rect kOkButton{105, 420, 90, 25};
  static constexpr Rect kCancelButton{195, 420, 95, 25};

  explicit SkinChooserController(Desktop& session) : session_(session) {}

  // Each time the dialog is shown. Disables "Применить" and "OK"; places the
  // dialog at the centre of a screenWidth x screenHeight screen, given its
  // outer size in pixels; lists [skin1] .. [skinN] dir of skins.ini (up to the
  // first missing number), "Error!" for a section without dir; selects
  // nothing (the skin in use is not marked either).
  void OnShow(int screenWidth, int screenHeight, int dialogWidth, int dialogHeight);

  // A click in the list selecting item `index` (0-based): selects it and
  // enables "Применить" and "OK". An index outside the list changes nothing.
  void OnSkinClicked(int index);
  // A double click in the list: with a skin selected, applies it and closes;
  // without, nothing.
  void OnSkinDoubleClicked();
  // "Применить": applies the selected skin; the dialog stays open as it is.
  void OnApply();
  // "Отмена": disables "Применить" and "OK" and closes; nothing is applied.
  void OnCancel();
  // "OK": applies the selected skin, then closes.
  void OnOk();

  const std::vector<std::string>& items() const { return items_; }
  // The selected item's index; nothing when none is selected.
  std::optional<int> selected() const { return selected_; }
  bool applyEnabled() const { return applyEnabled_; }
  bool okEnabled() const { return okEnabled_; }
  bool visible() const { return visible_; }
  // The dialog's outer top-left corner on the screen, as OnShow placed it.
  int left() const { return left_; }
  int top() const { return top_; }

 private:
  // Applies the selected skin; nothing when none is selected.
  void ApplySelected();

  Desktop& session_;
  std::vector<std::string> items_;
  std::optional<int> selected_;
  bool applyEnabled_ = false;
  bool okEnabled_ = false;
  bool visible_ = false;
  int left_ = 0;
  int top_ = 0;
};

}  // namespace moravel
