#include "stream/dfm_binary.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "stream/dfm_text.h"

namespace ac::dfm {
namespace {

TObjectNode EveryKind() {
  TObjectNode root{"TForm1", "Form1", {}, {}};
  root.Properties = {
      {"Left", TValue::MakeInt(786)},
      {"Tiny", TValue::MakeInt(-128)},
      {"Small", TValue::MakeInt(-32768)},
      {"Wide", TValue::MakeInt(2147483647)},
      {"Huge", TValue::MakeInt(-5000000000LL)},
      {"Version", TValue::MakeFloat(15)},
      {"Ratio", TValue::MakeFloat(-0.1)},
      {"Caption", TValue::MakeString("Копировать")},
      {"Empty", TValue::MakeString("")},
      {"Position", TValue::MakeIdent("poScreenCenter")},
      {"Visible", TValue::MakeBool(true)},
      {"ReadOnly", TValue::MakeBool(false)},
      {"BorderIcons", TValue::MakeSet({"biSystemMenu", "biHelp"})},
      {"NoIcons", TValue::MakeSet({})},
      {"Data", TValue::MakeBinary({0x41, 0x53, 0x7A, 0x66, 0x00, 0xFF})},
      {"NoData", TValue::MakeBinary({})},
      {"Lines", TValue::MakeList({TValue::MakeString("one"), TValue::MakeString(" ")})},
      {"Action", TValue::MakeNil()},
  };
  TCollectionItem item{{{"Name", TValue::MakeString("Skin (internal)")},
                        {"Version", TValue::MakeFloat(15)},
                        {"Data", TValue::MakeBinary({1, 2, 3})}}};
  root.Properties.push_back({"InternalSkins", TValue::MakeCollection({item, {}})});
  TObjectNode panel{"TsPanel", "sPanel1", {{"Left", TValue::MakeInt(1)}}, {}};
  panel.Children.push_back({"TsEdit", "sEdit1", {{"Font.Height", TValue::MakeInt(-11)}}, {}});
  root.Children.push_back(panel);
  root.Children.push_back({"TsSkinManager", "sSkinManager1", {}, {}});
  return root;
}

TEST(DfmBinary, EveryValueKindSurvivesTheRoundTrip) {
  const TObjectNode root = EveryKind();
  EXPECT_EQ(ReadBinary(WriteBinary(root)), root);
}

TEST(DfmBinary, TextFormRoundTripsThroughTheWriterToo) {
  const TObjectNode root = EveryKind();
  const std::string text = WriteText(root);
  EXPECT_EQ(ParseText(text), root) << text;
}

TEST(DfmBinary, LayoutOfASmallStreamIsExact) {
  TObjectNode root{"TF", "F", {{"A", TValue::MakeInt(300)}, {"B", TValue::MakeIdent("x")}}, {}};
  root.Children.push_back({"TC", "", {}, {}});
  const std::vector<uint8_t> expected = {
      'T', 'P', 'F', '0',  2,    'T', 'F', 1, 'F',  // class, name
      1,   'A', 3,   0x2C, 0x01,                    // A = Int16 300
      1,   'B', 7,   1,    'x',                     // B = Ident x
      0,                                            // end of properties
      2,   'T', 'C', 0,    0,    0,                 // child: no name, no properties, no children
      0};                                           // end of children
  EXPECT_EQ(WriteBinary(root), expected);
}

TEST(DfmBinary, IntegersUseTheSmallestWidth) {
  struct Case {
    int64_t Value;
    uint8_t Type;
  };
  for (const Case c : {Case{127, 2}, Case{-129, 3}, Case{32768, 4}, Case{1LL << 31, 16}}) {
    const auto bytes = WriteBinary({"T", "", {{"P", TValue::MakeInt(c.Value)}}, {}});
    EXPECT_EQ(bytes[9], c.Type) << c.Value;
    EXPECT_EQ(ReadBinary(bytes).Properties[0].Value.Int, c.Value);
  }
}

TEST(DfmBinary, VersionIsStoredAsAnExtendedFloat) {
  const auto bytes = WriteBinary({"T", "", {{"V", TValue::MakeFloat(15)}}, {}});
  // 15 = 1.875 * 2^3: significand F000..., exponent 16383 + 3 = $4002.
  const std::vector<uint8_t> ext = {0, 0, 0, 0, 0, 0, 0, 0xF0, 0x02, 0x40};
  ASSERT_EQ(bytes.size(), 4u + 2 + 1 + 2 + 1 + 10 + 1 + 1);
  EXPECT_EQ(bytes[9], 5);
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 10, bytes.begin() + 20), ext);
}

// Every proper prefix of a valid stream is rejected with EReadError.
TEST(DfmBinary, TruncatedStreamsAreRejected) {
  const auto bytes = WriteBinary(EveryKind());
  for (size_t n = 0; n < bytes.size(); ++n) {
    EXPECT_THROW(ReadBinary(std::span(bytes.data(), n)), EReadError) << n;
  }
}

TEST(DfmBinary, CorruptStreamsAreRejected) {
  const std::vector<uint8_t> good = WriteBinary({"T", "", {{"P", TValue::MakeInt(1)}}, {}});
  struct Case {
    const char* What;
    size_t Offset;
    uint8_t Byte;
  };
  const Case cases[] = {
      {"signature", 0, 'X'},
      {"unknown value type", 9, 99},
      {"vaNull as a value", 9, 0},
  };
  for (const auto& c : cases) {
    auto bad = good;
    bad[c.Offset] = c.Byte;
    EXPECT_THROW(ReadBinary(bad), EReadError) << c.What;
  }
  auto trailing = good;
  trailing.push_back(0);
  EXPECT_THROW(ReadBinary(trailing), EReadError);
}

TEST(DfmBinary, LengthsBeyondTheDataAreRejectedWithoutAllocating) {
  // A byte block that claims 4 GiB.
  std::vector<uint8_t> bad = {'T', 'P', 'F', '0', 1, 'T', 0, 1, 'P', 10, 0xFF, 0xFF, 0xFF, 0xFF};
  EXPECT_THROW(ReadBinary(bad), EReadError);
  bad[9] = 20;  // the same length for a string
  EXPECT_THROW(ReadBinary(bad), EReadError);
}

TEST(DfmBinary, DeepNestingIsRejected) {
  std::vector<uint8_t> bad = {'T', 'P', 'F', '0', 1, 'T', 0, 1, 'P'};
  for (int i = 0; i < 10000; ++i) bad.push_back(1);  // lists inside lists
  EXPECT_THROW(ReadBinary(bad), EReadError);
}

TEST(DfmBinary, ErrorNamesTheOffset) {
  std::vector<uint8_t> bad = {'T', 'P', 'F', '0', 1, 'T', 0, 1, 'P', 42};
  try {
    ReadBinary(bad);
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_STREQ(e.what(), "component stream: unknown value type 42 at offset 9");
  }
}

TEST(DfmBinary, WriterRefusesWhatTheFormatCannotHold) {
  EXPECT_THROW(WriteBinary({"T", std::string(256, 'x'), {}, {}}), std::invalid_argument);
  EXPECT_THROW(WriteBinary({"T", "", {{"", TValue::MakeInt(1)}}, {}}), std::invalid_argument);
  EXPECT_THROW(WriteBinary({"", "", {}, {}}), std::invalid_argument);
}

}  // namespace
}  // namespace ac::dfm
