// Removing a button: the last one takes the freed number with its own
// pictures (or keeps naming the skin's), nothing is orphaned, and after a
// restart every remaining button looks and acts as before.

#include <gtest/gtest.h>

#include "desktop/DesktopTestKit.h"
#include "placement/RemoveButtonCommand.h"
#include "placement/StatePictureFiles.h"
#include "settings/NumberedItems.h"
#include "support/FileSizeLimit.h"

namespace moravel {
namespace {

using test::Solid;

class ButtonRemovalTest : public testing::Test {
 protected:
  // Button k: target /bin/k at (10 * k, 0), pictures of grey k (own files, or
  // the skin's pictures\skin_*.png for the skin-named button).
  void Make(int count, int skinNamed = 0) {
    std::string user;
    for (int k = 1; k <= count; ++k) {
      const std::string prefix =
          k == skinNamed ? "pictures/skin" : "temp/freebutton" + std::to_string(k);
      for (const char* state : {"_u", "_o", "_d"})
        h_.Picture(prefix + state + ".png", Solid(4, 4, {uint8_t(k), uint8_t(k), uint8_t(k), 255}));
      std::string image = prefix + "_u.png";
      std::replace(image.begin(), image.end(), '/', '\\');
      user += "[button" + std::to_string(k) + "]\r\nobject=/bin/" + std::to_string(k) +
              "\r\nx=" + std::to_string(10 * k) + "\r\ny=0\r\nimage=" + image + "\r\ntr=0\r\n";
    }
    h_.User(user);
    h_.Start();
  }
  bool Remove(int k) {
    RemoveButtonCommand remove(k);
    h_.session->Run(remove);
    return remove.result()->ok();
  }
  // Target, place and up picture colour of each button, as the desktop shows them.
  std::vector<std::tuple<std::string, int, uint8_t>> Shown() const {
    std::vector<std::tuple<std::string, int, uint8_t>> out;
    const DesktopScene& scene = h_.session->state().scene;
    for (int k = 1; k <= scene.buttonCount; ++k) {
      const DesktopButton& b = scene.button(k);
      EXPECT_EQ(b.image->tag, k);
      out.emplace_back(b.target, b.image->rect().x, b.upPicture ? b.upPicture->at(0, 0).r : 0);
    }
    return out;
  }
  std::vector<std::string> TempFiles() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(h_.skinFolder() / "temp"))
      names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  test::DesktopHarness h_;
};

TEST_F(ButtonRemovalTest, TheLastButtonTakesTheFreedNumberWithItsOwnPictures) {
  Make(3);
  std::filesystem::remove(h_.skinFolder() /
                          "temp/freebutton3_d.png");  // the last has no down picture
  const uint64_t lastControl = h_.session->state().scene.button(3).image->id();
  h_.Move(21, 1);  // the pointer over button 2
  ASSERT_TRUE(Remove(2));
  using Row = std::tuple<std::string, int, uint8_t>;
  const std::vector<Row> expected = {Row{"/bin/1", 10, 1}, Row{"/bin/3", 30, 3}};
  EXPECT_EQ(Shown(), expected);
  EXPECT_EQ(h_.session->state().scene.button(2).image->id(),
            lastControl);                                                 // it stayed where it was
  EXPECT_EQ(h_.session->state().pointer.hoveredId, kWallpaperControlId);  // nothing left dangling
  const IniFile user(h_.skinFolder() / "user.ini");
  EXPECT_EQ(CountNumberedSections("button", user), 2);
  // Its pictures were copied under a name no record used (the removed
  // button's record named temp\freebutton2_*); button 2's and 3's files went.
  EXPECT_EQ(user.ReadString("button2", "image", ""), "temp\\freebutton2-2_u.png");
  EXPECT_EQ(TempFiles(),
            (std::vector<std::string>{"freebutton1_d.png", "freebutton1_o.png", "freebutton1_u.png",
                                      "freebutton2-2_o.png", "freebutton2-2_u.png"}));
  // A new button takes number 3 and its usual name again.
  EXPECT_EQ(FreeStatePictureName(3, user), "temp\\freebutton3_u.png");
  EXPECT_EQ(FreeStatePictureName(2, user), "temp\\freebutton2_u.png");
  h_.Start();  // after a restart: the same
  EXPECT_EQ(Shown(), expected);
}

TEST_F(ButtonRemovalTest, ALastButtonShowingTheSkinsPicturesKeepsNamingThem) {
  Make(2, /*skinNamed=*/2);
  ASSERT_TRUE(Remove(1));
  using Row = std::tuple<std::string, int, uint8_t>;
  const std::vector<Row> expected = {Row{"/bin/2", 20, 2}};
  EXPECT_EQ(Shown(), expected);
  EXPECT_EQ(IniFile(h_.skinFolder() / "user.ini").ReadString("button1", "image", ""),
            "pictures\\skin_u.png");
  EXPECT_TRUE(TempFiles().empty());  // button 1's own pictures are named by no record
  EXPECT_TRUE(std::filesystem::exists(h_.skinFolder() / "pictures/skin_u.png"));
  h_.Start();
  EXPECT_EQ(Shown(), expected);
}

TEST_F(ButtonRemovalTest, AFailedCopyChangesNothing) {
  if (!test::FileSizeLimit::kAvailable) GTEST_SKIP() << "no file size limit on Windows";
  Make(3);
  h_.Picture("temp/freebutton3_o.png", test::Noise(100, 100));
  const std::string user = test::ReadText(h_.skinFolder() / "user.ini");
  const std::vector<std::string> files = TempFiles();
  {
    const test::FileSizeLimit full(20000);
    EXPECT_FALSE(Remove(1));
  }
  EXPECT_EQ(h_.window.messages.size(), 1u);
  EXPECT_EQ(test::ReadText(h_.skinFolder() / "user.ini"), user);
  EXPECT_EQ(TempFiles(), files);
  EXPECT_EQ(h_.session->state().scene.buttonCount, 3);
}

// Scaled siblings go with their pictures: copied with the last button's to
// its fresh name (where a leftover of no button goes), removed with the rest.
TEST_F(ButtonRemovalTest, ScaledSiblingsGoWithTheirPictures) {
  Make(3);
  for (const char* name : {"temp/freebutton2_u@2x.png", "temp/freebutton3_u@2x.png",
                           "temp/freebutton3_d@3x.png", "temp/freebutton2-2_o@2x.png"})
    h_.Picture(name, Solid(8, 8, {90, 90, 90, 255}));
  ASSERT_TRUE(Remove(2));
  EXPECT_EQ(TempFiles(), (std::vector<std::string>{
                             "freebutton1_d.png", "freebutton1_o.png", "freebutton1_u.png",
                             "freebutton2-2_d.png", "freebutton2-2_d@3x.png", "freebutton2-2_o.png",
                             "freebutton2-2_u.png", "freebutton2-2_u@2x.png"}));
  h_.Start(800, 600, 2);
  EXPECT_EQ(h_.session->state().scene.button(2).upPicture->at(0, 0).r, 90);
}

TEST_F(ButtonRemovalTest, TheLastOrOnlyButtonGoesWithItsFiles) {
  Make(2);
  ASSERT_TRUE(Remove(2));
  EXPECT_EQ(h_.session->state().scene.buttonCount, 1);
  ASSERT_TRUE(Remove(1));
  EXPECT_EQ(h_.session->state().scene.buttonCount, 0);
  EXPECT_FALSE(IniFile(h_.skinFolder() / "user.ini").HasSection("button1"));
  EXPECT_TRUE(TempFiles().empty());
  EXPECT_FALSE(Remove(1));  // nothing selected any more
}

}  // namespace
}  // namespace moravel
