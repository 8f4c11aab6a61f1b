#include "skin/option_values.h"

#include <gtest/gtest.h>

#include "core/errors.h"

namespace ac {
namespace {

TEST(OptionValues, IntegerGrammar) {
  struct Case {
    const char* Text;
    std::optional<int32_t> Expected;
  };
  const Case cases[] = {
      {"12", 12},
      {"-5", -5},
      {"007", 7},
      {"$FF", 255},
      {"0x1f", 31},
      {"0XFF", 255},
      {"$FFFFFFFF", -1},
      {"$00000010", 16},
      {"-2147483648", INT32_MIN},
      {"2147483647", INT32_MAX},
      {"2147483648", std::nullopt},
      {"4294967295", std::nullopt},
      {"$100000000", std::nullopt},
      {"", std::nullopt},
      {"abc", std::nullopt},
      {"+1", std::nullopt},
      {"1.5", std::nullopt},
      {"1 2", std::nullopt},
      {"$", std::nullopt},
      {"0x", std::nullopt},
      {"-", std::nullopt},
      {"-$10", std::nullopt},
      {"$FG", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseInteger(c.Text), c.Expected) << c.Text;
}

TEST(OptionValues, SixtyFourBitReaderTruncates) {
  EXPECT_EQ(TruncateTo32(*ParseInt64("4294967295")), -1);
  EXPECT_EQ(TruncateTo32(*ParseInt64("4294967296")), 0);
  EXPECT_EQ(TruncateTo32(*ParseInt64("-1")), -1);
  EXPECT_EQ(ParseInt64("9223372036854775808"), std::nullopt);
  EXPECT_EQ(ParseInt64("$FF"), std::nullopt);

  auto f = TOptionsFile::FromText("[G]\nA=4294967295\nB=12x\nC=\n");
  EXPECT_EQ(ReadInt64Truncated(f, "G", "A", 7), -1);
  EXPECT_EQ(ReadInt64Truncated(f, "G", "C", 7), 7);
  EXPECT_EQ(ReadInt64Truncated(f, "G", "D", 7), 7);
  try {
    ReadInt64Truncated(f, "G", "B", 7);
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    std::string m = e.what();
    EXPECT_NE(m.find("\"12x\""), std::string::npos) << m;
    EXPECT_NE(m.find("\"G\""), std::string::npos) << m;
    EXPECT_NE(m.find("\"B\""), std::string::npos) << m;
  }
}

TEST(OptionValues, EmptyValuesPerType) {
  auto f = TOptionsFile::FromText("[S]\nI=\nB=\nT=\nV=\nN=abc\n");
  EXPECT_EQ(ReadInteger(f, "S", "I", 5), 5);
  EXPECT_EQ(ReadInteger(f, "S", "N", 5), 5);
  EXPECT_FALSE(ReadBoolean(f, "S", "B", true));
  EXPECT_TRUE(ReadBoolean(f, "S", "missing", true));
  EXPECT_EQ(ReadText(f, "S", "T", "def"), "");
  EXPECT_EQ(ReadText(f, "S", "missing", "def"), "def");
  EXPECT_EQ(ReadVersion(f, "S", "V", 3), 3);
}

TEST(OptionValues, BooleanIsExactlyTrueOrOne) {
  EXPECT_TRUE(ParseBoolean("TRUE"));
  EXPECT_TRUE(ParseBoolean("1"));
  for (const char* s : {"true", "True", "yes", "0", "", "2", " TRUE"})
    EXPECT_FALSE(ParseBoolean(s)) << s;
}

TEST(OptionValues, VersionUsesPointWhateverTheLocale) {
  EXPECT_EQ(ParseVersion("15.00"), 15.0);
  EXPECT_EQ(ParseVersion("15"), 15.0);
  EXPECT_EQ(ParseVersion("9.5"), 9.5);
  EXPECT_EQ(ParseVersion("15,00"), std::nullopt);
  EXPECT_EQ(ParseVersion("abc"), std::nullopt);
  EXPECT_EQ(ParseVersion(""), std::nullopt);
}

TEST(OptionValues, PpiToStep) {
  const std::pair<int, int> cases[] = {{72, 0},  {96, 0},  {110, 0}, {111, 1}, {120, 1}, {134, 1},
                                       {135, 2}, {144, 2}, {170, 2}, {171, 3}, {192, 3}, {288, 3}};
  for (auto [ppi, step] : cases) EXPECT_EQ(PpiToStep(ppi), step) << ppi;
  EXPECT_EQ(VariantKey("BICONMIN", 3), "BICONMIN*200");
  EXPECT_EQ(VariantKey("BICONMIN", 0), "BICONMIN");
}

TEST(OptionValues, ImageVariantTriesHigherStepsFirst) {
  auto f = TOptionsFile::FromText("[G]\nA=plain\nA*200=big\nB=plain\nB*125=mid\nC*200=only\n");
  const TOptionSection& g = *f.Find("G");
  auto at = [&](std::string_view key, int ppi) {
    auto v = FindImageVariant(g, key, ppi, PpiToStep(ppi));
    return v ? std::string(v->Value) + "@" + std::to_string(v->Step) : std::string("-");
  };
  EXPECT_EQ(at("A", 96), "plain@0");
  EXPECT_EQ(at("A", 120), "big@3");
  EXPECT_EQ(at("A", 144), "big@3");
  EXPECT_EQ(at("B", 144), "mid@1");  // no step 2 or 3: the lower steps, nearest first
  EXPECT_EQ(at("B", 130), "mid@1");  // 120 is below 130, so steps from 2 up, then down
  EXPECT_EQ(at("C", 96), "only@3");
  EXPECT_EQ(at("D", 96), "-");
}

TEST(OptionValues, ScaledReaders) {
  auto f = TOptionsFile::FromText("[G]\nW=10\nW*150=40\nX=3\nY*200=7\n");
  EXPECT_EQ(ReadScaledInteger(f, "G", "W", 1, 96, 0), 10);
  EXPECT_EQ(ReadScaledInteger(f, "G", "W", 1, 144, 2), 40);
  EXPECT_EQ(ReadScaledInteger(f, "G", "W", 1, 120, 1), 12);  // 12.5 rounds to even
  EXPECT_EQ(ReadScaledInteger(f, "G", "X", 1, 144, 2), 4);   // 4.5 rounds to even
  EXPECT_EQ(ReadScaledInteger(f, "G", "Z", 5, 96, 0), 5);
  EXPECT_EQ(ReadScaledInteger(f, "G", "Z", 5, 192, 3), 10);
  EXPECT_EQ(ReadScaledInteger(f, "G", "W", 1, 144, 2, 72), 30);
  EXPECT_EQ(ReadScaledIntegerTied(f, "G", "Y", 1, 96, 192), 4);  // 3.5 rounds to even
  EXPECT_EQ(ReadScaledIntegerTied(f, "G", "X", 1, 192, 192), 6);
  EXPECT_EQ(MulDivRound(-3, 144, 96), -4);
  EXPECT_EQ(MulDivRound(5, 1, 0), 5);
}

TEST(OptionValues, ParentChainStops) {
  auto f = TOptionsFile::FromText(
      "[A]\nPARENTCLASS=B\n[B]\nPARENTCLASS=C\nK=b\n[C]\nN=7\n"
      "[SELF]\nPARENTCLASS=SELF\n"
      "[ORPHAN]\nPARENTCLASS=NOWHERE\n"
      "[X]\nPARENTCLASS=Y\n[Y]\nPARENTCLASS=X\n"
      "[EMPTY]\nPARENTCLASS=\n");
  struct Case {
    const char* Section;
    std::size_t Length;
    TChainStop Stop;
  };
  const Case cases[] = {
      {"A", 3, TChainStop::NoParent},           {"SELF", 1, TChainStop::SelfReference},
      {"ORPHAN", 1, TChainStop::MissingParent}, {"X", 2, TChainStop::Cycle},
      {"EMPTY", 1, TChainStop::NoParent},       {"MISSING", 0, TChainStop::NoSection}};
  for (const auto& c : cases) {
    auto chain = ResolveParentChain(f, c.Section);
    EXPECT_EQ(chain.Sections.size(), c.Length) << c.Section;
    EXPECT_EQ(chain.Stop, c.Stop) << c.Section;
  }
  EXPECT_EQ(ResolveParentChain(f, "ORPHAN").StopName, "NOWHERE");

  auto k = ReadInheritedText(f, "A", "K");
  ASSERT_TRUE(k);
  EXPECT_EQ(k->Value, "b");
  EXPECT_EQ(k->Depth, 1u);
  auto n = ReadInheritedInteger(f, "A", "N");
  ASSERT_TRUE(n);
  EXPECT_EQ(n->Value, 7);
  EXPECT_EQ(n->Depth, 2u);
  for (const char* s : {"SELF", "ORPHAN", "X", "Y", "MISSING"})
    EXPECT_FALSE(ReadInheritedText(f, s, "K")) << s;
}

TEST(OptionValues, EmptyOrNonNumericIntegersFallThroughToTheParent) {
  auto f = TOptionsFile::FromText(
      "[P]\nSTATES=2\nGIVEOWNFONT=TRUE\n[C]\nPARENTCLASS=P\nSTATES=many\nGIVEOWNFONT=\n"
      "[D]\nPARENTCLASS=P\nSTATES=\n");
  EXPECT_EQ(ReadInheritedInteger(f, "C", "STATES")->Value, 2);
  EXPECT_EQ(ReadInheritedInteger(f, "D", "STATES")->Value, 2);
  // An empty boolean is present: false, and the parent is not asked.
  EXPECT_FALSE(ReadInheritedBoolean(f, "C", "GIVEOWNFONT", true));
  EXPECT_TRUE(ReadInheritedBoolean(f, "D", "GIVEOWNFONT", false));
}

}  // namespace
}  // namespace ac
