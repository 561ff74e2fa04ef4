// Showing the frame piece by piece on a window that keeps no copy of it: the
// pieces hold what the composed frame holds, and the shape is sent only for
// stripes whose key-colour pixels changed.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "raster/Drawing.h"
#include "scene/ControlStack.h"
#include "scene/FrameComposer.h"
#include "scene/FramePresenter.h"

namespace moravel {
namespace {

constexpr int kW = 50, kH = 150;  // three stripes: 64 + 64 + 22 rows

struct RecordingOutput : FrameOutput {
  void ShowPiece(Bitmap& piece, Rect area) override {
    for (int y = 0; y < area.height; ++y)
      for (int x = 0; x < area.width; ++x) {
        shown.set(area.x + x, area.y + y, piece.at(x, y));
        piece.set(x, y, Rgba{1, 2, 3, 4});  // the window may use the piece as scratch
      }
    pieces.push_back(area);
  }
  void ShapePiece(const Bitmap&, Rect area, bool anyKey) override {
    shaped.push_back(area);
    withKey.push_back(anyKey);
  }
  Bitmap shown = *Bitmap::Create(kW, kH);
  std::vector<Rect> shaped, pieces;
  std::vector<bool> withKey;
};

TEST(FramePresenterTest, PiecesShowTheFrameAndTheShapeGoesOnlyWhereKeyPixelsChanged) {
  ControlStack controls(kW, kH);
  FrameComposer composer(controls, kW, kH);
  controls.SetDirtySink(&composer);
  FillRect(composer.wallpaper(), {0, 0, kW, 100}, Rgba{9, 8, 7, 255});  // blue below row 100
  composer.wallpaper().set(0, 30, kDesktopKeyColour);                   // and at (0, 30)
  ImageControl& c = controls.Add(ControlLayer::Button);
  c.SetPicture(std::make_shared<const Bitmap>(*Bitmap::Create(10, 10, Rgba{200, 0, 0, 128})));
  c.MoveTo(3, 60);  // across the first two stripes
  FramePresenter presenter(composer);
  RecordingOutput out;

  presenter.Present({0, 0, kW, kH}, out);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) ASSERT_EQ(out.shown.at(x, y), composer.picture().at(x, y));
  EXPECT_EQ(out.shaped.size(), 3u) << "everything is unknown at first";

  out.shaped.clear();
  c.MoveTo(3, 62);  // a tick that changes colours, not the key colour
  presenter.Present({3, 60, 10, 12}, out);
  EXPECT_TRUE(out.shaped.empty());

  c.MoveTo(3, 95);  // covers blue pixels of the second stripe only
  presenter.Present({0, 0, kW, kH}, out);
  ASSERT_EQ(out.shaped.size(), 1u);
  EXPECT_EQ(out.shaped[0], (Rect{0, 64, kW, 64}));
  composer.Flush();
  EXPECT_EQ(out.shown.at(5, 102), composer.picture().at(5, 102));

  // A narrow rectangle goes in one tall piece when the buffer holds it.
  out.pieces.clear();
  out.shown = *Bitmap::Create(kW, kH);
  presenter.Present({2, 0, 12, kH}, out);
  EXPECT_EQ(out.pieces, (std::vector<Rect>{{2, 0, 12, kH}}));
  for (int y = 0; y < kH; ++y)
    for (int x = 2; x < 14; ++x) ASSERT_EQ(out.shown.at(x, y), composer.picture().at(x, y));

  // A piece of row 30 without its key pixel changes nothing, and does not
  // make the row forget that pixel.
  out.shaped.clear();
  out.withKey.clear();
  presenter.Present({20, 30, 10, 1}, out);
  EXPECT_TRUE(out.shaped.empty());
  c.MoveTo(0, 25);  // now over the key pixel at (0, 30)
  presenter.Present({0, 25, 10, 10}, out);
  EXPECT_EQ(out.shaped, (std::vector<Rect>{{0, 25, 10, 10}}));
  EXPECT_EQ(out.withKey, (std::vector<bool>{false})) << "no key pixel is left in it";
}

}  // namespace
}  // namespace moravel
