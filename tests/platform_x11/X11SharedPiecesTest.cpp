// Pieces through shared memory on a real X server (Xvfb, started here): every
// piece lands where it was put with its colours, large ones in turns and
// small ones round the segment many times over; a server without the
// extension gets none.

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

// Xlib last: its macros (None, Bool) break gtest's names.
// clang-format off
#include <X11/Xutil.h>
// clang-format on

#include "platform_x11/X11SharedPieces.h"

extern char** environ;

namespace moravel {
namespace {

// An Xvfb of its own on a free display number, ended with the test, and a
// 640 x 480 pixmap on it to put pieces on.
class VirtualServer {
 public:
  explicit VirtualServer(bool withSharedMemory) {
    int fds[2];
    if (pipe(fds) != 0) return;
    std::vector<std::string> args = {"Xvfb",      "-displayfd", std::to_string(fds[1]),
                                     "-screen",   "0",          "640x480x24",
                                     "-nolisten", "tcp"};
    if (!withSharedMemory) args.insert(args.end(), {"-extension", "MIT-SHM"});
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (posix_spawnp(&pid_, "Xvfb", nullptr, nullptr, argv.data(), environ) != 0) pid_ = 0;
    close(fds[1]);
    // Xvfb writes the number and the newline apart, and dies if the pipe is
    // closed between the two: read up to the newline.
    std::string number;
    char c = 0;
    while (pid_ && read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (c == '\n' && !number.empty()) name_ = ":" + number;
    if (!name_.empty()) display_ = XOpenDisplay(name_.c_str());
    if (!display_) return;
    target_ = XCreatePixmap(display_, DefaultRootWindow(display_), 640, 480, 24);
    gc_ = XCreateGC(display_, target_, 0, nullptr);
  }
  ~VirtualServer() {
    if (display_) {
      XFreeGC(display_, gc_);
      XFreePixmap(display_, target_);
      XCloseDisplay(display_);
    }
    if (pid_) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }
  Display* display() const { return display_; }
  Pixmap target() const { return target_; }
  GC gc() const { return gc_; }

 private:
  pid_t pid_ = 0;
  std::string name_;
  Display* display_ = nullptr;
  Pixmap target_ = 0;
  GC gc_ = nullptr;
};

Rgba ColourOf(int i) {
  return {uint8_t(37 * i), uint8_t(255 - 11 * i), uint8_t(i * i), 255};
}

// What the server holds at (x, y) of `drawable`, as R, G, B.
Rgba ServerPixel(Display* display, Drawable drawable, int x, int y) {
  XImage* image = XGetImage(display, drawable, x, y, 1, 1, AllPlanes, ZPixmap);
  if (!image) return {};
  const unsigned long p = XGetPixel(image, 0, 0);
  XDestroyImage(image);
  return {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p), 255};
}

TEST(X11SharedPiecesTest, LargeAndSmallPiecesLandWhereTheyWerePut) {
  VirtualServer server(true);
  if (!server.display()) GTEST_SKIP() << "no Xvfb to run";
  Display* d = server.display();
  const Pixmap target = server.target();
  const GC gc = server.gc();
  X11SharedPieces pieces(d, nullptr);

  Bitmap small = *Bitmap::Create(16, 16);
  EXPECT_FALSE(pieces.Show(target, gc, small, {0, 0, 16, 16})) << "no segment before a large piece";

  // Four large pieces of 320 x 240 (300 KB), one a quarter, then small ones
  // of 16 x 16 on a 40 x 30 grid, 3000 of them: round the 600 KB segment
  // several times, each cell painted again and again.
  for (int q = 0; q < 4; ++q) {
    Bitmap large = *Bitmap::Create(320, 240, ColourOf(q));
    large.set(5, 7, ColourOf(q + 9));
    ASSERT_TRUE(pieces.Show(target, gc, large, {320 * (q % 2), 240 * (q / 2), 320, 240}));
  }
  for (int i = 0; i < 3000; ++i) {
    small = *Bitmap::Create(16, 16, ColourOf(i));
    ASSERT_TRUE(pieces.Show(target, gc, small, {16 * (i % 40), 16 * (i / 40 % 30), 16, 16}));
  }
  XSync(d, False);
  for (int cell = 0; cell < 1200; ++cell) {
    const int last = cell < 600 ? 2400 + cell : 1200 + cell;  // the last piece in this cell
    ASSERT_EQ(ServerPixel(d, target, 16 * (cell % 40) + 9, 16 * (cell / 40) + 3), ColourOf(last))
        << cell;
  }
  // Large again, after small ones: the slots are written once the ring is read.
  Bitmap large = *Bitmap::Create(320, 240, ColourOf(5));
  large.set(5, 7, ColourOf(14));
  ASSERT_TRUE(pieces.Show(target, gc, large, {320, 240, 320, 240}));
  XSync(d, False);
  EXPECT_EQ(ServerPixel(d, target, 325, 247), ColourOf(14));
  EXPECT_EQ(ServerPixel(d, target, 639, 479), ColourOf(5));
  EXPECT_EQ(ServerPixel(d, target, 100, 100), ColourOf(2400 + 40 * 6 + 6));
}

TEST(X11SharedPiecesTest, AServerWithoutTheExtensionGetsNone) {
  VirtualServer server(false);
  if (!server.display()) GTEST_SKIP() << "no Xvfb to run";
  X11SharedPieces pieces(server.display(), nullptr);
  const Bitmap large = *Bitmap::Create(320, 240, ColourOf(1));
  EXPECT_FALSE(pieces.Show(server.target(), server.gc(), large, {0, 0, 320, 240}));
}

}  // namespace
}  // namespace moravel
