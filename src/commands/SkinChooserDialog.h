#pragma once
// The skin chooser (TForm5): a fixed-size, modeless dialog listing the skin
// folders, with "Применить", "OK" and "Отмена". It is a thin view over
// SkinChooserController: each event goes to the controller's handler of the
// same control, then the widgets are set from the controller's state (items,
// selection, enabled buttons, visibility, place). Captions and geometry come
// from the controller.
//
// Lifetime: the session must outlive the dialog. The dialog has no parent
// (it must not take the desktop window's place below every other window):
// its owner deletes it.

#include <QDialog>

#include "desktop/SkinChooserController.h"

class QListWidget;
class QPushButton;

namespace moravel {

class DesktopSession;

class SkinChooserDialog : public QDialog {
  Q_OBJECT
 public:
  explicit SkinChooserDialog(DesktopSession& session);

  // "Обложки...": when hidden, lists the skins afresh, centres the dialog on
  // its screen and shows it; when already shown, only brings it forward.
  void present();

  const SkinChooserController& controller() const { return controller_; }
  QListWidget& list() { return *list_; }
  QPushButton& applyButton() { return *apply_; }    // Button1
  QPushButton& okButton() { return *ok_; }          // Button3
  QPushButton& cancelButton() { return *cancel_; }  // Button2

  // Escape and the window's close button: as "Отмена".
  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Sets every widget from the controller's state.
  void sync();
  void selectionChanged();

  SkinChooserController controller_;
  QListWidget* list_;    // ListBox1; owned by the dialog
  QPushButton* apply_;   // Button1
  QPushButton* ok_;      // Button3
  QPushButton* cancel_;  // Button2
};

}  // namespace moravel
