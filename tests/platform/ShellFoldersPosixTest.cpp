#include <gtest/gtest.h>

#include "TempTree.h"
#include "platform/FakeEnvironment.h"
#include "platform/ShellFolders.h"
#include "platform/UserDirs.h"

using moravel::FakeEnvironment;
using moravel::ShellFolders;
using moravel::UserDirs;

namespace {

class ShellFoldersTest : public ::testing::Test {
 protected:
  ShellFoldersTest() {
    home = tree.mkdir("home");
    env.set("HOME", home);
    env.set("XDG_DATA_DIRS", tree.path("share"));
    env.set("XDG_CONFIG_DIRS", tree.path("etc"));
  }

  std::string resolve(int number) const { return ShellFolders(env).resolve(number); }

  TempTree tree;
  FakeEnvironment env;
  std::string home;
};

}  // namespace

TEST(UserDirs, ReadsHomeRelativeAndAbsoluteQuotedValues) {
  const std::string text =
      "# This file is written by xdg-user-dirs-update\n"
      "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n"
      "  XDG_DOCUMENTS_DIR = \"/data/my \\\"papers\\\"\"  \n"
      "XDG_MUSIC_DIR=\"$HOME/\"\n"
      "XDG_VIDEOS_DIR=\"$HOMEX/v\"\n"
      "XDG_PICTURES_DIR=\"relative/p\"\n"
      "XDG_TEMPLATES_DIR=\"$HOME/unterminated\n"
      "XDG_PUBLICSHARE_DIR=$HOME/Public\n"
      "#XDG_DOWNLOAD_DIR=\"$HOME/Commented\"\n";
  const std::string home = "/home/u";
  EXPECT_EQ(UserDirs::Find(text, "XDG_DESKTOP_DIR", home), "/home/u/Schreibtisch");
  EXPECT_EQ(UserDirs::Find(text, "XDG_DOCUMENTS_DIR", home), "/data/my \"papers\"");
  EXPECT_EQ(UserDirs::Find(text, "XDG_MUSIC_DIR", home), "/home/u");
  EXPECT_EQ(UserDirs::Find(text, "XDG_VIDEOS_DIR", home), std::nullopt);
  EXPECT_EQ(UserDirs::Find(text, "XDG_PICTURES_DIR", home), std::nullopt);
  EXPECT_EQ(UserDirs::Find(text, "XDG_TEMPLATES_DIR", home), std::nullopt);
  EXPECT_EQ(UserDirs::Find(text, "XDG_PUBLICSHARE_DIR", home), "/home/u/Public");
  EXPECT_EQ(UserDirs::Find(text, "XDG_DOWNLOAD_DIR", home), std::nullopt);
  EXPECT_EQ(UserDirs::Find(text, "XDG_DESKTOP", home), std::nullopt);
  // A later line wins.
  EXPECT_EQ(UserDirs::Find("XDG_DESKTOP_DIR=\"/a\"\r\nXDG_DESKTOP_DIR=\"/b/\"\r\n",
                           "XDG_DESKTOP_DIR", home),
            "/b");
}

TEST_F(ShellFoldersTest, DesktopAndDocumentsComeFromUserDirs) {
  tree.mkdir("home/Bureau");
  tree.mkdir("docs");
  tree.write("home/.config/user-dirs.dirs",
             "XDG_DESKTOP_DIR=\"$HOME/Bureau\"\nXDG_DOCUMENTS_DIR=\"" + tree.path("docs") + "\"\n");
  tree.mkdir("home/Desktop");
  tree.mkdir("home/Documents");
  EXPECT_EQ(resolve(ShellFolders::kDesktop), home + "/Bureau");
  EXPECT_EQ(resolve(ShellFolders::kDocuments), tree.path("docs"));

  // XDG_CONFIG_HOME moves the file.
  env.set("XDG_CONFIG_HOME", tree.path("cfg"));
  EXPECT_EQ(resolve(ShellFolders::kDesktop), home + "/Desktop");
  tree.write("cfg/user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/Bureau\"\n");
  EXPECT_EQ(resolve(ShellFolders::kDesktop), home + "/Bureau");
  EXPECT_EQ(resolve(ShellFolders::kDocuments), home + "/Documents");
}

TEST_F(ShellFoldersTest, MissingFoldersFallBackToTheStandardNameThenHome) {
  tree.write("home/.config/user-dirs.dirs",
             "XDG_DESKTOP_DIR=\"$HOME/Gone\"\nXDG_DOCUMENTS_DIR=\"$HOME/AlsoGone\"\n");
  EXPECT_EQ(resolve(ShellFolders::kDesktop), home);
  EXPECT_EQ(resolve(ShellFolders::kDocuments), home);
  tree.write("home/Desktop", "a file, not a folder");
  tree.mkdir("home/Documents");
  EXPECT_EQ(resolve(ShellFolders::kDesktop), home);
  EXPECT_EQ(resolve(ShellFolders::kDocuments), home + "/Documents");
}

TEST_F(ShellFoldersTest, ShellLocationsNeedAHandlerElseHome) {
  EXPECT_EQ(resolve(ShellFolders::kTrash), home);
  EXPECT_EQ(resolve(ShellFolders::kComputer), home);
  EXPECT_EQ(resolve(ShellFolders::kNetwork), home);

  tree.write("share/applications/fm.desktop",
             "[Desktop Entry]\nMimeType=x-scheme-handler/trash;x-scheme-handler/computer;\n");
  tree.write("share/gvfs/mounts/network.mount", "[Mount]\nType=network\n");
  EXPECT_EQ(resolve(10), "trash:///");
  EXPECT_EQ(resolve(17), "computer:///");
  EXPECT_EQ(resolve(18), "network:///");
}

TEST_F(ShellFoldersTest, OtherNumbersAndAMissingHomeVariableGiveTheHomeFolder) {
  tree.mkdir("home/Desktop");
  for (int number : {-1, 1, 2, 4, 6, 16, 19, 40, 1000}) {
    EXPECT_EQ(resolve(number), home) << number;
  }
  env.set("HOME", home + "//");
  EXPECT_EQ(resolve(1), home);
  EXPECT_EQ(resolve(0), home + "/Desktop");

  // Without HOME the account's home folder is used: never empty, absolute.
  env.unset("HOME");
  std::string accountHome = resolve(1);
  ASSERT_FALSE(accountHome.empty());
  EXPECT_EQ(accountHome[0], '/');
}
