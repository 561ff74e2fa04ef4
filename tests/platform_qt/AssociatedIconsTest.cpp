#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QByteArray>
#include <fstream>
#include <optional>
#include <vector>

#include "TestGuiApplication.h"
#include "codecs/PngCodec.h"
#include "platform/FakeEnvironment.h"
#include "platform_qt/IconTheme.h"
#include "platform_qt/QtAssociatedIcons.h"
#include "support/Fifo.h"
#include "support/TempFolder.h"
#include "support/TestPictures.h"

using moravel::Bitmap;
using moravel::FakeEnvironment;
using moravel::IconTheme;
using moravel::Rgba;

namespace {

constexpr Rgba kRed{255, 0, 0, 255}, kGreen{0, 255, 0, 255}, kBlue{0, 0, 255, 255},
    kYellow{255, 255, 0, 255}, kGrey{128, 128, 128, 255}, kMagenta{255, 0, 255, 255},
    kCyan{0, 255, 255, 255}, kOrange{255, 128, 0, 255}, kPurple{128, 0, 255, 255}, kNone{};

void Write(const std::filesystem::path& path, const std::string& bytes, mode_t mode = 0644) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
  chmod(path.c_str(), mode);
}

void WritePng(const std::filesystem::path& path, int width, int height, Rgba colour) {
  const std::vector<uint8_t> png = moravel::test::PngBytes(*Bitmap::Create(width, height, colour));
  Write(path, std::string(png.begin(), png.end()));
}

}  // namespace

// A theme of our own, named Adwaita so that the program picks it, with one
// solid colour per icon; the environment sees none of the machine's themes.
TEST(AssociatedIcons, ChoosesTheFileManagersIconAndThemeIconsByName) {
  TestGuiApplication();
  moravel::test::TempFolder root;
  auto at = [&](const char* relative) { return (root / relative).string(); };
  FakeEnvironment env{{"HOME", at("home")},
                      {"XDG_DATA_HOME", at("local")},
                      {"XDG_DATA_DIRS", at("data")},
                      {"XDG_CONFIG_HOME", at("config")}};
  Write(root / "data/icons/Adwaita/index.theme",
        "[Icon Theme]\nName=Adwaita\nDirectories=48x48/any\n\n[48x48/any]\nSize=48\nType=Fixed\n");
  const std::pair<const char*, Rgba> icons[] = {{"text-plain", kRed},
                                                {"folder", kGreen},
                                                {"user-home", kBlue},
                                                {"user-desktop", kOrange},
                                                {"folder-documents", kPurple},
                                                {"text-x-generic", kGrey},
                                                {"application-x-executable", kYellow},
                                                {"moravel-probe", kMagenta}};
  for (const auto& [name, colour] : icons) {
    WritePng(root / "data/icons/Adwaita/48x48/any" / (std::string(name) + ".png"), 48, 48, colour);
  }
  Write(root / "config/user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/Bureau\"\n");
  for (auto folder : {"home/Bureau", "home/Documents", "files/folder"}) {
    std::filesystem::create_directories(root / folder);
  }
  const std::string binary("\x00\x01\x02\xfe\xff\x00\x03", 7);
  Write(root / "files/note.txt", "hello\n");
  Write(root / "files/run", "#!/bin/sh\necho hi\n", 0755);
  Write(root / "files/blob.qqq", binary);
  Write(root / "files/tool", binary, 0755);
  WritePng(root / "pictures/wide.png", 32, 16, kCyan);
  WritePng(root / "pictures/huge.png", 4097, 4096, kCyan);  // over an icon source's limits
  Write(root / "pictures/square.svg",
        "<svg xmlns='http://www.w3.org/2000/svg' width='16' height='16'>"
        "<rect width='16' height='16' fill='#00ffff'/></svg>");
  Write(root / "pictures/dot.xpm",
        "/* XPM */\nstatic char *dot[] = {\"2 2 1 1\", \". c #00FFFF\", \"..\", \"..\"};\n");

  moravel::QtAssociatedIcons associated(env);
  const int size = 64;  // larger than the theme's 48: scaled up to fill
  auto path = [&](const char* relative) { return associated.IconForPath(at(relative), size); };
  auto name = [&](const std::string& n) { return associated.IconByName(n, size); };
  const struct {
    const char* what;
    Bitmap picture;
    Rgba centre;                   // kNone: no picture
    std::optional<Rgba> top = {};  // middle of the top row; unset: as the centre
  } cases[] = {
      {"text file: its type's icon", path("files/note.txt"), kRed},
      {"folder", path("files/folder"), kGreen},
      {"home folder", path("home"), kBlue},
      {"desktop folder of user-dirs", path("home/Bureau/"), kOrange},
      {"standard documents folder", path("home/Documents"), kPurple},
      {"script: the executable ancestor", path("files/run"), kYellow},
      {"executable of unknown type", path("files/tool"), kYellow},
      {"unknown type", path("files/blob.qqq"), kGrey},
      {"missing path, typed by name", path("files/gone.txt"), kRed},
      {"missing path without a type", path("files/gone"), kGrey},
      {"size 0", associated.IconForPath(at("files/note.txt"), 0), kNone},
      {"by name", name("moravel-probe"), kMagenta},
      {"by name with suffix", name("moravel-probe.PNG"), kMagenta},
      {"absent name", name("moravel-absent"), kNone},
      {"absolute path, fitted and centred", name(at("pictures/wide.png")), kCyan, kNone},
      {"absolute svg", name(at("pictures/square.svg")), kCyan},
      {"absolute xpm", name(at("pictures/dot.xpm")), kCyan},
      {"absent file", name(at("pictures/gone.png")), kNone},
      {"picture too large for an icon", name(at("pictures/huge.png")), kNone},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.centre == kNone) {
      EXPECT_TRUE(c.picture.empty());
    } else {
      ASSERT_EQ(c.picture.width(), size);
      ASSERT_EQ(c.picture.height(), size);
      EXPECT_EQ(c.picture.at(size / 2, size / 2), c.centre);
      EXPECT_EQ(c.picture.at(size / 2, 0), c.top.value_or(c.centre));
    }
  }
}

// Files named by users and launchers never make the caller wait: a FIFO is
// typed and drawn without being opened, and an SVG that would make Qt's SVG
// reader open another file (a FIFO here) gives no picture. An SVG with an
// embedded picture is drawn as before.
TEST(AssociatedIcons, NeverWaitsOnAFifo) {
  TestGuiApplication();
  moravel::test::TempFolder root;
  auto at = [&](const char* relative) { return (root / relative).string(); };
  FakeEnvironment env{{"HOME", at("home")},
                      {"XDG_DATA_HOME", at("local")},
                      {"XDG_DATA_DIRS", at("data")},
                      {"XDG_CONFIG_HOME", at("config")}};
  Write(root / "data/icons/Adwaita/index.theme",
        "[Icon Theme]\nName=Adwaita\nDirectories=48x48/any\n\n[48x48/any]\nSize=48\nType=Fixed\n");
  WritePng(root / "data/icons/Adwaita/48x48/any/text-x-generic.png", 48, 48, kGrey);
  std::filesystem::create_directories(root / "files");
  const std::filesystem::path fifo = root / "files/f.png", svgFifo = root / "files/g.svg";
  ASSERT_TRUE(moravel::test::MakeFifo(fifo));
  ASSERT_TRUE(moravel::test::MakeFifo(svgFifo));
  const std::string open =
      "<svg xmlns='http://www.w3.org/2000/svg' "
      "xmlns:xlink='http://www.w3.org/1999/xlink' width='16' height='16'>";
  const std::string close = "<rect width='16' height='16' fill='#00ffff'/></svg>";
  Write(root / "files/linked.svg",
        open + "<image width='16' height='16' xlink:href='" + fifo.string() + "'/>" + close);
  Write(root / "files/relative.svg", open + "<image width='16' height='16' href='f.png'/>" + close);
  Write(root / "files/styled.svg",
        "<?xml version='1.0'?><?xml-stylesheet type=\"text/css\" href=\"" + fifo.string() + "\"?>" +
            open + close);
  const std::vector<uint8_t> png = moravel::test::PngBytes(*Bitmap::Create(2, 2, kCyan));
  const QByteArray data = QByteArray(reinterpret_cast<const char*>(png.data()), png.size());
  Write(root / "files/embedded.svg",
        open + "<image width='16' height='16' xlink:href='data:image/png;base64," +
            data.toBase64().toStdString() + "'/></svg>");

  moravel::QtAssociatedIcons associated(env);
  const std::vector<std::filesystem::path> fifos = {fifo, svgFifo};
  auto centre = [&](auto draw) -> std::optional<Rgba> {
    const auto picture = moravel::test::WithoutWaiting(fifos, draw);
    EXPECT_TRUE(picture) << "waited on a FIFO";
    if (!picture || picture->empty()) return Rgba{};
    return picture->at(32, 32);
  };
  EXPECT_EQ(centre([&] { return associated.IconForPath(fifo.string(), 64); }), kGrey);
  for (const char* name : {"files/f.png", "files/g.svg", "files/linked.svg", "files/relative.svg",
                           "files/styled.svg"}) {
    EXPECT_EQ(centre([&] { return associated.IconByName(at(name), 64); }), kNone) << name;
  }
  EXPECT_EQ(centre([&] { return associated.IconByName(at("files/embedded.svg"), 64); }), kCyan);
}

TEST(IconTheme, SearchesDataFoldersThenDotIcons) {
  FakeEnvironment env{{"HOME", "/h"}, {"XDG_DATA_HOME", "/dh"}, {"XDG_DATA_DIRS", "/a:rel:/b/"}};
  EXPECT_EQ(IconTheme::SearchPaths(env),
            (std::vector<std::string>{"/dh/icons", "/a/icons", "/b/icons", "/h/.icons"}));
}

TEST(IconTheme, KeepsThePlatformsThemeElseAdwaitaWhenInstalled) {
  const struct {
    const char* platform;
    bool adwaita;
    const char* chosen;
  } cases[] = {{"", true, "Adwaita"},        {"", false, "hicolor"},
               {"hicolor", true, "Adwaita"}, {"hicolor", false, "hicolor"},
               {"Breeze", true, "Breeze"},   {"Breeze", false, "Breeze"}};
  for (const auto& c : cases) {
    EXPECT_EQ(IconTheme::Choose(c.platform, c.adwaita), c.chosen)
        << "platform '" << c.platform << "', Adwaita " << c.adwaita;
  }
}
