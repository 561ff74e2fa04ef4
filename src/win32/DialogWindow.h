#pragma once
// The frame of the program's dialogs: a fixed-size, modeless top-level window
// with a caption and a close button, its client area laid out in pixels with
// the system's own controls (buttons, edit boxes, list boxes, static text).
// It starts hidden. Its owner is the program's hidden main window, never the
// desktop window, which lies below every other window.
//
// The pixels are 96-dpi ones: the program makes and drives its dialogs with
// the thread DPI-unaware (Win32Program), and the system enlarges them on a
// high-DPI monitor (their own messages run unaware too: the system switches
// the thread to a window's awareness for its messages).
//
// A dialog only shows and forwards: its subclass gets the commands of the
// enabled controls (Command), the close button (CloseAsked) and whatever
// other message it takes (Handle), and hands them to its controller.
//
// Keys: the message loop offers each message to TakeDialogKey, which gives
// the dialogs the usual keyboard: Tab between the controls, the arrows
// within a group of radio buttons, Enter as the command IDOK, Escape as
// IDCANCEL.
//
// The user-interface thread only.

#include <windows.h>

#include <string>
#include <string_view>

#include "raster/Rect.h"
#include "win32/DialogFont.h"

namespace moravel {

class DialogWindow {
 public:
  virtual ~DialogWindow();
  DialogWindow(const DialogWindow&) = delete;
  DialogWindow& operator=(const DialogWindow&) = delete;

  HWND handle() const { return window_; }
  bool shown() const { return window_ && ::IsWindowVisible(window_); }

  // When `message` is a key for one of the program's dialogs, that dialog's
  // keyboard handles it. True when it did: the message goes no further.
  static bool TakeDialogKey(MSG& message);

 protected:
  // A hidden dialog titled `caption`, its client area clientWidth x
  // clientHeight pixels. `owner` may be null. `exStyle` is added to the
  // window's extended styles.
  DialogWindow(HWND owner, std::string_view caption, int clientWidth, int clientHeight,
               DWORD exStyle = 0);

  // A shown control of the system's window class `kind` at `at` in the
  // client area, with command id `id`, in `font` (which outlives it).
  HWND AddControl(const wchar_t* kind, std::string_view text, DWORD style, const Rect& at, int id,
                  const DialogFont& font, DWORD exStyle = 0);
  HWND control(int id) const { return ::GetDlgItem(window_, id); }

  // The client area becomes width x height; the top-left corner stays.
  void SetClientSize(int width, int height);
  // The outer size, frame included.
  SIZE OuterSize() const;
  // Shows the dialog with its outer top-left corner at screen (x, y), in
  // front and active, the keyboard on its first control with a tab stop.
  void ShowAt(int x, int y);
  void BringForward();
  void Hide();
  // The primary monitor, in screen pixels of the calling thread's awareness.
  static Rect PrimaryScreen();

  // A control's text as UTF-8; setting it only when it differs, so that an
  // edit box being typed into keeps its caret.
  static std::string TextOf(HWND control);
  static void SetText(HWND control, std::string_view text);

  // WM_COMMAND from an enabled control, or from the keyboard (IDOK, IDCANCEL):
  // the control's id and its notification code.
  virtual void Command(int id, int code) = 0;
  // The window's close button.
  virtual void CloseAsked() = 0;
  // Any other message; true when taken, with `result` as its answer.
  virtual bool Handle(UINT message, WPARAM w, LPARAM l, LRESULT& result);

 private:
  // The dialogs' window class, registered at the first call.
  static ATOM RegisteredClass();
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT Dispatch(UINT message, WPARAM w, LPARAM l);

  HWND window_ = nullptr;
  HWND lastFocus_ = nullptr;  // the control that had the keyboard when the dialog went inactive
};

}  // namespace moravel
