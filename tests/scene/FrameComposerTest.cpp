// Composition of the desktop frame: the wallpaper with the controls over it in
// stacking order, blended by alpha, and recomposed only where something changed.

#include <gtest/gtest.h>

#include <memory>

#include "raster/Drawing.h"
#include "scene/ControlStack.h"
#include "scene/FrameComposer.h"

namespace moravel {
namespace {

constexpr Rgba kRed{255, 0, 0, 255}, kGreen{0, 255, 0, 255}, kWhite{255, 255, 255, 255};

Picture SolidPicture(int w, int h, Rgba c) {
  return std::make_shared<const Bitmap>(*Bitmap::Create(w, h, c));
}

class FrameComposerTest : public ::testing::Test {
 protected:
  FrameComposerTest() : controls(40, 30), frame(controls, 40, 30) { controls.SetDirtySink(&frame); }
  ImageControl& Add(ControlLayer layer, Picture picture, int x, int y) {
    ImageControl& c = controls.Add(layer);
    c.MoveTo(x, y);
    c.SetPicture(std::move(picture));
    return c;
  }
  Rgba At(int x, int y) { return frame.picture().at(x, y); }

  ControlStack controls;
  FrameComposer frame;
};

TEST_F(FrameComposerTest, StartsAsPureBlueSoTheDesktopShowsThrough) {
  EXPECT_FALSE(frame.Flush());
  EXPECT_EQ(At(0, 0), kDesktopKeyColour);
  EXPECT_EQ(At(39, 29), kDesktopKeyColour);
  EXPECT_TRUE(frame.TakeDirty().empty());
}

TEST_F(FrameComposerTest, HalfTransparentPixelsBlendOverWhatLiesBelow) {
  FillRect(frame.wallpaper(), {0, 0, 40, 30}, kWhite);
  frame.InvalidateAll();
  Bitmap shape = *Bitmap::Create(2, 1, Rgba{0, 0, 0, 0});
  shape.set(1, 0, Rgba{0, 0, 0, 128});
  Add(ControlLayer::Button, std::make_shared<const Bitmap>(shape), 5, 5);
  frame.Flush();
  EXPECT_EQ(At(5, 5), kWhite) << "alpha 0 keeps the wallpaper";
  // (0 * 128 + 127 * 255 + 255) >> 8 = 127
  EXPECT_EQ(At(6, 5), (Rgba{127, 127, 127, 255}));
}

TEST_F(FrameComposerTest, LayersStackAboveEachOtherWhateverTheOrderOfCreation) {
  Add(ControlLayer::Button, SolidPicture(4, 4, kRed), 0, 0);
  Add(ControlLayer::StaticPicture, SolidPicture(6, 6, kGreen), 0, 0);
  Add(ControlLayer::Widget, SolidPicture(5, 5, kWhite), 0, 0);
  frame.Flush();
  EXPECT_EQ(At(3, 3), kRed);
  EXPECT_EQ(At(4, 4), kWhite);
  EXPECT_EQ(At(5, 5), kGreen);
  EXPECT_EQ(At(6, 6), kDesktopKeyColour);
}

TEST_F(FrameComposerTest, InsideALayerTheLaterControlLiesAbove) {
  Add(ControlLayer::Button, SolidPicture(4, 4, kRed), 0, 0);
  Add(ControlLayer::Button, SolidPicture(4, 4, kGreen), 2, 0);
  frame.Flush();
  EXPECT_EQ(At(1, 0), kRed);
  EXPECT_EQ(At(2, 0), kGreen);
}

TEST_F(FrameComposerTest, APictureChangeRecomposesOnlyItsRectangle) {
  ImageControl& a = Add(ControlLayer::Button, SolidPicture(4, 4, kRed), 1, 1);
  Add(ControlLayer::Button, SolidPicture(4, 4, kRed), 20, 20);
  frame.TakeDirty();
  a.SetPicture(SolidPicture(4, 4, kGreen));
  EXPECT_EQ(frame.TakeDirty(), (std::vector<Rect>{{1, 1, 4, 4}}));
  EXPECT_EQ(At(1, 1), kGreen);
  EXPECT_EQ(At(20, 20), kRed);
  EXPECT_TRUE(frame.TakeDirty().empty()) << "taken rectangles are cleared";
}

TEST_F(FrameComposerTest, AMoveRecomposesTheOldAndTheNewRectangle) {
  ImageControl& a = Add(ControlLayer::Button, SolidPicture(3, 2, kRed), 1, 1);
  frame.TakeDirty();
  a.MoveTo(10, 12);
  EXPECT_EQ(frame.TakeDirty(), (std::vector<Rect>{{1, 1, 3, 2}, {10, 12, 3, 2}}));
  EXPECT_EQ(At(1, 1), kDesktopKeyColour);
  EXPECT_EQ(At(12, 13), kRed);
}

TEST_F(FrameComposerTest, HidingAndRemovingUncoverWhatLiesBelow) {
  Add(ControlLayer::StaticPicture, SolidPicture(6, 6, kGreen), 0, 0);
  ImageControl& top = Add(ControlLayer::Button, SolidPicture(3, 3, kRed), 1, 1);
  frame.TakeDirty();
  top.SetVisible(false);
  EXPECT_EQ(frame.TakeDirty(), (std::vector<Rect>{{1, 1, 3, 3}}));
  EXPECT_EQ(At(2, 2), kGreen);
  top.SetVisible(true);
  frame.Flush();
  EXPECT_EQ(At(2, 2), kRed);
  controls.Remove(top);
  frame.Flush();
  EXPECT_EQ(At(2, 2), kGreen);
}

TEST_F(FrameComposerTest, AnOpaqueControlHidesWhatLiesBelowButNotWhatLiesAbove) {
  FillRect(frame.wallpaper(), {0, 0, 40, 30}, kWhite);
  frame.InvalidateAll();
  ImageControl& plate = Add(ControlLayer::AnalogClock, SolidPicture(10, 10, kRed), 0, 0);
  plate.SetOpaque(true);
  Add(ControlLayer::Button, SolidPicture(2, 2, Rgba{0, 255, 0, 128}), 3, 3);
  frame.Flush();
  const Rgba halfGreen = At(3, 3);
  FillRect(frame.wallpaper(), {0, 0, 40, 30}, kGreen);  // changed without telling:
  frame.Invalidate({1, 1, 4, 4});                       // unseen under the plate
  frame.Invalidate({8, 8, 4, 4});                       // seen beside it
  frame.Flush();
  EXPECT_EQ(At(1, 1), kRed);
  EXPECT_EQ(At(3, 3), halfGreen);
  EXPECT_EQ(At(9, 9), kRed);
  EXPECT_EQ(At(10, 10), kGreen);
}

TEST_F(FrameComposerTest, OverlappingRectanglesJoinOnlyWhereTheBoxIsNoLarger) {
  frame.Invalidate({0, 0, 30, 2});  // a cross: its box would be far larger
  frame.Invalidate({0, 0, 2, 20});
  frame.Invalidate({10, 10, 6, 6});  // two that mostly overlap: one box
  frame.Invalidate({12, 12, 6, 6});
  EXPECT_EQ(frame.TakeDirty(), (std::vector<Rect>{{0, 0, 30, 2}, {0, 0, 2, 20}, {10, 10, 8, 8}}));
}

TEST_F(FrameComposerTest, APictureOfAnotherSizeRecomposesTheOldAndTheNewArea) {
  ImageControl& a = Add(ControlLayer::Button, SolidPicture(8, 6, kRed), 2, 2);
  frame.TakeDirty();
  a.SetPicture(SolidPicture(3, 3, kGreen));
  // The new area lies inside the old one: one rectangle, composed once.
  EXPECT_EQ(frame.TakeDirty(), (std::vector<Rect>{{2, 2, 8, 6}}));
  EXPECT_EQ(At(2, 2), kGreen);
  EXPECT_EQ(At(9, 7), kDesktopKeyColour) << "the larger picture is gone";
  a.SetPicture(SolidPicture(10, 4, kRed));
  frame.Flush();
  EXPECT_EQ(At(11, 5), kRed);
}

TEST_F(FrameComposerTest, ShowingTheSamePictureAgainDrawsNothing) {
  const Picture red = SolidPicture(3, 3, kRed);
  ImageControl& a = Add(ControlLayer::Button, red, 1, 1);
  frame.TakeDirty();
  a.SetPicture(red);
  EXPECT_FALSE(frame.Flush());
}

TEST_F(FrameComposerTest, AnEmptyPictureKeepsTheSizeAndShowsNothing) {
  ImageControl& a = Add(ControlLayer::Button, SolidPicture(3, 2, kRed), 4, 4);
  frame.TakeDirty();
  a.SetPicture(nullptr);
  EXPECT_EQ(a.rect(), (Rect{4, 4, 3, 2}));
  EXPECT_EQ(frame.TakeDirty(), (std::vector<Rect>{{4, 4, 3, 2}}));
  EXPECT_EQ(At(4, 4), kDesktopKeyColour);
}

TEST_F(FrameComposerTest, ControlsReachingPastTheScreenAreClipped) {
  Add(ControlLayer::Button, SolidPicture(10, 10, kRed), 35, -5);
  EXPECT_EQ(frame.TakeDirty(), (std::vector<Rect>{{35, 0, 5, 5}}));
  EXPECT_EQ(At(39, 4), kRed);
  EXPECT_EQ(At(39, 5), kDesktopKeyColour);
}

// Many controls and many changes: the result equals a composition from scratch.
TEST_F(FrameComposerTest, PartialRecompositionEqualsAFullOne) {
  std::vector<ImageControl*> all;
  for (int i = 0; i < 60; ++i) {
    const Rgba c{uint8_t(i * 4), uint8_t(255 - i * 4), uint8_t(i), uint8_t(i % 2 ? 255 : 100)};
    all.push_back(&Add(ControlLayer(1 + i % 3), SolidPicture(3 + i % 7, 2 + i % 5, c), (i * 7) % 40,
                       (i * 11) % 30));
  }
  frame.Flush();
  for (int i = 0; i < 60; i += 3) all[size_t(i)]->MoveTo((i * 13) % 40, (i * 5) % 30);
  for (int i = 1; i < 60; i += 4) all[size_t(i)]->SetVisible(false);
  frame.Flush();
  const Bitmap partial = frame.picture();
  frame.InvalidateAll();
  frame.Flush();
  EXPECT_TRUE(partial == frame.picture());
}

}  // namespace
}  // namespace moravel
