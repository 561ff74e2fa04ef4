// The grid's raster, its bounds for hostile steps and starts, and the four searches.

#include <gtest/gtest.h>

#include <climits>

#include "placement/PlacementGrid.h"

namespace moravel {
namespace {

TEST(PlacementGridTest, ColumnsRunFromTheLeftmostVisibleRasterPointToTheScreenEdge) {
  const struct {
    int x0, step, picture, screen;
    std::vector<int> columns;
  } cases[] = {
      // -60 - 80 = -140 is not right of -64, so -60 is the first column.
      {100, 80, 64, 1024, {-60, 20, 100, 180, 260, 340, 420, 500, 580, 660, 740, 820, 900, 980}},
      {2000, 80, 64, 300, {0, 80, 160, 240}},  // a start right of the screen steps back
      {5, 3, 0, 9, {2, 5, 8}},                 // an empty picture: from the first point >= 0
      {-100, 30, 64, 10, {-100, -40, -10}},    // hidden start kept, hidden points after it skipped
      {INT_MAX, INT_MAX, 64, 100, {0}},        // 64-bit arithmetic
      {5, INT_MAX, 10, 100, {5}},
      {1000, 5000, 32, 768, {}},  // the raster's first point lies beyond the screen
      {100, 0, 64, 1024, {}},     // no step: no grid on this axis
      {100, -80, 64, 1024, {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BuildPlacementGrid(c.x0, 0, c.step, 1, c.picture, 1, c.screen, 1).columns, c.columns)
        << c.x0 << " step " << c.step;
  }
  // Rows follow the same rule on the vertical values only.
  const PlacementGrid grid = BuildPlacementGrid(7, 50, 0, 40, 0, 32, 0, 200);
  EXPECT_EQ(grid.rows, (std::vector<int>{-30, 10, 50, 90, 130, 170}));
  EXPECT_TRUE(grid.columns.empty());
}

TEST(PlacementGridTest, AHostileStartNeverAllocatesBeyondTheScreen) {
  const PlacementGrid grid = BuildPlacementGrid(INT_MIN, INT_MIN, 1, 1, 64, 64, 1024, 768);
  ASSERT_EQ(grid.columns.size(), 1u + 63 + 1024);  // the hidden start, then -63 .. 1023
  EXPECT_EQ(grid.columns.front(), INT_MIN);
  EXPECT_EQ(grid.columns[1], -63);
  EXPECT_EQ(grid.columns.back(), 1023);
  EXPECT_EQ(grid.rows.size(), 1u + 63 + 768);
}

TEST(PlacementGridTest, SearchesFindTheNeighbourOrTheEnd) {
  const PlacementGrid grid{{-60, 20, 100}, {10, 50}};
  const struct {
    int v, before, after;
  } columns[] = {{-61, 0, 0}, {-60, 0, 0}, {19, 0, 1}, {20, 1, 1}, {99, 1, 2}, {1000, 2, 2}};
  for (const auto& c : columns) {
    EXPECT_EQ(ColumnAtOrBefore(grid, c.v), c.before) << c.v;
    EXPECT_EQ(ColumnAtOrAfter(grid, c.v), c.after) << c.v;
  }
  EXPECT_EQ(RowAtOrBefore(grid, 49), 0);
  EXPECT_EQ(RowAtOrAfter(grid, 11), 1);
  const PlacementGrid empty;
  EXPECT_EQ(ColumnAtOrBefore(empty, 5) + ColumnAtOrAfter(empty, 5) + RowAtOrBefore(empty, 5) +
                RowAtOrAfter(empty, 5),
            0);
}

}  // namespace
}  // namespace moravel
