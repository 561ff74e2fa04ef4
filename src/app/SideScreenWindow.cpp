#include "app/SideScreenWindow.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>

#include "app/NativeShell.h"
#include "platform_x11/DesktopWindowShell.h"

namespace moravel {

SideScreenWindow::SideScreenWindow(QRect area, const Bitmap& picture)
    : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint), picture_(picture) {
  setWindowTitle(QStringLiteral("moravel"));
  setGeometry(area);
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
  if (picture_.empty()) return;
  // A view of the picture's bytes, no copy.
  const QImage image(picture_.data(), picture_.width(), picture_.height(), picture_.width() * 4,
                     QImage::Format_RGBA8888);
  QPainter painter(this);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  for (const QRect& r : event->region()) painter.drawImage(r.topLeft(), image, r);
}

}  // namespace moravel
