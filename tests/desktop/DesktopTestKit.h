#pragma once
// Scratch skins, pictures and recording fakes for the desktop tests.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "codecs/PngCodec.h"
#include "desktop/Desktop.h"
#include "desktop/DesktopTimers.h"
#include "desktop/DesktopWindowPort.h"
#include "desktop/WallpaperPainter.h"
#include "platform/FakeClock.h"
#include "platform/RecordingLauncher.h"
#include "raster/Bitmap.h"
#include "scene/DesktopFrame.h"
#include "support/TempFolder.h"
#include "support/TestPictures.h"

namespace moravel::test {

inline void WriteText(const std::filesystem::path& file, std::string_view text) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(text.data(), std::streamsize(text.size()));
}

inline std::string ReadText(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Timers that only remember their state and every switch.
class FakeTimers : public DesktopTimers {
 public:
  void SetEnabled(DesktopTimer timer, bool enabled) override {
    enabled_[timer] = enabled;
    switches.push_back({timer, enabled});
  }
  bool IsEnabled(DesktopTimer timer) const override {
    auto it = enabled_.find(timer);
    return it != enabled_.end() && it->second;
  }
  struct Switch {
    DesktopTimer timer;
    bool enabled;
  };
  std::vector<Switch> switches;

 private:
  std::map<DesktopTimer, bool> enabled_;
};

// Paints a given colour, or fails; records the first defaults it was given.
// Has no file painting of its own: a chosen file arrives as the default
// "?<file>".
class FakePainter : public WallpaperPainter {
 public:
  bool PaintWallpaper(const IniFile&, const std::filesystem::path&, std::string_view firstDefault,
                      Bitmap& wallpaper) override {
    defaults.emplace_back(firstDefault);
    if (throws) throw std::runtime_error("damaged picture");
    if (!succeed) return false;
    wallpaper = Solid(wallpaper.width(), wallpaper.height(), colour);
    return true;
  }
  bool succeed = true;
  bool throws = false;  // a failure the painter did not catch itself
  Rgba colour{1, 2, 3, 255};
  std::vector<std::string> defaults;
};

// A window that records what the session asked of it.
class FakeWindow : public DesktopWindowPort {
 public:
  struct Menu {
    int x, y;
    friend bool operator==(const Menu&, const Menu&) = default;
  };
  void ShowButtonMenu(int x, int y) override { buttonMenus.push_back({x, y}); }
  void ShowMainMenu(int x, int y) override { mainMenus.push_back({x, y}); }
  void FrameChanged() override { ++frameChanges; }
  void Close() override { ++closes; }
  void ShowMessage(const std::string& text) override { messages.push_back(text); }

  std::vector<Menu> buttonMenus, mainMenus;
  std::vector<std::string> messages;
  int frameChanges = 0, closes = 0;
};

// A program folder with skins/<skin>/, and a session over it with fakes.
class DesktopHarness {
 public:
  explicit DesktopHarness(std::string skin = "wood") : skin_(std::move(skin)) {
    std::filesystem::create_directories(skinFolder());
  }

  const std::filesystem::path& programFolder() const { return folder_.path(); }
  std::filesystem::path skinFolder() const { return skinFolder(skin_); }
  void Config(std::string_view text) { Config(skin_, text); }
  void User(std::string_view text) { User(skin_, text); }
  void Picture(std::string_view name, const Bitmap& picture) { Picture(skin_, name, picture); }

  // The same for another skin folder, skins/<skin>/.
  std::filesystem::path skinFolder(std::string_view skin) const {
    return folder_.path() / "skins" / skin;
  }
  void Config(std::string_view skin, std::string_view text) {
    WriteText(skinFolder(skin) / "config.ini", text);
  }
  void User(std::string_view skin, std::string_view text) {
    WriteText(skinFolder(skin) / "user.ini", text);
  }
  void Picture(std::string_view skin, std::string_view name, const Bitmap& picture) {
    WritePng(skinFolder(skin) / name, picture);
  }

  // Creates the session (data.ini naming the skin unless one exists) on a
  // screen of width x height device pixels with the published `scale`, and
  // starts it.
  Desktop& Start(int width = 800, int height = 600, int scale = 1) {
    if (!std::filesystem::exists(programFolder() / "data.ini")) {
      WriteText(programFolder() / "data.ini", "[skin]\r\ndir=" + skin_ + "\r\n");
    }
    DesktopServices services{launcher, clock, timers, window, wallpaper, timeWidgets};
    session = std::make_unique<Desktop>(services, programFolder(), width, height, scale);
    session->Start();
    return *session;
  }

  // Pointer input.
  void Move(int x, int y) { session->HandlePointer({PointerEvent::Kind::Move, x, y}); }
  void Press(int x, int y, MouseButton b = MouseButton::Left) {
    session->HandlePointer({PointerEvent::Kind::Press, x, y, b});
  }
  void DoublePress(int x, int y) {
    session->HandlePointer({PointerEvent::Kind::DoubleClick, x, y, MouseButton::Left});
  }
  void Release(int x, int y, MouseButton b = MouseButton::Left) {
    session->HandlePointer({PointerEvent::Kind::Release, x, y, b});
  }

  RecordingLauncher launcher;
  FakeClock clock;
  FakeTimers timers;
  FakeWindow window;
  WallpaperPainter* wallpaper = nullptr;
  TimeWidgets* timeWidgets = nullptr;
  std::unique_ptr<Desktop> session;

 private:
  TempFolder folder_;
  std::string skin_;
};

}  // namespace moravel::test
