// Charsets of settings files: UTF-8 when valid, else Windows-1251, written
// back as read; and the case folding used for names.

#include <gtest/gtest.h>

#include "SettingsTestFiles.h"
#include "settings/CaseFold.h"
#include "settings/IniFile.h"
#include "settings/IniText.h"
#include "settings/TextEncoding.h"

namespace moravel {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

const std::filesystem::path kCp1251Fixture =
    std::filesystem::path(MORAVEL_TEST_DATA) / "settings" / "cp1251.ini";

TEST(TextEncodingTest, Utf8Validation) {
  EXPECT_TRUE(IsValidUtf8(""));
  EXPECT_TRUE(IsValidUtf8("plain ascii"));
  EXPECT_TRUE(IsValidUtf8("Дерево € \xF0\x9F\x98\x80"));
  EXPECT_TRUE(IsValidUtf8(std::string_view("\0", 1)));
  EXPECT_FALSE(IsValidUtf8("\xC4\xE5\xF0\xE5\xE2\xEE"));  // "Дерево" in 1251
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));                  // overlong "/"
  EXPECT_FALSE(IsValidUtf8("\xE0\x80\xAF"));              // overlong "/"
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));              // surrogate U+D800
  EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));          // above U+10FFFF
  EXPECT_FALSE(IsValidUtf8("\xD0"));                      // cut short
  EXPECT_FALSE(IsValidUtf8("\x80"));                      // stray continuation
  EXPECT_FALSE(IsValidUtf8("\xF8\x88\x80\x80\x80"));      // five-byte form
}

TEST(TextEncodingTest, Cp1251RoundTripsEveryByte) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::string utf8 = Cp1251ToUtf8(all);
  EXPECT_TRUE(IsValidUtf8(utf8));
  EXPECT_EQ(Utf8ToCp1251(utf8), all);
}

TEST(TextEncodingTest, Cp1251KnownLetters) {
  EXPECT_EQ(Cp1251ToUtf8("\xC0\xDF\xE0\xFF\xA8\xB8\xB9\x88\xA5\xB4"), "АЯаяЁё№€Ґґ");
  EXPECT_EQ(Utf8ToCp1251("Привет, мир"), "\xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0");
  EXPECT_EQ(Utf8ToCp1251("日本"), std::nullopt);
  EXPECT_EQ(Utf8ToCp1251("\xFF"), std::nullopt);
}

TEST(IniTextTest, DecodeChoosesCharsetAndKeepsTheMark) {
  const IniText utf8 = DecodeIniBytes("\xEF\xBB\xBF[a]\nk=Дерево\n");
  EXPECT_EQ(utf8.charset, IniCharset::kUtf8);
  EXPECT_TRUE(utf8.byteOrderMark);
  EXPECT_EQ(utf8.text, "[a]\nk=Дерево\n");

  const IniText cp = DecodeIniBytes("[a]\nk=\xC4\xE5\xF0\xE5\xE2\xEE\n");
  EXPECT_EQ(cp.charset, IniCharset::kCp1251);
  EXPECT_FALSE(cp.byteOrderMark);
  EXPECT_EQ(cp.text, "[a]\nk=Дерево\n");

  for (std::string_view bytes : {std::string_view("\xEF\xBB\xBF[a]\nk=\xC4\xE5\n"),
                                 std::string_view("\xEF\xBB\xBF"), std::string_view("")}) {
    const IniText decoded = DecodeIniBytes(bytes);
    EXPECT_EQ(EncodeIniText(decoded.text, decoded.charset, decoded.byteOrderMark), bytes);
  }
}

TEST(IniEncodingTest, Cp1251FileIsReadAsText) {
  IniFile ini(kCp1251Fixture);
  ASSERT_TRUE(ini.readable());
  EXPECT_EQ(ini.charset(), IniCharset::kCp1251);
  EXPECT_EQ(ini.ReadString("skin", "name", ""), "Дерево");
  EXPECT_EQ(ini.ReadString("button1", "object", ""), "C:\\Мои документы\\отчёт.doc");
  EXPECT_EQ(ini.ReadInt("button1", "x", 0), -200);
}

TEST(IniEncodingTest, Cp1251FileIsWrittenBackAsCp1251) {
  TempFolder folder;
  const std::filesystem::path file = folder / "config.ini";
  const std::string original = ReadBytes(kCp1251Fixture);
  ASSERT_FALSE(original.empty());
  WriteBytes(file, original);

  IniFile ini(file);
  ASSERT_TRUE(ini.WriteString("button1", "caption", "Привет"));
  // The fixture ends without a line ending after "x=-200".
  EXPECT_EQ(ReadBytes(file), original + "\r\ncaption=\xCF\xF0\xE8\xE2\xE5\xF2");
  ASSERT_TRUE(ini.WriteString("skin", "name", "Металл"));
  IniFile reread(file);
  EXPECT_EQ(reread.charset(), IniCharset::kCp1251);
  EXPECT_EQ(reread.ReadString("skin", "name", ""), "Металл");
  EXPECT_EQ(reread.ReadString("button1", "caption", ""), "Привет");
  EXPECT_EQ(reread.ReadString("button1", "object", ""), "C:\\Мои документы\\отчёт.doc");
}

TEST(IniEncodingTest, Cp1251FileTakingForeignCharacterBecomesUtf8) {
  TempFolder folder;
  const std::filesystem::path file = folder / "config.ini";
  const std::string original = ReadBytes(kCp1251Fixture);
  WriteBytes(file, original);

  IniFile ini(file);
  ASSERT_TRUE(ini.WriteString("skin", "title", "木"));
  EXPECT_EQ(ini.charset(), IniCharset::kUtf8);
  // Every line is now UTF-8; the text is otherwise unchanged.
  EXPECT_EQ(ReadBytes(file),
            "; Обложка \"Дерево\"\r\n[skin]\r\ndir=wood\r\nname = Дерево\r\ntitle=木\r\n\r\n"
            "[button1]\r\nobject=C:\\Мои документы\\отчёт.doc\r\nx=-200");
  IniFile reread(file);
  EXPECT_EQ(reread.charset(), IniCharset::kUtf8);
  EXPECT_EQ(reread.ReadString("skin", "title", ""), "木");
  EXPECT_EQ(reread.ReadString("skin", "name", ""), "Дерево");
}

TEST(IniEncodingTest, Cp1251FileThatWouldPassForUtf8BecomesUtf8) {
  TempFolder folder;
  const std::filesystem::path file = folder / "config.ini";
  // "\xD0\xB3" is "Рі" in 1251 but also valid UTF-8; only "\xC4" (Д) before
  // the line break makes the file 1251.
  WriteBytes(file, "[a]\r\nx=\xD0\xB3\r\ny=\xC4\r\n");
  IniFile ini(file);
  ASSERT_EQ(ini.charset(), IniCharset::kCp1251);
  ASSERT_EQ(ini.ReadString("a", "x", ""), "Рі");
  ASSERT_TRUE(ini.WriteString("a", "y", "z"));
  EXPECT_EQ(ReadBytes(file), "[a]\r\nx=Рі\r\ny=z\r\n");
  IniFile reread(file);
  EXPECT_EQ(reread.ReadString("a", "x", ""), "Рі");
}

TEST(IniEncodingTest, Utf8FileWithMarkKeepsIt) {
  TempFolder folder;
  const std::filesystem::path file = folder / "user.ini";
  WriteBytes(file, "\xEF\xBB\xBF[button1]\r\nobject=/home/пользователь\r\n");
  IniFile ini(file);
  EXPECT_EQ(ini.ReadString("button1", "object", ""), "/home/пользователь");
  ASSERT_TRUE(ini.WriteString("button1", "tr", "0"));
  EXPECT_EQ(ReadBytes(file), "\xEF\xBB\xBF[button1]\r\nobject=/home/пользователь\r\ntr=0\r\n");
}

TEST(CaseFoldTest, FoldsAsciiAndCyrillicOnly) {
  EXPECT_EQ(FoldCase("Button1_UP.PNG"), "button1_up.png");
  EXPECT_EQ(FoldCase("ДЕРЕВО Ёлка ЂЏ Ґ"), "дерево ёлка ђџ ґ");
  EXPECT_EQ(FoldCase("ÄÖ"), "ÄÖ");
  EXPECT_TRUE(EqualsIgnoringCase("МОИ Документы", "мои документы"));
  EXPECT_FALSE(EqualsIgnoringCase("a", "b"));
  // Bytes of invalid UTF-8 pass through; a lead byte does not swallow "A".
  EXPECT_EQ(FoldCase("\xD0"
                     "A\xFF"),
            "\xD0"
            "a\xFF");
}

}  // namespace
}  // namespace moravel
