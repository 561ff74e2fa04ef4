// Broken skins: binary and endless INI files, unterminated sections, damaged
// and oversized pictures, names that climb out of the skin or are absolute,
// a flood of buttons, a user.ini that is a folder, and a data.ini whose skin
// lies outside skins/. The session starts and shows what it can; its writes
// stay in data.ini, skins.ini and the skin's own folder.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <random>

#include "DesktopTestKit.h"

namespace moravel {
namespace {

namespace fs = std::filesystem;
using test::Solid;
using test::WriteText;

std::string Garbage(size_t size) {
  std::mt19937 random(7);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = char(random() & 0xFF);
  return bytes;
}

void BigEndian(std::string& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out += char((v >> shift) & 0xFF);
}

// A PNG header and data chunk of a 100000 x 100000 picture (CRCs right).
std::string HugePngHeader() {
  auto chunk = [](std::string& out, const std::string& typeAndData) {
    BigEndian(out, uint32_t(typeAndData.size() - 4));
    out += typeAndData;
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char byte : typeAndData) {
      crc ^= byte;
      for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    BigEndian(out, ~crc);
  };
  std::string png = "\x89PNG\r\n\x1a\n", ihdr = "IHDR";
  BigEndian(ihdr, 100000);
  BigEndian(ihdr, 100000);
  ihdr += std::string("\x08\x06\x00\x00\x00", 5);
  chunk(png, ihdr);
  chunk(png, "IDAT" + std::string("\x78\x9c\x03\x00\x00\x00\x00\x01", 8));
  chunk(png, "IEND");
  return png;
}

// Kind, size and modification time of every entry under `root`, except the
// paths `mayChange` allows.
using Snapshot = std::map<std::string, std::string>;
Snapshot Take(const fs::path& root, const std::function<bool(const fs::path&)>& mayChange) {
  Snapshot snapshot;
  for (const auto& e : fs::recursive_directory_iterator(root)) {
    if (mayChange(e.path())) continue;
    // A folder's own time changes with any entry in it: its entries speak for it.
    snapshot[e.path().string()] =
        e.is_directory() ? "folder"
                         : std::to_string(e.file_size()) + " bytes at " +
                               std::to_string(e.last_write_time().time_since_epoch().count());
  }
  return snapshot;
}

// The entries added, removed or changed from `before` to `after`, one a line.
std::string Changes(const Snapshot& before, const Snapshot& after) {
  std::string out;
  for (const auto& [path, state] : after) {
    const auto it = before.find(path);
    if (it == before.end() || it->second != state)
      out += (it == before.end() ? "new " : "changed ") + path + "\n";
  }
  for (const auto& entry : before)
    if (!after.count(entry.first)) out += "gone " + entry.first + "\n";
  return out;
}

// Root holds the program folder moravel/ (skins/bad, the skin under test, and
// skins/other) and a sibling folder outside/ that looks like a skin.
class BadSkinTest : public testing::Test {
 protected:
  // A good skin in each of the three skin-like folders, laid afresh.
  void Lay() {
    fs::remove_all(program_);
    fs::remove_all(outside_);
    for (const fs::path& skin : {skin_, program_ / "skins" / "other", outside_}) {
      WriteText(skin / "config.ini", "[picture1]\r\nimage=good.png\r\n");
      WriteText(skin / "user.ini", "[button1]\r\nobject=/bin/true\r\nimage=temp\\b_u.png\r\n");
      test::WritePng(skin / "good.png", Solid(6, 6, {9, 9, 9, 255}));
      for (const char* name : {"b_u.png", "b_o.png", "b_d.png"})
        test::WritePng(skin / "temp" / name, Solid(6, 6, {8, 8, 8, 255}));
    }
  }
  // Data.ini, skins.ini and the skin folder under test.
  bool Own(const fs::path& path) const {
    const std::string p = path.string(), skin = (skin_ / "").string();
    return path == program_ / "data.ini" || path == program_ / "skins.ini" ||
           p.compare(0, skin.size(), skin) == 0;
  }
  std::string Bytes(const fs::path& file) const { return test::ReadText(file); }

  test::TempFolder root_;
  const fs::path program_ = root_ / "moravel";
  const fs::path skin_ = program_ / "skins" / "bad";
  const fs::path outside_ = root_ / "outside";
};

struct Shown {
  int pictures = 0;  // static pictures with pixels
  int buttons = 0;
  int faces = 0;  // buttons with an up picture
  friend bool operator==(const Shown&, const Shown&) = default;
  friend std::ostream& operator<<(std::ostream& os, const Shown& s) {
    return os << s.pictures << " pictures, " << s.buttons << " buttons, " << s.faces << " faces";
  }
};

Shown Look(const DesktopScene& scene) {
  Shown shown{0, scene.buttonCount, 0};
  for (int i = 0; i < scene.staticCount; ++i)
    shown.pictures += HasPixels(scene.staticPictures[size_t(i)]->picture());
  for (int k = 1; k <= scene.buttonCount; ++k) shown.faces += HasPixels(scene.button(k).upPicture);
  return shown;
}

TEST_F(BadSkinTest, StartsShowsWhatItCanAndWritesOnlyItsOwnFiles) {
  const fs::path config = skin_ / "config.ini", user = skin_ / "user.ini";
  const fs::path good = skin_ / "good.png", face = skin_ / "temp" / "b_u.png";
  const std::string garbage = Garbage(64 * 1024), longLine(2 * 1024 * 1024, 'x');
  std::string tenThousand;
  for (int k = 1; k <= 10000; ++k)
    tenThousand += "[button" + std::to_string(k) + "]\r\nimage=temp\\b_u.png\r\n";

  const struct {
    const char* what;
    std::string skinDir;  // data.ini [skin] dir
    Shown shown;
    std::function<void()> spoil;
  } cases[] = {
      {"a good skin", "bad", {1, 1, 1}, {}},
      {"binary garbage after the good lines",
       "bad",
       {1, 1, 1},
       [&] {
         WriteText(config, Bytes(config) + garbage);
         WriteText(user, Bytes(user) + garbage);
       }},
      {"nothing but garbage",
       "bad",
       {0, 0, 0},
       [&] {
         WriteText(config, garbage);
         WriteText(user, garbage);
       }},
      {"a 2 MB line",
       "bad",
       {1, 1, 1},
       [&] {
         WriteText(config, "[picture1]\r\n" + longLine + "\r\nimage=good.png\r\n");
         WriteText(user, "[button1]\r\nobject=" + longLine + "\r\nimage=temp\\b_u.png\r\n");
       }},
      {"unterminated sections",
       "bad",
       {1, 1, 1},
       [&] {
         WriteText(config, Bytes(config) + "[picture2\r\nimage=good.png\r\n[");
         WriteText(user, Bytes(user) + "[button2\r\nimage=temp\\b_u.png\r\n[]\r\n[button");
       }},
      {"pictures cut in half",
       "bad",
       {0, 1, 0},
       [&] {
         WriteText(good, Bytes(good).substr(0, Bytes(good).size() / 2));
         WriteText(face, Bytes(face).substr(0, Bytes(face).size() / 2));
       }},
      {"pictures claiming 100000 x 100000",
       "bad",
       {0, 1, 0},
       [&] {
         WriteText(good, HugePngHeader());
         WriteText(face, HugePngHeader());
       }},
      // A name may reach a neighbouring skin's picture, as skins share them,
      // never a picture outside skins/.
      {"names climbing out of the skin",
       "bad",
       {1, 1, 1},
       [&] {
         WriteText(config,
                   "[picture1]\r\nimage=..\\other\\good.png\r\n"
                   "[picture2]\r\nimage=..\\..\\..\\outside\\good.png\r\n");
         WriteText(user, "[button1]\r\nimage=..\\other\\temp\\b_u.png\r\n");
       }},
      // Stored names are relative to the skin, even with a leading "/" or "?".
      {"absolute names",
       "bad",
       {0, 1, 0},
       [&] {
         const std::string picture = (outside_ / "good.png").string();
         WriteText(config, "[picture1]\r\nimage=" + picture + "\r\n[picture2]\r\nimage=?" +
                               picture + "\r\n");
         WriteText(user, "[button1]\r\nimage=" + (outside_ / "temp/b_u.png").string() + "\r\n");
       }},
      {"10000 buttons",
       "bad",
       {1, kMaxButtons, kMaxButtons},
       [&] { WriteText(user, tenThousand); }},
      {"a user.ini that is a folder",
       "bad",
       {1, 0, 0},
       [&] {
         fs::remove(user);
         fs::create_directories(user / "x");
       }},
      // A skin folder outside skins/ is a missing skin.
      {"a skin above skins/", "..\\..\\outside", {0, 0, 0}, {}},
      {"a skin climbing out and back", "bad\\..\\..\\..\\outside", {0, 0, 0}, {}},
      {"the program folder as the skin", "..", {0, 0, 0}, {}},
      {"an absolute skin folder", outside_.string(), {0, 0, 0}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Lay();
    if (c.spoil) c.spoil();
    WriteText(program_ / "data.ini", "[skin]\r\ndir=" + c.skinDir + "\r\n");
    const auto own = [this](const fs::path& path) { return Own(path); };
    const Snapshot before = Take(root_.path(), own);

    RecordingLauncher launcher;
    FakeClock clock;
    test::FakeTimers timers;
    test::FakeWindow window;
    Desktop session({launcher, clock, timers, window}, program_, 800, 600);
    session.Start();
    EXPECT_EQ(Look(session.state().scene), c.shown);
    session.ToggleDoubleClick();   // writes the skin's config.ini
    session.ApplySkin(c.skinDir);  // the skin chooser's way in
    EXPECT_EQ(Look(session.state().scene), c.shown);
    session.ToggleDoubleClick();

    EXPECT_EQ(Changes(before, Take(root_.path(), own)), "");
  }
}

}  // namespace
}  // namespace moravel
