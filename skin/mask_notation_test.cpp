#include "skin/mask_notation.h"

#include <gtest/gtest.h>

#include "core/errors.h"

namespace ac {
namespace {

constexpr const char* kZeros16 = "0000000000000000";

TEST(MaskNotation, EachNotationToItsCanonicalForm) {
  struct Case {
    const char* Value;
    std::string Canonical;
  };
  const std::string z16 = kZeros16, res = "000000";
  const Case cases[] = {
      {"&0000000001000080002000460021002120317000000EXTBORD.PNG",
       "&0000000001000080002000460021002120317000000EXTBORD.PNG"},
      {"@0057@0135@0108@0152@3@0", "&0057013501080152000000000000000030200000000"},
      {"@@0057@0135@@0108@0152@3@0@@", "&0057013501080152000000000000000030200000000"},
      // 48 characters, all bands zero, twelfth field zero: bands from the size.
      {"^0000^0086^0034^0154^0000^0000^0000^0000^1^1^5^0",
       "&0000008600340154" + std::string("0016001600160016") + "11005" + res},
      // The same without the twelfth field is 46 characters: bands stay zero.
      {"^0000^0086^0034^0154^0000^0000^0000^0000^1^1^5", "&0000008600340154" + z16 + "11005" + res},
      {"^0000^0086^0034^0154^0000^0000^0000^0000^1^1^5^7",
       "&0000008600340154" + std::string("0007000700070007") + "11005" + res},
      {"^0000^0000^0040^0020^0003^0004^0005^0006^2^0^12^9",
       "&0000000000400020" + std::string("0003000400050006") + "20012" + res},
      {"~0010~0020~0030~0040~05~2", "&0010002000300040" + z16 + "12105" + res},
      {"~0010~0020~0030~0040~05~2~tex.png", "&0010002000300040" + z16 + "12105" + res + "TEX.PNG"},
      {"!frame.png!2!1!0!0005!0006!0007!0008!3",
       "&" + z16 + "0005000600070008" + "21003" + res + "FRAME.PNG"},
      {"!TEX.JPG!1!0!1!0005!0006!0007!0008!4", "&" + z16 + z16 + "10104" + res + "TEX.JPG"},
      {"!GLOW.PNG!4!2!3", "&" + z16 + z16 + "10300" + res + "GLOW.PNG"},
      {"!GLOW.PNG!2!0!3!0009!0009!0009!0009!17",
       "&" + z16 + "0009000900090009" + "20317" + res + "GLOW.PNG"},
      {"!G.PNG!2!0!2!0001!0002!0003!0004!16", "&0001000200030004" + z16 + "20216" + res + "G.PNG"},
      {"!G.PNG!2!0!4", "&" + z16 + z16 + "20400" + res + "G.PNG"},
      // The type field is lenient: a non-number reads as 0 (border).
      {"!G.PNG!1!0!X!0001!0002!0003!0004!1",
       "&" + z16 + "0001000200030004" + "10001" + res + "G.PNG"},
      {"glyph.bmp", "&" + z16 + z16 + "10100" + res + "GLYPH.BMP"},
      // Three characters or fewer: three images, draw mode 01, never found.
      {"N/A", "&" + z16 + z16 + "30101" + res + "N/A"},
      {"@AB", "&" + z16 + z16 + "30201" + res + "@AB"},
      {"^1", "&" + z16 + z16 + "30001" + res + "^1"},
  };
  for (const auto& c : cases) EXPECT_EQ(ToCanonicalMask(c.Value), c.Canonical) << c.Value;
}

TEST(MaskNotation, AtAndAmpersandDescribeTheSameGlyph) {
  auto a = ParseMaskValue("@0057@0135@0108@0152@3@0", "S", "K");
  auto b = ParseMaskValue("&0057013501080152000000000000000030200000000", "S", "K");
  EXPECT_EQ(a, b);
  EXPECT_EQ(a.R, TRect::LTRB(57, 135, 108, 152));
  EXPECT_EQ(a.ImageCount, 3);
  EXPECT_EQ(a.MaskType, 0);
  EXPECT_EQ(a.ImgType, itisaGlyph);
  EXPECT_EQ(a.DrawMode, 0);
  EXPECT_EQ(a.FileName, "");
}

TEST(MaskNotation, CanonicalFields) {
  auto m = ParseMaskValue("&0000000001000080002000460021002120317000000EXTBORD.PNG", "G", "K");
  EXPECT_EQ(m.R, TRect::LTRB(0, 0, 100, 80));
  EXPECT_EQ((std::array{m.WL, m.WT, m.WR, m.WB}), (std::array{20, 46, 21, 21}));
  EXPECT_EQ(m.ImageCount, 2);
  EXPECT_EQ(m.MaskType, 0);
  EXPECT_EQ(m.ImgType, itisaGlow);
  EXPECT_EQ(m.DrawMode, 17);
  EXPECT_EQ(m.FileName, "EXTBORD.PNG");

  // Types above 4 read as 4; a value that stops after the draw mode has no file.
  auto g = ParseMaskValue("&00000000000000000000000000000000117990000", "G", "K");
  EXPECT_EQ(g.ImgType, itisaPngGlyph);
  EXPECT_EQ(g.DrawMode, 99);
  EXPECT_EQ(g.FileName, "");
}

TEST(MaskNotation, MalformedFixedFieldIsAConversionError) {
  const char* bad[] = {
      "&0000000001000080002000460021002120X17000000EXTBORD.PNG",  // letter in ImgType
      "&00000000010000800020004600210021 0317000000",             // blank in a count
      "&000000000100",                                            // too short
      "^0000^0086^0034^0154^0000^0000^0000^0000^A^1^5",
      "~0010~0020~0030~0040~5~2~T.PNG",  // position 25 is a separator, not the mask type
  };
  for (const char* v : bad) {
    try {
      ParseMaskValue(v, "BUTTON", "BORDERSMASK");
      ADD_FAILURE() << "no error for " << v;
    } catch (const EConvertError& e) {
      std::string m = e.what();
      EXPECT_NE(m.find("\"BUTTON\""), std::string::npos) << m;
      EXPECT_NE(m.find("\"BORDERSMASK\""), std::string::npos) << m;
      EXPECT_NE(m.find(v), std::string::npos) << m;
    }
  }
}

TEST(MaskNotation, WhichValuesAreMasks) {
  for (const char* v : {"!A", "&", "@1", "^", "~", "X.JPG", "A.BMP.OLD"})
    EXPECT_TRUE(IsMaskValue(v)) << v;
  for (const char* v : {"", "X.PNG", "N/A", "15.00", "TAHOMA"}) EXPECT_FALSE(IsMaskValue(v)) << v;
}

TEST(MaskNotation, ProblemsNameMisplacedFields) {
  EXPECT_TRUE(MaskNotationProblems("@0057@0135@0108@0152@3@0").empty());
  EXPECT_EQ(MaskNotationProblems("@0057@135@0108@0152@3@0").size(), 1u);
  EXPECT_EQ(MaskNotationProblems("@0057@0135@0108").size(), 1u);
  EXPECT_EQ(MaskNotationProblems("~0010~0020~0030~0040~5~2").size(), 1u);
  EXPECT_TRUE(MaskNotationProblems("!TEX.JPG!1!0!1").empty());
  EXPECT_TRUE(MaskNotationProblems("N/A").empty());
}

}  // namespace
}  // namespace ac
