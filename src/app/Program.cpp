#include "app/Program.h"

#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

#include "app/DevicePixels.h"
#include "app/QtDesktopTimers.h"
#include "app/SideScreenWindow.h"
#include "codecs/PngCodec.h"
#include "commands/ButtonEditorDialog.h"
#include "commands/ButtonMenu.h"
#include "commands/ButtonRemovalDialog.h"
#include "commands/MainMenu.h"
#include "commands/SkinChooserDialog.h"
#include "desktop/Desktop.h"
#include "desktop/PictureDialogFilter.h"
#include "editor/ButtonFaceRenderer.h"
#include "editor/IconLoader.h"
#include "placement/DesktopInput.h"
#include "placement/NewButtonFlow.h"
#include "placement/RemoveButtonCommand.h"
#include "platform/ProcessEnvironment.h"
#include "platform_qt/QtAssociatedIcons.h"
#include "platform_qt/QtCaptionPainter.h"
#include "widgets/SkinTimeWidgets.h"
#include "widgets/SkinWallpaper.h"

namespace moravel {

namespace {

// The program's own icon, the last resort of a new button's icon.
Bitmap ProgramIcon() {
  QFile file(QStringLiteral(":/moravel/moravel-48.png"));
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray bytes = file.readAll();
  Result<Bitmap> icon = DecodePng(
      std::span(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())));
  return icon.ok() ? std::move(*icon) : Bitmap();
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

Program::Program(ProgramSetup setup)
    : timers_(std::make_unique<QtDesktopTimers>()),
      wallpaper_(std::make_unique<SkinWallpaper>()),
      timeWidgets_(std::make_unique<SkinTimeWidgets>()) {
  wallpaper_->UsePrefetch(setup.prefetch);
  DesktopServices services{setup.launcher, setup.clock,      *timers_,
                           *this,          wallpaper_.get(), timeWidgets_.get()};
  const QSize device = setup.deviceSize.isEmpty() ? setup.geometry.size() : setup.deviceSize;
  session_ = std::make_unique<Desktop>(services, setup.programFolder, device.width(),
                                       device.height(), setup.scale);
  session_->SetNoTray(setup.noTray);
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
  input_ = std::make_unique<DesktopInput>(
      *session_, *newButton_, *this,
      [this](const std::filesystem::path& file) { buttonEditor().dropPath(file); });
  window_ = std::make_unique<MainWindow>(setup.geometry, session_->frame(), *input_,
                                         setup.reportFirstFrame);
  connect(mainMenu_.get(), &MainMenu::addButtonChosen, this, &Program::openButtonEditor);
  connect(buttonMenu_.get(), &ButtonMenu::addButtonChosen, this, &Program::openButtonEditor);
  connect(buttonMenu_.get(), &ButtonMenu::removeButtonChosen, this,
          [this] { removalDialog().present(); });
  pictureChooser_ = AskForPicture;
  connect(mainMenu_.get(), &MainMenu::skinsChosen, this, [this] { skinChooser().present(); });
  connect(mainMenu_.get(), &MainMenu::changeWallpaperChosen, this, &Program::changeWallpaper);
}

Program::~Program() {
  // The side windows show the desktop's pictures; the dialogs and the flow
  // work on the desktop: they go first, and the window before the frame.
  sideWindows_.clear();
  removalDialog_.reset();
  buttonEditor_.reset();
  window_.reset();
  input_.reset();
  newButton_.reset();
  skinChooser_.reset();
}

void Program::start() {
  window_->placeOnDesktop();
  session_->Start();
}

void Program::onTimer(DesktopTimer timer) {
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

ButtonEditorDialog& Program::buttonEditor() {
  // Made when first shown: it is not needed for the first frame.
  if (!buttonEditor_) buttonEditor_ = std::make_unique<ButtonEditorDialog>(newButton_->editor());
  return *buttonEditor_;
}

SkinChooserDialog& Program::skinChooser() {
  if (!skinChooser_) skinChooser_ = std::make_unique<SkinChooserDialog>(*session_);
  return *skinChooser_;
}

ButtonRemovalDialog& Program::removalDialog() {
  // Made when first asked for, as the editor: not needed for the first frame.
  if (!removalDialog_) {
    removalDialog_ = std::make_unique<ButtonRemovalDialog>([this] {
      RemoveButtonCommand remove(session_->state().pointer.selectedButton);
      session_->Run(remove);  // a failure was shown to the user
    });
  }
  return *removalDialog_;
}

void Program::openButtonEditor() {
  newButton_->OpenEditor();
  buttonEditor().present();
}

void Program::changeWallpaper() {
  QStringList filters;
  for (const std::string& f : NameFilters(kPictureDialogFilter))
    filters << QString::fromStdString(f);
  std::optional<std::filesystem::path> chosen = pictureChooser_(filters);
  // The dialog runs its own event loop: the program may have ended meanwhile.
  if (session_->MayClose()) return;
  session_->ChangeWallpaper(std::move(chosen));
}

void Program::followScreens(QRect primary, Rect device, int scale, std::span<const Rect> others) {
  if (primary.isEmpty() || session_->MayClose()) return;
  const std::vector<Monitor>& shown = session_->monitors();
  if (device.width != shown.front().area.width || device.height != shown.front().area.height ||
      scale != session_->state().publishedScale) {
    newButton_->EndPlacement();  // its overlay was laid out for the old screen
    window_->screenSizeChanging();
  }
  if (primary != window_->geometry()) window_->setGeometry(primary);
  session_->FollowScreens(device, others, scale);
}

void Program::followScreens() {
  const QScreen* primary = QGuiApplication::primaryScreen();
  if (!primary) return;
  std::vector<Rect> others;
  for (const QScreen* s : QGuiApplication::screens())
    if (s != primary) others.push_back(DeviceArea(*s));
  followScreens(primary->geometry(), DeviceArea(*primary), PublishedScale(*primary), others);
}

QPoint Program::globalPosition(int x, int y) const {
  const qreal ratio = window_->devicePixelRatioF();
  return window_->mapToGlobal(QPointF(x / ratio, y / ratio)).toPoint();
}

void Program::ShowButtonMenu(int x, int y) {
  buttonMenu_->popup(globalPosition(x, y));
}

void Program::ShowMainMenu(int x, int y) {
  mainMenu_->popup(globalPosition(x, y));
}

void Program::FrameChanged() {
  // The desktop's first change comes while the window is being made.
  if (window_) window_->frameChanged();
}

void Program::Close() {
  window_->close();
}

void Program::ShowMessage(const std::string& text) {
  // No parent: the desktop window lies below every other window.
  QMessageBox box(QMessageBox::Warning, QStringLiteral("Moravel"), QString::fromStdString(text),
                  QMessageBox::Ok);
  box.exec();
}

void Program::TakeKeyboardFocus() {
  window_->takeKeyboardFocus();
}

void Program::SideScreensChanged() {
  sideWindows_.clear();
  const std::vector<Monitor>& monitors = session_->monitors();
  for (size_t i = 1; i < monitors.size(); ++i) {  // the first is the desktop window's
    const Monitor& side = monitors[i];
    if (side.wallpaper.empty()) continue;
    auto window = std::make_unique<SideScreenWindow>(side.area, side.wallpaper);
    window->present();
    sideWindows_.push_back(std::move(window));
  }
}

}  // namespace moravel
