#include "app/MainWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QWindow>
#include <cstdio>
#include <ctime>
#include <optional>
#include <vector>

#include "app/NativeShell.h"
#include "app/QtDesktopTimers.h"
#include "app/SideScreenWindow.h"
#include "codecs/PngCodec.h"
#include "commands/ButtonEditorDialog.h"
#include "commands/ButtonMenu.h"
#include "commands/ButtonRemovalDialog.h"
#include "commands/MainMenu.h"
#include "commands/SkinChooserDialog.h"
#include "desktop/DesktopSession.h"
#include "desktop/PictureDialogFilter.h"
#include "editor/ButtonFaceRenderer.h"
#include "editor/IconLoader.h"
#include "placement/ButtonRemoval.h"
#include "placement/NewButtonFlow.h"
#include "platform/ProcessEnvironment.h"
#include "platform_qt/QtAssociatedIcons.h"
#include "platform_qt/QtCaptionPainter.h"
#include "platform_x11/DesktopWindowShell.h"
#include "scene/DesktopFrame.h"
#include "scene/FramePresenter.h"
#include "widgets/SkinTimeWidgets.h"
#include "widgets/SkinWallpaper.h"

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
    window_.update(QRect(area.x, area.y, area.width, area.height));
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

// The program's own icon, the last resort of a new button's icon.
Bitmap ProgramIcon() {
  QFile file(QStringLiteral(":/moravel/moravel-48.png"));
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray bytes = file.readAll();
  DecodeResult icon = DecodePng(
      std::span(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())));
  return icon.ok() ? std::move(*icon.picture) : Bitmap();
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

// A modal file dialog of its own (no parent: the desktop window lies below
// every other window).
std::optional<std::filesystem::path> AskForPicture(const QStringList& nameFilters) {
  const QString file = QFileDialog::getOpenFileName(nullptr, QString(), QString(),
                                                    nameFilters.join(QStringLiteral(";;")));
  if (file.isEmpty()) return std::nullopt;
  return std::filesystem::path(file.toStdString());
}

}  // namespace

MainWindow::MainWindow(MainWindowSetup setup)
    : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint),
      timers_(std::make_unique<QtDesktopTimers>()),
      wallpaper_(std::make_unique<SkinWallpaper>()),
      timeWidgets_(std::make_unique<SkinTimeWidgets>()),
      reportFrames_(setup.reportFirstFrame) {
  setWindowTitle(QStringLiteral("moravel"));
  setGeometry(setup.geometry);
  wallpaper_->UsePrefetch(setup.prefetch);
  setMouseTracking(true);
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

  DesktopServices services{setup.launcher, setup.clock,      *timers_,
                           *this,          wallpaper_.get(), timeWidgets_.get()};
  session_ = std::make_unique<DesktopSession>(services, setup.programFolder, setup.geometry.width(),
                                              setup.geometry.height());
  session_->SetNoTray(setup.noTray);
  presenter_ = std::make_unique<FramePresenter>(session_->model().composer);
  timers_->connectTo([this](DesktopTimer timer) { onTimer(timer); });
  mainMenu_ = std::make_unique<MainMenu>(*session_);
  buttonMenu_ = std::make_unique<ButtonMenu>();

  ProcessEnvironment environment;
  desktopIcons_ = std::make_unique<QtAssociatedIcons>(environment);
  captions_ = std::make_unique<QtCaptionPainter>();
  icons_ = std::make_unique<IconLoader>(*desktopIcons_, ProgramIcon());
  faces_ = std::make_unique<ButtonFaceRenderer>(*icons_, *captions_);
  newButton_ =
      std::make_unique<NewButtonFlow>(*session_, *faces_, setup.programFolder / "help.png");
  connect(mainMenu_.get(), &MainMenu::addButtonChosen, this, &MainWindow::openButtonEditor);
  connect(buttonMenu_.get(), &ButtonMenu::addButtonChosen, this, &MainWindow::openButtonEditor);
  removal_ = std::make_unique<ButtonRemoval>(session_->model());
  connect(buttonMenu_.get(), &ButtonMenu::removeButtonChosen, this,
          [this] { removalDialog().present(); });
  setAcceptDrops(true);
  pictureChooser_ = AskForPicture;
  connect(mainMenu_.get(), &MainMenu::skinsChosen, this, [this] { skinChooser().present(); });
  connect(mainMenu_.get(), &MainMenu::changeWallpaperChosen, this, &MainWindow::changeWallpaper);
}

MainWindow::~MainWindow() {
  // The side windows show the session's pictures; the dialogs and the flow
  // work on the session: they go first.
  sideWindows_.clear();
  removalDialog_.reset();
  removal_.reset();
  buttonEditor_.reset();
  newButton_.reset();
}

void MainWindow::onTimer(DesktopTimer timer) {
  switch (timer) {
    case DesktopTimer::Calendar:
    case DesktopTimer::Clock:
      session_->OnTimer(timer);
      break;
    case DesktopTimer::EditorCaption:
    case DesktopTimer::EditorTyping:
      newButton_->OnTimer(timer);
      if (buttonEditor_) buttonEditor_->refresh();
      break;
    case DesktopTimer::Placement:
      newButton_->OnTimer(timer);
      break;
  }
}

ButtonEditorDialog& MainWindow::buttonEditor() {
  // Made when first shown: it is not needed for the first frame.
  if (!buttonEditor_) buttonEditor_ = std::make_unique<ButtonEditorDialog>(newButton_->editor());
  return *buttonEditor_;
}

SkinChooserDialog& MainWindow::skinChooser() {
  if (!skinChooser_) skinChooser_ = std::make_unique<SkinChooserDialog>(*session_);
  return *skinChooser_;
}

ButtonRemovalDialog& MainWindow::removalDialog() {
  // Made when first asked for, as the editor: not needed for the first frame.
  if (!removalDialog_) {
    removalDialog_ =
        std::make_unique<ButtonRemovalDialog>([this] { removal_->RemoveSelectedButton(); });
  }
  return *removalDialog_;
}

void MainWindow::openButtonEditor() {
  newButton_->OpenEditor();
  buttonEditor().present();
}

void MainWindow::TakeKeyboardFocus() {
  activateWindow();
  setFocus(Qt::OtherFocusReason);
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
  // Held keys repeat as release-press pairs: only the first press counts.
  if (auto key = PlacementKeyOf(event->key()); key && !event->isAutoRepeat()) {
    newButton_->KeyPressed(*key);
  }
}

void MainWindow::keyReleaseEvent(QKeyEvent* event) {
  if (auto key = PlacementKeyOf(event->key()); key && !event->isAutoRepeat()) {
    newButton_->KeyReleased(*key);
  }
}

void MainWindow::focusOutEvent(QFocusEvent*) {
  newButton_->FocusLost();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (DroppedFile(event->mimeData())) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  const std::optional<std::filesystem::path> file = DroppedFile(event->mimeData());
  if (!file) return;
  event->acceptProposedAction();
  newButton_->OpenEditor();
  buttonEditor().dropPath(*file);
}

void MainWindow::start() {
  shell_ = NativeShellFor(*this);  // creates the native window
  if (shell_) shell_->PlaceOnDesktop();
  session_->Start();
}

void MainWindow::ShowButtonMenu(int x, int y) {
  buttonMenu_->popup(mapToGlobal(QPoint(x, y)));
}

void MainWindow::ShowMessage(const std::string& text) {
  // No parent: the desktop window lies below every other window.
  QMessageBox box(QMessageBox::Warning, QStringLiteral("Moravel"), QString::fromStdString(text),
                  QMessageBox::Ok);
  box.exec();
}

void MainWindow::ShowMainMenu(int x, int y) {
  mainMenu_->popup(mapToGlobal(QPoint(x, y)));
}

void MainWindow::FrameChanged() {
  // Told at the first change of an event's work: the frame is shown once
  // that work is done, when the event loop runs again.
  if (showPending_) return;
  showPending_ = true;
  QMetaObject::invokeMethod(this, &MainWindow::showChangedParts, Qt::QueuedConnection);
}

void MainWindow::showChangedParts() {
  showPending_ = false;
  DesktopFrame& frame = session_->frame();
  const std::vector<Rect> dirty = frame.TakeDirty();
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
  for (const Rect& r : dirty) update(QRect(r.x, r.y, r.width, r.height));
}

QPaintEngine* MainWindow::paintEngine() const {
  return paintsOnScreen_ ? nullptr : QWidget::paintEngine();
}

void MainWindow::followScreens(QRect primary, const QList<QRect>& screens) {
  if (primary.isEmpty() || session_->MayClose()) return;
  if (primary.size() != size()) {
    newButton_->EndPlacement();  // its overlay was laid out for the old screen
    frameReport_ = "screen-frame";
  }
  if (primary != geometry()) setGeometry(primary);
  std::vector<Rect> others;
  for (const QRect& s : screens) others.push_back({s.x(), s.y(), s.width(), s.height()});
  session_->FollowScreens({primary.x(), primary.y(), primary.width(), primary.height()}, others);
}

void MainWindow::followScreens() {
  const QScreen* primary = QGuiApplication::primaryScreen();
  if (!primary) return;
  QList<QRect> screens;
  for (const QScreen* s : QGuiApplication::screens())
    if (s != primary) screens << s->geometry();
  followScreens(primary->geometry(), screens);
}

void MainWindow::SideScreensChanged() {
  sideWindows_.clear();
  const std::vector<Monitor>& monitors = session_->monitors();
  for (size_t i = 1; i < monitors.size(); ++i) {  // the first is this window's
    const Monitor& side = monitors[i];
    if (side.wallpaper.empty()) continue;
    const Rect& a = side.area;
    auto window =
        std::make_unique<SideScreenWindow>(QRect(a.x, a.y, a.width, a.height), side.wallpaper);
    window->present();
    sideWindows_.push_back(std::move(window));
  }
}

void MainWindow::Close() {
  close();
}

void MainWindow::changeWallpaper() {
  QStringList filters;
  for (const std::string& f : NameFilters(kPictureDialogFilter))
    filters << QString::fromStdString(f);
  std::optional<std::filesystem::path> chosen = pictureChooser_(filters);
  // The dialog runs its own event loop: the program may have ended meanwhile.
  if (session_->MayClose()) return;
  session_->ChangeWallpaper(std::move(chosen));
}

void MainWindow::paintEvent(QPaintEvent* event) {
  if (paintsOnScreen_) {
    // Before the window is mapped and exposed the server would drop the
    // pixels: the exposure that follows paints them.
    if (!shell_ || !windowHandle() || !windowHandle()->isExposed()) return;
    for (const QRect& r : event->region())
      presenter_->Present({r.x(), r.y(), r.width(), r.height()}, *shell_);
    shell_->Flush();
  } else {
    const Bitmap& picture = session_->frame().picture();
    if (picture.empty()) return;
    // A view of the frame's bytes, no copy; the composed frame is opaque.
    const QImage image(picture.data(), picture.width(), picture.height(), picture.width() * 4,
                       QImage::Format_RGBA8888);
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const QRect& r : event->region()) painter.drawImage(r.topLeft(), image, r);
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
  const QPoint at = event->position().toPoint();
  pointer.x = at.x();
  pointer.y = at.y();
  if (kind != PointerEvent::Kind::Move) {
    const auto button = ButtonOf(event->button());
    if (!button) return;
    pointer.button = *button;
  }
  session_->HandlePointer(pointer);
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
  forward(event, PointerEvent::Kind::Move);
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
  // A click on the marker or the desktop takes the keys back to the placement.
  if (newButton_->placement().active()) TakeKeyboardFocus();
  forward(event, PointerEvent::Kind::Press);
}

void MainWindow::mouseDoubleClickEvent(QMouseEvent* event) {
  forward(event, PointerEvent::Kind::DoubleClick);
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event) {
  forward(event, PointerEvent::Kind::Release);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!session_->MayClose()) {
    event->ignore();
    return;
  }
  event->accept();
  emit closed();
}

}  // namespace moravel
