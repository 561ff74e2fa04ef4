#include "platform_win32/ShellLauncher.h"

// The shell headers need windows.h before them.
// clang-format off
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
// clang-format on

#include <filesystem>
#include <string>

#include "platform_win32/ComScope.h"
#include "platform_win32/WideText.h"
#include "settings/Utf8Path.h"

namespace moravel {
namespace {

// Runs `info` (its verb, file or item list, parameters) shown normally.
bool Execute(SHELLEXECUTEINFOW info) {
  ComScope com;
  info.cbSize = sizeof info;
  // No error box from the shell; and the hand-over (DDE, say) is finished
  // before the return, while COM is still up.
  info.fMask |= SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
  info.nShow = SW_SHOWNORMAL;
  return ::ShellExecuteExW(&info) != FALSE;
}

}  // namespace

bool ShellLauncher::OpenTarget(const std::string& target, const std::string& arguments) {
  if (target.empty()) return false;
  const std::filesystem::path path = PathFromUtf8(target);
  const std::wstring file = path.wstring();
  const std::wstring parameters = WideFromUtf8(arguments);
  // A program starts in its own folder, as from Explorer, not in ours
  // (System32 when started at login).
  std::error_code ec;
  const std::wstring folder = path.is_absolute() && std::filesystem::is_regular_file(path, ec)
                                  ? path.parent_path().wstring()
                                  : std::wstring();
  SHELLEXECUTEINFOW info{};
  info.lpVerb = L"open";
  info.lpFile = file.c_str();
  info.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
  info.lpDirectory = folder.empty() ? nullptr : folder.c_str();
  return Execute(info);
}

bool ShellLauncher::OpenSpecialFolder(int shellNumber) {
  // The flag bits of a CSIDL (CSIDL_FLAG_CREATE would make the folder) are
  // not taken from a skin.
  if (shellNumber < 0 || shellNumber > 0xFF) return false;
  ComScope com;
  PIDLIST_ABSOLUTE folder = nullptr;
  if (FAILED(::SHGetSpecialFolderLocation(nullptr, shellNumber, &folder)) || !folder) return false;
  SHELLEXECUTEINFOW info{};
  info.fMask = SEE_MASK_INVOKEIDLIST;  // the item list, with the item's own default verb
  info.lpIDList = folder;
  const bool started = Execute(info);
  ::CoTaskMemFree(folder);
  return started;
}

bool ShellLauncher::OpenDateTimeSettings() {
  SHELLEXECUTEINFOW info{};
  info.lpVerb = L"open";
  info.lpFile = L"control.exe";
  info.lpParameters = L"timedate.cpl";
  return Execute(info);
}

}  // namespace moravel
