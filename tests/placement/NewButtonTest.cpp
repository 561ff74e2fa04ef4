// A new button from the editor's OK to the desktop and back after a restart:
// the flow over a session with fakes, the files and the record it writes, and
// what a target text turns into.

#include <gtest/gtest.h>

#include "codecs/PictureFile.h"
#include "desktop/DesktopTestKit.h"
#include "editor/EditorTestKit.h"
#include "placement/AddButtonCommand.h"
#include "placement/ButtonTarget.h"
#include "placement/NewButtonFlow.h"
#include "placement/RemoveButtonCommand.h"
#include "settings/NumberedItems.h"
#include "support/ErrorKindOf.h"
#include "support/FileSizeLimit.h"

namespace moravel {
namespace {

using test::Solid;

class NewButtonTest : public testing::Test {
 protected:
  NewButtonTest() {
    h_.Config(
        "[freebutton1]\r\nname=Plain\r\nimage1=t\\up.png\r\nimage2=t\\over.png\r\n"
        "x1=2\r\ny1=2\r\nw1=4\r\nh1=4\r\ntx1=0\r\nty1=8\r\ntw1=10\r\nth1=4\r\n");
    std::filesystem::create_directories(h_.skinFolder() / "t");
    h_.Picture("t/up.png", Solid(10, 12, {10, 10, 10, 255}));
    h_.Picture("t/over.png", Solid(10, 12, {20, 20, 20, 255}));
    h_.Picture("target.png", Solid(4, 4, {200, 0, 0, 255}));
    h_.User("[button1]\r\nobject=/bin/true\r\nimage=t\\up.png\r\n");
    test::WritePng(h_.programFolder() / "help.png", Solid(480, 360, {1, 1, 1, 255}));
  }
  // Starts a session and the flow over it.
  NewButtonFlow& Start() {
    flow_.reset();
    h_.Start();
    flow_ =
        std::make_unique<NewButtonFlow>(*h_.session, renderer_, h_.programFolder() / "help.png");
    return *flow_;
  }
  void Key(PlacementKey key) {
    flow_->KeyPressed(key);
    flow_->OnTimer(DesktopTimer::Placement);
    flow_->KeyReleased(key);
  }

  // Commits a button opening target.png straight away, as Space would.
  Result<int> Commit() {
    NewButtonDesign design;
    design.templateNumber = 1;
    design.target = design.iconSource = (h_.skinFolder() / "target.png").string();
    design.upParams =
        ReadFaceParams(*h_.session->state().files.config, "freebutton1", ButtonState::kUp);
    AddButtonCommand add(renderer_, design, 5, 5);
    h_.session->Run(add);
    return *add.result();
  }
  std::vector<std::string> TempFiles() const {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(h_.skinFolder() / "temp", ec))
      names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  test::DesktopHarness h_;
  test::FakeAssociatedIcons desktop_;
  test::FakeCaptionPainter captions_;
  IconLoader icons_{desktop_, Solid(2, 2, {0, 0, 0, 255})};
  ButtonFaceRenderer renderer_{icons_, captions_};
  std::unique_ptr<NewButtonFlow> flow_;
};

TEST_F(NewButtonTest, MadePlacedCommittedAndBackAfterARestart) {
  NewButtonFlow& flow = Start();
  const size_t controlsBefore = h_.session->state().controls.size();
  ButtonEditorController& editor = flow.editor();
  editor.OnShow();
  const std::string target = (h_.skinFolder() / "target.png").string();
  editor.OnBrowseTarget(target);
  editor.OnCaptionEdited("ab");
  flow.OnTimer(DesktopTimer::EditorCaption);
  editor.OnOk();
  ASSERT_TRUE(flow.placement().active());
  EXPECT_FALSE(editor.visible());
  EXPECT_TRUE(h_.timers.IsEnabled(DesktopTimer::Placement));
  Key(PlacementKey::Right);
  Key(PlacementKey::Down);
  Key(PlacementKey::Space);

  EXPECT_FALSE(flow.placement().active());
  EXPECT_EQ(h_.session->state().controls.size(), controlsBefore + 1);  // the button, no overlay
  EXPECT_TRUE(h_.window.messages.empty());
  const DesktopScene& scene = h_.session->state().scene;
  ASSERT_EQ(scene.buttonCount, 2);
  const DesktopButton made = scene.button(2);
  EXPECT_EQ(h_.session->state().pointer.hoveredId, made.image->id());
  const Rect place = made.image->rect();
  EXPECT_EQ(place, (Rect{1, 1, 10, 12}));
  // The up face holds the target's icon (red) and the caption's ink; the down
  // face takes the over template, as the template names no image3.
  EXPECT_EQ(made.upPicture->at(3, 3), (Rgba{200, 0, 0, 255}));
  EXPECT_EQ(made.upPicture->at(9, 11), (Rgba{10, 10, 10, 255}));
  EXPECT_EQ(made.downPicture->at(9, 11), (Rgba{20, 20, 20, 255}));
  const IniFile user(h_.skinFolder() / "user.ini");
  EXPECT_EQ(user.KeyNames("button2"),
            (std::vector<std::string>{"object", "x", "y", "image", "tr"}));  // no param
  EXPECT_EQ(user.ReadString("button2", "object", ""), target);
  EXPECT_EQ(user.ReadString("button2", "image", ""), "temp\\freebutton2_u.png");
  for (const char* state : {"u", "o", "d"})
    EXPECT_TRUE(std::filesystem::exists(h_.skinFolder() / "temp" /
                                        (std::string("freebutton2_") + state + ".png")));

  Start();  // the next start shows the same button
  const DesktopButton again = h_.session->state().scene.button(2);
  EXPECT_EQ(again.target, made.target);
  EXPECT_EQ(again.image->rect(), place);
  for (auto picture :
       {&DesktopButton::upPicture, &DesktopButton::overPicture, &DesktopButton::downPicture})
    EXPECT_EQ(*(again.*picture), *(made.*picture));
}

TEST_F(NewButtonTest, RefusalsLeaveEverythingAsItWas) {
  NewButtonFlow& flow = Start();
  const size_t controls = h_.session->state().controls.size();
  flow.editor().OnShow();
  flow.editor().OnOk();
  ASSERT_TRUE(flow.placement().active());
  flow.OpenEditor();  // the editor again: the running placement ends, no overlay is left
  EXPECT_FALSE(flow.placement().active());
  EXPECT_EQ(h_.session->state().controls.size(), controls);

  std::filesystem::remove(h_.programFolder() / "help.png");
  flow.editor().OnShow();
  flow.editor().OnOk();
  EXPECT_FALSE(flow.placement().active());  // no help picture: no placement, a message
  EXPECT_TRUE(flow.editor().visible());
  ASSERT_EQ(h_.window.messages.size(), 1u);
  EXPECT_EQ(flow.editor().placementError(), h_.window.messages[0]);  // what the user was told

  std::string full;
  for (int k = 1; k <= kMaxButtons; ++k)
    full += "[button" + std::to_string(k) + "]\r\nobject=x\r\n";
  h_.User(full);
  test::WritePng(h_.programFolder() / "help.png", Solid(4, 4, {1, 1, 1, 255}));
  Start().editor().OnShow();
  flow_->editor().OnOk();
  Key(PlacementKey::Space);
  EXPECT_EQ(h_.window.messages.back(), kDesktopFullMessage);
  EXPECT_EQ(CountNumberedSections("button", IniFile(h_.skinFolder() / "user.ini")), kMaxButtons);
  EXPECT_FALSE(std::filesystem::exists(h_.skinFolder() / "temp"));
}

// A write that fails (as on a full disk) at the record or at a picture
// leaves no button, no picture and no gap: the next commit takes the same
// number, and a restart shows exactly the buttons the desktop showed.
TEST_F(NewButtonTest, AFailedWriteLeavesNoButtonNoPictureAndNoGap) {
  if (!test::FileSizeLimit::kAvailable) GTEST_SKIP() << "no file size limit on Windows";
  const std::string user =
      "[button1]\r\nobject=/bin/true\r\nimage=t\\up.png\r\n;" + std::string(40000, 'x') + "\r\n";
  h_.User(user);
  Start();
  {
    const test::FileSizeLimit full(20000);  // the pictures fit, user.ini does not
    EXPECT_EQ(test::ErrorKindOf(Commit()), ErrorKind::kNoSpace);
  }
  EXPECT_EQ(test::ReadText(h_.skinFolder() / "user.ini"), user);
  EXPECT_EQ(h_.session->state().scene.buttonCount, 1);
  EXPECT_EQ(TempFiles(), std::vector<std::string>{});
  ASSERT_EQ(h_.window.messages.size(), 1u);
  EXPECT_EQ(h_.window.messages[0].rfind(kNoSpaceMessage, 0), 0u) << h_.window.messages[0];

  h_.Picture("t/over.png", test::Noise(100, 100));  // a face too large to write
  {
    const test::FileSizeLimit full(20000);
    EXPECT_EQ(test::ErrorKindOf(Commit()), ErrorKind::kNoSpace);
  }
  EXPECT_EQ(TempFiles(), std::vector<std::string>{});  // the up face written before it is gone
  EXPECT_EQ(test::ReadText(h_.skinFolder() / "user.ini"), user);

  const Result<int> made = Commit();  // room again
  ASSERT_TRUE(made) << made.error().message;
  EXPECT_EQ(*made, 2);
  Start();
  EXPECT_EQ(h_.session->state().scene.buttonCount, 2);
  EXPECT_TRUE(HasPixels(h_.session->state().scene.button(2).overPicture));
}

// On a screen at scale 2 each face is also drawn at that scale beside its
// 1x file, and the live button, laid out in device pixels, shows those.
TEST_F(NewButtonTest, AtScaleTwoTheScaledFacesAreWrittenBesideAndShown) {
  h_.Start(800, 600, 2);
  const Result<int> made = Commit();
  ASSERT_TRUE(made) << made.error().message;
  EXPECT_EQ(TempFiles(), (std::vector<std::string>{"freebutton2_d.png", "freebutton2_d@2x.png",
                                                   "freebutton2_o.png", "freebutton2_o@2x.png",
                                                   "freebutton2_u.png", "freebutton2_u@2x.png"}));
  const DesktopButton live = h_.session->state().scene.button(*made);
  EXPECT_EQ(live.image->rect(), (Rect{10, 10, 20, 24}));
  EXPECT_EQ(*live.upPicture, *LoadPictureFile(h_.skinFolder() / "temp/freebutton2_u@2x.png"));
}

// A scaled face that cannot be written undoes the whole commit: the 1x
// faces and the scaled up face go too, as does a leftover of no button
// under the new name.
TEST_F(NewButtonTest, AFailedScaledWriteLeavesNoPicture) {
  if (!test::FileSizeLimit::kAvailable) GTEST_SKIP() << "no file size limit on Windows";
  h_.Picture("t/over@2x.png", test::Noise(100, 100));  // a face too large to write
  h_.Picture("temp/freebutton2_o@3x.png", Solid(2, 2, {1, 1, 1, 255}));
  h_.Start(800, 600, 2);
  {
    const test::FileSizeLimit full(20000);
    EXPECT_EQ(test::ErrorKindOf(Commit()), ErrorKind::kNoSpace);
  }
  EXPECT_EQ(TempFiles(), std::vector<std::string>{});
  EXPECT_EQ(h_.session->state().scene.buttonCount, 1);
}

// The up face must be drawn: without its template picture the commit is
// refused, naming the file. A missing over picture only leaves the over face
// empty, and the down face that takes it.
TEST_F(NewButtonTest, OnlyTheUpTemplatePictureIsNeeded) {
  std::filesystem::remove(h_.skinFolder() / "t/over.png");
  Start();
  const Result<int> made = Commit();
  ASSERT_TRUE(made) << made.error().message;
  const DesktopButton button = h_.session->state().scene.button(*made);
  EXPECT_TRUE(HasPixels(button.upPicture));
  EXPECT_FALSE(HasPixels(button.overPicture));
  EXPECT_FALSE(HasPixels(button.downPicture));
  EXPECT_EQ(TempFiles(), std::vector<std::string>{"freebutton2_u.png"});

  std::filesystem::remove(h_.skinFolder() / "t/up.png");
  h_.window.messages.clear();
  EXPECT_EQ(test::ErrorKindOf(Commit()), ErrorKind::kEmpty);
  ASSERT_EQ(h_.window.messages.size(), 1u);
  const std::string said = h_.window.messages[0];
  EXPECT_EQ(said.rfind(kNoTemplatePictureMessage, 0), 0u) << said;
  EXPECT_NE(said.find("up.png"), std::string::npos) << said;
  EXPECT_EQ(h_.session->state().scene.buttonCount, 2);
  EXPECT_EQ(TempFiles(), std::vector<std::string>{"freebutton2_u.png"});
}

// A user.ini that exists but cannot be read (here a folder) is said once at
// the start; then no button is made or removed, and the pictures its records
// name are never overwritten.
TEST_F(NewButtonTest, AnUnreadableUserIniIsNeverOverwritten) {
  std::filesystem::remove(h_.skinFolder() / "user.ini");
  std::filesystem::create_directories(h_.skinFolder() / "user.ini");
  h_.Picture("temp/freebutton1_u.png", Solid(3, 3, {7, 7, 7, 255}));
  NewButtonFlow& flow = Start();
  ASSERT_EQ(h_.window.messages.size(), 1u);
  const std::string said = h_.window.messages[0];
  EXPECT_NE(said.find("user.ini"), std::string::npos) << said;

  flow.editor().OnShow();
  flow.editor().OnOk();
  EXPECT_FALSE(flow.placement().active());
  EXPECT_TRUE(flow.editor().visible());
  const Result<int> refused = Commit();
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.error().message, said);  // the error is what the user was told
  RemoveButtonCommand remove(1);
  h_.session->Run(remove);
  EXPECT_FALSE(*remove.result());
  EXPECT_EQ(h_.window.messages, std::vector<std::string>(4, said));
  EXPECT_EQ(TempFiles(), std::vector<std::string>{"freebutton1_u.png"});
  EXPECT_EQ(LoadPictureFile(h_.skinFolder() / "temp/freebutton1_u.png")->at(0, 0),
            (Rgba{7, 7, 7, 255}));
}

// A target that user.ini cannot hold is refused in the editor, before the
// placement begins: typed with a line break, or from a launcher's Exec.
TEST_F(NewButtonTest, TargetsUserIniCannotHoldAreRefusedBeforeThePlacement) {
  test::WriteText(h_.skinFolder() / "bad.desktop",
                  "[Desktop Entry]\nType=Application\nName=Bad\nExec=/usr/bin/\xff\xfe\n");
  NewButtonFlow& flow = Start();
  for (const std::string& target :
       {std::string("/tmp/a\nb"), (h_.skinFolder() / "bad.desktop").string()}) {
    h_.window.messages.clear();
    flow.editor().OnShow();
    flow.editor().OnBrowseTarget(target);
    flow.editor().OnOk();
    EXPECT_FALSE(flow.placement().active()) << target;
    EXPECT_TRUE(flow.editor().visible()) << target;
    ASSERT_EQ(h_.window.messages.size(), 1u) << target;
    EXPECT_EQ(h_.window.messages[0].rfind(kTargetNotStorableMessage, 0), 0u) << target;
  }
  EXPECT_EQ(h_.session->state().scene.buttonCount, 1);
  EXPECT_FALSE(std::filesystem::exists(h_.skinFolder() / "temp"));
}

// Every action with both icon modes on each bundled skin: the button works at
// once and is back after a restart.
TEST(NewButtonOnBundledSkins, EveryActionAndIconMode) {
  using Mode = ButtonEditorController::IconMode;
  const auto skins = std::filesystem::path(MORAVEL_TEST_DATA) / "../../skins";
  test::FakeAssociatedIcons desktop;
  test::FakeCaptionPainter captions;
  IconLoader icons{desktop, Solid(2, 2, {0, 0, 0, 255})};
  ButtonFaceRenderer renderer{icons, captions};
  for (const std::string skin : {"wood", "paper"}) {
    test::DesktopHarness h(skin);
    std::filesystem::copy(skins / skin, h.skinFolder(),
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::overwrite_existing);
    test::WritePng(h.programFolder() / "help.png", Solid(8, 8, {1, 1, 1, 255}));
    test::WritePng(h.programFolder() / "icon.png", Solid(8, 8, {9, 9, 9, 255}));
    h.Start(1280, 1024);
    auto flow =
        std::make_unique<NewButtonFlow>(*h.session, renderer, h.programFolder() / "help.png");
    const int before = h.session->state().scene.buttonCount;
    int made = 0;
    for (ButtonAction action :
         {ButtonAction::kOpenFile, ButtonAction::kMyComputer, ButtonAction::kRecycleBin,
          ButtonAction::kMyDocuments, ButtonAction::kNetwork}) {
      for (Mode mode : {Mode::kAutomatic, Mode::kManual}) {
        ButtonEditorController& editor = flow->editor();
        editor.OnShow();
        editor.OnActionChosen(action);
        editor.OnIconModeChosen(mode);
        if (mode == Mode::kManual) editor.OnBrowseIcon(h.programFolder() / "icon.png");
        if (action == ButtonAction::kOpenFile) editor.OnBrowseTarget("/bin/true");
        editor.OnOk();
        flow->KeyPressed(PlacementKey::Space);
        flow->OnTimer(DesktopTimer::Placement);
        flow->KeyReleased(PlacementKey::Space);
        const int k = before + ++made;
        ASSERT_EQ(h.session->state().scene.buttonCount, k) << skin;
        const DesktopButton& button = h.session->state().scene.button(k);
        EXPECT_TRUE(HasPixels(button.upPicture) && HasPixels(button.downPicture)) << skin << k;
        h.launcher.calls.clear();
        const Rect r = button.image->rect();
        h.Press(r.x + r.width / 2, r.y + r.height / 2);
        h.Release(r.x + r.width / 2, r.y + r.height / 2);  // the bundled skins launch on a click
        EXPECT_EQ(h.launcher.calls.size(), 1u) << skin << k;
      }
    }
    EXPECT_TRUE(h.window.messages.empty()) << skin;
    flow.reset();
    h.Start(1280, 1024);
    EXPECT_EQ(h.session->state().scene.buttonCount, before + made) << skin;
    EXPECT_EQ(h.session->state().scene.button(before + 5).specialFolder, 10)
        << skin;  // recycle bin
    EXPECT_TRUE(HasPixels(h.session->state().scene.button(before + made).upPicture)) << skin;

    // The skin's first button removed: the last takes its number, also after a restart.
    const int last = before + made;
    const std::string lastTarget = h.session->state().scene.button(last).target;
    const Bitmap lastFace = *h.session->state().scene.button(last).upPicture;
    RemoveButtonCommand remove(1);
    h.session->Run(remove);
    ASSERT_TRUE(*remove.result()) << skin;
    h.Start(1280, 1024);
    EXPECT_EQ(h.session->state().scene.buttonCount, last - 1) << skin;
    EXPECT_EQ(h.session->state().scene.button(1).target, lastTarget) << skin;
    EXPECT_EQ(*h.session->state().scene.button(1).upPicture, lastFace) << skin;
  }
}

TEST(ResolveButtonTarget, FromTheTargetTextAndAction) {
  test::TempFolder dir;
  std::ofstream(dir / "app.desktop") << "[Desktop Entry]\nType=Application\nName=App\n"
                                        "Exec=/usr/bin/app --x %U \"a b\" \"it's\"\n";
  std::ofstream(dir / "web.desktop") << "[Desktop Entry]\nType=Link\nURL=https://x.org/\n";
  using A = ButtonAction;
  const struct {
    std::string text;
    A action;
    ButtonTarget want;
  } cases[] = {
      {"/home/u/notes.txt", A::kOpenFile, {"/home/u/notes.txt", std::nullopt}},
      {"", A::kRecycleBin, {"", "10"}},
      {"/home/u/notes.txt", A::kMyComputer, {"", "17"}},
      {"/nowhere/x.LNK", A::kMyDocuments, {"", ""}},  // unreadable link: empty target
      {"nk", A::kOpenFile, {"nk", std::nullopt}},
      {(dir / "app.desktop").string(), A::kOpenFile, {"/usr/bin/app", "--x 'a b' 'it'\\''s'"}},
      {(dir / "web.desktop").string(), A::kOpenFile, {"https://x.org/", std::nullopt}},
  };
  for (const auto& c : cases) {
    const ButtonTarget got = ResolveButtonTarget(c.text, c.action);
    EXPECT_EQ(got.object, c.want.object) << c.text;
    EXPECT_EQ(got.param, c.want.param) << c.text;
  }
}

}  // namespace
}  // namespace moravel
