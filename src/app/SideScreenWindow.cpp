#include "app/SideScreenWindow.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>

#include "app/DevicePixels.h"
#include "app/NativeShell.h"
#include "platform_x11/DesktopWindowShell.h"

namespace moravel {

SideScreenWindow::SideScreenWindow(Rect area, const Bitmap& picture)
    : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint), picture_(picture) {
  setWindowTitle(QStringLiteral("moravel"));
  setGeometry(LogicalArea(area));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
}

SideScreenWindow::~SideScreenWindow() = default;

void SideScreenWindow::present() {
  shell_ = NativeShellFor(*this);
  if (shell_) {
    shell_->PlaceOnDesktop();
    shell_->ShapePiece(picture_, {0, 0, picture_.width(), picture_.height()}, /*anyKey=*/true);
    shell_->Flush();
  }
  show();
}

void SideScreenWindow::paintEvent(QPaintEvent* event) {
  PaintDevicePicture(*this, picture_, event->region());
}

}  // namespace moravel
