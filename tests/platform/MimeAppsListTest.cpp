// The applications a mimeapps.list text names for a type.

#include <gtest/gtest.h>

#include "platform/MimeAppsList.h"

namespace {

using Apps = std::vector<std::string>;

TEST(MimeAppsList, DefaultsThenAddedAssociationsTrimmedWithoutEmptyEntries) {
  const std::string list =
      "[Added Associations]\ntext/plain=b.desktop; ;c.desktop\ntext/html=h.desktop\n"
      "[Removed Associations]\ntext/plain=r.desktop\n"
      "[Default Applications]\ntext/plain= a.desktop ;;\nimage/png=;\n";
  EXPECT_EQ(moravel::MimeAppsListApplications(list, "text/plain"),
            (Apps{"a.desktop", "b.desktop", "c.desktop"}));
  EXPECT_EQ(moravel::MimeAppsListApplications(list, "image/png"), Apps{});
  EXPECT_EQ(moravel::MimeAppsListApplications(list, "text/xml"), Apps{});
}

}  // namespace
