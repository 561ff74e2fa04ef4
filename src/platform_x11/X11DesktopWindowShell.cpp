#include "platform_x11/X11DesktopWindowShell.h"

#include <X11/Xatom.h>
#include <X11/extensions/shape.h>

#include <vector>

#include "desktop/KeyColourRuns.h"

namespace moravel {

namespace {

XRectangle ToX(const Rect& r) {
  return {short(r.x), short(r.y), static_cast<unsigned short>(r.width),
          static_cast<unsigned short>(r.height)};
}

}  // namespace

X11DesktopWindowShell::X11DesktopWindowShell(Display* display, Window window)
    : display_(display), window_(window) {
  int eventBase = 0, errorBase = 0;
  hasShape_ = XShapeQueryExtension(display_, &eventBase, &errorBase);
}

void X11DesktopWindowShell::PlaceOnDesktop() {
  auto atom = [this](const char* name) { return XInternAtom(display_, name, False); };

  // The window is not mapped yet, so the properties are read by the window
  // manager when it maps it (no client messages needed).
  Atom type = atom("_NET_WM_WINDOW_TYPE_DESKTOP");
  XChangeProperty(display_, window_, atom("_NET_WM_WINDOW_TYPE"), XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&type), 1);
  Atom states[] = {atom("_NET_WM_STATE_BELOW"), atom("_NET_WM_STATE_STICKY"),
                   atom("_NET_WM_STATE_SKIP_TASKBAR"), atom("_NET_WM_STATE_SKIP_PAGER")};
  XChangeProperty(display_, window_, atom("_NET_WM_STATE"), XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(states), 4);
  long allDesktops = 0xFFFFFFFF;
  XChangeProperty(display_, window_, atom("_NET_WM_DESKTOP"), XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&allDesktops), 1);
  if (hasShape_) {
    XShapeCombineRectangles(display_, window_, ShapeBounding, 0, 0, nullptr, 0, ShapeSet, Unsorted);
  }
  XFlush(display_);
}

void X11DesktopWindowShell::UpdateShape(const Bitmap& frame, std::span<const Rect> changed) {
  if (!hasShape_) return;
  std::vector<XRectangle> shown;
  for (const Rect& area : changed) {
    const Rect clip = Intersect(area, {0, 0, frame.width(), frame.height()});
    if (clip.empty()) continue;
    XRectangle cut = ToX(clip);
    XShapeCombineRectangles(display_, window_, ShapeBounding, 0, 0, &cut, 1, ShapeSubtract,
                            Unsorted);
    shown.clear();
    for (const Rect& r : KeyColourRuns(frame, clip)) shown.push_back(ToX(r));
    if (!shown.empty()) {
      XShapeCombineRectangles(display_, window_, ShapeBounding, 0, 0, shown.data(),
                              int(shown.size()), ShapeUnion, Unsorted);
    }
  }
  XFlush(display_);
}

std::unique_ptr<DesktopWindowShell> CreateX11DesktopWindowShell(void* display,
                                                                unsigned long window) {
  if (!display || !window) return nullptr;
  return std::make_unique<X11DesktopWindowShell>(static_cast<Display*>(display), window);
}

}  // namespace moravel
