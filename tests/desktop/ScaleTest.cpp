// The skin at a whole-number scale: laid out on the logical screen, drawn
// larger from @2x pictures or enlarged ones, hit by the pointer where it is
// drawn, and the scale the user chooses kept in data.ini.

#include <gtest/gtest.h>

#include "desktop/DesktopTestKit.h"
#include "scene/FrameComposer.h"

namespace moravel {
namespace {

using test::DesktopHarness;
using test::Solid;

constexpr Rgba kRed{200, 0, 0, 255}, kGreen{0, 200, 0, 255}, kGrey{90, 90, 90, 255};

Rgba At(const Bitmap& b, int x, int y) {
  const uint8_t* p = b.row(y) + size_t(x) * 4;
  return {p[0], p[1], p[2], p[3]};
}

// An 800 x 600 device screen: 400 x 300 skin pixels at scale 2.
class ScaleTest : public testing::Test {
 protected:
  ScaleTest() {
    h.Config("[doubleclick]\ndc=0\n[picture1]\nx=-20\ny=10000\nimage=p.png\n");
    h.Picture("p.png", Solid(10, 10, kRed));
    h.User("[button1]\nobject=/bin/true\nx=10\ny=20\nimage=b_u.png\n");
    h.Picture("b_u.png", Solid(8, 4, kGrey));
  }
  const Bitmap& Frame() { return h.session->frame().picture(); }
  DesktopHarness h;
};

TEST_F(ScaleTest, CoordinatesResolveOnTheLogicalScreenAndPicturesAreEnlarged) {
  for (int scale : {2, 3}) {
    h.Start(800, 600, scale);
    // x=-20 from the far edge, y=10000 the centre, of 800/s x 600/s.
    const Rect picture = h.session->state().scene.staticPictures[0]->rect();
    EXPECT_EQ(picture,
              (Rect{(800 / scale - 20) * scale, 600 / scale / 2 * scale, 10 * scale, 10 * scale}))
        << scale;
    EXPECT_EQ(At(Frame(), picture.right() - 1, picture.bottom() - 1), kRed);
    EXPECT_NE(At(Frame(), picture.right(), picture.y), kRed);

    // The button is hit where it is drawn, and only there.
    const Rect button{10 * scale, 20 * scale, 8 * scale, 4 * scale};
    EXPECT_EQ(At(Frame(), button.right() - 1, button.bottom() - 1), kGrey);
    h.Press(button.right(), button.y);
    h.Release(button.right(), button.y);
    EXPECT_TRUE(h.launcher.calls.empty()) << scale;
    h.Press(button.right() - 1, button.bottom() - 1);
    h.Release(button.right() - 1, button.bottom() - 1);
    EXPECT_EQ(h.launcher.calls.size(), 1u) << scale;
    h.launcher.calls.clear();
  }
}

TEST_F(ScaleTest, AnAtTwoXPictureBesideTheFileIsDrawnAtItsOwnPixels) {
  h.Picture("B_U@2X.png", Solid(16, 8, kGreen));  // found ignoring case
  h.Start(800, 600, 2);
  EXPECT_EQ(At(Frame(), 20, 40), kGreen);
  EXPECT_EQ(At(Frame(), 35, 47), kGreen);
  h.session->ChooseScale(3);  // no @3x: the plain file enlarged
  EXPECT_EQ(At(Frame(), 30, 60), kGrey);
  EXPECT_EQ(At(Frame(), 53, 71), kGrey);
}

TEST_F(ScaleTest, TheChosenScaleAppliesAtOnceAndIsKeptForTheNextStart) {
  Desktop& d = h.Start(800, 600, 1);
  d.ChooseScale(2);
  EXPECT_EQ(d.monitors().front().scale, 2);
  EXPECT_EQ(d.state().scene.staticPictures[0]->rect().width, 20);
  EXPECT_NE(test::ReadText(h.programFolder() / "data.ini").find("scale=2"), std::string::npos);

  h.Start(800, 600, 3);  // the user's choice wins over the published scale
  EXPECT_EQ(h.session->monitors().front().scale, 2);
  h.session->ChooseScale(0);  // automatic: the published one
  EXPECT_EQ(h.session->monitors().front().scale, 3);
  h.session->ChooseScale(7);  // not a choice: automatic
  EXPECT_EQ(h.session->menu().scaleChoice, 0);

  // The desktop publishing a new scale rebuilds the scene at it.
  h.session->FollowScreens({0, 0, 800, 600}, {}, 2);
  EXPECT_EQ(h.session->state().scene.staticPictures[0]->rect().width, 20);
}

}  // namespace
}  // namespace moravel
