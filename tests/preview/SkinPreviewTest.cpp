// The preview of a skin: its problem lines for small broken skins, the
// bundled skins clean, a skin made on Windows, and its picture against what a
// desktop session shows.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "desktop/DesktopTestKit.h"
#include "preview/SkinPreview.h"
#include "widgets/SkinTimeWidgets.h"
#include "widgets/SkinWallpaper.h"

namespace moravel {
namespace {

namespace fs = std::filesystem;
using test::Solid;
using test::TempFolder;
using test::WriteText;

constexpr LocalTime kTime{2026, 3, 14, 7, 10, 8, 42};  // a Saturday
const fs::path kSkins = fs::path(MORAVEL_SOURCE_DIR) / "skins";

struct BrokenSkin {
  const char* name;
  const char* config;
  const char* user;
  std::vector<std::string> lines;
  int exitCode;
};

TEST(SkinPreviewTest, TellsEachProblemOnceWithFileSectionAndKey) {
  const BrokenSkin cases[] = {
      {"clean",
       "[picture1]\nimage=p.png\nx=10\n",
       "[button1]\nobject=/bin/true\nimage=temp\\b_u.png\n",
       {},
       0},
      {"pictures",
       "[wallpaper]\nimage4x3=Wall.jpg\n[picture1]\nimage=gone.png\n[picture2]\nimage=bad.png\n",
       "",
       // The wallpaper is painted after the pictures are loaded.
       {"config.ini: [picture1] image: no such picture gone.png",
        "config.ini: [picture2] image: cannot read bad.png: PNG: not a PNG file",
        "config.ini: [wallpaper] image4x3: no such picture Wall.jpg"},
       1},
      {"digits after a failed one",
       "[clock5]\nimage0=p.png\nimage1=p.png\nimage2=gone.png\n",
       "",
       {"config.ini: [clock5] image2: no such picture gone.png",
        "config.ini: [clock5] image3..image5: never shown: image2 before them failed"},
       1},
      {"gaps",
       "[picture1]\nimage=p.png\n[picture3]\nimage=p.png\n",
       "[button1]\nimage=temp\\b_u.png\n[button2]\nimage=temp\\b_u.png\n[button4]\n",
       {"config.ini: [picture3]: never shown: [picture2] is missing",
        "user.ini: [button4]: never shown: [button3] is missing"},
       1},
      {"not numbers",
       "[picture1]\nimage=p.png\nx=12px\ntr=yes\n",
       "[button1]\nimage=temp\\b_u.png\nparam=docs\n[button2]\nimage=temp\\b_u.png\nobject="
       "a\nparam=b\n",
       {"config.ini: [picture1] x: not a whole number, so the default is used: \"12px\"",
        "config.ini: [picture1] tr: not a whole number, so the default is used: \"yes\"",
        "user.ini: [button1] param: not a whole number, so the default is used: \"docs\""},
       1},
      {"template",
       "[freebutton1]\nimage1=t.png\nx1=30\ny1=4\nw1=16\nh1=16\ntw1=40\nth1=12\n"
       "ty1=30\nposx1=0\nposy1=0\nposx3=5\n",
       "",
       {"config.ini: [freebutton1] posx3: never read: posx2 is missing",
        "config.ini: [freebutton1] x1 y1 w1 h1: icon rectangle (30, 4) 16x16 is not inside the "
        "40x40 picture t.png",
        "config.ini: [freebutton1] tx1 ty1 tw1 th1: caption rectangle (0, 30) 40x12 is not inside "
        "the 40x40 picture t.png"},
       1},
      {"outside the skins folder",
       "[picture1]\nimage=..\\..\\outside.png\n[picture2]\nimage=..\\..\\..\\..\\..\\..\\..\\.."
       "\\..\\..\\etc\\passwd\n",
       "",
       {"config.ini: [picture1] image: no such picture ..\\..\\outside.png: outside the skins "
        "folder",
        "config.ini: [picture2] image: no such picture "
        "..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\etc\\passwd: outside the skins folder"},
       1},
      {"off screen",
       "[picture1]\nimage=p.png\nx=900\n[picture2]\nimage=p.png\nx=-8\n",
       "[button1]\nimage=temp\\b_u.png\ny=-700\n",
       {"config.ini: [picture1] x: off screen: 8x8 at (900, 0) on a 800x600 screen",
        "user.ini: [button1] y: off screen: 8x8 at (0, -100) on a 800x600 screen"},
       1},
  };
  for (const BrokenSkin& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    // Two levels above the skin lies outside.png, which the preview must not read.
    const fs::path skin = folder / "author" / "skin";
    WriteText(skin / "config.ini", c.config);
    WriteText(skin / "user.ini", c.user);
    WriteText(skin / "bad.png", "not a picture");
    test::WritePng(skin / "p.png", Solid(8, 8, {200, 10, 10, 255}));
    test::WritePng(folder / "outside.png", Solid(8, 8, {200, 10, 10, 255}));
    test::WritePng(skin / "t.png", Solid(40, 40, {10, 200, 10, 255}));
    for (const char* state : {"u", "o", "d"}) {
      test::WritePng(skin / "temp" / ("b_" + std::string(state) + ".png"),
                     Solid(8, 8, {1, 2, 3, 255}));
    }
    const SkinPreview preview = RenderSkinPreview(skin, 800, 600, kTime);
    EXPECT_EQ(preview.problems, c.lines);
    EXPECT_EQ(PreviewExitCode(preview), c.exitCode);
  }
  TempFolder folder;
  const SkinPreview none = RenderSkinPreview(folder / "none", 800, 600, kTime);
  EXPECT_EQ(PreviewExitCode(none), 2) << none.error;
}

TEST(SkinPreviewTest, BundledSkinsAreClean) {
  for (const char* skin : {"wood", "paper"}) {
    for (const auto& [w, h] : {std::pair{1920, 1080}, std::pair{1280, 1024}}) {
      const SkinPreview preview = RenderSkinPreview(kSkins / skin, w, h, kTime);
      EXPECT_EQ(preview.problems, std::vector<std::string>()) << skin << " " << w << "x" << h;
      EXPECT_EQ(preview.picture.width(), w);
      EXPECT_EQ(preview.picture.height(), h);
    }
  }
}

// Kind, size and time of every entry under `root`.
std::map<std::string, std::string> Snapshot(const fs::path& root) {
  std::map<std::string, std::string> entries;
  for (const auto& e : fs::recursive_directory_iterator(root)) {
    entries[e.path().string()] =
        e.is_directory() ? "folder"
                         : std::to_string(e.file_size()) + "@" +
                               std::to_string(e.last_write_time().time_since_epoch().count());
  }
  return entries;
}

// Windows-1251 settings, "\" in names, names in another letter case
// (tests/data/skins/winskin): shown as the program shows them, and the skin
// folder left as it was.
TEST(SkinPreviewTest, WindowsSkinShowsAsInTheProgram) {
  TempFolder folder;
  const fs::path skin = folder / "winskin";
  fs::copy(fs::path(MORAVEL_TEST_DATA) / "skins/winskin", skin, fs::copy_options::recursive);
  const auto before = Snapshot(skin);
  const SkinPreview preview = RenderSkinPreview(skin, 800, 600, kTime);
  EXPECT_EQ(Snapshot(skin), before);

  // The skin names one month and one digit of [clock2]; everything it names is found.
  std::vector<std::string> expected;
  for (int m = 2; m <= 12; ++m)
    expected.push_back("config.ini: [month] image" + std::to_string(m) + ": no picture named");
  expected.push_back("config.ini: [clock2] image1: no picture named");
  expected.push_back("config.ini: [clock2] image2..image9: never shown: image1 before them failed");
  EXPECT_EQ(preview.problems, expected);
  ASSERT_EQ(preview.picture.width(), 800);
  EXPECT_EQ(preview.picture.at(701, 301), (Rgba{200, 180, 20, 255}));  // Картинки\Погода.PNG
  EXPECT_EQ(preview.picture.at(11, 21), (Rgba{250, 0, 0, 255}));  // Temp\FreeButton1_U.png
  EXPECT_EQ(preview.picture.at(400, 100), (Rgba{0, 0, 0, 0}));    // no wallpaper: key colour
}

// The picture of a session the program's way (its wallpaper and time
// widgets, first ticks run), without anyone listening for problems.
TEST(SkinPreviewTest, PictureIsWhatTheSessionShows) {
  test::DesktopHarness h("wood");
  fs::copy(kSkins / "wood", h.skinFolder(), fs::copy_options::recursive);
  SkinWallpaper wallpaper;
  SkinTimeWidgets widgets;
  h.wallpaper = &wallpaper;
  h.timeWidgets = &widgets;
  h.clock.set(kTime);
  Desktop& session = h.Start(1280, 1024);
  session.OnCalendarTimer();
  session.OnClockTimer();
  Bitmap shown = session.frame().picture();
  ClearKeyColour(shown);

  const SkinPreview preview = RenderSkinPreview(kSkins / "wood", 1280, 1024, kTime);
  ASSERT_EQ(preview.picture.width(), shown.width());
  ASSERT_EQ(preview.picture.height(), shown.height());
  int differ = 0;
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < shown.width(); ++x)
      if (preview.picture.at(x, y) != shown.at(x, y) && differ++ < 5)
        ADD_FAILURE() << "pixel (" << x << ", " << y << ") differs";
  EXPECT_EQ(differ, 0);
}

TEST(SkinPreviewTest, KeyColourBecomesTransparentWhateverItsAlpha) {
  Bitmap picture = Solid(4, 1, {0, 0, 255, 255});
  picture.set(1, 0, {0, 0, 255, 7});
  picture.set(2, 0, {0, 0, 254, 255});
  picture.set(3, 0, {1, 0, 255, 255});
  ClearKeyColour(picture);
  EXPECT_EQ(picture.at(0, 0), (Rgba{0, 0, 0, 0}));
  EXPECT_EQ(picture.at(1, 0), (Rgba{0, 0, 0, 0}));
  EXPECT_EQ(picture.at(2, 0), (Rgba{0, 0, 254, 255}));
  EXPECT_EQ(picture.at(3, 0), (Rgba{1, 0, 255, 255}));
}

}  // namespace
}  // namespace moravel
