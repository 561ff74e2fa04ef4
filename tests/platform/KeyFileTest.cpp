// Reading freedesktop key files from disk: whole files of any length up to
// the limit, nothing past it.

#include <gtest/gtest.h>

#include <string>

#include "TempTree.h"
#include "platform/KeyFile.h"

namespace {

using moravel::KeyFile;

TEST(KeyFileTest, LoadReadsFilesLongerThanOneReadAndRefusesOversizedOnes) {
  TempTree tree;
  // The key stands after more than one 8 KiB piece of padding comments.
  const std::string padding = "# " + std::string(20000, 'x') + "\n";
  const std::string entry = padding + "[Desktop Entry]\nMimeType=x-scheme-handler/trash;\n";
  auto loaded = KeyFile::Load(tree.write("a.desktop", entry));
  ASSERT_TRUE(loaded.has_value());
  EXPECT_EQ(loaded->value("Desktop Entry", "MimeType"), "x-scheme-handler/trash;");

  const std::string exactly(KeyFile::kMaxBytes, '\n');
  EXPECT_TRUE(KeyFile::Load(tree.write("limit.desktop", exactly)).has_value());
  EXPECT_FALSE(KeyFile::Load(tree.write("big.desktop", exactly + "\n")).has_value());
  EXPECT_FALSE(KeyFile::Load(tree.path("missing.desktop")).has_value());
}

}  // namespace
