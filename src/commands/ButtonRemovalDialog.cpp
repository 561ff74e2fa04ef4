#include "commands/ButtonRemovalDialog.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "commands/DialogFont.h"

namespace moravel {

ButtonRemovalDialog::ButtonRemovalDialog(std::function<void()> remove)
    : QDialog(nullptr), remove_(std::move(remove)) {
  setWindowTitle(QStringLiteral("Удаление кнопки!"));
  setFont(DialogFont(8, false));
  setFixedSize(226, 100);
  question_ = new QLabel(QStringLiteral("Удалить эту кнопку?"), this);
  question_->setFont(DialogFont(8, true));
  question_->setAlignment(Qt::AlignCenter);
  question_->setGeometry(33, 30, 160, 13);
  ok_ = new QPushButton(QStringLiteral("Ок"), this);
  ok_->setFont(DialogFont(8, true));
  ok_->setGeometry(33, 65, 75, 25);
  ok_->setDefault(true);
  cancel_ = new QPushButton(QStringLiteral("Отмена"), this);
  cancel_->setFont(DialogFont(8, true));
  cancel_->setGeometry(118, 65, 75, 25);
  connect(ok_, &QPushButton::clicked, this, [this] {
    remove_();
    hide();
  });
  connect(cancel_, &QPushButton::clicked, this, &QDialog::hide);
}

void ButtonRemovalDialog::present() {
  if (!isVisible()) {
    const QRect area = (screen() ? screen() : QGuiApplication::primaryScreen())->geometry();
    move(area.x() + area.width() / 2 - width() / 2, area.y() + area.height() / 2 - height() / 2);
    show();
  }
  raise();
  activateWindow();
}

}  // namespace moravel
