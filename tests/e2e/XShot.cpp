// moravel_xshot: what an X display shows, for the end-to-end scripts.
//
//   moravel_xshot save FILE.png              the whole screen as a PNG
//   moravel_xshot pixel X Y                  prints "R G B" of one screen pixel
//   moravel_xshot wait-is X Y R G B MS       exits 0 once the pixel has that colour,
//   moravel_xshot wait-not X Y R G B MS      ... or once it has another; 1 after MS ms
//   moravel_xshot match FILE.png X Y MS [FACTOR]
//                                           exits 0 once the picture's opaque pixels stand
//                                           on the screen at (X, Y), each as a FACTOR x
//                                           FACTOR block (default 1); 1 after MS ms
//   moravel_xshot windows                    one line per top-level window:
//       id viewable override-redirect x y width height states window-type name
//       (states: the _NET_WM_STATE atoms without that prefix, joined by ",")
//   moravel_xshot monitor NAME X Y W H [primary]
//                                           sets a RandR monitor (made again when
//                                           it exists), the primary one if asked
//   moravel_xshot delmonitor NAME            removes a RandR monitor
//   moravel_xshot solid FILE.png W H R G B   writes an opaque W x H picture of one
//                                           colour (needs no display)
//
// The display is $DISPLAY. Exit code 2 on a usage or display error.

#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "codecs/PngCodec.h"
#include "raster/Bitmap.h"
#include "raster/WholeScale.h"

// Last: Xlib defines macros (Success, None) that the headers above use as names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xrandr.h>

namespace {

using moravel::Bitmap;
using moravel::Rgba;

int Shift(unsigned long mask) {
  int s = 0;
  while (mask && !(mask & 1)) {
    mask >>= 1;
    ++s;
  }
  return s;
}

// The screen's pixels inside (x, y, w, h), opaque RGBA.
Bitmap Grab(Display* d, int x, int y, int w, int h) {
  Bitmap out = *Bitmap::Create(w, h);
  XImage* image = XGetImage(d, DefaultRootWindow(d), x, y, w, h, AllPlanes, ZPixmap);
  if (!image) return out;
  const int rs = Shift(image->red_mask), gs = Shift(image->green_mask),
            bs = Shift(image->blue_mask);
  for (int row = 0; row < h; ++row) {
    for (int col = 0; col < w; ++col) {
      const unsigned long p = XGetPixel(image, col, row);
      out.set(col, row,
              {uint8_t((p & image->red_mask) >> rs), uint8_t((p & image->green_mask) >> gs),
               uint8_t((p & image->blue_mask) >> bs), 255});
    }
  }
  XDestroyImage(image);
  return out;
}

std::string AtomName(Display* d, Atom a) {
  if (a == None) return "-";
  char* name = XGetAtomName(d, a);
  std::string s = name ? name : "-";
  if (name) XFree(name);
  return s;
}

// The names of the atoms in a window's ATOM-list property, without `prefix`.
std::vector<std::string> AtomsOf(Display* d, Window w, const char* property, const char* prefix) {
  Atom type;
  int format;
  unsigned long count = 0, after;
  unsigned char* data = nullptr;
  std::vector<std::string> names;
  if (XGetWindowProperty(d, w, XInternAtom(d, property, False), 0, 32, False, XA_ATOM, &type,
                         &format, &count, &after, &data) == Success &&
      data) {
    for (unsigned long i = 0; i < count; ++i) {
      std::string name = AtomName(d, reinterpret_cast<Atom*>(data)[i]);
      if (name.rfind(prefix, 0) == 0) name.erase(0, std::strlen(prefix));
      names.push_back(name);
    }
  }
  if (data) XFree(data);
  return names;
}

int Windows(Display* d) {
  Window root, parent, *children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count)) return 2;
  for (unsigned int i = 0; i < count; ++i) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(d, children[i], &a)) continue;
    char* name = nullptr;
    XFetchName(d, children[i], &name);
    const std::vector<std::string> type = AtomsOf(d, children[i], "_NET_WM_WINDOW_TYPE", "");
    std::string states;
    for (const std::string& s : AtomsOf(d, children[i], "_NET_WM_STATE", "_NET_WM_STATE_"))
      states += (states.empty() ? "" : ",") + s;
    std::printf("0x%lx %d %d %d %d %d %d %s %s %s\n", children[i], a.map_state == IsViewable,
                a.override_redirect ? 1 : 0, a.x, a.y, a.width, a.height,
                states.empty() ? "-" : states.c_str(), type.empty() ? "-" : type[0].c_str(),
                name && *name ? name : "-");
    if (name) XFree(name);
  }
  if (children) XFree(children);
  return 0;
}

long NowMs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1000L + t.tv_nsec / 1000000L;
}

int Wait(Display* d, char** argv, bool wantSame) {
  const int x = std::atoi(argv[2]), y = std::atoi(argv[3]);
  const Rgba want{uint8_t(std::atoi(argv[4])), uint8_t(std::atoi(argv[5])),
                  uint8_t(std::atoi(argv[6])), 255};
  const long until = NowMs() + std::atol(argv[7]);
  for (;;) {
    const bool same = Grab(d, x, y, 1, 1).at(0, 0) == want;
    if (same == wantSame) return 0;
    if (NowMs() > until) return 1;
    timespec pause{0, 5 * 1000 * 1000};
    nanosleep(&pause, nullptr);
  }
}

// How many opaque pixels of `picture` differ from the screen at (x, y).
int Mismatches(Display* d, const Bitmap& picture, int x, int y) {
  const Bitmap shown = Grab(d, x, y, picture.width(), picture.height());
  int differ = 0;
  for (int row = 0; row < picture.height(); ++row) {
    for (int col = 0; col < picture.width(); ++col) {
      const Rgba p = picture.at(col, row), s = shown.at(col, row);
      if (p.a == 255 && (p.r != s.r || p.g != s.g || p.b != s.b)) ++differ;
    }
  }
  return differ;
}

int Match(Display* d, int argc, char** argv) {
  std::ifstream in(argv[2], std::ios::binary);
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
  const moravel::Result<moravel::Bitmap> decoded = moravel::DecodePng(bytes);
  if (!decoded.ok()) {
    std::fprintf(stderr, "moravel_xshot: %s: %s\n", argv[2], decoded.error().message.c_str());
    return 2;
  }
  const int factor = argc == 7 ? std::atoi(argv[6]) : 1;
  const std::optional<Bitmap> picture = moravel::EnlargeByWholePixels(*decoded, factor);
  if (factor < 1 || !picture) return 2;
  const int x = std::atoi(argv[3]), y = std::atoi(argv[4]);
  const long until = NowMs() + std::atol(argv[5]);
  for (;;) {
    const int differ = Mismatches(d, *picture, x, y);
    if (differ == 0) return 0;
    if (NowMs() > until) {
      std::fprintf(stderr, "moravel_xshot: %d pixels of %s differ at %d,%d\n", differ, argv[2], x,
                   y);
      return 1;
    }
    timespec pause{0, 20 * 1000 * 1000};
    nanosleep(&pause, nullptr);
  }
}

bool WritePng(const Bitmap& picture, const char* file) {
  const moravel::Result<std::vector<uint8_t>> bytes =
      moravel::EncodePng(picture, moravel::PngSpeed::Fast);
  if (!bytes) return false;
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes->data()), std::streamsize(bytes->size()));
  return bool(out);
}

int Save(Display* d, const char* file) {
  Screen* s = DefaultScreenOfDisplay(d);
  const Bitmap picture = Grab(d, 0, 0, WidthOfScreen(s), HeightOfScreen(s));
  return WritePng(picture, file) ? 0 : 2;
}

int Solid(char** argv) {
  const Rgba colour{uint8_t(std::atoi(argv[5])), uint8_t(std::atoi(argv[6])),
                    uint8_t(std::atoi(argv[7])), 255};
  const std::optional<Bitmap> picture =
      Bitmap::Create(std::atoi(argv[3]), std::atoi(argv[4]), colour);
  return picture && WritePng(*picture, argv[2]) ? 0 : 2;
}

// RandR monitors, as xrandr --setmonitor would set them (its own
// --setmonitor with no output does not take on Xvfb).
int IgnoreXError(Display*, XErrorEvent*) {
  return 0;
}

int DeleteMonitor(Display* d, const char* name) {
  XSetErrorHandler(IgnoreXError);  // a monitor that is not there
  XRRDeleteMonitor(d, DefaultRootWindow(d), XInternAtom(d, name, False));
  XSync(d, False);
  return 0;
}

int SetMonitor(Display* d, int argc, char** argv) {
  DeleteMonitor(d, argv[2]);  // an existing monitor cannot be set again
  XRRMonitorInfo* m = XRRAllocateMonitor(d, 0);
  if (!m) return 2;
  m->name = XInternAtom(d, argv[2], False);
  m->x = std::atoi(argv[3]);
  m->y = std::atoi(argv[4]);
  m->width = std::atoi(argv[5]);
  m->height = std::atoi(argv[6]);
  m->mwidth = m->width / 4;  // about 100 dpi
  m->mheight = m->height / 4;
  m->primary = argc == 8 && std::strcmp(argv[7], "primary") == 0;
  XSetErrorHandler(nullptr);
  XRRSetMonitor(d, DefaultRootWindow(d), m);
  XSync(d, False);
  XRRFreeMonitors(m);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "solid" && argc == 8) return Solid(argv);
  Display* d = XOpenDisplay(nullptr);
  if (!d) {
    std::fprintf(stderr, "moravel_xshot: cannot open display\n");
    return 2;
  }
  int rc = 2;
  if (command == "save" && argc == 3) {
    rc = Save(d, argv[2]);
  } else if (command == "pixel" && argc == 4) {
    const Rgba c = Grab(d, std::atoi(argv[2]), std::atoi(argv[3]), 1, 1).at(0, 0);
    std::printf("%d %d %d\n", c.r, c.g, c.b);
    rc = 0;
  } else if ((command == "wait-is" || command == "wait-not") && argc == 8) {
    rc = Wait(d, argv, command == "wait-is");
  } else if (command == "match" && (argc == 6 || argc == 7)) {
    rc = Match(d, argc, argv);
  } else if (command == "monitor" && (argc == 7 || argc == 8)) {
    rc = SetMonitor(d, argc, argv);
  } else if (command == "delmonitor" && argc == 3) {
    rc = DeleteMonitor(d, argv[2]);
  } else if (command == "windows" && argc == 2) {
    rc = Windows(d);
  } else {
    std::fprintf(stderr, "usage: see the top of tests/e2e/XShot.cpp\n");
  }
  XCloseDisplay(d);
  return rc;
}
