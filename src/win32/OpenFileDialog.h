#pragma once
// The system's open-file dialog (GetOpenFileNameW), modal over `owner`.

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string_view>

namespace moravel {

// The existing file the user picked; nothing when they cancelled. `filter`
// is in its stored form, pairs of a description and its patterns all
// separated by "|" (kPictureDialogFilter, say); empty: every file shown.
std::optional<std::filesystem::path> AskForFileToOpen(HWND owner, std::string_view filter = {});

}  // namespace moravel
