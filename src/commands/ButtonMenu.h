#pragma once
// The menu of a desktop button: "Добавить кнопку" opens the button editor,
// "Удалить кнопку" the removal dialog.

#include <QMenu>

namespace moravel {

class ButtonMenu : public QMenu {
  Q_OBJECT
 public:
  explicit ButtonMenu(QWidget* parent = nullptr);

 signals:
  void addButtonChosen();     // "Добавить кнопку"
  void removeButtonChosen();  // "Удалить кнопку"
};

}  // namespace moravel
