#pragma once
// The X11 shell (desktop layer, shape) of a widget's native window, when the
// program runs on X11; null elsewhere (Qt's offscreen platform in tests).
// Creates the native window.

#include <QWidget>
#include <memory>

#include "platform_x11/DesktopWindowShell.h"

#ifdef MORAVEL_HAVE_X11
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>
#endif

namespace moravel {

inline std::unique_ptr<DesktopWindowShell> NativeShellFor(QWidget& widget) {
#ifdef MORAVEL_HAVE_X11
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
  auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
  if (!x11) return nullptr;
  return CreateX11DesktopWindowShell(x11->display(), widget.winId());
#else
  (void)widget;
  return nullptr;
#endif
}

}  // namespace moravel
