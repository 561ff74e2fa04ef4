#pragma once
// The menu of a desktop button (PopupMenu2): "Добавить кнопку" and
// "Удалить кнопку". The button editor and the removal dialog come later;
// until then both items open nothing.

#include <QMenu>

namespace moravel {

class ButtonMenu : public QMenu {
  Q_OBJECT
 public:
  explicit ButtonMenu(QWidget* parent = nullptr);
};

}  // namespace moravel
