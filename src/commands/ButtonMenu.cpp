#include "commands/ButtonMenu.h"

namespace moravel {

ButtonMenu::ButtonMenu(QWidget* parent) : QMenu(parent) {
  addAction(QStringLiteral("Добавить кнопку"));
  addAction(QStringLiteral("Удалить кнопку"));
}

}  // namespace moravel
