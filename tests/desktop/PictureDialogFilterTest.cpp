// The "Сменить фон" dialog's file types as a file dialog's name filters.

#include <gtest/gtest.h>

#include "desktop/PictureDialogFilter.h"

namespace moravel {
namespace {

using Filters = std::vector<std::string>;

TEST(PictureDialogFilterTest, EveryPairBecomesOneFilterInOrder) {
  EXPECT_EQ(NameFilters(kPictureDialogFilter),
            (Filters{"picture (*.gif *.png *.jpg *.jpeg *.bmp)", "CompuServe GIF Image (*.gif)",
                     "Portable Network Graphics (*.png)", "JPEG Image File (*.jpg)",
                     "JPEG Image File (*.jpeg)", "Bitmaps (*.bmp)", "Icons (*.ico)",
                     "Enhanced Metafiles (*.emf)", "Metafiles (*.wmf)"}));
}

TEST(PictureDialogFilterTest, PatternsAreAddedUnlessTheDescriptionEndsWithThem) {
  EXPECT_EQ(NameFilters("Images|*.a;;*.b;"), (Filters{"Images (*.a *.b)"}));
  EXPECT_EQ(NameFilters("Pictures (*.png)|*.png;*.gif"),
            (Filters{"Pictures (*.png) (*.png *.gif)"}));
  EXPECT_EQ(NameFilters("All (*.a *.b)|*.a;*.b|Nothing|;|Alone"), (Filters{"All (*.a *.b)"}));
  EXPECT_EQ(NameFilters(""), Filters{});
}

}  // namespace
}  // namespace moravel
