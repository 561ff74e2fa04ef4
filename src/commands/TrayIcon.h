#pragma once
// The program's icon in the notification area: tooltip "Moravel", the
// program's own 48 x 48 picture, the main menu on a right click and on a left
// click. Shown from construction until destruction. `menu` is borrowed and
// must outlive the icon.

#include <QObject>
#include <QSystemTrayIcon>

namespace moravel {

class TrayIcon : public QObject {
  Q_OBJECT
 public:
  explicit TrayIcon(QMenu& menu, QObject* parent = nullptr);

  // True where the desktop has a notification area to show the icon in.
  static bool Available();

  QSystemTrayIcon& icon() { return icon_; }

 private:
  QMenu& menu_;
  QSystemTrayIcon icon_;
};

}  // namespace moravel
