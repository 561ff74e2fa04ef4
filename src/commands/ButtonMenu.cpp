#include "commands/ButtonMenu.h"

namespace moravel {

ButtonMenu::ButtonMenu(QWidget* parent) : QMenu(parent) {
  connect(addAction(QStringLiteral("Добавить кнопку")), &QAction::triggered, this,
          &ButtonMenu::addButtonChosen);
  addAction(QStringLiteral("Удалить кнопку"));
}

}  // namespace moravel
