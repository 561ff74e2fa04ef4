// The button editor's controls over their controller: captions, fonts and
// places, the preview as drawn, and the wiring of the list, the edit boxes,
// the buttons, the file dialogs, drops and keys.

// The shell headers need windows.h before them.
// clang-format off
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
// clang-format on

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <memory>

#include "DialogProbe.h"
#include "desktop/DesktopTestKit.h"
#include "editor/EditorTestKit.h"
#include "settings/Utf8Path.h"
#include "support/TempFolder.h"
#include "win32/ButtonEditorWindow.h"

namespace moravel {
namespace {

using test::Checked;
using test::ClickRow;
using test::FontOf;
using test::PlaceOf;
using test::PressKey;
using test::Text;
using W = ButtonEditorWindow;

constexpr Rgba kWide{200, 100, 30, 255};  // the wide template, opaque

// A drop of one file, as the shell hands it over.
HDROP DropOf(const std::filesystem::path& file) {
  const std::wstring name = file.wstring();
  const size_t bytes = sizeof(DROPFILES) + (name.size() + 2) * sizeof(wchar_t);
  HGLOBAL memory = ::GlobalAlloc(GHND, bytes);
  auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), name.c_str(),
              name.size() * sizeof(wchar_t));
  ::GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

// Templates: "Round", transparent 20 x 16 with a caption area; a wide one,
// 300 x 130, named by its section.
class ButtonEditorWindowTest : public ::testing::Test {
 protected:
  ButtonEditorWindowTest() {
    test::WritePng(dir_ / "skin/round.png", test::Solid(20, 16, {0, 0, 0, 0}));
    test::WritePng(dir_ / "skin/wide.png", test::Solid(300, 130, kWide));
    writeConfig(
        "[freebutton1]\nname=Round\nimage1=round.png\ntw1=20\nth1=6\n"
        "[freebutton2]\nimage1=wide.png\n");
    files_.skinPath = dir_ / "skin/";
    files_.config = std::make_unique<IniFile>(dir_ / "skin/config.ini");
  }
  void writeConfig(const std::string& text) { std::ofstream(dir_ / "skin/config.ini") << text; }
  HWND control(int id) const { return ::GetDlgItem(dialog_.handle(), id); }
  void click(int id) { ::SendMessageW(control(id), BM_CLICK, 0, 0); }

  test::TempFolder dir_;
  SettingsFiles files_;
  test::FakeAssociatedIcons desktop_;
  test::FakeCaptionPainter captions_;
  IconLoader icons_{desktop_, test::Solid(2, 2, {1, 2, 3, 255})};
  ButtonFaceRenderer renderer_{icons_, captions_};
  test::FakeTimers timers_;
  int placements_ = 0;
  ButtonEditorController editor_{files_, renderer_, timers_, [this] {
                                   ++placements_;
                                   return Result<void>();
                                 }};
  ButtonEditorWindow dialog_{editor_, nullptr};
};

TEST_F(ButtonEditorWindowTest, OpensCentredAsDesignedAroundItsPreview) {
  EXPECT_FALSE(dialog_.shown());
  dialog_.Present();
  ASSERT_TRUE(dialog_.shown());
  const HWND d = dialog_.handle();
  EXPECT_EQ(Text(d), "Создание кнопки");
  const SIZE client = test::ClientSize(d);
  EXPECT_EQ(client.cx, 600);  // a small preview
  EXPECT_EQ(client.cy, 400);
  RECT outer{};
  ::GetWindowRect(d, &outer);
  EXPECT_EQ(outer.left, ::GetSystemMetrics(SM_CXSCREEN) / 2 - (outer.right - outer.left) / 2);
  EXPECT_EQ(outer.top, ::GetSystemMetrics(SM_CYSCREEN) / 2 - (outer.bottom - outer.top) / 2);

  // Controls of the group boxes stand at the group's place plus their own.
  const struct {
    int id;
    Rect at;
    test::FontLook font;
  } controls[] = {
      {W::kTemplates, {10, 29, 280, 360}, {8, true}},
      {W::kTarget, {315, 30, 245, 25}, {8, false}},
      {W::kBrowseTarget, {560, 30, 25, 25}, {12, true}},
      {W::kFirstAction + 4, {450, 100, 135, 17}, {8, true}},
      {W::kFirstIconMode + 1, {315, 155, 270, 15}, {8, true}},
      {W::kIcon, {315, 180, 245, 25}, {8, false}},
      {W::kCaption, {310, 235, 280, 25}, {8, false}},
      {W::kOk, {370, 365, 75, 25}, {12, true}},
      {W::kCancel, {455, 365, 75, 25}, {12, true}},
  };
  for (const auto& c : controls) {
    EXPECT_EQ(PlaceOf(control(c.id)), c.at) << c.id;
    EXPECT_EQ(FontOf(control(c.id)), c.font) << c.id;
  }
  EXPECT_EQ(Text(control(W::kFirstAction + 2)), "\"Корзина\"");
  EXPECT_EQ(Text(control(W::kOk)), "ОК");
  EXPECT_EQ(::GetWindowLongW(control(W::kOk), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_TRUE(Checked(control(W::kFirstAction)));
  EXPECT_TRUE(Checked(control(W::kFirstIconMode)));

  const HWND list = control(W::kTemplates);
  ASSERT_EQ(::SendMessageW(list, LB_GETCOUNT, 0, 0), 2);
  std::wstring second(32, L'\0');
  second.resize(size_t(::SendMessageW(list, LB_GETTEXT, 1, LPARAM(second.data()))));
  EXPECT_EQ(second, L"freebutton2");
  EXPECT_EQ(::SendMessageW(list, LB_GETCURSEL, 0, 0), 0);

  // The transparent template shows the checks behind it.
  const HWND preview = control(W::kPreview);
  EXPECT_TRUE(::IsWindowVisible(preview));
  EXPECT_EQ(PlaceOf(preview), (Rect{310, 265, 20, 16}));
  const Bitmap drawn = test::Drawn(preview);
  EXPECT_EQ(drawn.at(12, 12), (Rgba{255, 255, 255, 255}));
  EXPECT_EQ(drawn.at(12, 4), (Rgba{204, 204, 204, 255}));
}

TEST_F(ButtonEditorWindowTest, ATemplateClickRefreshesThePreviewAndTheSizeAroundIt) {
  dialog_.Present();
  ClickRow(control(W::kTemplates), 0);  // the one already selected: picked again
  EXPECT_EQ(editor_.design().upParams.fontColour, (Rgb{0, 255, 0}));

  ClickRow(control(W::kTemplates), 1);
  const HWND preview = control(W::kPreview);
  EXPECT_EQ(PlaceOf(preview), (Rect{310, 265, 300, 130}));
  EXPECT_EQ(test::Drawn(preview).at(150, 65), kWide);
  const SIZE client = test::ClientSize(dialog_.handle());
  EXPECT_EQ(client.cx, 620);
  EXPECT_EQ(client.cy, 465);
  EXPECT_EQ(PlaceOf(control(W::kCancel)), (Rect{455, 430, 75, 25}));
  EXPECT_EQ(PlaceOf(control(W::kTemplates)).height, 425);
  EXPECT_FALSE(::IsWindowEnabled(control(W::kCaption)));
  dialog_.Present();  // while shown: nothing is reset
  EXPECT_EQ(::SendMessageW(control(W::kTemplates), LB_GETCURSEL, 0, 0), 1);
}

TEST_F(ButtonEditorWindowTest, TypingTheRadioButtonsTheIconBrowserAndADropReachTheController) {
  const std::filesystem::path picked = dir_ / "skin/wide.png", dropped = dir_ / "skin";
  dialog_.SetFileChooser([&](HWND owner) {
    EXPECT_EQ(owner, dialog_.handle());
    return std::optional(picked);
  });
  dialog_.Present();
  const std::string typed = "C:\\Программы\\x.exe";
  ::SetWindowTextW(control(W::kTarget), WideFromUtf8(typed).c_str());
  EXPECT_EQ(editor_.targetText(), typed);
  ::SetWindowTextW(control(W::kCaption), L"Пуск");
  EXPECT_EQ(editor_.captionBoxText(), "Пуск");

  click(W::kFirstAction + 2);
  EXPECT_EQ(editor_.action(), ButtonAction::kRecycleBin);
  EXPECT_TRUE(Checked(control(W::kFirstAction + 2)));
  EXPECT_FALSE(Checked(control(W::kFirstAction)));
  EXPECT_EQ(Text(control(W::kTarget)), typed);  // kept through the refresh

  click(W::kBrowseIcon);
  EXPECT_EQ(Text(control(W::kIcon)), Utf8Of(picked));
  EXPECT_TRUE(Checked(control(W::kFirstIconMode + 1)));

  ::SendMessageW(dialog_.handle(), WM_DROPFILES, WPARAM(DropOf(dropped)), 0);
  EXPECT_EQ(Text(control(W::kTarget)), Utf8Of(dropped));
  EXPECT_TRUE(Checked(control(W::kFirstAction)));
  EXPECT_TRUE(Checked(control(W::kFirstIconMode)));
}

// Enter presses "ОК" only while it is enabled; Escape and the close button
// cancel.
TEST_F(ButtonEditorWindowTest, TheKeysAndTheCloseButton) {
  writeConfig("[icons]\n");
  dialog_.Present();
  EXPECT_FALSE(::IsWindowEnabled(control(W::kOk)));
  EXPECT_FALSE(::IsWindowVisible(control(W::kPreview)));
  EXPECT_TRUE(PressKey(control(W::kTarget), VK_RETURN));
  EXPECT_TRUE(dialog_.shown());
  EXPECT_TRUE(PressKey(control(W::kTarget), VK_ESCAPE));
  EXPECT_FALSE(dialog_.shown());
  EXPECT_FALSE(editor_.visible());

  writeConfig("[freebutton1]\nimage1=wide.png\n");
  dialog_.Present();
  ::SendMessageW(dialog_.handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(editor_.visible());
  EXPECT_EQ(placements_, 0);
  dialog_.Present();
  EXPECT_TRUE(PressKey(control(W::kTarget), VK_RETURN));
  EXPECT_EQ(placements_, 1);
  EXPECT_FALSE(dialog_.shown());
}

}  // namespace
}  // namespace moravel
