#pragma once
// The program's icon in the notification area, with the hint "Moravel". Its
// mouse events come to the owner window as `callbackMessage`, with the
// mouse message in the low word of lParam (NOTIFYICON_VERSION 0 rules).
// Removed when the object goes.

#include <windows.h>

namespace moravel {

class NotifyIcon {
 public:
  // `owner` outlives the icon; `icon` is borrowed until Add returns.
  NotifyIcon(HWND owner, UINT callbackMessage, HICON icon);
  ~NotifyIcon();
  NotifyIcon(const NotifyIcon&) = delete;
  NotifyIcon& operator=(const NotifyIcon&) = delete;

  // Shows the icon; again after Explorer has restarted. False when there is
  // no notification area to take it.
  bool Add();
  bool shown() const { return shown_; }

 private:
  HWND owner_;
  UINT callbackMessage_;
  HICON icon_;
  bool shown_ = false;
};

}  // namespace moravel
