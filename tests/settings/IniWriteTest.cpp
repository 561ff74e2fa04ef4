// Writing settings files: every line the write does not concern stays byte
// for byte, and what is written reads back unchanged.

#include <gtest/gtest.h>

#include "SettingsTestFiles.h"
#include "settings/FileIdentity.h"
#include "settings/IniFile.h"

namespace moravel {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

class IniWriteTest : public ::testing::Test {
 protected:
  std::filesystem::path Put(std::string_view bytes) {
    WriteBytes(file_, bytes);
    return file_;
  }
  std::string OnDisk() const { return ReadBytes(file_); }

  TempFolder folder_;
  std::filesystem::path file_ = folder_ / "test.ini";
};

TEST_F(IniWriteTest, ReplacesValueInPlaceKeepingEverythingElse) {
  const std::string before =
      "; made by hand\r\n"
      "[skin]\r\n"
      "dir = wood\r\n"
      "Unknown=keep me\r\n"
      "DIR=second copy\r\n"
      "\r\n"
      "[other]\r\n"
      "dir=untouched";
  IniFile ini(Put(before));
  ASSERT_TRUE(ini.WriteString("SKIN", "Dir", "metal"));
  EXPECT_EQ(OnDisk(),
            "; made by hand\r\n"
            "[skin]\r\n"
            "dir = metal\r\n"
            "Unknown=keep me\r\n"
            "DIR=second copy\r\n"
            "\r\n"
            "[other]\r\n"
            "dir=untouched");
  EXPECT_EQ(ini.ReadString("skin", "dir", ""), "metal");
}

TEST_F(IniWriteTest, NewKeyGoesAfterTheLastKeyOfItsSection) {
  IniFile ini(
      Put("[a]\n"
          "k1=1\n"
          "junk line\n"
          "\n"
          "; about b\n"
          "[b]\n"
          "k=2\n"));
  ASSERT_TRUE(ini.WriteString("a", "k2", "x"));
  EXPECT_EQ(OnDisk(),
            "[a]\n"
            "k1=1\n"
            "junk line\n"
            "k2=x\n"
            "\n"
            "; about b\n"
            "[b]\n"
            "k=2\n");
}

TEST_F(IniWriteTest, NewKeyInEmptySectionFollowsTheHeader) {
  IniFile ini(Put("[a]\n\n[b]\n"));
  ASSERT_TRUE(ini.WriteInt("a", "x", -5));
  EXPECT_EQ(OnDisk(), "[a]\nx=-5\n\n[b]\n");
}

TEST_F(IniWriteTest, NewSectionIsAppendedWithTheFileLineEnding) {
  IniFile ini(Put("[a]\r\nk=1\r\n"));
  ASSERT_TRUE(ini.WriteFlag("doubleclick", "dc", false));
  EXPECT_EQ(OnDisk(), "[a]\r\nk=1\r\n[doubleclick]\r\ndc=0\r\n");
  EXPECT_FALSE(ini.ReadFlag("doubleclick", "dc", true));
}

TEST_F(IniWriteTest, MissingFinalNewlineStaysMissing) {
  IniFile ini(Put("[a]\nk=1"));
  ASSERT_TRUE(ini.WriteString("a", "n", "2"));
  EXPECT_EQ(OnDisk(), "[a]\nk=1\nn=2");
  ASSERT_TRUE(ini.WriteString("b", "m", "3"));
  EXPECT_EQ(OnDisk(), "[a]\nk=1\nn=2\n[b]\nm=3");
  ASSERT_TRUE(ini.WriteString("b", "m", "4"));
  EXPECT_EQ(OnDisk(), "[a]\nk=1\nn=2\n[b]\nm=4");
}

TEST_F(IniWriteTest, MixedLineEndingsKeepTheirOwnBytes) {
  IniFile ini(Put("[a]\nk=1\r\n[b]\r\nj=2\n"));
  ASSERT_TRUE(ini.WriteString("b", "j", "3"));
  EXPECT_EQ(OnDisk(), "[a]\nk=1\r\n[b]\r\nj=3\n");

  // A file with CR-only line endings gets its new lines ended the same way.
  IniFile cr(Put("[a]\rk=1\r"));
  ASSERT_TRUE(cr.WriteString("a", "n", "2"));
  EXPECT_EQ(OnDisk(), "[a]\rk=1\rn=2\r");
}

TEST_F(IniWriteTest, WriteCreatesMissingFile) {
  IniFile ini(file_);
  ASSERT_TRUE(ini.WriteString("skin", "dir", "wood"));
  EXPECT_EQ(OnDisk(), "[skin]\r\ndir=wood\r\n");
  IniFile again(file_);
  EXPECT_EQ(again.ReadString("skin", "dir", ""), "wood");
  EXPECT_EQ(again.charset(), IniCharset::kUtf8);
}

TEST_F(IniWriteTest, LongFileNameCanBeWritten) {
  // The longest name a folder entry may have (255 on the file systems of
  // Linux and Windows); the temporary file must fit too.
  const std::filesystem::path file = folder_ / (std::string(255 - 4, 'n') + ".ini");
  IniFile ini(file);
  const Result<void> written = ini.WriteString("skin", "dir", "wood");
  ASSERT_TRUE(written) << written.error().message;
  EXPECT_EQ(ReadBytes(file), "[skin]\r\ndir=wood\r\n");
}

TEST_F(IniWriteTest, ValuesReadBackExactly) {
  IniFile ini(file_);
  const std::vector<std::string> values = {"",
                                           " ",
                                           "  padded  ",
                                           "\"quoted\"",
                                           "'single'",
                                           "\"",
                                           "'",
                                           "a=b",
                                           "; semi",
                                           "tab\tin",
                                           "temp\\freebutton3_u.png",
                                           "Кнопка №1",
                                           "\"x'"};
  for (size_t i = 0; i < values.size(); ++i) {
    ASSERT_TRUE(ini.WriteString("v", 'k' + std::to_string(i), values[i])) << i;
  }
  IniFile reread(file_);
  for (size_t i = 0; i < values.size(); ++i) {
    EXPECT_EQ(reread.ReadString("v", 'k' + std::to_string(i), "?"), values[i]) << i;
  }
}

TEST_F(IniWriteTest, InvalidNamesAndValuesAreRefusedWithoutWriting) {
  const std::string before = "[a]\nk=1\n";
  IniFile ini(Put(before));
  EXPECT_FALSE(ini.WriteString("", "k", "v"));
  EXPECT_FALSE(ini.WriteString("  ", "k", "v"));
  EXPECT_FALSE(ini.WriteString("a]b", "k", "v"));
  EXPECT_FALSE(ini.WriteString("a", "", "v"));
  EXPECT_FALSE(ini.WriteString("a", "k=j", "v"));
  EXPECT_FALSE(ini.WriteString("a", ";k", "v"));
  EXPECT_FALSE(ini.WriteString("a", "[k]", "v"));
  EXPECT_FALSE(ini.WriteString("a", "k", "two\nlines"));
  EXPECT_FALSE(ini.WriteString("a", "k", "cr\r"));
  EXPECT_FALSE(ini.WriteString("a\n", "k", "v"));
  EXPECT_FALSE(ini.WriteString("a", "k", "\xFF not utf-8"));
  EXPECT_EQ(OnDisk(), before);
  EXPECT_EQ(ini.ReadString("a", "k", ""), "1");
}

TEST_F(IniWriteTest, EraseSectionRemovesItsKeysAndKeepsTheRest) {
  IniFile ini(
      Put("; header comment\n"
          "[button1]\n"
          "object=a\n"
          "[button2]\n"
          "object=b\n"
          "image=temp\\freebutton2_u.png\n"
          "\n"
          "[BUTTON2]\n"
          "object=duplicate\n"
          "[button3]\n"
          "object=c"));
  ASSERT_TRUE(ini.EraseSection("BUTTON2"));
  EXPECT_EQ(OnDisk(),
            "; header comment\n"
            "[button1]\n"
            "object=a\n"
            "[button3]\n"
            "object=c");
  EXPECT_FALSE(ini.HasSection("button2"));
  EXPECT_EQ(ini.ReadString("button3", "object", ""), "c");
  EXPECT_EQ(ini.SectionNames(), (std::vector<std::string>{"button1", "button3"}));
}

TEST_F(IniWriteTest, ErasingAMissingSectionTouchesNothing) {
  IniFile absent(file_);
  EXPECT_TRUE(absent.EraseSection("skin6"));
  EXPECT_FALSE(std::filesystem::exists(file_));

  IniFile present(Put("[a]\nk=1\n"));
  const std::optional<FileIdentity> before = IdentifyFile(file_);
  ASSERT_TRUE(before);
  EXPECT_TRUE(present.EraseSection("b"));
  const std::optional<FileIdentity> after = IdentifyFile(file_);
  ASSERT_TRUE(after);
  EXPECT_EQ(OnDisk(), "[a]\nk=1\n");
  // An atomic write would have put a new file (a new file number) in place.
  EXPECT_EQ(after->file, before->file);
}

TEST_F(IniWriteTest, WrittenFileIsWhatMemoryShows) {
  IniFile ini(Put("[a]\nk=1\n"));
  ASSERT_TRUE(ini.WriteString("a", "k", "2"));
  ASSERT_TRUE(ini.WriteString("b", "x", "3"));
  ASSERT_TRUE(ini.EraseSection("a"));
  IniFile fresh(file_);
  EXPECT_EQ(fresh.SectionNames(), ini.SectionNames());
  EXPECT_EQ(fresh.ReadString("b", "x", ""), ini.ReadString("b", "x", "?"));
  EXPECT_FALSE(fresh.HasSection("a"));
}

TEST_F(IniWriteTest, WriteKeepsPermissionsAndLeavesNoTemporaryFiles) {
  IniFile ini(Put("[a]\nk=1\n"));
  std::filesystem::permissions(file_, std::filesystem::perms::owner_read |
                                          std::filesystem::perms::owner_write |
                                          std::filesystem::perms::group_read);
  ASSERT_TRUE(ini.WriteString("a", "k", "2"));
#ifndef _WIN32  // Windows keeps no permission bits
  EXPECT_EQ(std::filesystem::status(file_).permissions(), std::filesystem::perms::owner_read |
                                                              std::filesystem::perms::owner_write |
                                                              std::filesystem::perms::group_read);
#endif
  int entries = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder_.path())) {
    ++entries;
  }
  EXPECT_EQ(entries, 1);
}

}  // namespace
}  // namespace moravel
