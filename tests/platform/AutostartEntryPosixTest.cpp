// The login entry: where it lives, what it must say to count as ours, and
// writing and removing it.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "TempTree.h"
#include "platform/AutostartEntry.h"
#include "platform/DesktopEntry.h"
#include "platform/FakeEnvironment.h"

namespace {

using moravel::AutostartEntry;
using moravel::FakeEnvironment;

constexpr const char* kEntry = "config/autostart/moravel.desktop";

class AutostartEntryTest : public ::testing::Test {
 protected:
  AutostartEntryTest() : entry(env) {
    env.set("HOME", tree.path("home"));
    env.set("XDG_CONFIG_HOME", tree.path("config"));
  }

  TempTree tree;
  FakeEnvironment env;
  AutostartEntry entry;
};

TEST_F(AutostartEntryTest, TheFileFollowsTheConfigHomeAndWithoutHomeThereIsNone) {
  EXPECT_EQ(entry.path(), tree.path(kEntry));
  env.set("XDG_CONFIG_HOME", "relative");  // ignored
  EXPECT_EQ(entry.path(), tree.path("home/.config/autostart/moravel.desktop"));
  env.unset("HOME");
  EXPECT_EQ(entry.path(), std::nullopt);
  EXPECT_FALSE(entry.Enable("/opt/moravel/moravel"));
  EXPECT_FALSE(entry.PointsAt("/opt/moravel/moravel"));
}

TEST_F(AutostartEntryTest, EnableWritesAnEntryThatStartsTheProgramAndDisableRemovesIt) {
  for (std::string program : {"/opt/moravel/moravel", "/home/u/My Apps/mo$ra`v\"el\\100%/moravel",
                              "/tmp/it's (new)\tone/moravel"}) {
    SCOPED_TRACE(program);
    ASSERT_TRUE(entry.Enable(program));
    EXPECT_TRUE(entry.PointsAt(program));
    const auto written = moravel::ReadDesktopEntry(tree.path(kEntry), "");
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(written->type, "Application");
    EXPECT_EQ(written->name, "Moravel");
    EXPECT_EQ(written->exec, std::vector<std::string>{program});
    EXPECT_NE(TempTree::read(tree.path(kEntry)).find("\nX-GNOME-Autostart-enabled=true\n"),
              std::string::npos);
    EXPECT_TRUE(entry.Disable());
    EXPECT_FALSE(std::filesystem::exists(tree.path(kEntry)));
  }
  EXPECT_TRUE(entry.Disable());  // nothing there
}

TEST_F(AutostartEntryTest, OnlyAnEntryThatStartsThisVeryFileCounts) {
  tree.write("real/moravel", "");
  std::filesystem::create_directory_symlink(tree.path("real"), tree.path("link"));
  const std::string program = tree.path("real/moravel");
  struct Case {
    std::string text;
    bool ours;
  } cases[] = {
      {"[Desktop Entry]\nExec=" + program + " --quiet\n", true},
      {"[Desktop Entry]\nExec=" + tree.path("link/moravel") + "\n", true},  // the same file
      {"[Desktop Entry]\nExec=/opt/other/moravel\n", false},
      {"[Desktop Entry]\nExec=moravel\n", false},                       // looked up in PATH
      {"[Desktop Entry]\nExec=\"" + program + "\n", false},             // unterminated quote
      {"[Desktop Entry]\nHidden=true\nExec=" + program + "\n", false},  // switched off
      {"[Desktop Entry]\nX-GNOME-Autostart-enabled=false\nExec=" + program + "\n", false},
      {"[Other Group]\nExec=" + program + "\n", false},
      {std::string("\x89PNG\r\n\x1a\n\0\0garbage", 16), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    tree.write(kEntry, c.text);
    EXPECT_EQ(entry.PointsAt(program), c.ours);
  }
}

TEST_F(AutostartEntryTest, AFolderInTheWayFailsAndIsLeftAlone) {
  tree.write(std::string(kEntry) + "/keep", "x");  // a folder named moravel.desktop
  EXPECT_FALSE(entry.Enable("/opt/moravel/moravel"));
  EXPECT_FALSE(entry.Disable());
  EXPECT_TRUE(std::filesystem::exists(tree.path(std::string(kEntry) + "/keep")));
}

}  // namespace
