#include <gtest/gtest.h>

#include <filesystem>

#include "TempTree.h"
#include "platform/ZoneWatch.h"

namespace fs = std::filesystem;

// The file stands for /etc/localtime: a link into a zone folder, as the
// system's settings tools leave it.
TEST(ZoneWatch, ReportsEachWayTheZoneFileChangesAndNothingElse) {
  TempTree tree;
  tree.write("zones/UTC", "utc");
  tree.write("zones/Tokyo", "tokyo");
  const std::string zone = tree.path("etc/localtime");
  tree.mkdir("etc");
  fs::create_symlink(tree.path("zones/UTC"), zone);
  moravel::ZoneWatch watch(zone);
  EXPECT_FALSE(watch.Changed());

  // Other files in the folder, and reading the zone, are no news.
  tree.write("etc/hostname", "box");
  {
    std::ifstream read(zone);
    std::string text;
    read >> text;
  }
  EXPECT_FALSE(watch.Changed());

  // The link replaced through a rename, as a settings tool does.
  fs::create_symlink(tree.path("zones/Tokyo"), tree.path("etc/localtime.new"));
  fs::rename(tree.path("etc/localtime.new"), zone);
  EXPECT_TRUE(watch.Changed());
  EXPECT_FALSE(watch.Changed());  // the news is taken once

  // The file the link now leads to rewritten (a time-zone package update),
  // then replaced by a plain file.
  tree.write("zones/Tokyo", "tokyo 2");
  EXPECT_TRUE(watch.Changed());
  fs::remove(zone);
  tree.write("etc/localtime", "plain");
  EXPECT_TRUE(watch.Changed());
  tree.write("zones/Tokyo", "tokyo 3");  // no longer the zone
  EXPECT_FALSE(watch.Changed());
}

TEST(ZoneWatch, AZoneWithoutAFileNeverChangesAndAnUnwatchableOneMayAlways) {
  moravel::ZoneWatch rule("");
  EXPECT_FALSE(rule.Changed());
  moravel::ZoneWatch missingFolder("/nonexistent-folder/localtime");
  EXPECT_TRUE(missingFolder.Changed());
  EXPECT_TRUE(missingFolder.Changed());
}
