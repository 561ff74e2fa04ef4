#pragma once
// The button editor "Создание кнопки" on Windows: the skin's templates, the
// action and its target, the icon source, the caption and the preview of
// the new button's up picture, a thin view over ButtonEditorController. Each
// event goes to the controller's handler of that event, then Refresh sets
// every control from the controller's state (texts, choices, enabled
// controls, the preview and the size around it, whether it is shown).
// Captions and geometry come from the controller.
//
// Files dropped on the dialog become the target. The dialog holds no timer:
// after the controller's caption poll and typing pause its owner calls
// Refresh.
//
// Lifetime: the controller outlives the dialog.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "editor/ButtonEditorController.h"
#include "raster/Bitmap.h"
#include "win32/DialogWindow.h"

namespace moravel {

class ButtonEditorWindow : public DialogWindow {
 public:
  // The file dialog of each "...", over `owner`: the file picked, nothing
  // when the user cancelled.
  using FileChooser = std::function<std::optional<std::filesystem::path>(HWND owner)>;

  // A check in the preview's background: squares of this many pixels.
  static constexpr int kCheckerSquare = 8;

  // The controls' ids; the radio buttons follow their first in the order of
  // the controller's choices.
  enum : int {
    kTemplates = 100,
    kTarget,
    kBrowseTarget,
    kIcon,
    kBrowseIcon,
    kCaption,
    kPreview,
    kFirstAction = 120,
    kFirstIconMode = 130,
    kOk = IDOK,
    kCancel = IDCANCEL,
  };

  // `owner`: the program's hidden main window, or null.
  ButtonEditorWindow(ButtonEditorController& controller, HWND owner);

  // "Добавить кнопку": when hidden, prepares the dialog (the controller's
  // OnShow), shows it centred on the primary monitor; when shown, only
  // brings it forward.
  void Present();
  // A file, folder or link dropped on the desktop or the dialog: shown as
  // Present does when hidden, with `path` as the target.
  void DropPath(const std::filesystem::path& path);
  // Sets every control from the controller's state.
  void Refresh();
  // Replaces the system's open-file dialog (no filter) of both "...".
  void SetFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }

 private:
  void Command(int id, int code) override;
  void CloseAsked() override;
  bool Handle(UINT message, WPARAM w, LPARAM l, LRESULT& result) override;
  void AddActionGroup();
  void AddIconGroup();
  void ShowPreview();
  void DrawPreview(const DRAWITEMSTRUCT& item) const;

  ButtonEditorController& controller_;
  FileChooser chooseFile_;
  DialogFont plain_{8, false};
  DialogFont bold_{8, true};
  DialogFont large_{12, true};
  bool refreshing_ = false;          // the edit boxes' changes are the view's own
  std::vector<std::string> listed_;  // what the template list shows
  Bitmap previewShown_;              // the controller's preview as last drawn
  Bitmap previewPixels_;             // the same over the checks, in GDI's byte order
};

}  // namespace moravel
