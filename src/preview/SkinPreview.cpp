#include "preview/SkinPreview.h"

#include <exception>
#include <fstream>
#include <random>
#include <system_error>
#include <utility>

#include "desktop/Desktop.h"
#include "desktop/InertServices.h"
#include "platform/FakeClock.h"
#include "preview/OffScreenCheck.h"
#include "preview/ProblemList.h"
#include "preview/SkinChecker.h"
#include "preview/TemplateCheck.h"
#include "scene/DesktopFrame.h"
#include "scene/FrameComposer.h"
#include "settings/Utf8Path.h"
#include "widgets/SkinTimeWidgets.h"
#include "widgets/SkinWallpaper.h"

namespace moravel {
namespace {

namespace fs = std::filesystem;

class NoLauncher : public Launcher {
 public:
  bool OpenTarget(const std::string&, const std::string&) override { return false; }
  bool OpenSpecialFolder(int) override { return false; }
  bool OpenDateTimeSettings() override { return false; }
};

// A program folder of our own under the temp folder, removed with what the
// session wrote there; skins/<name> is a link (or a copy where no link can
// be made), so removing it leaves the skin alone.
class ScratchProgramFolder {
 public:
  ScratchProgramFolder() {
    std::error_code ec;
    const fs::path temp = fs::temp_directory_path(ec);
    if (ec) return;
    // A new folder of a random name, as mkdtemp makes one.
    std::random_device random;
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
      fs::path folder = temp / ("moravel-preview-" + std::to_string(random()));
      if (fs::create_directory(folder, ec)) path_ = std::move(folder);
    }
  }
  ~ScratchProgramFolder() {
    std::error_code ec;
    if (!path_.empty()) fs::remove_all(path_, ec);
  }
  ScratchProgramFolder(const ScratchProgramFolder&) = delete;
  ScratchProgramFolder& operator=(const ScratchProgramFolder&) = delete;

  // Links skins/<name> to `skin` and names it in data.ini; false on failure.
  bool Hold(const fs::path& skin, const std::string& name) {
    if (path_.empty()) return false;
    std::error_code ec;
    fs::create_directory(path_ / "skins", ec);
    const fs::path held = path_ / "skins" / PathFromUtf8(name);
    if (!ec) fs::create_directory_symlink(skin, held, ec);
    if (ec && fs::exists(path_ / "skins")) {
      // Where making links needs rights the user lacks (Windows), a copy.
      ec.clear();
      fs::copy(skin, held, fs::copy_options::recursive, ec);
    }
    if (ec) return false;
    std::ofstream data(path_ / "data.ini", std::ios::binary);
    data << "[skin]\r\ndir=" << name << "\r\n";
    return bool(data.flush());
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

SkinPreview Render(const fs::path& skinFolder, int width, int height, const LocalTime& time,
                   int scale) {
  SkinPreview preview;
  std::error_code ec;
  const fs::path skin = fs::canonical(skinFolder, ec);
  if (ec || !fs::is_directory(skin, ec)) {
    preview.error = "no such skin folder: " + Utf8Of(skinFolder);
    return preview;
  }
  // Installed, the skin would lie in skins/ under its own folder name.
  const std::string name = skin.filename().empty() ? "skin" : Utf8Of(skin.filename());
  ScratchProgramFolder program;
  if (!program.Hold(skin, name)) {
    preview.error =
        "cannot make a scratch program folder under " + Utf8Of(fs::temp_directory_path(ec));
    return preview;
  }

  NoLauncher launcher;
  FakeClock clock(time);
  InertTimers timers;
  InertWindow window;
  SkinWallpaper wallpaper;
  SkinTimeWidgets timeWidgets;
  Desktop session(DesktopServices{launcher, clock, timers, window, &wallpaper, &timeWidgets},
                  program.path(), width, height, scale);
  ProblemList problems(
      {program.path() / "skins" / PathFromUtf8(name), skin, fs::absolute(skinFolder, ec)});
  wallpaper.SetProblems(&problems);
  session.SetProblems(&problems);

  session.Start();
  const SettingsFiles& files = session.state().files;
  CheckSkinSettings(files, problems);
  if (files.config) CheckButtonTemplates(*files.config, files.skinPath, problems);
  session.OnCalendarTimer();
  session.OnClockTimer();
  const AnalogClock* analogClock = timeWidgets.analogClock();
  CheckPlacements(session.state().scene, files, analogClock ? &analogClock->image() : nullptr,
                  width, height, problems);

  preview.picture = session.frame().picture();
  ClearKeyColour(preview.picture);
  preview.problems = problems.lines();
  return preview;
}

}  // namespace

SkinPreview RenderSkinPreview(const std::filesystem::path& skinFolder, int width, int height,
                              const LocalTime& time, int scale) {
  try {
    return Render(skinFolder, width, height, time, scale);
  } catch (const std::exception& e) {
    SkinPreview failed;
    failed.error = std::string("cannot render: ") + e.what();
    return failed;
  }
}

void ClearKeyColour(Bitmap& picture) {
  uint8_t* p = picture.data();
  for (size_t i = 0, n = picture.byteCount(); i < n; i += 4) {
    // Alpha does not count, as for the window's shape (KeyColourRuns.h).
    if (p[i] == kDesktopKeyColour.r && p[i + 1] == kDesktopKeyColour.g &&
        p[i + 2] == kDesktopKeyColour.b) {
      p[i] = p[i + 1] = p[i + 2] = p[i + 3] = 0;
    }
  }
}

}  // namespace moravel
