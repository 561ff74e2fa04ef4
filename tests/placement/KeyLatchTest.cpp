// Keys as the tick sees them: held keys count at every tick, quick taps once.

#include <gtest/gtest.h>

#include "placement/KeyLatch.h"

namespace moravel {
namespace {

TEST(KeyLatchTest, HeldCountsEveryTakeATapOnceAndFocusLossForgets) {
  KeyLatch keys;
  keys.Press(PlacementKey::Right);
  EXPECT_TRUE(keys.Take(PlacementKey::Right));
  EXPECT_TRUE(keys.Take(PlacementKey::Right));  // still down
  keys.Release(PlacementKey::Right);
  EXPECT_FALSE(keys.Take(PlacementKey::Right));

  keys.Press(PlacementKey::Space);  // pressed and released between two ticks
  keys.Release(PlacementKey::Space);
  EXPECT_FALSE(keys.Take(PlacementKey::Escape));
  EXPECT_TRUE(keys.Take(PlacementKey::Space));
  EXPECT_FALSE(keys.Take(PlacementKey::Space));

  keys.Press(PlacementKey::Left);
  keys.Press(PlacementKey::Up);
  keys.Release(PlacementKey::Up);
  keys.ReleaseAll();
  EXPECT_FALSE(keys.Take(PlacementKey::Left));
  EXPECT_FALSE(keys.Take(PlacementKey::Up));
}

}  // namespace
}  // namespace moravel
