#include "skin/skin_model.h"

#include <gtest/gtest.h>

#include <set>

#include "core/errors.h"
#include "skin/skin_model_check.h"
#include "skin/skin_model_keys.h"

namespace ac {
namespace {

constexpr const char* kSkin =
    "[GLOBALINFO]\n"
    "MASTERBITMAP=MASTER.PNG\n"
    "VERSION=15.00\n"
    "BICONMIN=@0057@0135@0108@0152@3@0\n"
    "BICONMIN*200=!bigmin.png!3!0!2\n"
    "TITLEHEIGHT=30\n"
    "TITLEHEIGHT*150=44\n"
    "EXBORDER=&0000000001000080002000460021002120317000000EXTBORD.PNG\n"
    "BICONCLOSEGLOW=2\n"
    "[BUTTON]\n"
    "STATES=2\n"
    "COLOR=255\n"
    "BORDERSMASK=^0000^0086^0034^0154^0000^0000^0000^0000^1^1^5^0\n"
    "GRADIENTDATA=16777215;16579836;97;0;0;16579836;16579836;0;0;0\n"
    "[EDIT]\n"
    "PARENTCLASS=BUTTON\n";

TEST(SkinModel, ReadsSectionsMasksAndPalette) {
  auto m = ReadSkinModel(TOptionsFile::FromText(kSkin));
  EXPECT_EQ(m.Common.Version, 15.0);
  ASSERT_EQ(m.Data.gd.size(), 3u);
  EXPECT_EQ(m.Data.gd[2].ClassName, "EDIT");
  EXPECT_EQ(m.Data.gd[2].Props[0].Color, 255);  // inherited
  EXPECT_EQ(m.Data.gd[1].Props[0].GradientArray.size(), 2u);
  ASSERT_EQ(m.Masks.size(), 3u);
  EXPECT_EQ(m.Masks[0].Key, "BICONMIN");
  EXPECT_EQ(m.Masks[0].Ref.ImgType, itisaGlyph);
  EXPECT_EQ(m.Masks[1].Key, "EXBORDER");
  EXPECT_EQ(m.Masks[2].Ref.WL, 16);
  EXPECT_EQ(m.Data.ma[2].SkinIndex, 1);
  EXPECT_EQ(m.Data.ma[2].Height, 34);
  EXPECT_EQ(m.Common.Sections[ssButton], 1);
  EXPECT_EQ(m.Common.Sections[ssMenuItem], -1);
  EXPECT_EQ(m.Palette[pcEditBG], 255);
  EXPECT_EQ(m.Data.TitleGlows[1].size(), 2u);
}

TEST(SkinModel, VariantWithoutPlainKeyMakesNoMask) {
  auto m = ReadSkinModel(TOptionsFile::FromText(
      "[GLOBALINFO]\nBICONMIN*200=@0057@0135@0108@0152@3@0\nBICONMAX=N/A\n"));
  EXPECT_TRUE(m.Masks.empty());
  EXPECT_TRUE(m.Data.ma.empty());
}

TEST(SkinModel, MalformedMaskEndsReading) {
  EXPECT_THROW(ReadSkinModel(TOptionsFile::FromText("[B]\nBORDERSMASK=&00A0\n")), EConvertError);
}

TEST(SkinModelKeys, Vocabulary) {
  EXPECT_EQ(ReadKeyKind("BUTTON", "HOTGRADIENTDATA"), TKeyKind::Gradient);
  EXPECT_EQ(ReadKeyKind("ANY", "PARENTCLASS"), TKeyKind::SectionName);
  EXPECT_EQ(ReadKeyKind("GLOBALINFO", "BTNCOLOR1ACTIVE"), TKeyKind::Int64Color);
  EXPECT_EQ(ReadKeyKind("GLOBALINFO", "COLORTONEBLUETEXTActive"), TKeyKind::Color);
  EXPECT_EQ(ReadKeyKind("GLOBALINFO", "COLORTONEBLUETEXTACTIVE"), std::nullopt);
  EXPECT_EQ(ReadKeyKind("GLOBALINFO", "FontFile3"), TKeyKind::Text);
  EXPECT_EQ(ReadKeyKind("GLOBALINFO", "BICONMAXGLOW0"), TKeyKind::Mask);
  EXPECT_EQ(ReadKeyKind("GLOBALINFO", "TITLEHEIGHT*150"), TKeyKind::Integer);
  EXPECT_EQ(ReadKeyKind("GLOBALINFO", "BORDERMODE*150"), std::nullopt);
  EXPECT_EQ(ReadKeyKind("TABTOP", "TABSCOVERING"), TKeyKind::Integer);
  EXPECT_EQ(ReadKeyKind("BUTTON", "TABSCOVERING"), std::nullopt);
  EXPECT_EQ(ReadKeyKind("TRACKBAR", "SLIDERMASK*125"), TKeyKind::Mask);
  EXPECT_EQ(ReadKeyKind("BUTTON", "SLIDERMASK"), std::nullopt);
  for (const char* unread : {"BORDERCOLOR3", "FADINGENABLED", "FADINGITERATIONS", "PREVIEW"})
    EXPECT_EQ(ReadKeyKind("BUTTON", unread), std::nullopt) << unread;
  EXPECT_EQ(ReadKeyKind("BUTTON", "COLOR*175"), std::nullopt);
}

std::set<std::string> Problems(const char* text, TProblemLevel level,
                               std::set<std::string> files = {"MASTER.PNG", "EXTBORD.PNG"}) {
  auto found = CheckSkinOptions(TOptionsFile::FromText(text), [&](std::string_view n) {
    return files.count(std::string(n)) > 0;
  });
  std::set<std::string> out;
  for (const auto& p : found)
    if (p.Level == level) out.insert(p.Section + "/" + p.Key);
  return out;
}

TEST(SkinModelCheck, OnlyTheMissingVariantFileIsAnError) {
  EXPECT_EQ(Problems(kSkin, TProblemLevel::Error),
            std::set<std::string>{"GLOBALINFO/BICONMIN*200"});
  EXPECT_TRUE(Problems(kSkin, TProblemLevel::Warning).empty());
}

TEST(SkinModelCheck, FindsEveryKindOfProblem) {
  const char* text =
      "[GLOBALINFO]\n"
      "MASTERBITMAP=missing.png\n"
      "BTNCOLOR1ACTIVE=$FF\n"
      "PREVIEW=1\n"
      "SHADOW1BLUR*150=4\n"
      "[A]\nPARENTCLASS=NOWHERE\nGLYPHMASK=@0057@0135@0108@0152@3@0\n"
      "[B]\nPARENTCLASS=C\nGRADIENTDATA=1;2;x;4;5;0\n[C]\nPARENTCLASS=B\n"
      "[BELOW]\nPARENTCLASS=B\n[UNDER]\nPARENTCLASS=A\nBORDERSMASK=frame.png\nPATTERN=N/A\n"
      "[D]\nPARENTCLASS=D\nSTATES=many\nGIVEOWNFONT=true\nPATTERN=TEX.BMP\n"
      "BORDERSMASK*200=@0001@0001@0001@0001@1@0\nBORDERSMASK*300=@0001@0001@0001@0001@1@0\n"
      "GLYPHMASK=@0057@135@0108@0152@3@0\nHOTPATTERN=~0010~0020~0030~00A0~05~2\n"
      "COLOR=1\nCOLOR=2\n";
  EXPECT_EQ(Problems(text, TProblemLevel::Error),
            (std::set<std::string>{"GLOBALINFO/MASTERBITMAP", "GLOBALINFO/BTNCOLOR1ACTIVE",
                                   "A/PARENTCLASS", "B/PARENTCLASS", "C/PARENTCLASS",
                                   "B/GRADIENTDATA", "D/PATTERN", "D/HOTPATTERN"}));
  EXPECT_EQ(Problems(text, TProblemLevel::Warning),
            (std::set<std::string>{"GLOBALINFO/PREVIEW", "D/PARENTCLASS", "D/STATES",
                                   "D/GIVEOWNFONT", "D/BORDERSMASK*200", "D/BORDERSMASK*300",
                                   "D/GLYPHMASK", "D/COLOR", "UNDER/BORDERSMASK"}));
}

TEST(SkinModelCheck, NumbersOfStatesOutsideTheRangeAreNamed) {
  const char* text =
      "[NEGATIVE]\nSTATES=-4\n[NONE]\nSTATES=0\n[MANY]\nSTATES=256\n"
      "[ONE]\nSTATES=1\n[MOST]\nSTATES=255\n";
  EXPECT_EQ(Problems(text, TProblemLevel::Warning),
            (std::set<std::string>{"NEGATIVE/STATES", "NONE/STATES", "MANY/STATES"}));
  EXPECT_TRUE(Problems(text, TProblemLevel::Error).empty());
}

TEST(SkinModelCheck, LowerCaseMasterBitmapIsNamedAsSuch) {
  auto found = CheckSkinOptions(TOptionsFile::FromText("[GLOBALINFO]\nMASTERBITMAP=master.png\n"),
                                [](std::string_view n) { return n == "MASTER.PNG"; });
  ASSERT_EQ(found.size(), 1u);
  EXPECT_NE(found[0].Text.find("upper case"), std::string::npos) << found[0].Text;
}

}  // namespace
}  // namespace ac
