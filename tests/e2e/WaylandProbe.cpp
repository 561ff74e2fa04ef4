// moravel_wlprobe: the desktop's layer surfaces with a test pattern, for the
// end-to-end test of the native Wayland desktop (e2e/wayland.sh).
//
// On every output: the left half red (200, 40, 40), the right half green
// (40, 160, 60), and the middle (a quarter of the size in from each edge)
// pure blue, where the desktop beneath shows through. It goes through the
// program's own path: the frame composer's wallpaper, the frame presenter,
// the layer surface.
//
// Usage: moravel_wlprobe [SECONDS]   (ends with code 3 after SECONDS, default 30)
// Reads lines from stdin:
//   paint X Y W H R G B   that rectangle (device pixels) of every frame gets
//                         the colour (0 0 255 makes a hole); only it is shown
//                         again
//   keyboard on|off       whether the surfaces may take the keyboard focus
//   quit
// Writes lines to stdout, each once the compositor has handled what it says:
//   ready W H SCALE       a whole frame of W x H device pixels is shown
//   painted               a paint is shown
//   pointer               the seat has a pointer
//   press|double|release X Y left|right|middle, leave   (device pixels)
//   key escape|space|control|left|right|up|down down|up, focus lost

#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform_wayland/LayerSurface.h"
#include "platform_wayland/WaylandConnection.h"
#include "platform_wayland/WaylandSeat.h"
#include "scene/ControlStack.h"
#include "scene/FrameComposer.h"
#include "scene/FramePresenter.h"

namespace {

using namespace moravel;

struct Paint {
  Rect area;
  Rgba colour;
};

// One output's desktop: its frame and the surface it is shown on.
struct Desktop {
  std::unique_ptr<LayerSurface> surface;
  std::unique_ptr<ControlStack> controls;
  std::unique_ptr<FrameComposer> composer;
  std::unique_ptr<FramePresenter> presenter;
  bool announce = false;  // a whole frame was shown: say "ready" after a round trip
};

void Fill(Bitmap& frame, Rect area, Rgba colour) {
  const Rect r = Intersect(area, {0, 0, frame.width(), frame.height()});
  for (int y = r.y; y < r.bottom(); ++y)
    for (int x = r.x; x < r.right(); ++x) frame.set(x, y, colour);
}

void DrawPattern(Bitmap& frame, const std::vector<Paint>& paints) {
  const int w = frame.width(), h = frame.height();
  Fill(frame, {0, 0, w / 2, h}, {200, 40, 40, 255});
  Fill(frame, {w / 2, 0, w - w / 2, h}, {40, 160, 60, 255});
  Fill(frame, {w / 4, h / 4, w / 2, h / 2}, kDesktopKeyColour);
  for (const Paint& p : paints) Fill(frame, p.area, p.colour);
}

const char* ButtonName(MouseButton b) {
  switch (b) {
    case MouseButton::Left:
      return "left";
    case MouseButton::Right:
      return "right";
    case MouseButton::Middle:
      return "middle";
  }
  return "?";
}

const char* KeyName(PlacementKey k) {
  static const char* const kNames[] = {"escape", "space", "control", "left", "right", "up", "down"};
  return kNames[int(k)];
}

void Say(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

class Probe {
 public:
  explicit Probe(WaylandConnection& connection) : connection_(connection), seat_(connection) {
    seat_.SetPointerHandler([](LayerSurface&, const PointerEvent& e) {
      const char* kind = nullptr;
      switch (e.kind) {
        case PointerEvent::Kind::Press:
          kind = "press";
          break;
        case PointerEvent::Kind::DoubleClick:
          kind = "double";
          break;
        case PointerEvent::Kind::Release:
          kind = "release";
          break;
        case PointerEvent::Kind::Leave:
          Say("leave");
          return;
        case PointerEvent::Kind::Move:
          return;
      }
      Say(std::string(kind) + " " + std::to_string(e.x) + " " + std::to_string(e.y) + " " +
          ButtonName(e.button));
    });
    seat_.SetKeyHandler([](PlacementKey key, bool pressed) {
      Say(std::string("key ") + KeyName(key) + (pressed ? " down" : " up"));
    });
    seat_.SetFocusLost([] { Say("focus lost"); });
    connection_.SetOutputsChanged([this] { outputsChanged_ = true; });
  }

  // Surfaces for new outputs; gone ones dropped; scales followed.
  bool FollowOutputs() {
    outputsChanged_ = false;
    for (auto it = desktops_.begin(); it != desktops_.end();) {
      if (it->second->surface->closed() || !connection_.output(it->first)) {
        it = desktops_.erase(it);
      } else {
        it->second->surface->FollowOutput();
        ++it;
      }
    }
    for (const WaylandOutput* output : connection_.outputs()) {
      if (desktops_.count(output->name)) continue;
      Result<std::unique_ptr<LayerSurface>> surface =
          LayerSurface::Create(connection_, output->name);
      if (!surface) {
        std::fprintf(stderr, "moravel_wlprobe: %s\n", surface.error().message.c_str());
        return false;
      }
      auto desktop = std::make_unique<Desktop>();
      desktop->surface = std::move(*surface);
      Desktop* d = desktop.get();
      d->surface->SetRedraw([this, d](int w, int h) { Redraw(*d, w, h); });
      desktops_[output->name] = std::move(desktop);
    }
    return true;
  }

  // The whole frame again, its shape included: a new presenter, which
  // knows of no pixel already sent.
  void Redraw(Desktop& d, int w, int h) {
    if (!d.composer || d.composer->wallpaper().width() != w ||
        d.composer->wallpaper().height() != h) {
      d.controls = std::make_unique<ControlStack>(w, h);
      d.composer = std::make_unique<FrameComposer>(*d.controls, w, h);
    }
    d.presenter = std::make_unique<FramePresenter>(*d.composer);
    DrawPattern(d.composer->wallpaper(), paints_);
    d.presenter->Present({0, 0, w, h}, *d.surface);
    Check(d.surface->Flush());
    d.announce = true;
  }

  void Apply(const Paint& paint) {
    paints_.push_back(paint);
    for (auto& [name, d] : desktops_) {
      if (!d->composer) continue;
      Fill(d->composer->wallpaper(), paint.area, paint.colour);
      d->presenter->Present(paint.area, *d->surface);
      Check(d->surface->Flush());
    }
  }

  void SetKeyboard(bool on) {
    for (auto& [name, d] : desktops_) d->surface->SetKeyboard(on);
  }

  // What is to be said once the compositor has handled it.
  void Announce() {
    bool any = false;
    for (auto& [name, d] : desktops_) any = any || d->announce;
    if (!any && !pointerNews()) return;
    Check(connection_.Roundtrip());
    for (auto& [name, d] : desktops_) {
      if (!d->announce) continue;
      d->announce = false;
      Say("ready " + std::to_string(d->surface->width()) + " " +
          std::to_string(d->surface->height()) + " " + std::to_string(d->surface->scale()));
    }
    if (pointerNews()) {
      saidPointer_ = true;
      Say("pointer");
    }
  }

  bool outputsChanged() const { return outputsChanged_; }

  static void Check(const Result<void>& r) {
    if (r) return;
    std::fprintf(stderr, "moravel_wlprobe: %s\n", r.error().message.c_str());
    std::exit(1);
  }

 private:
  bool pointerNews() const { return seat_.hasPointer() && !saidPointer_; }

  WaylandConnection& connection_;
  WaylandSeat seat_;
  std::map<uint32_t, std::unique_ptr<Desktop>> desktops_;
  std::vector<Paint> paints_;
  bool outputsChanged_ = true;
  bool saidPointer_ = false;
};

enum class Done { kNothing, kPainted, kQuit };

// Runs one line of stdin.
Done Command(Probe& probe, const std::string& line) {
  std::istringstream in(line);
  std::string verb;
  in >> verb;
  if (verb == "quit") return Done::kQuit;
  if (verb == "paint") {
    Paint p;
    int r = 0, g = 0, b = 0;
    if (in >> p.area.x >> p.area.y >> p.area.width >> p.area.height >> r >> g >> b) {
      p.colour = {uint8_t(r), uint8_t(g), uint8_t(b), 255};
      probe.Apply(p);
      return Done::kPainted;
    }
  } else if (verb == "keyboard") {
    std::string state;
    in >> state;
    probe.SetKeyboard(state == "on");
    return Done::kNothing;
  }
  std::fprintf(stderr, "moravel_wlprobe: unknown command: %s\n", line.c_str());
  return Done::kNothing;
}

}  // namespace

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 30;
  Result<std::unique_ptr<WaylandConnection>> connection = WaylandConnection::Connect();
  if (!connection) {
    std::fprintf(stderr, "moravel_wlprobe: %s\n", connection.error().message.c_str());
    return 1;
  }
  WaylandConnection& c = **connection;
  if (!c.hasLayerShell()) {
    std::fprintf(stderr, "moravel_wlprobe: the compositor offers no layer shell\n");
    return 2;
  }
  Probe probe(c);
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  std::string input;
  bool stdinOpen = true;
  for (;;) {
    if (probe.outputsChanged() && !probe.FollowOutputs()) return 1;
    Probe::Check(c.Dispatch());
    if (probe.outputsChanged() && !probe.FollowOutputs()) return 1;
    probe.Announce();
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        end - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      std::fprintf(stderr, "moravel_wlprobe: %d s are up\n", seconds);
      return 3;
    }
    pollfd fds[2] = {{c.fd(), POLLIN, 0}, {0, POLLIN, 0}};
    if (poll(fds, stdinOpen ? 2 : 1, int(std::min<long long>(left.count(), 200))) < 0) continue;
    if (stdinOpen && (fds[1].revents & (POLLIN | POLLHUP))) {
      char buffer[4096];
      const ssize_t n = read(0, buffer, sizeof buffer);
      if (n <= 0) {
        stdinOpen = false;
        continue;
      }
      input.append(buffer, size_t(n));
      size_t newline;
      int painted = 0;
      while ((newline = input.find('\n')) != std::string::npos) {
        const std::string line = input.substr(0, newline);
        input.erase(0, newline + 1);
        const Done done = Command(probe, line);
        if (done == Done::kQuit) return 0;
        painted += done == Done::kPainted;
      }
      // A paint is said to be shown once the compositor has handled it.
      Probe::Check(c.Roundtrip());
      for (; painted > 0; --painted) Say("painted");
    }
  }
}
