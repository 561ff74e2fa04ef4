// Which buffer a surface's batch is drawn into, and what is copied first.

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform_wayland/BufferRotation.h"

namespace moravel {
namespace {

constexpr int kW = 16, kH = 12;

// A buffer's pixels: which batch last wrote each one.
using Pixels = std::vector<int>;

void Write(Pixels& p, Rect r, int value) {
  for (int y = r.y; y < r.bottom(); ++y)
    for (int x = r.x; x < r.right(); ++x) p[size_t(y * kW + x)] = value;
}

TEST(BufferRotationTest, TheLastCommittedBufferIsReusedWhileItIsFree) {
  BufferRotation rotation(kW, kH, 3);
  std::vector<Rect> copy;
  EXPECT_EQ(rotation.Choose({}, copy), 0);  // a first buffer is made
  EXPECT_TRUE(copy.empty());                // blank, and nothing was shown yet
  rotation.Committed(0, {{0, 0, kW, kH}});
  EXPECT_EQ(rotation.Choose({false}, copy), 0);
  EXPECT_TRUE(copy.empty());
  EXPECT_EQ(rotation.count(), 1);
}

TEST(BufferRotationTest, ABusyBufferIsNeverChosenAndANewOneGetsTheWholeFrame) {
  BufferRotation rotation(kW, kH, 2);
  std::vector<Rect> copy;
  ASSERT_EQ(rotation.Choose({}, copy), 0);
  rotation.Committed(0, {{0, 0, kW, kH}});
  EXPECT_EQ(rotation.Choose({true}, copy), 1);
  EXPECT_EQ(copy, (std::vector<Rect>{{0, 0, kW, kH}}));
  rotation.Committed(1, {{1, 2, 3, 4}});
  // Buffer 0 misses only what buffer 1 was given.
  EXPECT_EQ(rotation.Choose({false, true}, copy), 0);
  EXPECT_EQ(copy, (std::vector<Rect>{{1, 2, 3, 4}}));
  rotation.Committed(0, {{5, 5, 1, 1}});
  // Both busy, and no more may be made.
  EXPECT_EQ(rotation.Choose({true, true}, copy), std::nullopt);
  EXPECT_EQ(rotation.latest(), 0);
}

TEST(BufferRotationTest, ABufferThatCouldNotBeMadeIsAskedForAgain) {
  BufferRotation rotation(kW, kH, 2);
  std::vector<Rect> copy;
  ASSERT_EQ(rotation.Choose({}, copy), 0);
  rotation.Committed(0, {{0, 0, kW, kH}});
  ASSERT_EQ(rotation.Choose({true}, copy), 1);
  rotation.Unmade();
  EXPECT_EQ(rotation.count(), 1);
  EXPECT_EQ(rotation.Choose({true}, copy), 1);
  EXPECT_EQ(copy, (std::vector<Rect>{{0, 0, kW, kH}}));
}

TEST(BufferRotationTest, ManyStaleRectanglesBecomeTheWholeFrame) {
  BufferRotation rotation(kW, kH, 2);
  std::vector<Rect> copy;
  ASSERT_EQ(rotation.Choose({}, copy), 0);
  rotation.Committed(0, {{0, 0, kW, kH}});
  ASSERT_EQ(rotation.Choose({true}, copy), 1);
  rotation.Committed(1, {});
  for (int i = 0; i < 200; ++i) {
    ASSERT_EQ(rotation.Choose({true, false}, copy), 1);
    rotation.Committed(1, {{i % kW, i % kH, 1, 1}});
  }
  ASSERT_EQ(rotation.Choose({false, true}, copy), 0);
  ASSERT_FALSE(copy.empty());
  EXPECT_LE(copy.size(), 64u);
  EXPECT_EQ(copy.back(), (Rect{0, 0, kW, kH}));
}

// A compositor that holds buffers at random: after the copies, every
// committed buffer holds the whole frame as drawn so far, though each batch
// writes only its own pieces.
TEST(BufferRotationTest, EveryCommittedBufferHoldsTheWholeFrame) {
  std::mt19937 random(11);
  for (int maxBuffers : {1, 2, 3, 4}) {
    BufferRotation rotation(kW, kH, maxBuffers);
    std::vector<Pixels> buffers;
    std::vector<bool> busy;
    Pixels frame(size_t(kW * kH), 0);
    for (int batch = 1; batch <= 400; ++batch) {
      // The compositor lets go of some buffers, maybe of none.
      for (size_t i = 0; i < busy.size(); ++i)
        if (random() % 3 == 0) busy[i] = false;
      std::vector<Rect> copy;
      const std::optional<int> chosen = rotation.Choose(busy, copy);
      if (!chosen) {
        ASSERT_EQ(int(buffers.size()), maxBuffers);
        continue;
      }
      ASSERT_FALSE(size_t(*chosen) < busy.size() && busy[size_t(*chosen)]);
      if (*chosen == int(buffers.size())) {
        buffers.emplace_back(size_t(kW * kH), 0);
        busy.push_back(false);
      }
      Pixels& target = buffers[size_t(*chosen)];
      for (const Rect& r : copy) {
        const Pixels& from = buffers[size_t(rotation.latest())];
        for (int y = r.y; y < r.bottom(); ++y)
          for (int x = r.x; x < r.right(); ++x)
            target[size_t(y * kW + x)] = from[size_t(y * kW + x)];
      }
      std::vector<Rect> damage;
      for (int n = int(random() % 3); n >= 0; --n) {
        const int x = int(random() % kW), y = int(random() % kH);
        damage.push_back(
            {x, y, 1 + int(random() % unsigned(kW - x)), 1 + int(random() % unsigned(kH - y))});
        Write(target, damage.back(), batch);
        Write(frame, damage.back(), batch);
      }
      rotation.Committed(*chosen, damage);
      busy[size_t(*chosen)] = true;
      ASSERT_EQ(target, frame) << "buffers " << maxBuffers << ", batch " << batch;
    }
  }
}

}  // namespace
}  // namespace moravel
