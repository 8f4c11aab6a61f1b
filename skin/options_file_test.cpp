#include "skin/options_file.h"

#include <gtest/gtest.h>

#include "system/system.h"

namespace ac {
namespace {

std::vector<std::string> SectionNames(const TOptionsFile& f) {
  std::vector<std::string> names;
  for (const auto& s : f.Sections()) names.push_back(s.Name());
  return names;
}

std::vector<std::string> KeyNames(const TOptionSection& s) {
  std::vector<std::string> names;
  for (const auto& k : s.Keys()) names.push_back(k.Name);
  return names;
}

TEST(OptionsFile, GrammarOfSectionsAndKeys) {
  auto f = TOptionsFile::FromText(
      "BEFORE=ignored\r\n"
      "[ GLOBALINFO ]\r\n"
      "  VERSION = 15.00  \r\n"
      "; a comment\r\n"
      "\r\n"
      "AUTHOR=Someone = else\r\n"
      "NOVALUE\r\n"
      "[globalinfo]\n"
      "VERSION=lower\n"
      "[BUTTON]\r"
      "COLOR=1\r"
      "[GLOBALINFO]\n"
      "MainFont=Tahoma\n"
      "mainfont=other\n");
  EXPECT_EQ(SectionNames(f), (std::vector<std::string>{"GLOBALINFO", "globalinfo", "BUTTON"}));
  const TOptionSection* g = f.Find("GLOBALINFO");
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(KeyNames(*g),
            (std::vector<std::string>{"VERSION", "AUTHOR", "NOVALUE", "MainFont", "mainfont"}));
  EXPECT_EQ(f.Value("GLOBALINFO", "VERSION"), "15.00");
  EXPECT_EQ(f.Value("GLOBALINFO", "AUTHOR"), "Someone = else");
  EXPECT_EQ(f.Value("GLOBALINFO", "NOVALUE"), "");
  EXPECT_EQ(f.Value("GLOBALINFO", "MainFont"), "Tahoma");
  EXPECT_EQ(f.Value("GLOBALINFO", "MAINFONT"), std::nullopt);
  EXPECT_EQ(f.Value("globalinfo", "VERSION"), "lower");
  EXPECT_EQ(f.Value("BUTTON", "COLOR"), "1");
  EXPECT_EQ(f.Find("BEFORE"), nullptr);
  EXPECT_EQ(f.IndexOf("BUTTON"), 2);
  EXPECT_EQ(f.IndexOf("NONE"), -1);
}

TEST(OptionsFile, RepeatedKeyKeepsTheFirstAndIsRecorded) {
  auto f = TOptionsFile::FromText("[A]\nK=1\nK=2\n");
  EXPECT_EQ(f.Value("A", "K"), "1");
  ASSERT_EQ(f.Repeats().size(), 1u);
  EXPECT_EQ(f.Repeats()[0].first, "A");
  EXPECT_EQ(f.Repeats()[0].second.Value, "2");
  EXPECT_EQ(f.Repeats()[0].second.Line, 3);
}

TEST(OptionsFile, TrimsAllControlCharacters) {
  auto f = TOptionsFile::FromText(std::string("[S]\n\t\x01K\x1f=\x02V \x7f\n", 14));
  EXPECT_EQ(f.Value("S", "K"), "V \x7f");
}

TEST(OptionsFile, BracketLinesThatAreNotHeaders) {
  auto f = TOptionsFile::FromText("[S]\n[\n[X\n]\n");
  EXPECT_EQ(KeyNames(*f.Find("S")), (std::vector<std::string>{"[", "[X", "]"}));
}

TEST(OptionsFile, DecodesByByteOrderMark) {
  const std::string text = "[S]\r\nK=\xC3\xA9\r\n";  // "é" in UTF-8
  EXPECT_EQ(TOptionsFile::FromBytes("\xEF\xBB\xBF" + text).Value("S", "K"), "\xC3\xA9");

  std::string le = "\xFF\xFE", be = "\xFE\xFF";
  for (char16_t c : std::u16string(u"[S]\nK=\u00E9\U0001F600")) {
    le += static_cast<char>(c & 0xFF);
    le += static_cast<char>(c >> 8);
    be += static_cast<char>(c >> 8);
    be += static_cast<char>(c & 0xFF);
  }
  EXPECT_EQ(TOptionsFile::FromBytes(le).Value("S", "K"), "\xC3\xA9\xF0\x9F\x98\x80");
  EXPECT_EQ(TOptionsFile::FromBytes(be).Value("S", "K"), "\xC3\xA9\xF0\x9F\x98\x80");
  // Without a mark the ANSI page applies (Windows-1252 natively).
  EXPECT_EQ(TOptionsFile::FromBytes("[S]\nK=\xE9\x80").Value("S", "K"),
            platform::AnsiToUtf8("\xE9\x80"));
#ifndef _WIN32
  EXPECT_EQ(TOptionsFile::FromBytes("[S]\nK=\xE9\x80").Value("S", "K"), "\xC3\xA9\xE2\x82\xAC");
#endif
}

TEST(OptionsFile, BrokenUtf16DecodesToReplacementCharacters) {
  EXPECT_EQ(DecodeTextFile(std::string("\xFF\xFE"
                                       "A\0\x00\xD8"
                                       "B",
                                       7)),
            "A\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(OptionsFile, UpperCaseIsAsciiOnly) {
  EXPECT_EQ(UpperCaseAscii("master copy.png \xC3\xA9"), "MASTER COPY.PNG \xC3\xA9");
}

}  // namespace
}  // namespace ac
