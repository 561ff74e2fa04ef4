// The input region, in surface pixels, of a frame drawn at a buffer scale.

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform_wayland/InputShape.h"
#include "scene/FrameComposer.h"

namespace moravel {
namespace {

constexpr Rgba kBlue = kDesktopKeyColour;
constexpr Rgba kShown{200, 40, 40, 255};

// The compositor's side: the region as a grid of surface pixels, changed as
// the surface asks (the area taken out, the shown rectangles added).
struct Region {
  int width, height;
  std::vector<bool> in;
  Region(int w, int h) : width(w), height(h), in(size_t(w) * size_t(h)) {}
  void Set(Rect r, bool value) {
    ASSERT_GE(r.x, 0);
    ASSERT_GE(r.y, 0);
    ASSERT_LE(r.right(), width);
    ASSERT_LE(r.bottom(), height);
    for (int y = r.y; y < r.bottom(); ++y)
      for (int x = r.x; x < r.right(); ++x) in[size_t(y) * size_t(width) + size_t(x)] = value;
  }
  void Apply(const InputShape::Change& change) {
    Set(change.area, false);
    for (const Rect& r : change.shown) {
      // What is added lies inside what was taken out.
      EXPECT_EQ(Intersect(r, change.area), r);
      Set(r, true);
    }
  }
  bool At(int x, int y) const { return in[size_t(y) * size_t(width) + size_t(x)]; }
};

// The piece of `frame` at `area`, as the presenter hands it over.
Bitmap Piece(const Bitmap& frame, Rect area) {
  Bitmap piece = *Bitmap::Create(area.width, area.height);
  for (int y = 0; y < area.height; ++y)
    for (int x = 0; x < area.width; ++x) piece.set(x, y, frame.at(area.x + x, area.y + y));
  return piece;
}

bool HasKey(const Bitmap& piece) {
  for (int y = 0; y < piece.height(); ++y)
    for (int x = 0; x < piece.width(); ++x)
      if (piece.at(x, y) == kBlue) return true;
  return false;
}

// Whether surface pixel (x, y) should take input: any of its device pixels
// is not pure blue.
bool Expected(const Bitmap& frame, int scale, int x, int y) {
  for (int dy = 0; dy < scale; ++dy)
    for (int dx = 0; dx < scale; ++dx)
      if (!(frame.at(x * scale + dx, y * scale + dy) == kBlue)) return true;
  return false;
}

void ExpectRegionOf(const Region& region, const Bitmap& frame, int scale) {
  for (int y = 0; y < region.height; ++y)
    for (int x = 0; x < region.width; ++x)
      ASSERT_EQ(region.At(x, y), Expected(frame, scale, x, y)) << x << "," << y;
}

TEST(InputShapeTest, AtScaleOneTheRegionIsTheShownPixelsOfThePiece) {
  Bitmap frame = *Bitmap::Create(10, 6, kBlue);
  frame.set(2, 1, kShown);
  frame.set(3, 1, kShown);
  frame.set(7, 4, kShown);
  InputShape shape(10, 6, 1);
  Region region(10, 6);
  const Rect area{1, 1, 8, 4};
  const InputShape::Change change = shape.Update(Piece(frame, area), area, true);
  EXPECT_EQ(change.area, area);
  region.Apply(change);
  ExpectRegionOf(region, frame, 1);
}

TEST(InputShapeTest, APieceWithoutKeyColourIsShownWhole) {
  for (int scale : {1, 2, 3}) {
    InputShape shape(12, 12, scale);
    const Rect area{0, 0, 12, 6};
    Bitmap piece = *Bitmap::Create(12, 6, kShown);
    const InputShape::Change change = shape.Update(piece, area, false);
    ASSERT_EQ(change.shown.size(), 1u) << scale;
    EXPECT_EQ(change.shown[0], (Rect{0, 0, 12 / scale, 6 / scale})) << scale;
    EXPECT_EQ(change.area, change.shown[0]) << scale;
  }
}

TEST(InputShapeTest, OneShownDevicePixelMakesItsSurfacePixelTakeInput) {
  Bitmap frame = *Bitmap::Create(8, 8, kBlue);
  frame.set(5, 2, kShown);  // surface pixel (2, 1) at scale 2
  InputShape shape(8, 8, 2);
  Region region(4, 4);
  region.Apply(shape.Update(Piece(frame, {0, 0, 8, 8}), {0, 0, 8, 8}, true));
  ExpectRegionOf(region, frame, 2);
  EXPECT_TRUE(region.At(2, 1));
}

TEST(InputShapeTest, APieceCuttingThroughSurfacePixelsKeepsWhatIsShownBesideIt) {
  // At scale 3 a piece of columns 4..5 and rows 2..3 cuts through surface
  // pixels (1, 0), (1, 1): their other device pixels decide as well.
  Bitmap frame = *Bitmap::Create(9, 6, kShown);
  InputShape shape(9, 6, 3);
  Region region(3, 2);
  region.Apply(shape.Update(Piece(frame, {0, 0, 9, 6}), {0, 0, 9, 6}, false));
  const Rect cut{4, 2, 2, 2};
  for (int y = cut.y; y < cut.bottom(); ++y)
    for (int x = cut.x; x < cut.right(); ++x) frame.set(x, y, kBlue);
  const InputShape::Change change = shape.Update(Piece(frame, cut), cut, true);
  EXPECT_EQ(change.area, (Rect{1, 0, 1, 2}));
  region.Apply(change);
  ExpectRegionOf(region, frame, 3);
  EXPECT_TRUE(region.At(1, 0));  // its device pixels outside the piece are shown

  // Once all of a surface pixel's device pixels are blue, it lets input through.
  Bitmap all = *Bitmap::Create(9, 6, kBlue);
  region.Apply(shape.Update(Piece(all, {3, 0, 3, 3}), {3, 0, 3, 3}, true));
  EXPECT_FALSE(region.At(1, 0));
  EXPECT_TRUE(region.At(1, 1));
}

TEST(InputShapeTest, PiecesOutsideTheFrameAreClipped) {
  InputShape shape(8, 8, 2);
  Bitmap piece = *Bitmap::Create(6, 6, kShown);
  const InputShape::Change change = shape.Update(piece, {5, 5, 6, 6}, false);
  EXPECT_EQ(change.area, (Rect{2, 2, 2, 2}));
  EXPECT_EQ(change.shown, (std::vector<Rect>{{2, 2, 2, 2}}));
  EXPECT_TRUE(shape.Update(piece, {8, 0, 6, 6}, false).area.empty());
}

// Random frames shown in random pieces, then changed in more random pieces:
// the region the compositor ends up with is always that of the whole frame.
TEST(InputShapeTest, RandomPiecesAlwaysLeaveTheRegionOfTheWholeFrame) {
  std::mt19937 random(7);
  for (int scale : {1, 2, 3}) {
    const int w = 8 * scale, h = 6 * scale;
    Bitmap frame = *Bitmap::Create(w, h, kBlue);
    InputShape shape(w, h, scale);
    Region region(w / scale, h / scale);
    for (int round = 0; round < 300; ++round) {
      const int x = int(random() % unsigned(w)), y = int(random() % unsigned(h));
      const Rect area{x, y, 1 + int(random() % unsigned(w - x)),
                      1 + int(random() % unsigned(h - y))};
      // Blotches of blue and of shown pixels.
      const Rgba colour = random() % 2 ? kBlue : kShown;
      for (int i = 0; i < 4; ++i) {
        const int px = area.x + int(random() % unsigned(area.width));
        const int py = area.y + int(random() % unsigned(area.height));
        frame.set(px, py, colour);
      }
      const Bitmap piece = Piece(frame, area);
      region.Apply(shape.Update(piece, area, HasKey(piece)));
      ExpectRegionOf(region, frame, scale);
      if (HasFailure()) {
        ADD_FAILURE() << "scale " << scale << " round " << round;
        return;
      }
    }
  }
}

}  // namespace
}  // namespace moravel
