#include "skin/gradient_parse.h"

#include <gtest/gtest.h>

#include "core/errors.h"

namespace ac {
namespace {

struct Expect {
  uint32_t Color;
  int32_t Percent;
  int32_t Mode;
};

void ExpectPoints(const TsGradArray& g, const std::vector<Expect>& e) {
  ASSERT_EQ(g.size(), e.size());
  for (std::size_t i = 0; i < e.size(); ++i) {
    EXPECT_EQ(g[i].Index, i);
    EXPECT_EQ(static_cast<uint32_t>(g[i].Color.C), e[i].Color) << i;
    EXPECT_EQ(g[i].Percent, e[i].Percent) << i;
    EXPECT_EQ(g[i].Mode, e[i].Mode) << i;
  }
}

TEST(GradientParse, NoGradient) {
  EXPECT_TRUE(ParseGradient("N/A").empty());
  EXPECT_TRUE(ParseGradient("").empty());
  EXPECT_TRUE(ParseGradient("1;0A").empty());             // four characters
  EXPECT_TRUE(ParseGradient("1;2;3;4;5;6;7;5").empty());  // last character neither 0 nor a letter
  EXPECT_TRUE(ParseGradient("12;34;56;0").empty());       // no whole segment
}

TEST(GradientParse, SegmentFormExample) {
  ExpectPoints(ParseGradient("16777215;16579836;97;0;0;16579836;16579836;0;0;0"),
               {{0xFFFFFFFF, 0, 0}, {0xFF000000u | 16579836u, 100, 0}});
}

TEST(GradientParse, SegmentPercentsAreRunningSums) {
  ExpectPoints(
      ParseGradient("1;0;30;1;0;2;0;50;17;0;3;0;20;1;0;4;0;-10;1;0"),
      {{0xFF000001, 0, 1}, {0xFF000002, 30, 1}, {0xFF000003, 80, 1}, {0xFF000004, 100, 1}});
  // Lengths above 100 count as 100; negative lengths add nothing.
  ExpectPoints(ParseGradient("1;0;-40;0;0;2;0;250;0;0;3;0;0;0;0"),
               {{0xFF000001, 0, 0}, {0xFF000002, 0, 0}, {0xFF000003, 100, 0}});
}

TEST(GradientParse, SegmentTriangleExtendsToFivePoints) {
  ExpectPoints(ParseGradient("1;0;50;2;0;2;0;50;0;0"), {{0xFF000001, 0, 2},
                                                        {0xFF000002, 50, 0},
                                                        {0xFF000002, 50, 0},
                                                        {0xFF000002, 50, 0},
                                                        {0xFF000002, 100, 0}});
}

TEST(GradientParse, StopForm) {
  ExpectPoints(ParseGradient("255;0;0;65280;40;0;B"), {{255, 0, 0}, {65280, 100, 0}});
  // Bit 16 on any point adds bit 32 to the first; percents are clamped.
  ExpectPoints(ParseGradient("255;-5;1;$FF00;150;16;4294967295;50;0;C"),
               {{255, 0, 33}, {0xFF00, 100, 16}, {0xFFFFFFFF, 100, 0}});
  ExpectPoints(ParseGradient(";;255;;0;;2;;A"), {{255, 100, 2}});
}

TEST(GradientParse, MissingOrNonNumericTokenIsAConversionError) {
  for (const char* text : {"255;0;0;C", "255;x;0;65280;40;0;B", "1;2;abc;4;5;0",
                           "255;0;0;65280;40;0B", "1;2;3;4;5;6;7;8;9;10;11;12;z"}) {
    EXPECT_THROW(ParseGradient(text), EConvertError) << text;
  }
}

}  // namespace
}  // namespace ac
