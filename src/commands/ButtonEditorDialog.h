#pragma once
// The button editor "Создание кнопки": a fixed-size, modeless dialog with the
// skin's templates, the action and its target, the icon source, the caption
// and the preview of the new button's up picture. It is a thin view over
// ButtonEditorController: each event goes to the controller's handler of that
// event, then refresh() sets the widgets from the controller's state (texts,
// choices, enabled controls, the preview and the size around it, whether it
// is shown). Captions and geometry come from the controller.
//
// The caption poll is the program's timer (DesktopTimer::EditorCaption): its
// owner calls the controller's OnCaptionPoll, then refresh(). The dialog
// holds no timer of its own.
//
// Lifetime: the controller must outlive the dialog. The dialog has no parent
// (it must not take the desktop window's place below every other window): it
// is made once and kept, and its owner deletes it.

#include <QDialog>
#include <filesystem>
#include <functional>
#include <optional>

#include "editor/ButtonEditorController.h"

class QAbstractButton;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace moravel {

class ButtonEditorDialog : public QDialog {
  Q_OBJECT
 public:
  // The file dialog of each "...": the file picked, nothing when the user
  // cancelled.
  using FileChooser = std::function<std::optional<std::filesystem::path>()>;

  // A check in the preview's background: squares of this many pixels.
  static constexpr int kCheckerSquare = 8;

  explicit ButtonEditorDialog(ButtonEditorController& controller);

  // "Добавить кнопку": when hidden, prepares the dialog (the controller's
  // OnShow), centres it on its screen and shows it; when shown, only brings
  // it forward.
  void present();
  // A file, folder or launcher dropped on the desktop: shows the dialog as
  // present() does when hidden, with `path` as the target.
  void dropPath(const std::filesystem::path& path);
  // Sets every widget from the controller's state.
  void refresh();
  // Replaces Qt's open-file dialog (no filter) of both "..."; tests pass
  // their own.
  void setFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }

  QListWidget& templateList() { return *templates_; }
  QGroupBox& actionGroup() { return *actionGroup_; }
  QGroupBox& iconGroup() { return *iconGroup_; }
  QLineEdit& targetEdit() { return *target_; }
  QLineEdit& iconEdit() { return *icon_; }
  QLineEdit& captionEdit() { return *caption_; }
  QPushButton& browseTargetButton() { return *browseTarget_; }
  QPushButton& browseIconButton() { return *browseIcon_; }
  QAbstractButton& actionButton(ButtonAction action);
  QAbstractButton& iconModeButton(ButtonEditorController::IconMode mode);
  QLabel& preview() { return *preview_; }
  QPushButton& okButton() { return *ok_; }
  QPushButton& cancelButton() { return *cancel_; }

  // Escape and the window's close button: as "Отмена".
  void reject() override;

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildActionGroup();
  void buildIconGroup();
  void selectionChanged();
  void showPreview();
  // Places the dialog at the centre of its screen by its outer size, shows it.
  void showCentred();

  ButtonEditorController& controller_;
  FileChooser chooseFile_;
  // A press on the template already selected: its click picks it again.
  bool pressOnSelected_ = false;

  // Owned by the dialog.
  QListWidget* templates_;
  QGroupBox* actionGroup_;
  QGroupBox* iconGroup_;
  QLineEdit* target_;
  QLineEdit* icon_;
  QLineEdit* caption_;
  QPushButton* browseTarget_;
  QPushButton* browseIcon_;
  QAbstractButton* actions_[ButtonEditorController::kActionChoices.size()];
  QAbstractButton* iconModes_[ButtonEditorController::kIconModeChoices.size()];
  QLabel* preview_;
  QPushButton* ok_;
  QPushButton* cancel_;
};

}  // namespace moravel
