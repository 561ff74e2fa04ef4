#pragma once
// The skin chooser: a fixed-size, modeless dialog listing the skin folders,
// with "Применить", "OK" and "Отмена". It is a thin view over
// SkinChooserController: each event goes to the controller's handler of that
// event, then the widgets are set from the controller's state (items,
// selection, enabled buttons, visibility, place). Captions and geometry come
// from the controller.
//
// Lifetime: the desktop must outlive the dialog. The dialog has no parent
// (it must not take the desktop window's place below every other window):
// its owner deletes it.

#include <QDialog>

#include "desktop/SkinChooserController.h"

class QListWidget;
class QPushButton;

namespace moravel {

class Desktop;

class SkinChooserDialog : public QDialog {
  Q_OBJECT
 public:
  explicit SkinChooserDialog(Desktop& session);

  // "Обложки...": when hidden, lists the skins afresh, centres the dialog on
  // its screen and shows it; when already shown, only brings it forward.
  void present();

  const SkinChooserController& controller() const { return controller_; }
  QListWidget& list() { return *list_; }
  QPushButton& applyButton() { return *apply_; }
  QPushButton& okButton() { return *ok_; }
  QPushButton& cancelButton() { return *cancel_; }

  // Escape and the window's close button: as "Отмена".
  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Sets every widget from the controller's state.
  void sync();
  void selectionChanged();

  SkinChooserController controller_;
  // Owned by the dialog.
  QListWidget* list_;
  QPushButton* apply_;
  QPushButton* ok_;
  QPushButton* cancel_;
};

}  // namespace moravel
