#include "platform_win32/RunKeyAutostart.h"

#include <windows.h>

#include <optional>
#include <vector>

#include "platform_win32/WideText.h"

namespace moravel {
namespace {

namespace fs = std::filesystem;

constexpr wchar_t kValueName[] = L"Moravel";

// The value's text (REG_EXPAND_SZ comes expanded); nothing when it is missing
// or no text.
std::optional<std::wstring> ReadText(const std::wstring& key, const wchar_t* name) {
  constexpr DWORD kFlags = RRF_RT_REG_SZ;
  for (int attempt = 0; attempt < 4; ++attempt) {  // the value may grow between the calls
    DWORD bytes = 0;
    if (::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, kFlags, nullptr, nullptr, &bytes) !=
        ERROR_SUCCESS)
      return std::nullopt;
    std::vector<wchar_t> text(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = DWORD(text.size() * sizeof(wchar_t));
    const LSTATUS status =
        ::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, kFlags, nullptr, text.data(), &bytes);
    if (status == ERROR_MORE_DATA) continue;
    if (status != ERROR_SUCCESS) return std::nullopt;
    return std::wstring(text.data());  // up to the terminating zero
  }
  return std::nullopt;
}

// The program a Run command starts: inside its leading quotes, else all of it.
std::wstring StartedPath(std::wstring_view command) {
  while (!command.empty() && command.front() == L' ') command.remove_prefix(1);
  if (command.empty() || command.front() != L'"') return std::wstring(command);
  command.remove_prefix(1);
  return std::wstring(command.substr(0, command.find(L'"')));
}

// The same path in any letter case, as Windows' file names compare.
bool SamePath(const fs::path& a, const fs::path& b) {
  const std::wstring left = a.lexically_normal().wstring();
  const std::wstring right = b.lexically_normal().wstring();
  return ::CompareStringOrdinal(left.c_str(), int(left.size()), right.c_str(), int(right.size()),
                                TRUE) == CSTR_EQUAL;
}

}  // namespace

RunKeyAutostart::RunKeyAutostart(std::string_view key) : key_(WideFromUtf8(key)) {}

bool RunKeyAutostart::PointsAt(const fs::path& program) const {
  const std::optional<std::wstring> command = ReadText(key_, kValueName);
  if (!command) return false;
  const fs::path started(StartedPath(*command));
  return started.is_absolute() && program.is_absolute() && SamePath(started, program);
}

bool RunKeyAutostart::Enable(const fs::path& program) const {
  if (!program.is_absolute()) return false;
  const std::wstring command = L"\"" + program.lexically_normal().wstring() + L"\"";
  HKEY key = nullptr;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
    return false;
  const DWORD bytes = DWORD((command.size() + 1) * sizeof(wchar_t));  // with the zero
  const LSTATUS status = ::RegSetValueExW(key, kValueName, 0, REG_SZ,
                                          reinterpret_cast<const BYTE*>(command.c_str()), bytes);
  ::RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

bool RunKeyAutostart::Disable() const {
  HKEY key = nullptr;
  const LSTATUS opened = ::RegOpenKeyExW(HKEY_CURRENT_USER, key_.c_str(), 0, KEY_SET_VALUE, &key);
  if (opened == ERROR_FILE_NOT_FOUND) return true;
  if (opened != ERROR_SUCCESS) return false;
  const LSTATUS status = ::RegDeleteValueW(key, kValueName);
  ::RegCloseKey(key);
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

}  // namespace moravel
