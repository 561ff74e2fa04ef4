#include "win32/Win32Program.h"

#include <optional>
#include <string>

#include "codecs/PngCodec.h"
#include "desktop/Desktop.h"
#include "desktop/PictureDialogFilter.h"
#include "editor/ButtonFaceRenderer.h"
#include "editor/IconLoader.h"
#include "placement/DesktopInput.h"
#include "placement/NewButtonFlow.h"
#include "placement/RemoveButtonCommand.h"
#include "platform_win32/MonitorScale.h"
#include "platform_win32/RunKeyAutostart.h"
#include "platform_win32/ThreadDpiAwareness.h"
#include "platform_win32/WideText.h"
#include "scene/FrameComposer.h"
#include "widgets/SkinTimeWidgets.h"
#include "widgets/SkinWallpaper.h"
#include "win32/ButtonEditorWindow.h"
#include "win32/ButtonRemovalWindow.h"
#include "win32/DesktopWindow.h"
#include "win32/NotifyIcon.h"
#include "win32/OpenFileDialog.h"
#include "win32/PopupMenus.h"
#include "win32/Resources.h"
#include "win32/SideScreenWindow.h"
#include "win32/SkinChooserWindow.h"
#include "win32/Win32Timers.h"

namespace moravel {

namespace {

constexpr wchar_t kHostClass[] = L"MoravelProgram";
// The notification-area icon's mouse events.
constexpr UINT kTrayMessage = WM_APP + 10;

// The program's own icon, the last resort of a new button's icon: the PNG
// picture kept among the executable's resources.
Bitmap ProgramIcon() {
  HMODULE module = ::GetModuleHandleW(nullptr);
  HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(kProgramPictureResource), RT_RCDATA);
  HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
  const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
  if (!bytes) return {};
  Result<Bitmap> icon = DecodePng(
      std::span(static_cast<const uint8_t*>(bytes), size_t(::SizeofResource(module, found))));
  return icon.ok() ? std::move(*icon) : Bitmap();
}

// The desktop window, the side windows and the menus are in device pixels:
// code that may run from a dialog's message, when the thread is DPI-unaware,
// enters this first.
struct InDevicePixels : ThreadDpiAwareness {
  InDevicePixels() : ThreadDpiAwareness(Kind::kPerMonitor) {}
};

// Runs `work` with the thread DPI-unaware, as the dialogs' own messages run:
// the sizes and places a dialog sets and reads are then its 96-dpi pixels.
template <typename Work>
void InDialogPixels(Work&& work) {
  ThreadDpiAwareness unaware(ThreadDpiAwareness::Kind::kUnaware);
  work();
}

// The primary monitor in device pixels.
Rect PrimaryMonitor() {
  return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

// The monitors other than the primary one, in desktop pixels (the primary
// monitor's top-left corner is (0, 0)).
std::vector<Rect> OtherMonitors() {
  std::vector<Rect> others;
  ::EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR monitor, HDC, LPRECT, LPARAM list) -> BOOL {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        if (::GetMonitorInfoW(monitor, &info) && !(info.dwFlags & MONITORINFOF_PRIMARY)) {
          const RECT& r = info.rcMonitor;
          reinterpret_cast<std::vector<Rect>*>(list)->push_back(
              {int(r.left), int(r.top), int(r.right - r.left), int(r.bottom - r.top)});
        }
        return TRUE;
      },
      LPARAM(&others));
  return others;
}

}  // namespace

Win32Program::Win32Program(const Win32ProgramSetup& setup)
    : setup_(setup),
      timers_(std::make_unique<Win32Timers>()),
      wallpaper_(std::make_unique<SkinWallpaper>()),
      timeWidgets_(std::make_unique<SkinTimeWidgets>()),
      primary_(PrimaryMonitor()),
      scale_(PrimaryMonitorScale()) {
  DesktopServices services{setup.launcher, setup.clock,      *timers_,
                           *this,          wallpaper_.get(), timeWidgets_.get()};
  session_ = std::make_unique<Desktop>(services, setup.program.parent_path(), primary_.width,
                                       primary_.height, scale_);
  timers_->ConnectTo([this](DesktopTimer timer) { OnTimer(timer); });
  iconLoader_ = std::make_unique<IconLoader>(setup.icons, ProgramIcon());
  faces_ = std::make_unique<ButtonFaceRenderer>(*iconLoader_, setup.captions);
  newButton_ =
      std::make_unique<NewButtonFlow>(*session_, *faces_, setup.program.parent_path() / "help.png");
  input_ = std::make_unique<DesktopInput>(*session_, *newButton_, *this,
                                          [this](const std::filesystem::path& file) {
                                            InDialogPixels([&] { buttonEditor().DropPath(file); });
                                          });
  window_ = std::make_unique<DesktopWindow>(primary_, session_->frame(), *input_);
  window_->OnClosed([this] {
    closed_ = true;
    ::PostQuitMessage(0);
  });
  window_->OnDpiChanged([this] { FollowScreens(); });
}

Win32Program::~Win32Program() {
  // The side windows show the desktop's pictures, the dialogs and the flow
  // work on the desktop and the window shows its frame: they go first.
  sideWindows_.clear();
  tray_.reset();
  removalDialog_.reset();
  buttonEditor_.reset();
  skinChooser_.reset();
  window_.reset();
  input_.reset();
  newButton_.reset();
  if (host_) ::DestroyWindow(host_);
  if (trayIcon_) ::DestroyIcon(trayIcon_);
}

bool Win32Program::Start() {
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSW hostClass{};
  hostClass.lpfnWndProc = HostProc;
  hostClass.hInstance = instance;
  hostClass.lpszClassName = kHostClass;
  ::RegisterClassW(&hostClass);
  // Hidden, with no taskbar button; a top-level window, so that the system's
  // broadcasts reach it.
  host_ = ::CreateWindowExW(WS_EX_TOOLWINDOW, kHostClass, L"Moravel", WS_POPUP, 0, 0, 0, 0, nullptr,
                            nullptr, instance, this);
  taskbarCreated_ = ::RegisterWindowMessageW(L"TaskbarCreated");
  // The notification area's size at the system's DPI, not the large icon's.
  trayIcon_ = HICON(::LoadImageW(instance, MAKEINTRESOURCEW(kProgramIconResource), IMAGE_ICON,
                                 ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON),
                                 LR_DEFAULTCOLOR));
  // Made before anything that may show a message box, whose message loop
  // can bring Explorer's news.
  tray_ = std::make_unique<NotifyIcon>(host_, kTrayMessage, trayIcon_);
  if (!window_->Create()) return false;
  session_->Start();
  FollowScreens();
  // Where no notification area takes the icon, a right click on the
  // wallpaper opens the main menu.
  session_->SetNoTray(!tray_->Add());
  return true;
}

void Win32Program::Run() {
  MSG message;
  while (!closed_ && ::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (DialogWindow::TakeDialogKey(message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

LRESULT CALLBACK Win32Program::HostProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(l);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, LONG_PTR(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<Win32Program*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self || !self->host_) return ::DefWindowProcW(window, message, w, l);
  return self->HandleHost(message, w, l);
}

LRESULT Win32Program::HandleHost(UINT message, WPARAM w, LPARAM l) {
  if (message == taskbarCreated_ && taskbarCreated_ != 0) {
    // Explorer has (re)started: the icon window and the notification area
    // are new, and the windows that hung in the old icon window went with it.
    window_->PlaceOnDesktop();
    SideScreensChanged();
    session_->SetNoTray(!tray_->Add());
    return 0;
  }
  switch (message) {
    case kTrayMessage:
      if (LOWORD(l) == WM_RBUTTONUP || LOWORD(l) == WM_LBUTTONUP) {
        POINT at;
        ::GetCursorPos(&at);
        RunMainMenu(at);
      }
      return 0;
    case WM_DISPLAYCHANGE:
    case WM_DPICHANGED:  // the primary monitor's scale setting changed
      FollowScreens();
      return 0;
    case WM_SETTINGCHANGE:
      // Also sent when the scale setting changes; a hidden window may not
      // hear WM_DPICHANGED.
      FollowScreens();
      return ::DefWindowProcW(host_, message, w, l);
    case WM_CLOSE:
      return 0;  // the program ends by its exit command only
    default:
      return ::DefWindowProcW(host_, message, w, l);
  }
}

void Win32Program::OnTimer(DesktopTimer timer) {
  switch (timer) {
    case DesktopTimer::Calendar:
    case DesktopTimer::Clock:
      session_->OnTimer(timer);
      break;
    case DesktopTimer::EditorCaption:
    case DesktopTimer::EditorTyping:
      newButton_->OnTimer(timer);
      if (buttonEditor_) InDialogPixels([this] { buttonEditor_->Refresh(); });
      break;
    case DesktopTimer::Placement:
      newButton_->OnTimer(timer);
      break;
  }
}

void Win32Program::FollowScreens() {
  if (session_->MayClose()) return;
  InDevicePixels devicePixels;
  const Rect primary = PrimaryMonitor();
  if (primary.empty()) return;
  const int scale = PrimaryMonitorScale();
  if (primary.width != primary_.width || primary.height != primary_.height || scale != scale_)
    newButton_->EndPlacement();  // its overlay was laid out for the old screen
  if (!(primary == primary_)) window_->MoveTo(primary);
  primary_ = primary;
  scale_ = scale;
  const std::vector<Rect> others = OtherMonitors();
  session_->FollowScreens(primary, others, scale);
}

void Win32Program::SideScreensChanged() {
  // Also after a dialog's choice, from the dialog's message.
  InDevicePixels devicePixels;
  sideWindows_.clear();
  const std::vector<Monitor>& monitors = session_->monitors();
  for (size_t i = 1; i < monitors.size(); ++i) {  // the first is the desktop window's
    if (monitors[i].wallpaper.empty()) continue;
    auto window = std::make_unique<SideScreenWindow>(monitors[i].area, monitors[i].wallpaper);
    if (window->Create()) sideWindows_.push_back(std::move(window));
  }
}

void Win32Program::RunMainMenu(POINT at) {
  const bool startAtLogin = setup_.startAtLogin.PointsAt(setup_.program);
  const MenuChoice choice = ChooseFromMainMenu(owner(), at, session_->menu(), startAtLogin);
  switch (choice) {
    case MenuChoice::kDesktopFiles:
      session_->OpenDesktopFiles();
      break;
    case MenuChoice::kUseDoubleClick:
      session_->ToggleDoubleClick();
      break;
    case MenuChoice::kStartAtLogin:
      if (startAtLogin) {
        setup_.startAtLogin.Disable();
      } else {
        setup_.startAtLogin.Enable(setup_.program);
      }
      break;
    case MenuChoice::kSkins:
      InDialogPixels([this] { skinChooser().Present(); });
      break;
    case MenuChoice::kAddButton:
      OpenButtonEditor();
      break;
    case MenuChoice::kChangeWallpaper: {
      std::optional<std::filesystem::path> chosen = AskForFileToOpen(owner(), kPictureDialogFilter);
      // The dialog runs its own message loop: the program may have ended.
      if (!session_->MayClose()) session_->ChangeWallpaper(std::move(chosen));
      break;
    }
    case MenuChoice::kScaleAutomatic:
    case MenuChoice::kScale100:
    case MenuChoice::kScale200:
    case MenuChoice::kScale300:
      session_->ChooseScale(ScaleChoiceOf(choice));
      break;
    case MenuChoice::kExit:
      session_->Exit();
      break;
    case MenuChoice::kRemoveButton:  // the button menu's
    case MenuChoice::kNothing:
      break;
  }
}

SkinChooserWindow& Win32Program::skinChooser() {
  if (!skinChooser_) skinChooser_ = std::make_unique<SkinChooserWindow>(*session_, owner());
  return *skinChooser_;
}

ButtonEditorWindow& Win32Program::buttonEditor() {
  if (!buttonEditor_)
    buttonEditor_ = std::make_unique<ButtonEditorWindow>(newButton_->editor(), owner());
  return *buttonEditor_;
}

ButtonRemovalWindow& Win32Program::removalDialog() {
  if (!removalDialog_) {
    removalDialog_ = std::make_unique<ButtonRemovalWindow>(
        [this] {
          RemoveButtonCommand remove(session_->state().pointer.selectedButton);
          session_->Run(remove);  // a failure was shown to the user
        },
        owner());
  }
  return *removalDialog_;
}

void Win32Program::OpenButtonEditor() {
  newButton_->OpenEditor();
  InDialogPixels([this] { buttonEditor().Present(); });
}

void Win32Program::ShowButtonMenu(int x, int y) {
  InDevicePixels devicePixels;  // (x, y) and the menu's place
  POINT at{x, y};
  ::ClientToScreen(window_->handle(), &at);
  switch (ChooseFromButtonMenu(owner(), at)) {
    case MenuChoice::kAddButton:
      OpenButtonEditor();
      break;
    case MenuChoice::kRemoveButton:
      InDialogPixels([this] { removalDialog().Present(); });
      break;
    default:
      break;
  }
}

void Win32Program::ShowMainMenu(int x, int y) {
  InDevicePixels devicePixels;
  POINT at{x, y};
  ::ClientToScreen(window_->handle(), &at);
  RunMainMenu(at);
}

void Win32Program::FrameChanged() {
  // The desktop's first change comes while the window is being made.
  if (window_) window_->FrameChanged();
}

void Win32Program::Close() {
  window_->Close();
}

void Win32Program::ShowMessage(const std::string& text) {
  ::MessageBoxW(owner(), WideFromUtf8(text).c_str(), L"Moravel", MB_OK | MB_ICONWARNING);
}

void Win32Program::TakeKeyboardFocus() {
  window_->TakeKeyboardFocus();
}

}  // namespace moravel
