#include <gtest/gtest.h>

#include "TempTree.h"
#include "platform/DateTimeSettings.h"
#include "platform/FakeEnvironment.h"
#include "platform/FindExecutable.h"

using moravel::DateTimeSettings;
using moravel::FakeEnvironment;
using moravel::FindExecutable;
using Command = std::vector<std::string>;

namespace {

// PATH = bin1:bin2 of a temporary tree; programs are dummy scripts.
class DateTimeSettingsTest : public ::testing::Test {
 protected:
  DateTimeSettingsTest() {
    tree.mkdir("bin1");
    tree.mkdir("bin2");
    env.set("PATH", tree.path("bin1") + ":" + tree.path("bin2"));
  }
  std::string program(const std::string& relative) {
    return tree.write(relative, "#!/bin/sh\nexit 0\n", 0755);
  }
  std::optional<Command> find() const { return DateTimeSettings::FindCommand(env); }

  TempTree tree;
  FakeEnvironment env;
};

}  // namespace

TEST_F(DateTimeSettingsTest, NothingInstalledGivesNothing) {
  tree.write("bin1/gnome-control-center", "not executable", 0644);
  tree.mkdir("bin2/mate-time-admin");
  program("bin2/some-other-tool");
  EXPECT_EQ(find(), std::nullopt);
}

TEST_F(DateTimeSettingsTest, EachDesktopsProgramWithItsArgument) {
  const std::vector<std::pair<std::string, Command>> cases = {
      {"gnome-control-center", {"datetime"}},
      {"budgie-control-center", {"datetime"}},
      {"cinnamon-settings", {"calendar"}},
      {"mate-time-admin", {}},
      {"kcmshell6", {"kcm_clock"}},
      {"kcmshell5", {"clock"}},
      {"systemsettings", {"kcm_clock"}},
      {"lxqt-admin-time", {}},
      {"time-admin", {}}};
  for (const auto& [name, arguments] : cases) {
    TempTree single;
    FakeEnvironment onlyThis{{"PATH", single.mkdir("bin")}};
    std::string path = single.write("bin/" + name, "#!/bin/sh\n", 0755);
    Command expected{path};
    expected.insert(expected.end(), arguments.begin(), arguments.end());
    EXPECT_EQ(DateTimeSettings::FindCommand(onlyThis), expected) << name;
  }
}

TEST_F(DateTimeSettingsTest, CurrentDesktopFirstThenTheListOrder) {
  std::string time = program("bin1/time-admin");
  std::string mate = program("bin2/mate-time-admin");
  std::string kde = program("bin1/kcmshell5");
  std::string gnome = program("bin2/gnome-control-center");
  EXPECT_EQ(find(), (Command{gnome, "datetime"}));
  env.set("XDG_CURRENT_DESKTOP", "MATE");
  EXPECT_EQ(find(), (Command{mate}));
  env.set("XDG_CURRENT_DESKTOP", "ubuntu:kde");
  EXPECT_EQ(find(), (Command{kde, "clock"}));
  env.set("XDG_CURRENT_DESKTOP", "XFCE");
  EXPECT_EQ(find(), (Command{gnome, "datetime"}));
  env.set("XDG_CURRENT_DESKTOP", "LXQt");  // its program is missing
  EXPECT_EQ(find(), (Command{gnome, "datetime"}));
}

TEST_F(DateTimeSettingsTest, PathSearchTakesTheFirstExecutableFileInOrder) {
  std::string second = program("bin2/tool");
  EXPECT_EQ(FindExecutable("tool", env), second);
  std::string first = program("bin1/tool");
  EXPECT_EQ(FindExecutable("tool", env), first);
  tree.write("bin1/tool", "now plain", 0644);
  EXPECT_EQ(FindExecutable("tool", env), second);

  // Empty and relative entries are skipped; a trailing '/' is fine.
  env.set("PATH", ":bin1:.::" + tree.path("bin2") + "/");
  EXPECT_EQ(FindExecutable("tool", env), second);
  EXPECT_EQ(FindExecutable("missing", env), std::nullopt);
  EXPECT_EQ(FindExecutable("", env), std::nullopt);

  // A name with a slash is a path, not looked up.
  EXPECT_EQ(FindExecutable(second, env), second);
  EXPECT_EQ(FindExecutable(tree.path("bin1/tool"), env), std::nullopt);
  EXPECT_EQ(FindExecutable("bin2/tool", env), std::nullopt);

  // Without PATH the standard folders are searched.
  env.unset("PATH");
  EXPECT_EQ(FindExecutable("sh", env).value_or("").substr(0, 1), "/");
}
