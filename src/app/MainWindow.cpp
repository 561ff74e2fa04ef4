#include "app/MainWindow.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QUrl>
#include <QWindow>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <optional>
#include <vector>

#include "app/DevicePixels.h"
#include "app/NativeShell.h"
#include "platform_x11/DesktopWindowShell.h"
#include "scene/FrameComposer.h"
#include "scene/FramePresenter.h"

namespace moravel {

namespace {

std::optional<PlacementKey> PlacementKeyOf(int key) {
  switch (key) {
    case Qt::Key_Escape:
      return PlacementKey::Escape;
    case Qt::Key_Space:
      return PlacementKey::Space;
    case Qt::Key_Control:
      return PlacementKey::Control;
    case Qt::Key_Left:
      return PlacementKey::Left;
    case Qt::Key_Right:
      return PlacementKey::Right;
    case Qt::Key_Up:
      return PlacementKey::Up;
    case Qt::Key_Down:
      return PlacementKey::Down;
    default:
      return std::nullopt;
  }
}

// Where Qt keeps the window's pixels (a backing store painted from the kept
// frame): the presenter's pieces become repaint requests, its shape goes to
// the native window.
class RepaintOutput : public FrameOutput {
 public:
  RepaintOutput(QWidget& window, FrameOutput& shape) : window_(window), shape_(shape) {}
  void ShowPiece(Bitmap&, Rect area) override {
    window_.update(LogicalRect(area, window_.devicePixelRatioF()));
  }
  void ShapePiece(const Bitmap& piece, Rect area, bool anyKey) override {
    shape_.ShapePiece(piece, area, anyKey);
  }

 private:
  QWidget& window_;
  FrameOutput& shape_;
};

// The first local file of a drop, if any.
std::optional<std::filesystem::path> DroppedFile(const QMimeData* data) {
  if (!data || !data->hasUrls()) return std::nullopt;
  for (const QUrl& url : data->urls())
    if (url.isLocalFile()) return std::filesystem::path(url.toLocalFile().toStdString());
  return std::nullopt;
}

std::optional<MouseButton> ButtonOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return MouseButton::Left;
    case Qt::RightButton:
      return MouseButton::Right;
    case Qt::MiddleButton:
      return MouseButton::Middle;
    default:
      return std::nullopt;
  }
}

}  // namespace

MainWindow::MainWindow(QRect geometry, FrameComposer& frame, WindowEvents& events,
                       bool reportFirstFrame)
    : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint),
      frame_(frame),
      events_(events),
      presenter_(std::make_unique<FramePresenter>(frame)),
      reportFrames_(reportFirstFrame) {
  setWindowTitle(QStringLiteral("moravel"));
  setGeometry(geometry);
  setMouseTracking(true);
  setAcceptDrops(true);
  // The frame covers every pixel: Qt must not clear anything first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  // On X11 the frame goes to the window piece by piece, composed when it is
  // shown: Qt keeps no screen-sized copy of it (see paintEvent).
  paintsOnScreen_ = X11CanShowPieces(X11Display());
  if (paintsOnScreen_) setAttribute(Qt::WA_PaintOnScreen);
  QPalette blue = palette();
  blue.setColor(QPalette::Window, QColor(0, 0, 255));
  setPalette(blue);
}

MainWindow::~MainWindow() = default;

void MainWindow::placeOnDesktop() {
  shell_ = NativeShellFor(*this);  // creates the native window
  if (shell_) shell_->PlaceOnDesktop();
}

void MainWindow::frameChanged() {
  // Told at the first change of an event's work: the frame is shown once
  // that work is done, when the event loop runs again.
  if (showPending_) return;
  showPending_ = true;
  QMetaObject::invokeMethod(this, &MainWindow::showChangedParts, Qt::QueuedConnection);
}

void MainWindow::takeKeyboardFocus() {
  activateWindow();
  setFocus(Qt::OtherFocusReason);
}

void MainWindow::screenSizeChanging() {
  frameReport_ = "screen-frame";
}

void MainWindow::showChangedParts() {
  showPending_ = false;
  const std::vector<Rect> dirty = frame_.TakeDirty();
  if (paintsOnScreen_ && shell_ && windowHandle() && windowHandle()->isExposed() &&
      !(reportFrames_ && frameReport_)) {
    // Drawn at once, without a round through Qt's repaint machinery: a clock
    // tick costs its rectangles and nothing else.
    for (const Rect& r : dirty) presenter_->Present(r, *shell_);
    shell_->Flush();
    return;
  }
  if (shell_ && !paintsOnScreen_) {
    // Qt paints from the kept frame; the presenter still works out the shape.
    RepaintOutput output(*this, *shell_);
    for (const Rect& r : dirty) presenter_->Present(r, output);
    shell_->Flush();
    return;
  }
  for (const Rect& r : dirty) update(LogicalRect(r, devicePixelRatioF()));
}

QPaintEngine* MainWindow::paintEngine() const {
  return paintsOnScreen_ ? nullptr : QWidget::paintEngine();
}

void MainWindow::paintEvent(QPaintEvent* event) {
  if (paintsOnScreen_) {
    // Before the window is mapped and exposed the server would drop the
    // pixels: the exposure that follows paints them.
    if (!shell_ || !windowHandle() || !windowHandle()->isExposed()) return;
    for (const QRect& r : event->region())
      presenter_->Present(DeviceRect(r, devicePixelRatioF()), *shell_);
    shell_->Flush();
  } else {
    // The composed frame is opaque, in device pixels.
    PaintDevicePicture(*this, frame_.picture(), event->region());
  }
  if (reportFrames_ && frameReport_) {
    // Qt hands the painted backing store to the display right after this
    // handler; the zero timer runs once that is done, before the work that
    // waits for the first frame (the tray icon) below.
    QTimer::singleShot(0, this, [this, what = frameReport_] { reportFrame(what); });
    frameReport_ = nullptr;
  }
  if (!firstFrameShown_) {
    firstFrameShown_ = true;
    QTimer::singleShot(0, this, &MainWindow::firstFrameShown);
  }
}

void MainWindow::reportFrame(const char* what) {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  std::printf("moravel %s %lld\n", what,
              static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
  std::fflush(stdout);
}

void MainWindow::forward(QMouseEvent* event, PointerEvent::Kind kind) {
  PointerEvent pointer;
  pointer.kind = kind;
  // Device pixels: the pixel under the pointer's logical position.
  const QPointF at = event->position() * devicePixelRatioF();
  pointer.x = int(std::floor(at.x()));
  pointer.y = int(std::floor(at.y()));
  if (kind != PointerEvent::Kind::Move) {
    const auto button = ButtonOf(event->button());
    if (!button) return;
    pointer.button = *button;
  }
  events_.Pointer(pointer);
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
  forward(event, PointerEvent::Kind::Move);
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
  forward(event, PointerEvent::Kind::Press);
}

void MainWindow::mouseDoubleClickEvent(QMouseEvent* event) {
  forward(event, PointerEvent::Kind::DoubleClick);
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event) {
  forward(event, PointerEvent::Kind::Release);
}

void MainWindow::leaveEvent(QEvent*) {
  events_.Pointer({PointerEvent::Kind::Leave, 0, 0, MouseButton::Left});
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
  // Held keys repeat as release-press pairs: only the first press counts.
  if (auto key = PlacementKeyOf(event->key()); key && !event->isAutoRepeat())
    events_.Key(*key, true);
}

void MainWindow::keyReleaseEvent(QKeyEvent* event) {
  if (auto key = PlacementKeyOf(event->key()); key && !event->isAutoRepeat())
    events_.Key(*key, false);
}

void MainWindow::focusOutEvent(QFocusEvent*) {
  events_.FocusLost();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (DroppedFile(event->mimeData())) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  const std::optional<std::filesystem::path> file = DroppedFile(event->mimeData());
  if (!file) return;
  event->acceptProposedAction();
  events_.FileDropped(*file);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!events_.MayClose()) {
    event->ignore();
    return;
  }
  event->accept();
  emit closed();
}

}  // namespace moravel
