#pragma once
// The removal dialog "Удаление кнопки!": "Удалить эту кнопку?" with "Ок"
// and "Отмена". Modeless, made once and kept, centred on the screen when
// shown. "Ок" runs the removal it was given (the button selected at that
// moment goes), then hides; "Отмена", Escape and the close button only hide.

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;

namespace moravel {

class ButtonRemovalDialog : public QDialog {
  Q_OBJECT
 public:
  // `remove` runs on "Ок". No parent: the desktop window lies below every
  // other window.
  explicit ButtonRemovalDialog(std::function<void()> remove);

  // Shows the dialog centred, or brings it forward when shown.
  void present();

  QLabel& question() { return *question_; }
  QPushButton& okButton() { return *ok_; }
  QPushButton& cancelButton() { return *cancel_; }

 private:
  std::function<void()> remove_;
  QLabel* question_;
  QPushButton* ok_;
  QPushButton* cancel_;
};

}  // namespace moravel
