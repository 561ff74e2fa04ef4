#include "platform_x11/X11DesktopWindowShell.h"

#include <X11/Xatom.h>
#include <X11/extensions/shape.h>

#include <cstring>
#include <vector>

#include "scene/KeyColourRuns.h"

namespace moravel {

namespace {

XRectangle ToX(const Rect& r) {
  return {short(r.x), short(r.y), static_cast<unsigned short>(r.width),
          static_cast<unsigned short>(r.height)};
}

// The shift of an 8-bit channel mask, or -1 when it is not one.
int ShiftOf(unsigned long mask) {
  for (int shift = 0; shift <= 24; shift += 8)
    if (mask == 0xFFul << shift) return shift;
  return -1;
}

}  // namespace

bool X11CanShowPieces(void* opaque) {
  auto* display = static_cast<Display*>(opaque);
  if (!display) return false;
  const int screen = DefaultScreen(display);
  Visual* visual = DefaultVisual(display, screen);
  const int depth = DefaultDepth(display, screen);
  if (visual->c_class != TrueColor || (depth != 24 && depth != 32)) return false;
  if (ShiftOf(visual->red_mask) < 0 || ShiftOf(visual->green_mask) < 0 ||
      ShiftOf(visual->blue_mask) < 0)
    return false;
  int count = 0;
  XPixmapFormatValues* formats = XListPixmapFormats(display, &count);
  bool fits = false;
  for (int i = 0; i < count; ++i)
    fits = fits || (formats[i].depth == depth && formats[i].bits_per_pixel == 32);
  if (formats) XFree(formats);
  return fits;
}

X11ScreenProbe::X11ScreenProbe() {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return;
  display_ = display;
  const int screen = DefaultScreen(display);
  size_ = Rect{0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen)};
}

X11ScreenProbe::~X11ScreenProbe() {
  if (display_) XCloseDisplay(static_cast<Display*>(display_));
}

X11DesktopWindowShell::X11DesktopWindowShell(Display* display, Window window,
                                             xcb_connection_t* connection)
    : display_(display), window_(window), shared_(display, connection) {
  int eventBase = 0, errorBase = 0;
  hasShape_ = XShapeQueryExtension(display_, &eventBase, &errorBase);
  Visual* visual = DefaultVisual(display_, DefaultScreen(display_));
  if (ShiftOf(visual->red_mask) >= 0) {
    redShift_ = ShiftOf(visual->red_mask);
    greenShift_ = ShiftOf(visual->green_mask);
    blueShift_ = ShiftOf(visual->blue_mask);
  }
}

X11DesktopWindowShell::~X11DesktopWindowShell() {
  if (gc_) XFreeGC(display_, gc_);
}

void X11DesktopWindowShell::ShowPiece(Bitmap& piece, Rect area) {
  if (area.empty()) return;
  const bool common = redShift_ == 16 && greenShift_ == 8 && blueShift_ == 0;
  if (!gc_) gc_ = XCreateGC(display_, window_, 0, nullptr);
  // Through shared memory where the server offers it, else as a plain image.
  if (common && shared_.Show(window_, gc_, piece, area)) return;
  // Each pixel becomes the server's 32-bit word in place.
  for (int y = 0; y < area.height; ++y) {
    uint8_t* p = piece.row(y);
    if (common) {
      ToCommonServerWords(p, p, area.width);
      continue;
    }
    for (int x = 0; x < area.width; ++x, p += 4) {
      const uint32_t word = uint32_t(p[0]) << redShift_ | uint32_t(p[1]) << greenShift_ |
                            uint32_t(p[2]) << blueShift_;
      std::memcpy(p, &word, 4);
    }
  }
  XImage image{};
  image.width = area.width;
  image.height = area.height;
  image.format = ZPixmap;
  image.data = reinterpret_cast<char*>(piece.data());
  image.byte_order = LSBFirst;  // the words above are in this machine's order
  image.bitmap_unit = 32;
  image.bitmap_bit_order = LSBFirst;
  image.bitmap_pad = 32;
  image.depth = DefaultDepth(display_, DefaultScreen(display_));
  image.bytes_per_line = piece.width() * 4;
  image.bits_per_pixel = 32;
  if (!XInitImage(&image)) return;
  XPutImage(display_, window_, gc_, &image, 0, 0, area.x, area.y, unsigned(area.width),
            unsigned(area.height));
}

void X11DesktopWindowShell::ShapePiece(const Bitmap& piece, Rect area, bool anyKey) {
  if (!hasShape_ || area.empty()) return;
  XRectangle cut = ToX(area);
  if (!anyKey) {
    // All shown: one union, with no look at the pixels; what is shown
    // already stays as it is (a cut first would take the area out of the
    // window for a moment).
    XShapeCombineRectangles(display_, window_, ShapeBounding, 0, 0, &cut, 1, ShapeUnion, Unsorted);
    return;
  }
  XShapeCombineRectangles(display_, window_, ShapeBounding, 0, 0, &cut, 1, ShapeSubtract, Unsorted);
  std::vector<XRectangle> shown;
  for (const Rect& r : KeyColourRuns(piece, {0, 0, area.width, area.height}))
    shown.push_back(ToX({r.x + area.x, r.y + area.y, r.width, r.height}));
  if (!shown.empty()) {
    XShapeCombineRectangles(display_, window_, ShapeBounding, 0, 0, shown.data(), int(shown.size()),
                            ShapeUnion, Unsorted);
  }
}

void X11DesktopWindowShell::Flush() {
  XFlush(display_);
}

void X11DesktopWindowShell::PlaceOnDesktop() {
  // All the names in one round trip to the server (XInternAtom makes one each).
  enum { kType, kDesktopType, kState, kBelow, kSticky, kSkipTaskbar, kSkipPager, kDesktop, kCount };
  static const char* const kNames[kCount] = {"_NET_WM_WINDOW_TYPE",
                                             "_NET_WM_WINDOW_TYPE_DESKTOP",
                                             "_NET_WM_STATE",
                                             "_NET_WM_STATE_BELOW",
                                             "_NET_WM_STATE_STICKY",
                                             "_NET_WM_STATE_SKIP_TASKBAR",
                                             "_NET_WM_STATE_SKIP_PAGER",
                                             "_NET_WM_DESKTOP"};
  Atom atoms[kCount] = {};
  XInternAtoms(display_, const_cast<char**>(kNames), kCount, False, atoms);

  // The window is not mapped yet, so the properties are read by the window
  // manager when it maps it (no client messages needed).
  XChangeProperty(display_, window_, atoms[kType], XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&atoms[kDesktopType]), 1);
  XChangeProperty(display_, window_, atoms[kState], XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&atoms[kBelow]), 4);  // below .. skip pager
  long allDesktops = 0xFFFFFFFF;
  XChangeProperty(display_, window_, atoms[kDesktop], XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&allDesktops), 1);
  if (hasShape_) {
    XShapeCombineRectangles(display_, window_, ShapeBounding, 0, 0, nullptr, 0, ShapeSet, Unsorted);
  }
  XFlush(display_);
}

std::unique_ptr<DesktopWindowShell> CreateX11DesktopWindowShell(void* display, unsigned long window,
                                                                void* connection) {
  if (!display || !window) return nullptr;
  return std::make_unique<X11DesktopWindowShell>(static_cast<Display*>(display), window,
                                                 static_cast<xcb_connection_t*>(connection));
}

}  // namespace moravel
