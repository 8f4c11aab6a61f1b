#include "skin/skin_data_reader.h"

#include <gtest/gtest.h>

#include "core/errors.h"
#include "skin/skin_data_scale.h"

namespace ac {
namespace {

TEST(SkinDataReader, SectionIntegerMapping) {
  auto f = TOptionsFile::FromText(
      "[P]\nSTATES=-4\nGLOW=300\nBORDERWIDTH=6\nOUTBLUR=-1\n"
      "[C]\nPARENTCLASS=P\nSTATES2=1\n"
      "[OWN]\nPARENTCLASS=P\nSTATES=-4\nGLOW=300\n");
  // Own values pass unchanged, only capped.
  EXPECT_EQ(ReadSectionInteger(f, "OWN", "STATES", 3, 255), -4);
  EXPECT_EQ(ReadSectionInteger(f, "OWN", "GLOW", 0, 255), 255);
  // From a parent: negative gives the default, then the cap applies.
  EXPECT_EQ(ReadSectionInteger(f, "C", "STATES", 3, 255), 3);
  EXPECT_EQ(ReadSectionInteger(f, "C", "GLOW", 0, 255), 255);
  EXPECT_EQ(ReadSectionInteger(f, "C", "BORDERWIDTH", 1), 6);
  EXPECT_EQ(ReadSectionInteger(f, "C", "OUTBLUR", 9, 30), 9);
  EXPECT_EQ(ReadSectionInteger(f, "C", "MISSING", 7), 7);
  auto g = TOptionsFile::FromText("[S]\nSTATES=many\n");
  EXPECT_EQ(ReadSectionInteger(g, "S", "STATES", 3, 255), 3);
}

TEST(SkinDataReader, OuterOffsetRule) {
  auto f = TOptionsFile::FromText(
      "[ROOT]\nOUTOFFSL=-7\nOUTOFFST=5\nOUTOFFSR=400\n"
      "[MID]\nPARENTCLASS=ROOT\n"
      "[LEAF]\nPARENTCLASS=MID\n"
      "[ALONE]\n"
      "[SELF]\nPARENTCLASS=SELF\n"
      "[OWN]\nOUTOFFSL=-9\n");
  EXPECT_EQ(ReadOuterOffset(f, "ALONE", "OUTOFFSL"), -2);
  EXPECT_EQ(ReadOuterOffset(f, "SELF", "OUTOFFSL"), -1);
  EXPECT_EQ(ReadOuterOffset(f, "LEAF", "OUTOFFSB"), -1);
  EXPECT_EQ(ReadOuterOffset(f, "OWN", "OUTOFFSL"), -9);
  EXPECT_EQ(ReadOuterOffset(f, "MID", "OUTOFFSL"), -7);   // direct parent: as it is
  EXPECT_EQ(ReadOuterOffset(f, "LEAF", "OUTOFFSL"), -1);  // further up: negative reads -1
  EXPECT_EQ(ReadOuterOffset(f, "LEAF", "OUTOFFST"), 5);
  EXPECT_EQ(ReadOuterOffset(f, "MID", "OUTOFFSR"), 255);
}

TEST(SkinDataReader, StatesTakeTheirOwnDefaults) {
  auto f = TOptionsFile::FromText(
      "[B]\nCOLOR=0\nFONTCOLOR=255\nTCLEFT=1\nLIGHT0=1677721599\nGRADIENTDATA=N/A\n"
      "HOTGRADIENTDATA=255;0;0;65280;40;0;B\n");
  TsGenState normal = ReadGenState(f, "B", 0, 0x123456);
  EXPECT_EQ(normal.Color, 0);
  EXPECT_EQ(normal.FontColor.Color, 255);
  EXPECT_EQ(normal.FontColor.Left, 1);
  EXPECT_EQ(normal.FontColor.Top, -1);
  EXPECT_EQ(normal.LightColor, 0x63FFFFFF);
  EXPECT_TRUE(normal.GradientArray.empty());
  TsGenState hot = ReadGenState(f, "B", 1, 0x123456);
  EXPECT_EQ(hot.Color, 0xFFFFFF);
  EXPECT_EQ(hot.GlowColor, 0xFFFFFF);
  EXPECT_EQ(hot.FontColor.Color, 0);
  EXPECT_EQ(hot.LightColor, 0x123456);
  EXPECT_EQ(hot.BorderColor, clFuchsia);
  EXPECT_EQ(hot.TextureIndex, -1);
  EXPECT_EQ(hot.GradientArray.size(), 2u);
}

TEST(SkinDataReader, StatesOneCopiesTheNormalState) {
  auto f = TOptionsFile::FromText(
      "[B]\nSTATES=1\nCOLOR=10\nHOTCOLOR=20\nCOLOR2=30\nUSESTATE2=1\n"
      "[C]\nCOLOR=10\nHOTCOLOR=20\nCOLOR2=30\nUSESTATE2=1\n"
      "[D]\nCOLOR=10\nHOTCOLOR=20\nCOLOR2=30\nUSESTATE2=TRUE\n");
  TacSectionScale scale;
  auto b = ReadGeneralData(f, "B", scale, -1);
  EXPECT_EQ(b.States, 1);
  EXPECT_EQ(b.Props[1].Color, 10);
  EXPECT_EQ(b.Props[2].Color, 30);
  auto c = ReadGeneralData(f, "C", scale, -1);
  EXPECT_EQ((std::array{c.Props[0].Color, c.Props[1].Color, c.Props[2].Color}),
            (std::array{10, 20, 30}));
  auto d = ReadGeneralData(f, "D", scale, -1);
  EXPECT_FALSE(d.UseState2);
  EXPECT_EQ(d.Props[2].Color, 20);
}

TEST(SkinDataReader, GeneralDataDefaultsAndScaling) {
  auto f = TOptionsFile::FromText(
      "[S]\nBORDERRADIUS=10\nOUTBLUR=8\nOUTOFFSL=4\nGLOWMARGIN=10\nGIVEOWNFONT=1\n"
      "SHIFTCLICK=true\n");
  TacScaleSettings settings;
  TacSectionScale scale{[&](int32_t v) { return ScaleInt(v, 2, settings); }, 144, true};
  auto g = ReadGeneralData(f, "S", scale, -1);
  EXPECT_EQ(g.ClassName, "S");
  EXPECT_EQ(g.ParentClass, "");
  EXPECT_EQ(g.BorderRadius, 15);
  EXPECT_EQ(g.OuterBlur, 12);
  EXPECT_EQ(g.OuterRadius, 13);  // the default 9, scaled
  EXPECT_EQ(g.OuterOffset, TRect::LTRB(6, -2, -2, -2));
  EXPECT_EQ(g.GlowMargin, 15);
  EXPECT_TRUE(g.GiveOwnFont);
  EXPECT_FALSE(g.ShiftOnClick);
  EXPECT_EQ(g.States, 3);
  EXPECT_EQ(g.BorderWidth, 1);
  EXPECT_EQ(g.OuterMode, 2);
  EXPECT_EQ(g.OuterOpacity, 200);
  EXPECT_EQ(g.BorderIndex, -1);
}

// The one uncapped size of a section is held where painting can still scale
// it by any resolution without overflowing.
TEST(SkinDataReader, BorderWidthNear2To31IsHeldToAMillion) {
  TacSectionScale scale;
  for (auto [text, want] : {std::pair{"2147483647", 1 << 20}, std::pair{"-2147483648", -(1 << 20)},
                            std::pair{"3", 3}, std::pair{"-1", -1}}) {
    auto f = TOptionsFile::FromText(std::string("[S]\nBORDERWIDTH=") + text + "\n");
    EXPECT_EQ(ReadGeneralData(f, "S", scale, -1).BorderWidth, want) << text;
  }
}

TEST(SkinDataReader, BadGradientNamesWhereItCameFrom) {
  auto f = TOptionsFile::FromText("[P]\nGRADIENTDATA=1;2;x;4;5;0\n[C]\nPARENTCLASS=P\n");
  try {
    ReadGenState(f, "C", 0, -1);
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    std::string m = e.what();
    EXPECT_NE(m.find("\"P\""), std::string::npos) << m;
    EXPECT_NE(m.find("\"GRADIENTDATA\""), std::string::npos) << m;
    EXPECT_NE(m.find("1;2;x;4;5;0"), std::string::npos) << m;
  }
}

TEST(SkinDataReader, CommonInfoAndOuterEffects) {
  auto f = TOptionsFile::FromText(
      "[BUTTON]\n[GLOBALINFO]\nVERSION=15.00\nAUTHOR=Me\nAEROBLUR=2\nBRIGHTMIN=-10\n"
      "LO_WIDTHL=4\nSH_OPACITY=90\nLO_OFFSETB=8\n");
  auto info = ReadSkinCommonInfo(f);
  EXPECT_EQ(info.Version, 15.0);
  EXPECT_EQ(info.Author, "Me");
  EXPECT_TRUE(info.UseAeroBluring);
  EXPECT_EQ(info.BrightMin, -10);
  EXPECT_EQ(info.BrightMax, 50);
  EXPECT_EQ(info.DefLightColor, -1);
  EXPECT_EQ(info.IndexGlobalInfo, 1);

  auto oe = ReadOuterEffects(f, [](int32_t v) { return v * 2; });
  EXPECT_EQ(oe[0].WidthL, 8);
  EXPECT_EQ(oe[0].WidthT, -1);  // "not given" survives scaling
  EXPECT_EQ(oe[0].OffsetB, 16);
  EXPECT_EQ(oe[0].ColorL, 0xFFFFFF);
  EXPECT_EQ(oe[0].Opacity, 200);
  EXPECT_EQ(oe[1].Opacity, 90);
  EXPECT_EQ(oe[1].ColorT, clFuchsia);
  EXPECT_EQ(oe[1].OffsetB, 10);
  EXPECT_EQ(oe[1].Mask, -1);
}

}  // namespace
}  // namespace ac
