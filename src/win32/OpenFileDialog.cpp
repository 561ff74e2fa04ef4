#include "win32/OpenFileDialog.h"

#include <commdlg.h>

#include <string>

#include "platform_win32/WideText.h"

namespace moravel {

std::optional<std::filesystem::path> AskForFileToOpen(HWND owner, std::string_view filter) {
  // The stored filter's "|" are the dialog's separators; the list ends with
  // two nulls.
  std::wstring filters = WideFromUtf8(filter);
  for (wchar_t& c : filters)
    if (c == L'|') c = L'\0';
  filters.append(2, L'\0');
  std::wstring file(32768, L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.empty() ? nullptr : filters.c_str();
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = DWORD(file.size());
  dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!::GetOpenFileNameW(&dialog)) return std::nullopt;
  file.resize(file.find(L'\0'));
  return std::filesystem::path(file);
}

}  // namespace moravel
