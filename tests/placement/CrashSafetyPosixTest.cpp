// A process that makes or removes buttons, killed at any moment, leaves a
// desktop the next start shows whole: the [button<k>] records run from 1
// without a gap, every record names pictures that decode and show its own
// button's icon, never another's, and the only files no record names are
// those a killed step can leave:
//  - a commit killed after its pictures and before its record leaves the
//    pictures of number count + 1;
//  - a removal killed before its record update leaves the copies of the last
//    button's pictures under their fresh name, and one killed after it, before
//    its clean-up, the old pictures of the moved and the removed button;
//  - an atomic write killed half-way leaves its hidden temporary file.
// Such leftovers belong to no button; later commits and removals write over
// them, since a new name is always the first one no record uses.
//
// A kill is not a power cut: what a process wrote survives it without any
// flush, so the folder lies on a RAM disk when there is one, which keeps a
// commit near a millisecond and lets a few hundred kills land at every step.
// The kills follow a fixed seed, printed with any failure.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <random>
#include <regex>
#include <set>
#include <thread>

#include "codecs/PictureFile.h"
#include "desktop/DesktopTestKit.h"
#include "editor/EditorTestKit.h"
#include "placement/AddButtonCommand.h"
#include "placement/RemoveButtonCommand.h"
#include "settings/NumberedItems.h"
#include "settings/SkinPaths.h"

namespace moravel {
namespace {

namespace fs = std::filesystem;
using test::Solid;
using Work = std::function<bool(Desktop&, std::mt19937&)>;

constexpr int kKills = 500;
constexpr unsigned kSeed = 20261208;
constexpr int kMostButtons = 12;  // the commit test starts afresh at 12 buttons
constexpr std::chrono::microseconds kLongestDelay(4000);

// Each button opens one of these icons and shows its colour at (3, 3) in
// every state, so a record showing another button's faces is seen.
constexpr int kIcons = 64;
Rgba IconColour(int j) {
  return {uint8_t(40 + 3 * j), uint8_t(250 - 3 * j), 77, 255};
}

// A scratch program folder on the RAM disk (else in the temp folder).
class ScratchFolder {
 public:
  ScratchFolder() {
    std::error_code ec;
    const fs::path ram = "/dev/shm";
    const fs::path base = fs::is_directory(ram, ec) && ::access(ram.c_str(), W_OK) == 0
                              ? ram
                              : fs::temp_directory_path();
    path_ = base / ("moravel-crash-" + std::to_string(::getpid()));
    fs::remove_all(path_, ec);
    fs::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

// What one look at the disk found.
struct DiskState {
  int buttons = 0;
  std::set<std::string> orphans;  // pictures in temp/ that no record names
  int temporaryFiles = 0;         // hidden files of interrupted writes (removed after counting)
  int foreignFaces = 0;           // records whose pictures show another button's icon
};

class CrashSafetyTest : public testing::Test {
 protected:
  CrashSafetyTest() {
    test::WriteText(skin_ / "config.ini",
                    "[freebutton1]\r\nname=Plain\r\nimage1=t\\up.png\r\nimage2=t\\over.png\r\n"
                    "image3=t\\down.png\r\nx1=2\r\ny1=2\r\nw1=4\r\nh1=4\r\ntx1=0\r\nty1=8\r\n"
                    "tw1=10\r\nth1=4\r\n");
    test::WritePng(skin_ / "t/up.png", Solid(10, 12, {10, 10, 10, 255}));
    test::WritePng(skin_ / "t/over.png", Solid(10, 12, {20, 20, 20, 255}));
    test::WritePng(skin_ / "t/down.png", Solid(10, 12, {30, 30, 30, 255}));
    for (int j = 0; j < kIcons; ++j) test::WritePng(Icon(j), Solid(4, 4, IconColour(j)));
    test::WriteText(folder_.path() / "data.ini", "[skin]\r\ndir=wood\r\n");
    Empty();
  }

  fs::path Icon(int j) const {
    return folder_.path() / "icons" / ("c" + std::to_string(j) + ".png");
  }
  void Empty() {
    fs::remove_all(skin_ / "temp");
    test::WriteText(skin_ / "user.ini", "");
  }

  Desktop& Start() {
    session_ = std::make_unique<Desktop>(DesktopServices{launcher_, clock_, timers_, window_},
                                         folder_.path(), 800, 600);
    session_->Start();
    return *session_;
  }

  // Makes one button opening a random icon at a random place.
  bool MakeButton(Desktop& session, std::mt19937& random) {
    const int j = int(random() % kIcons);
    NewButtonDesign design;
    design.templateNumber = 1;
    design.target = design.iconSource = Icon(j).string();
    design.caption = "b";
    design.upParams =
        ReadFaceParams(*session.state().files.config, "freebutton1", ButtonState::kUp);
    AddButtonCommand add(renderer_, design, int(random() % 700), int(random() % 500));
    session.Run(add);
    return add.result()->ok();
  }

  bool RemoveButton(Desktop& session, std::mt19937& random) {
    RemoveButtonCommand remove(1 + int(random() % unsigned(session.state().buttons.count())));
    session.Run(remove);
    return remove.result()->ok();
  }

  // Runs in the forked child, on the session the parent started at its last
  // look (the disk has not changed since): writes one byte to `ready`, then
  // runs `work` until killed (or, as a safety net, a few seconds have passed).
  [[noreturn]] void Child(int ready, unsigned seed, const Work& work) {
    std::mt19937 random(seed);
    if (::write(ready, "!", 1) != 1) _exit(3);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline) {
      if (!work(*session_, random)) _exit(2);
    }
    _exit(0);
  }

  // Forks a child running `work` and kills it after a random delay.
  void Kill(std::mt19937& random, const Work& work) {
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    const unsigned childSeed = unsigned(random());
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(pipeFds[0]);
      Child(pipeFds[1], childSeed, work);
    }
    ::close(pipeFds[1]);
    char byte = 0;
    const ssize_t got = ::read(pipeFds[0], &byte, 1);
    ::close(pipeFds[0]);
    if (got == 1) {
      std::uniform_int_distribution<long> delay(0, kLongestDelay.count());
      std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
    }
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(got == 1 && WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
        << "the child ended before it was killed, status " << status;
  }

  // What the disk and a fresh start show; fails the test on any inconsistency.
  DiskState Look() {
    DiskState state;
    const IniFile user(skin_ / "user.ini");
    EXPECT_TRUE(user.readable());
    int sections = 0;
    for (const std::string& name : user.SectionNames())
      sections += std::regex_match(name, std::regex("button[0-9]+"));
    state.buttons = CountNumberedSections("button", user);
    EXPECT_EQ(state.buttons, sections) << "a gap in the records";

    for (int k = 1; k <= state.buttons; ++k) {
      const std::string section = "button" + std::to_string(k);
      const auto names = StatePictureNames(skin_ / "", user.ReadString(section, "image", ""));
      if (!names) {
        ADD_FAILURE() << section << " names no picture";
        continue;
      }
      const std::string object = user.ReadString(section, "object", "");
      const Rgba icon = IconColour(std::stoi(object.substr(object.rfind("/c") + 2)));
      bool foreign = false;
      for (const fs::path* file : {&names->up, &names->over, &names->down}) {
        if (file != &names->up && !fs::exists(*file)) continue;
        const Result<Bitmap> picture = LoadPictureFile(*file, PictureFormat::Png);
        if (!picture.ok()) {
          ADD_FAILURE() << section << " names a damaged or missing " << *file;
          continue;
        }
        foreign |= picture->at(3, 3) != icon;
      }
      state.foreignFaces += foreign;
    }

    const DesktopScene& scene = Start().state().scene;
    EXPECT_EQ(scene.buttonCount, state.buttons);
    for (int k = 1; k <= scene.buttonCount; ++k)
      EXPECT_TRUE(HasPixels(scene.button(k).upPicture)) << "button " << k;

    std::set<std::string> named;
    for (int k = 1; k <= state.buttons; ++k) {
      const std::string image = user.ReadString("button" + std::to_string(k), "image", "");
      named.insert(image.substr(image.find('\\') + 1, image.rfind('_') - image.find('\\')));
    }
    const std::regex picture("(freebutton[0-9]+(-[0-9]+)?_)[uod]\\.png");
    for (const fs::path& folder : {skin_, skin_ / "temp"}) {
      std::error_code ec;
      for (const auto& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        std::smatch parts;
        if (name.front() == '.' && name.find(".tmp-") != name.npos) {
          ++state.temporaryFiles;
          fs::remove(entry.path());
        } else if (std::regex_match(name, parts, picture) && !named.count(parts[1])) {
          state.orphans.insert(name);
        }
      }
    }
    return state;
  }

  // What the kills of one test left, summed over its looks.
  struct Tally {
    int kills = 0;
    int newOrphans = 0;      // kills that left pictures no record names
    int temporaryFiles = 0;  // kills in the middle of an atomic write
    int foreignFaces = 0;    // kills that left one more button showing another's faces
  };

  // Kills and looks kKills times; `reset` may start the skin afresh after a
  // look.
  Tally KillAndLook(const std::string& name, const Work& work,
                    const std::function<bool(const DiskState&)>& reset) {
    SCOPED_TRACE("seed " + std::to_string(kSeed));
    std::mt19937 random(kSeed);
    std::set<std::string> orphans;
    Start();
    Tally t;
    int lastForeignFaces = 0;
    for (; t.kills < kKills && !HasFailure(); ++t.kills) {
      Kill(random, work);
      if (HasFatalFailure()) break;
      const DiskState state = Look();
      t.newOrphans += std::any_of(state.orphans.begin(), state.orphans.end(),
                                  [&](const std::string& o) { return !orphans.count(o); });
      t.temporaryFiles += state.temporaryFiles;
      t.foreignFaces += std::max(0, state.foreignFaces - lastForeignFaces);
      lastForeignFaces = state.foreignFaces;
      orphans = state.orphans;
      if (reset(state)) {
        Empty();
        Start();
        orphans.clear();
        lastForeignFaces = 0;
      }
    }
    RecordProperty(name + "_kills", t.kills);
    RecordProperty(name + "_new_orphans", t.newOrphans);
    RecordProperty(name + "_temporary_files", t.temporaryFiles);
    RecordProperty(name + "_foreign_faces", t.foreignFaces);
    std::printf(
        "%s: %d kills and looks; %d kills left new orphaned pictures, "
        "%d temporary files; %d left a button showing another one's faces\n",
        name.c_str(), t.kills, t.newOrphans, t.temporaryFiles, t.foreignFaces);
    // Kills that never land between a step's pictures and its record, or in
    // the middle of a write, would prove little.
    if (t.kills == kKills) {
      EXPECT_GT(t.newOrphans, 0);
      EXPECT_GT(t.temporaryFiles, 0);
    }
    return t;
  }

  ScratchFolder folder_;
  const fs::path skin_ = folder_.path() / "skins" / "wood";
  RecordingLauncher launcher_;
  FakeClock clock_;
  test::FakeTimers timers_;
  test::FakeWindow window_;
  std::unique_ptr<Desktop> session_;
  test::FakeAssociatedIcons desktop_;
  test::FakeCaptionPainter captions_;
  IconLoader icons_{desktop_, Solid(2, 2, {0, 0, 0, 255})};
  ButtonFaceRenderer renderer_{icons_, captions_};
};

TEST_F(CrashSafetyTest, KilledCommitsLeaveAConsistentDesktop) {
  // A fresh skin whenever 12 buttons are made keeps the looks quick.
  const Tally t = KillAndLook(
      "commit", [this](Desktop& d, std::mt19937& r) { return MakeButton(d, r); },
      [](const DiskState& state) { return state.buttons >= kMostButtons; });
  EXPECT_EQ(t.foreignFaces, 0);
}

TEST_F(CrashSafetyTest, KilledRemovalsLeaveAConsistentDesktop) {
  // Mostly removals: eight buttons are made whenever fewer than three are left.
  const Tally t = KillAndLook(
      "removal",
      [this](Desktop& d, std::mt19937& r) {
        if (d.state().buttons.count() >= 3) return RemoveButton(d, r);
        while (d.state().buttons.count() < 8)
          if (!MakeButton(d, r)) return false;
        return true;
      },
      [](const DiskState&) { return false; });
  EXPECT_EQ(t.foreignFaces, 0);
}

}  // namespace
}  // namespace moravel
