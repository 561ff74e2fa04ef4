#pragma once
// The X11 shell (desktop layer, shape) of a widget's native window, when the
// program runs on X11; null elsewhere (Qt's offscreen platform in tests).
// Creates the native window.

#include <QWidget>
#include <memory>

#include "platform_x11/DesktopWindowShell.h"

#ifdef MORAVEL_HAVE_X11
#include <QtGui/qguiapplication_platform.h>

#include <QGuiApplication>
#endif

namespace moravel {

// The toolkit's Xlib connection (a Display*), or null when not on X11.
inline void* X11Display() {
#ifdef MORAVEL_HAVE_X11
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
  auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 ? x11->display() : nullptr;
#else
  return nullptr;
#endif
}

inline std::unique_ptr<DesktopWindowShell> NativeShellFor(QWidget& widget) {
  void* display = X11Display();
  if (!display) return nullptr;
#ifdef MORAVEL_HAVE_X11
  auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
  return CreateX11DesktopWindowShell(display, widget.winId(), x11 ? x11->connection() : nullptr);
#else
  return CreateX11DesktopWindowShell(display, widget.winId());
#endif
}

}  // namespace moravel
