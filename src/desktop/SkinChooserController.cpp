#include "desktop/SkinChooserController.h"

#include "settings/NumberedItems.h"

namespace moravel {

void SkinChooserController::OnShow(int screenWidth, int screenHeight, int dialogWidth,
                                   int dialogHeight) {
  applyEnabled_ = okEnabled_ = false;
  // Integer division truncates toward zero, as the placement wants.
  left_ = screenWidth / 2 - dialogWidth / 2;
  top_ = screenHeight / 2 - dialogHeight / 2;
  items_.clear();
  selected_.reset();
  if (const IniFile* skins = session_.state().files.skins.get()) {
    const int n = CountNumberedSections("skin", *skins);
    for (int k = 1; k <= n; ++k) {
      items_.push_back(skins->ReadString("skin" + std::to_string(k), "dir", kMissingDir));
    }
  }
  visible_ = true;
}

void SkinChooserController::OnSkinClicked(int index) {
  if (index < 0 || index >= int(items_.size())) return;
  selected_ = index;
  applyEnabled_ = okEnabled_ = true;
}

void SkinChooserController::OnSkinDoubleClicked() {
  if (!selected_) return;
  ApplySelected();
  visible_ = false;
}

void SkinChooserController::OnApply() {
  ApplySelected();
}

void SkinChooserController::OnCancel() {
  applyEnabled_ = okEnabled_ = false;
  visible_ = false;
}

void SkinChooserController::OnOk() {
  ApplySelected();
  visible_ = false;
}

void SkinChooserController::ApplySelected() {
  if (selected_) session_.ApplySkin(items_[size_t(*selected_)]);
}

}  // namespace moravel
