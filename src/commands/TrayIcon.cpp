#include "commands/TrayIcon.h"

#include <QCursor>
#include <QIcon>
#include <QMenu>

namespace moravel {

TrayIcon::TrayIcon(QMenu& menu, QObject* parent) : QObject(parent), menu_(menu) {
  icon_.setIcon(QIcon(QStringLiteral(":/moravel/moravel-48.png")));
  icon_.setToolTip(QStringLiteral("Moravel"));
  // The right click goes through the context menu, which every kind of tray
  // host knows how to open; the left click opens the same menu at the pointer.
  icon_.setContextMenu(&menu_);
  connect(&icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason why) {
    if (why == QSystemTrayIcon::Trigger) menu_.popup(QCursor::pos());
  });
  icon_.show();
}

bool TrayIcon::Available() {
  return QSystemTrayIcon::isSystemTrayAvailable();
}

}  // namespace moravel
