#include "win32/NotifyIcon.h"

#include <shellapi.h>

#include <cwchar>

namespace moravel {

namespace {

constexpr UINT kIconId = 1;

NOTIFYICONDATAW IconData(HWND owner) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = owner;
  data.uID = kIconId;
  return data;
}

}  // namespace

NotifyIcon::NotifyIcon(HWND owner, UINT callbackMessage, HICON icon)
    : owner_(owner), callbackMessage_(callbackMessage), icon_(icon) {}

NotifyIcon::~NotifyIcon() {
  // Also when adding seemed to fail: a busy notification area may have
  // taken the icon after all, and would keep it.
  NOTIFYICONDATAW data = IconData(owner_);
  ::Shell_NotifyIconW(NIM_DELETE, &data);
}

bool NotifyIcon::Add() {
  NOTIFYICONDATAW data = IconData(owner_);
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = callbackMessage_;
  data.hIcon = icon_;
  std::wcsncpy(data.szTip, L"Moravel", sizeof data.szTip / sizeof data.szTip[0] - 1);
  // At login the notification area may answer too late; the icon is then
  // often there all the same, and a change of it succeeds.
  shown_ = ::Shell_NotifyIconW(NIM_ADD, &data) != 0 || ::Shell_NotifyIconW(NIM_MODIFY, &data) != 0;
  return shown_;
}

}  // namespace moravel
