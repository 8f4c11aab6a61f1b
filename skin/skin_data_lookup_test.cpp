#include "skin/skin_data_lookup.h"

#include <gtest/gtest.h>

#include "skin/skin_data_scale.h"

namespace ac {
namespace {

TsGeneralData Section(const char* name, const char* parent) {
  TsGeneralData g;
  g.ClassName = name;
  g.ParentClass = parent;
  return g;
}

TsMaskData Mask(int32_t skinIndex, const char* section, const char* key, TacImgType type) {
  TsMaskData m;
  m.SkinIndex = skinIndex;
  m.ClassName = section;
  m.PropertyName = key;
  m.ImgType = type;
  return m;
}

class Lookups : public ::testing::Test {
 protected:
  Lookups() : sd(nullptr, 96) {
    sd.gd = {Section("BASE", ""),  Section("BUTTON", "BASE"), Section("SELF", "SELF"),
             Section("X", "Y"),    Section("Y", "X"),         Section("ORPHAN", "NONE"),
             Section("button", "")};
    sd.ma = {Mask(0, "BASE", "BORDERSMASK", itisaBorder), Mask(0, "BASE", "PATTERN", itisaTexture),
             Mask(1, "BUTTON", "GLYPHMASK", itisaGlyph),
             Mask(1, "BUTTON", "HOTPATTERN", itisaGlyph),
             Mask(0, "BASE", "HOTPATTERN", itisaTexture)};
  }
  TacSkinData sd;
};

TEST_F(Lookups, SkinIndex) {
  EXPECT_EQ(GetSkinIndex(sd, "BUTTON"), 1);
  EXPECT_EQ(GetSkinIndex(sd, "button"), 6);
  EXPECT_EQ(GetSkinIndex(sd, ""), -1);
  EXPECT_EQ(GetSkinIndex(sd, "NONE"), -1);
  EXPECT_TRUE(IsValidSkinIndex(sd, 6));
  EXPECT_FALSE(IsValidSkinIndex(sd, 7));
  EXPECT_FALSE(IsValidSkinIndex(sd, -1));
  EXPECT_TRUE(IsValidImgIndex(sd, 4));
  EXPECT_FALSE(IsValidImgIndex(sd, 5));
  EXPECT_EQ(LengthOfGD(sd), 7);
}

TEST_F(Lookups, MaskIndexFollowsParents) {
  EXPECT_EQ(GetMaskIndex(sd, 1, "BUTTON", "GLYPHMASK"), 2);
  EXPECT_EQ(GetMaskIndex(sd, 1, "BUTTON", "BORDERSMASK"), 0);  // from the parent
  EXPECT_EQ(GetMaskIndex(sd, 1, "BORDERSMASK"), 0);
  EXPECT_EQ(GetMaskIndex(sd, 2, "SELF", "BORDERSMASK"), -1);
  EXPECT_EQ(GetMaskIndex(sd, 2, "BORDERSMASK"), -1);
  EXPECT_EQ(GetMaskIndex(sd, 3, "X", "BORDERSMASK"), -1);  // a cycle ends the search
  EXPECT_EQ(GetMaskIndex(sd, 3, "BORDERSMASK"), -1);
  EXPECT_EQ(GetMaskIndex(sd, 5, "BORDERSMASK"), -1);
  EXPECT_EQ(GetMaskIndex(sd, -1, "BORDERSMASK"), -1);
  EXPECT_EQ(GetMaskIndex(sd, 99, "BORDERSMASK"), -1);
  // By section name: no inheritance.
  EXPECT_EQ(GetMaskIndex(sd, "BASE", "PATTERN"), 1);
  EXPECT_EQ(GetMaskIndex(sd, "BUTTON", "PATTERN"), -1);
}

TEST_F(Lookups, TextureIndexWantsTextures) {
  // BUTTON's own "HOTPATTERN" is a glyph, so the parent's texture is found.
  EXPECT_EQ(GetTextureIndex(sd, 1, "BUTTON", "HOTPATTERN"), 4);
  EXPECT_EQ(GetTextureIndex(sd, 1, "HOTPATTERN"), 4);
  EXPECT_EQ(GetTextureIndex(sd, 1, "BUTTON", "PATTERN"), 1);
  EXPECT_EQ(GetTextureIndex(sd, 3, "X", "PATTERN"), -1);
  EXPECT_EQ(GetTextureIndex(sd, 0, "OTHER", "PATTERN"), -1);  // matched on the name given
}

TEST(SkinScale, ScaleInt) {
  TacScaleSettings s;
  EXPECT_EQ(ScaleInt(10, 0, s), 10);
  EXPECT_EQ(ScaleInt(10, 1, s), 12);
  EXPECT_EQ(ScaleInt(10, 2, s), 15);
  EXPECT_EQ(ScaleInt(10, 3, s), 20);
  EXPECT_EQ(ScaleInt(-10, 1, s), -12);
  EXPECT_EQ(ScaleInt(10, -1, s), 10);  // smVCL: the current step is 0
  s.Mode = sm150;
  EXPECT_EQ(ScaleInt(10, -1, s), 15);
  s.Designing = true;
  EXPECT_EQ(ScaleInt(10, -1, s), 10);
  s = {};
  s.Mode = smOldMode;
  EXPECT_EQ(ScaleInt(10, 3, s), 10);
  EXPECT_EQ(ScalePPI(10, 144, s), 10);
  s.Mode = smCustomPPI;
  s.PixelsPerInch = 168;
  EXPECT_EQ(ScaleInt(10, 0, s), 17);
  EXPECT_EQ(GetScale(s), 2);
  s.Mode = smAuto;
  s.SysFontScale = 3;
  EXPECT_EQ(GetScale(s), 3);
  EXPECT_EQ(ScalePPI(10, 0, s), 20);
  s.Mode = smVCL;
  s.ScreenPPI = 120;
  EXPECT_EQ(ScalePPI(10, 0, s), 12);
  EXPECT_EQ(ScalePPI(10, 144, s), 15);
}

TEST(SkinData, DerivedSizesAndReset) {
  TacSkinData sd(nullptr, 144);
  EXPECT_EQ(sd.ScalePercent, 150);
  EXPECT_EQ(sd.ScaleIntValue(10), 15);
  sd.LoadParams();
  EXPECT_EQ(
      (std::array{sd.Spacing, sd.LineWidth, sd.ArrowSize, sd.SmallArrowSize, sd.ScrollBtnLength}),
      (std::array{6, 3, 7, 6, 24}));
  sd.gd.resize(2);
  sd.ma.resize(3);
  sd.oe.resize(2);
  sd.BmpArray.resize(1);
  sd.Reset();
  EXPECT_TRUE(sd.gd.empty() && sd.ma.empty() && sd.oe.empty() && sd.BmpArray.empty());
  EXPECT_EQ(sd.TitleGlyphs[12], -1);
  EXPECT_EQ(sd.Tabs[tlSingle][asBottom].SkinIndex, -1);
}

}  // namespace
}  // namespace ac

namespace ac {
namespace {

// Sizes near 2^31 come from options files; scaling them saturates instead
// of overflowing (undefined behaviour that wraps in release builds).
TEST(SkinScale, SizesNear2To31Saturate) {
  struct Case {
    int32_t Value, Step;
    TacScaleMode Mode;
    int32_t Want;
  };
  constexpr int32_t kMax = INT32_MAX, kMin = INT32_MIN;
  const Case cases[] = {
      {kMax, 1, smVCL, kMax},       {kMax, 2, smVCL, kMax},       {kMax, 3, smVCL, kMax},
      {kMin, 3, smVCL, kMin},       {kMin, 2, smVCL, kMin},       {kMax / 2, 3, smVCL, kMax - 1},
      {kMax, 0, smCustomPPI, kMax}, {kMin, 0, smCustomPPI, kMin}, {1 << 30, 7, smVCL, kMax},
  };
  for (const Case& c : cases) {
    TacScaleSettings s;
    s.Mode = c.Mode;
    s.PixelsPerInch = 192;
    EXPECT_EQ(ScaleInt(c.Value, c.Step, s), c.Want) << c.Value << " step " << c.Step;
  }
  TacScaleSettings s;
  EXPECT_EQ(ScalePPI(kMax, 192, s), kMax);
  TacSkinData sd(nullptr, 192);
  EXPECT_EQ(sd.ScaleIntValue(kMax), kMax);
  EXPECT_EQ(sd.ScaleIntValue(kMin), kMin);
}

}  // namespace
}  // namespace ac
