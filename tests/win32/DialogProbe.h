#pragma once
// The program's dialogs as the user meets them: where the controls stand,
// what they say, in which font, what they draw; clicks in list boxes and the
// keys the message loop hands over.

#include <windows.h>

#include <string>

#include "platform_win32/WideText.h"
#include "raster/Bitmap.h"
#include "raster/Rect.h"
#include "win32/DialogWindow.h"

namespace moravel::test {

// A control's place in its dialog's client area.
inline Rect PlaceOf(HWND control) {
  RECT r{};
  ::GetWindowRect(control, &r);
  ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return {int(r.left), int(r.top), int(r.right - r.left), int(r.bottom - r.top)};
}

inline SIZE ClientSize(HWND dialog) {
  RECT r{};
  ::GetClientRect(dialog, &r);
  return {r.right, r.bottom};
}

inline std::string Text(HWND window) {
  std::wstring text(size_t(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(size_t(::GetWindowTextW(window, text.data(), int(text.size()))));
  return Utf8FromWide(text);
}

struct FontLook {
  int points = 0;
  bool bold = false;
  friend bool operator==(const FontLook&, const FontLook&) = default;
};

inline FontLook FontOf(HWND control) {
  LOGFONTW font{};
  ::GetObjectW(HGDIOBJ(::SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
  HDC screen = ::GetDC(nullptr);
  const int points = ::MulDiv(font.lfHeight < 0 ? -font.lfHeight : font.lfHeight, 72,
                              ::GetDeviceCaps(screen, LOGPIXELSY));
  ::ReleaseDC(nullptr, screen);
  return {points, font.lfWeight >= FW_BOLD};
}

inline bool Checked(HWND button) {
  return ::SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// A click (or a double click) on row `row` of a list box, as the mouse makes it.
inline void ClickRow(HWND list, int row, bool twice = false) {
  RECT r{};
  ::SendMessageW(list, LB_GETITEMRECT, WPARAM(row), LPARAM(&r));
  const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  ::SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::SendMessageW(list, WM_LBUTTONUP, 0, at);
  if (!twice) return;
  ::SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  ::SendMessageW(list, WM_LBUTTONUP, 0, at);
}

// A key pressed in `window` as the program's message loop sees it; true when
// a dialog took it.
inline bool PressKey(HWND window, WPARAM key) {
  MSG message{};
  message.hwnd = window;
  message.message = WM_KEYDOWN;
  message.wParam = key;
  message.lParam = 1;
  return DialogWindow::TakeDialogKey(message);
}

// What `control` draws, asked to paint into a picture of its own size.
inline Bitmap Drawn(HWND control) {
  RECT r{};
  ::GetClientRect(control, &r);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = r.right;
  info.bmiHeader.biHeight = -r.bottom;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC dc = ::CreateCompatibleDC(nullptr);
  HBITMAP target = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ before = ::SelectObject(dc, target);
  ::SendMessageW(control, WM_PRINTCLIENT, WPARAM(dc), PRF_CLIENT);
  ::GdiFlush();
  Bitmap picture = *Bitmap::Create(r.right, r.bottom);
  const auto* bgrx = static_cast<const uint8_t*>(bits);
  for (int y = 0; y < r.bottom; ++y) {
    for (int x = 0; x < r.right; ++x, bgrx += 4)
      picture.set(x, y, {bgrx[2], bgrx[1], bgrx[0], 255});
  }
  ::SelectObject(dc, before);
  ::DeleteObject(target);
  ::DeleteDC(dc);
  return picture;
}

}  // namespace moravel::test
