#include <gtest/gtest.h>

#include "TempTree.h"
#include "platform/FakeEnvironment.h"
#include "platform/SchemeHandlerLookup.h"

using moravel::FakeEnvironment;
using moravel::SchemeHandlerLookup;

namespace {

// A fake desktop: home, two system data folders and a system config folder.
class SchemeHandlerLookupTest : public ::testing::Test {
 protected:
  SchemeHandlerLookupTest() {
    tree.mkdir("home");
    env.set("HOME", tree.path("home"));
    env.set("XDG_DATA_DIRS", tree.path("usr/share") + ":" + tree.path("opt/share"));
    env.set("XDG_CONFIG_DIRS", tree.path("etc/xdg"));
  }

  std::string desktopEntry(const std::string& mimeTypes, const std::string& extra = "") {
    return "[Desktop Entry]\nType=Application\nName=Viewer\nExec=viewer %u\n" + extra +
           "MimeType=" + mimeTypes + "\n";
  }

  bool has(const std::string& scheme) const { return SchemeHandlerLookup(env).hasHandler(scheme); }

  TempTree tree;
  FakeEnvironment env;
};

}  // namespace

TEST_F(SchemeHandlerLookupTest, NothingDeclaredMeansNoHandler) {
  tree.write("usr/share/applications/files.desktop", desktopEntry("inode/directory;text/plain;"));
  EXPECT_FALSE(has("trash"));
  EXPECT_FALSE(has("computer"));
  EXPECT_FALSE(has(""));
}

TEST_F(SchemeHandlerLookupTest, DesktopEntriesInAnyDataFolderDeclareHandlers) {
  tree.write("home/.local/share/applications/t.desktop",
             desktopEntry("inode/directory;x-scheme-handler/trash;"));
  tree.write("opt/share/applications/vendor/deep/n.desktop",
             desktopEntry("x-scheme-handler/network"));
  env.set("XDG_DATA_HOME", tree.path("data"));
  tree.write("data/applications/c.desktop", desktopEntry(" x-scheme-handler/computer ;"));
  // With XDG_DATA_HOME set, ~/.local/share is not a data folder.
  EXPECT_FALSE(has("trash"));
  EXPECT_TRUE(has("network"));
  EXPECT_TRUE(has("computer"));
  env.unset("XDG_DATA_HOME");
  EXPECT_TRUE(has("trash"));
  EXPECT_FALSE(has("computer"));
}

TEST_F(SchemeHandlerLookupTest, OnlyTheExactTypeOfAVisibleMainEntryCounts) {
  tree.write("usr/share/applications/a.desktop", desktopEntry("x-scheme-handler/trashcan;"));
  tree.write("usr/share/applications/b.desktop",
             desktopEntry("x-scheme-handler/trash;", "Hidden=true\n"));
  tree.write("usr/share/applications/c.desktop",
             "[Desktop Entry]\nName=C\n[Desktop Action open]\nMimeType=x-scheme-handler/trash\n");
  tree.write("usr/share/applications/d.desktop.bak", desktopEntry("x-scheme-handler/trash"));
  tree.write("usr/share/applications/e.desktop", "# MimeType=x-scheme-handler/trash\n");
  EXPECT_FALSE(has("trash"));
  EXPECT_FALSE(has("trashc"));
  tree.write("usr/share/applications/b.desktop",
             desktopEntry("x-scheme-handler/trash;", "Hidden=false\n"));
  EXPECT_TRUE(has("trash"));
}

TEST_F(SchemeHandlerLookupTest, MimeAppsListsNameHandlers) {
  tree.write("home/.config/mimeapps.list",
             "[Default Applications]\nx-scheme-handler/trash=files.desktop\n"
             "x-scheme-handler/computer=\n"
             "[Removed Associations]\nx-scheme-handler/network=files.desktop\n");
  tree.write("etc/xdg/mimeapps.list", "[Added Associations]\nx-scheme-handler/smb=a.desktop;\n");
  tree.write("usr/share/applications/mimeapps.list",
             "[Default Applications]\nx-scheme-handler/sftp=b.desktop\n");
  EXPECT_TRUE(has("trash"));
  EXPECT_FALSE(has("computer"));  // empty value
  EXPECT_FALSE(has("network"));   // removed, not added
  EXPECT_TRUE(has("smb"));
  EXPECT_TRUE(has("sftp"));

  tree.write("etc/xdg/xfce-mimeapps.list",
             "[Default Applications]\nx-scheme-handler/computer=c.desktop\n");
  EXPECT_FALSE(has("computer"));
  env.set("XDG_CURRENT_DESKTOP", "XFCE");
  EXPECT_TRUE(has("computer"));

  env.set("XDG_CONFIG_HOME", tree.path("cfg"));
  EXPECT_FALSE(has("trash"));  // ~/.config is no longer read
}

TEST_F(SchemeHandlerLookupTest, GvfsMountsServeTheirSchemes) {
  tree.write("usr/share/gvfs/mounts/trash.mount",
             "[Mount]\nType=trash\nExec=/usr/libexec/gvfsd-trash\nAutoMount=true\n");
  tree.write("opt/share/gvfs/mounts/computer.mount", "[Mount]\nType=computer\n");
  tree.write("usr/share/gvfs/mounts/misnamed.mount", "[Mount]\nType=network\n");
  tree.write("usr/share/gvfs/mounts/sftp.mount", "[Other]\nType=sftp\n");
  EXPECT_TRUE(has("trash"));
  EXPECT_TRUE(has("computer"));
  EXPECT_TRUE(has("network"));  // the Type counts, not the file name
  EXPECT_FALSE(has("sftp"));
  EXPECT_FALSE(has("smb"));
}
