#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform_win32/RunKeyAutostart.h"
#include "settings/Utf8Path.h"

namespace moravel {
namespace {

constexpr wchar_t kScratchRoot[] = L"Software\\MoravelTest";
const std::filesystem::path kProgram = L"C:\\Program Files\\Moravel\\moravel.exe";

// A scratch key of this process under HKEY_CURRENT_USER\Software\MoravelTest,
// removed with the root when the test ends.
class RunKeyAutostartTest : public ::testing::Test {
 protected:
  ~RunKeyAutostartTest() override {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, key_.c_str());
    ::RegDeleteKeyW(HKEY_CURRENT_USER, kScratchRoot);  // fails while others use it
  }

  // The value's text as stored, with its type; empty when it is missing.
  std::wstring Stored(DWORD* type) const {
    wchar_t text[512] = {};
    DWORD bytes = sizeof text - sizeof(wchar_t);
    ::RegGetValueW(HKEY_CURRENT_USER, key_.c_str(), L"Moravel", RRF_RT_ANY | RRF_NOEXPAND, type,
                   text, &bytes);
    return text;
  }

  void Store(DWORD type, const std::wstring& text) const {
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, key_.c_str(), L"Moravel", type, text.c_str(),
                                DWORD((text.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
  }

  const std::wstring key_ =
      std::wstring(kScratchRoot) + L"\\Run-" + std::to_wstring(::GetCurrentProcessId());
  const RunKeyAutostart mark_{Utf8Of(key_)};
};

TEST_F(RunKeyAutostartTest, EnableWritesTheQuotedPathAndDisableRemovesIt) {
  EXPECT_FALSE(mark_.PointsAt(kProgram));  // no key yet
  EXPECT_TRUE(mark_.Disable());
  EXPECT_FALSE(mark_.Enable(L"moravel.exe"));  // relative

  const std::filesystem::path cyrillic = PathFromUtf8(
      "C:\\\xD0\x9C\xD0\xBE\xD1\x80\xD0\xB0\xD0\xB2\xD0\xB5\xD0\xBB\\moravel.exe");  // Моравел
  ASSERT_TRUE(mark_.Enable(cyrillic));
  DWORD type = 0;
  EXPECT_EQ(Stored(&type), L"\"C:\\\u041C\u043E\u0440\u0430\u0432\u0435\u043B\\moravel.exe\"");
  EXPECT_EQ(type, DWORD(REG_SZ));
  EXPECT_TRUE(mark_.PointsAt(cyrillic));
  EXPECT_FALSE(mark_.PointsAt(kProgram));

  ASSERT_TRUE(mark_.Enable(kProgram));  // replaces the older value
  EXPECT_TRUE(mark_.PointsAt(kProgram));
  EXPECT_FALSE(mark_.PointsAt(cyrillic));

  EXPECT_TRUE(mark_.Disable());
  EXPECT_EQ(Stored(&type), L"");
  EXPECT_FALSE(mark_.PointsAt(kProgram));
  EXPECT_TRUE(mark_.Disable());  // nothing left to remove
}

// Values another tool or the user wrote, as Windows reads them.
TEST_F(RunKeyAutostartTest, PointsAtReadsTheProgramOfCommandsWrittenElsewhere) {
  ASSERT_TRUE(::SetEnvironmentVariableW(L"MORAVEL_TEST_FOLDER", L"C:\\Program Files\\Moravel"));
  const struct {
    DWORD type;
    const wchar_t* command;
    bool pointsAt;
  } cases[] = {
      {REG_SZ, L"\"C:\\PROGRAM FILES\\MORAVEL\\MORAVEL.EXE\" /tray", true},
      {REG_SZ, L"C:\\Program Files\\Moravel\\moravel.exe", true},
      {REG_SZ, L"  \"C:/Program Files/Moravel/./moravel.exe\"", true},
      {REG_EXPAND_SZ, L"\"%MORAVEL_TEST_FOLDER%\\moravel.exe\"", true},
      {REG_SZ, L"\"moravel.exe\"", false},
      {REG_BINARY, L"C:\\Program Files\\Moravel\\moravel.exe", false},
  };
  for (const auto& c : cases) {
    Store(c.type, c.command);
    EXPECT_EQ(mark_.PointsAt(kProgram), c.pointsAt) << Utf8Of(c.command);
  }
  ::SetEnvironmentVariableW(L"MORAVEL_TEST_FOLDER", nullptr);
}

}  // namespace
}  // namespace moravel
