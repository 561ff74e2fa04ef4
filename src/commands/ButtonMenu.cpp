#include "commands/ButtonMenu.h"

namespace moravel {

ButtonMenu::ButtonMenu(QWidget* parent) : QMenu(parent) {
  connect(addAction(QStringLiteral("Добавить кнопку")), &QAction::triggered, this,
          &ButtonMenu::addButtonChosen);
  connect(addAction(QStringLiteral("Удалить кнопку")), &QAction::triggered, this,
          &ButtonMenu::removeButtonChosen);
}

}  // namespace moravel
