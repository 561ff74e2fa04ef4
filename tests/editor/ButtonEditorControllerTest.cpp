// The button editor's state: what each show resets and keeps, where the
// icon comes from, typed text and the typing pause, the caption area and its
// poll, the size of the dialog around the preview, and what "ОК", "Отмена"
// and a drop do.

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <memory>

#include "editor/ButtonEditorController.h"
#include "editor/EditorTestKit.h"
#include "support/TempFolder.h"

namespace moravel {
namespace {

using test::Solid;
using test::WritePng;
using Editor = ButtonEditorController;
using Layout = Editor::Layout;
using Mode = Editor::IconMode;

constexpr Rgba kFace{10, 10, 10, 255}, kRed{200, 0, 0, 255}, kGreen{0, 200, 0, 255},
    kBlue{0, 0, 200, 255};

// Timers that remember their state and count how often each was started
// (switched on when off), as a switch on a running timer leaves it be.
class FakeTimers : public DesktopTimers {
 public:
  void SetEnabled(DesktopTimer timer, bool enabled) override {
    if (enabled && !IsEnabled(timer)) ++starts[timer];
    on_[timer] = enabled;
  }
  bool IsEnabled(DesktopTimer timer) const override { return on_.count(timer) && on_.at(timer); }
  std::map<DesktopTimer, int> starts;

 private:
  std::map<DesktopTimer, bool> on_;
};

// Templates: 1 "Round" 20 x 16 with an icon at (2, 2, 4, 4) and a caption
// area at (0, 10, 20, 6); 2 a wide picture without caption area; 3 and 4
// without caption area either.
constexpr const char* kConfig =
    "[freebutton1]\nname=Round\nimage1=round.png\nx1=2\ny1=2\nw1=4\nh1=4\nty1=10\ntw1=20\nth1=6\n"
    "[freebutton2]\nimage1=wide.png\ntw1=1\nth1=6\n"
    "[freebutton3]\nimage1=round.png\ntw1=20\nth1=1\n"
    "[freebutton4]\nimage1=round.png\n";

class ButtonEditorTest : public testing::Test {
 protected:
  ButtonEditorTest() {
    std::filesystem::create_directories(skin());
    WritePng(skin() / "round.png", Solid(20, 16, kFace));
    WritePng(skin() / "wide.png", Solid(300, 130, kFace));
    WritePng(skin() / "deleted.png", Solid(8, 8, kRed));
    WritePng(dir_ / "green.png", Solid(8, 8, kGreen));
    WritePng(dir_ / "blue.png", Solid(8, 8, kBlue));
    WriteConfig(kConfig);
    files_.skinPath = skin() / "";
    files_.config = std::make_unique<IniFile>(skin() / "config.ini");
  }
  std::filesystem::path skin() const { return dir_ / "skin"; }
  void WriteConfig(const std::string& text) { std::ofstream(skin() / "config.ini") << text; }
  Rgba IconPixel() const { return editor_.preview().at(3, 3); }
  Rgba CaptionPixel() const { return editor_.preview().at(1, 11); }
  bool Polling() const { return timers_.IsEnabled(DesktopTimer::EditorCaption); }
  bool Pausing() const { return timers_.IsEnabled(DesktopTimer::EditorTyping); }
  // The typing pause ticks once and is off.
  void TypingPauseTicks() {
    ASSERT_TRUE(Pausing());
    timers_.SetEnabled(DesktopTimer::EditorTyping, false);
    editor_.OnTypingPause();
  }

  test::TempFolder dir_;
  SettingsFiles files_;
  test::FakeAssociatedIcons desktop_;
  test::FakeCaptionPainter captions_;
  IconLoader icons_{desktop_, Solid(2, 2, {1, 2, 3, 255})};
  ButtonFaceRenderer renderer_{icons_, captions_};
  FakeTimers timers_;
  bool placementBegins_ = true;
  int placements_ = 0;
  Editor editor_{files_, renderer_, timers_, [this]() -> Result<void> {
                   ++placements_;
                   if (!placementBegins_) return Error{ErrorKind::kNotFound, "no help.png"};
                   return {};
                 }};
};

TEST(FitEditorToPreviewTest, TheDialogGrowsPastTheDesignedPreviewArea) {
  const struct {
    int w, h;
    Layout layout;
  } cases[] = {
      {300, 100, {620, 400, 365, 360}}, {200, 150, {600, 485, 450, 445}},
      {280, 125, {600, 400, 365, 360}}, {281, 126, {601, 461, 426, 421}},
      {0, 0, {600, 400, 365, 360}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Editor::FitEditorToPreview(c.w, c.h), c.layout) << c.w << " x " << c.h;
}

TEST_F(ButtonEditorTest, ShowReadsTheTemplatesAfreshAndWithoutAnyDisablesOk) {
  editor_.OnShow();
  EXPECT_EQ(editor_.templateNames(),
            (std::vector<std::string>{"Round", "freebutton2", "freebutton3", "freebutton4"}));
  WriteConfig("[icons]\n");
  editor_.OnShow();
  EXPECT_TRUE(editor_.templateNames().empty());
  EXPECT_FALSE(editor_.okEnabled());
  EXPECT_EQ(editor_.design().templateNumber, 0);
  EXPECT_TRUE(editor_.preview().empty());
  editor_.OnOk();
  EXPECT_EQ(placements_, 0);
}

TEST_F(ButtonEditorTest, ASecondShowEmptiesTheBoxesButKeepsActionAndIconMode) {
  editor_.OnShow();
  editor_.OnTemplateChosen(1);
  editor_.OnBrowseTarget(dir_ / "green.png");
  editor_.OnBrowseIcon(dir_ / "blue.png");
  editor_.OnActionChosen(ButtonAction::kRecycleBin);
  editor_.OnCaptionEdited("Go");
  editor_.OnCaptionPoll();
  editor_.OnCancel();

  editor_.OnShow();
  EXPECT_EQ(editor_.selected(), 0);
  EXPECT_EQ(editor_.targetText() + editor_.iconText() + editor_.captionBoxText(), "");
  EXPECT_EQ(editor_.action(), ButtonAction::kRecycleBin);
  EXPECT_EQ(editor_.iconMode(), Mode::kManual);
  EXPECT_EQ(editor_.design().caption, "");
  EXPECT_EQ(editor_.design().iconSource, "") << "the manual mode takes the emptied icon box";
}

TEST_F(ButtonEditorTest, CaptionBoxAndPollRunOnlyForTemplatesWithACaptionArea) {
  editor_.OnShow();
  EXPECT_TRUE(editor_.captionEnabled());
  EXPECT_TRUE(Polling());
  for (int index : {1, 2, 3, 0}) {  // tw1 = 1; th1 = 1; neither given; both set
    editor_.OnTemplateChosen(index);
    EXPECT_EQ(editor_.captionEnabled(), index == 0) << index;
    EXPECT_EQ(Polling(), index == 0) << index;
  }
}

TEST_F(ButtonEditorTest, TheCaptionIsWhatTheLastPollCopiedGreyUntilATemplateIsClicked) {
  editor_.OnShow();
  editor_.OnCaptionEdited("Go");
  EXPECT_EQ(CaptionPixel(), kFace) << "typing alone draws nothing";
  editor_.OnCaptionPoll();
  EXPECT_EQ(CaptionPixel(), (Rgba{200, 200, 200, 255}));
  editor_.OnTemplateChosen(0);
  EXPECT_EQ(CaptionPixel(), (Rgba{0, 255, 0, 255}));

  editor_.OnCaptionEdited("Gone");  // "ОК" within the same second
  placementBegins_ = false;
  editor_.OnOk();
  EXPECT_TRUE(editor_.visible());
  EXPECT_EQ(editor_.placementError(), "no help.png");
  placementBegins_ = true;
  editor_.OnOk();
  EXPECT_FALSE(editor_.visible());
  EXPECT_FALSE(Polling());
  EXPECT_EQ(editor_.design().caption, "Go");
}

TEST_F(ButtonEditorTest, TheRecycleBinTakesTheSkinsPictureUnlessIconsNamesAnother) {
  WritePng(skin() / "bin.png", Solid(8, 8, kBlue));
  for (bool named : {false, true}) {
    WriteConfig(std::string(kConfig) + (named ? "[icons]\ndeleted=bin.png\n" : ""));
    editor_.OnShow();
    editor_.OnIconModeChosen(Mode::kAutomatic);
    editor_.OnActionChosen(ButtonAction::kRecycleBin);
    EXPECT_EQ(editor_.design().iconSource, (skin() / (named ? "bin.png" : "deleted.png")).string());
    EXPECT_EQ(IconPixel(), named ? kBlue : kRed);
  }
}

TEST_F(ButtonEditorTest, BrowsingATargetKeepsTheActionAndBrowsingAnIconSwitchesToManual) {
  editor_.OnShow();
  editor_.OnActionChosen(ButtonAction::kMyComputer);
  editor_.OnBrowseTarget(std::nullopt);  // cancelled
  EXPECT_EQ(editor_.targetText(), "");
  editor_.OnBrowseTarget(dir_ / "green.png");
  EXPECT_EQ(editor_.action(), ButtonAction::kMyComputer);
  EXPECT_EQ(IconPixel(), kGreen) << "the file's icon, not My Computer's";

  editor_.OnIconEdited((dir_ / "blue.png").string());
  editor_.OnBrowseIcon(std::nullopt);
  EXPECT_EQ(editor_.iconMode(), Mode::kAutomatic);
  editor_.OnBrowseIcon(dir_ / "blue.png");
  EXPECT_EQ(editor_.iconMode(), Mode::kManual);
  EXPECT_EQ(IconPixel(), kBlue);
}

TEST_F(ButtonEditorTest, TypedTextIsTakenAtTheTypingPauseOrAtOk) {
  editor_.OnShow();  // the automatic icon of the file opened
  const Rgba none = IconPixel();
  editor_.OnTargetEdited((dir_ / "blue.png").string());
  editor_.OnTargetEdited((dir_ / "green.png").string());
  EXPECT_EQ(timers_.starts[DesktopTimer::EditorTyping], 2) << "each keystroke restarts the pause";
  EXPECT_EQ(IconPixel(), none) << "nothing before the pause";
  EXPECT_EQ(editor_.design().iconSource, "");
  TypingPauseTicks();
  EXPECT_EQ(IconPixel(), kGreen);
  EXPECT_EQ(editor_.design().iconSource, (dir_ / "green.png").string());

  editor_.OnIconModeChosen(Mode::kManual);
  editor_.OnIconEdited((dir_ / "blue.png").string());
  EXPECT_EQ(IconPixel(), none) << "the manual mode took the empty icon box";
  TypingPauseTicks();
  EXPECT_EQ(IconPixel(), kBlue);

  editor_.OnIconEdited((dir_ / "green.png").string());  // "ОК" before the pause
  editor_.OnOk();
  EXPECT_EQ(placements_, 1);
  EXPECT_EQ(editor_.design().iconSource, (dir_ / "green.png").string());
  EXPECT_EQ(IconPixel(), kGreen);
  EXPECT_FALSE(Pausing());
}

TEST_F(ButtonEditorTest, AChoiceTakesTypedTextAndTheBrowsedTargetKeepsItsOwnRule) {
  editor_.OnShow();
  editor_.OnActionChosen(ButtonAction::kRecycleBin);
  editor_.OnTargetEdited((dir_ / "blue.png").string());
  editor_.OnBrowseTarget(dir_ / "green.png");
  EXPECT_FALSE(Pausing());
  editor_.OnTypingPause();  // a tick already under way changes nothing
  EXPECT_EQ(IconPixel(), kGreen) << "the browsed file, not the recycle bin's picture";
  editor_.OnTargetEdited("typed");
  editor_.OnCancel();
  EXPECT_FALSE(Pausing());
}

TEST_F(ButtonEditorTest, ADropShowsTheEditorWithTheFileAsAnOpenFileTarget) {
  editor_.OnActionChosen(ButtonAction::kNetwork);
  editor_.OnIconModeChosen(Mode::kManual);
  editor_.OnDropped(dir_ / "green.png");
  EXPECT_TRUE(editor_.visible());
  EXPECT_EQ(editor_.targetText(), (dir_ / "green.png").string());
  EXPECT_EQ(editor_.action(), ButtonAction::kOpenFile);
  EXPECT_EQ(IconPixel(), kGreen);
}

}  // namespace
}  // namespace moravel
