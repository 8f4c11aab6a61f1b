#include "paint/skin_colors.h"

#include <gtest/gtest.h>

#include <memory>

#include "core/message_sink.h"
#include "pixels/color.h"
#include "skin/palette.h"
#include "skin/skin_manager_core.h"
#include "skin/skin_sections.h"
#include "system/system.h"

namespace ac {
namespace {

class SkinColorToRGBTest : public ::testing::Test {
 protected:
  SkinColorToRGBTest() : FManager(FSink) {
    FManager.SkinCommonInfo.Active = true;
    FManager.Palette.fill(0);
    Set(pcMainColor, 0x102030);
    Set(pcEditText_Ok, 0x0A0B0C);
    Set(pcLabelText, 0x405060);
    Set(pcEditBG, 0x00EEEEEE);
    Set(pcEditText, 0x00010203);
  }
  void Set(TacPaletteColors i, TColor c) { FManager.Palette[static_cast<std::size_t>(i)] = c; }
  TColor P(TacPaletteColors i) const { return FManager.Palette[static_cast<std::size_t>(i)]; }
  // Gives the 96 skin a title and a hint section.
  void AddSections() {
    auto sd = std::make_unique<TacSkinData>(&FManager, 96);
    sd->gd.resize(2);
    sd->gd[0].Props[0].Color = 0x000001;
    sd->gd[0].Props[1].Color = 0x000002;
    sd->gd[0].Props[0].FontColor.Color = 0x000003;
    sd->gd[0].Props[1].FontColor.Color = 0x000004;
    sd->gd[1].Props[0].Color = 0x000005;
    sd->gd[1].Props[0].FontColor.Color = 0x000006;
    FManager.SkinDataArray.push_back(std::move(sd));
    FManager.SkinCommonInfo.Sections[ssFormTitle] = 0;
    FManager.SkinCommonInfo.Sections[ssHint] = 1;
  }

  TRecordingSink FSink;
  TacSkinManagerCore FManager;
};

TEST_F(SkinColorToRGBTest, SystemColoursTakeThePaletteWhileASkinIsActive) {
  EXPECT_EQ(SkinColorToRGB(clBtnFace, &FManager), 0x102030);
  EXPECT_EQ(SkinColorToRGB(clWindow, &FManager), 0x00EEEEEE);
  EXPECT_EQ(SkinColorToRGB(clMenuText, &FManager), 0x405060);
  EXPECT_EQ(SkinColorToRGB(clBtnShadow, &FManager),
            static_cast<TColor>(MixColor(0x102030, 0, 230)));
  EXPECT_EQ(SkinColorToRGB(clGrayText, &FManager),
            static_cast<TColor>(MixColor(0x102030, 0x405060, 127)));
  EXPECT_EQ(SkinColorToRGB(cl3DLight, &FManager),
            static_cast<TColor>(MixColor(0x102030, 0xFFFFFF, 180)));
  EXPECT_EQ(SkinColorToRGB(static_cast<TColor>(0xFF003E0A), &FManager), 0x0A0B0C);
  EXPECT_EQ(SkinColorToRGB(clMainColorConst, &FManager), 0x102030);
  // Positive colours pass; an unlisted system colour is the system's.
  EXPECT_EQ(SkinColorToRGB(0x123456, &FManager), 0x123456);
  EXPECT_EQ(SkinColorToRGB(SystemColor(25), &FManager), platform::SysColor(25));
}

TEST_F(SkinColorToRGBTest, CaptionAndInfoColoursComeFromTitleAndHintSections) {
  // Without the sections: the palette.
  EXPECT_EQ(SkinColorToRGB(clActiveCaption, &FManager), P(pcMainColor));
  EXPECT_EQ(SkinColorToRGB(clCaptionText, &FManager), P(pcLabelText));
  EXPECT_EQ(SkinColorToRGB(clInfoText, &FManager), P(pcEditText));
  EXPECT_EQ(SkinColorToRGB(clInfoBk, &FManager), P(pcEditBG));
  AddSections();
  EXPECT_EQ(SkinColorToRGB(clInactiveCaption, &FManager), 0x000001);
  EXPECT_EQ(SkinColorToRGB(clActiveCaption, &FManager), 0x000002);
  EXPECT_EQ(SkinColorToRGB(clGradientActiveCaption, &FManager), 0x000002);
  EXPECT_EQ(SkinColorToRGB(clInactiveCaptionText, &FManager), 0x000003);
  EXPECT_EQ(SkinColorToRGB(clCaptionText, &FManager), 0x000004);
  EXPECT_EQ(SkinColorToRGB(clInfoBk, &FManager), 0x000005);
  EXPECT_EQ(SkinColorToRGB(clInfoText, &FManager), 0x000006);
}

TEST_F(SkinColorToRGBTest, WithoutAnActiveSkinConstantsKeepTheirDefaults) {
  FManager.SkinCommonInfo.Active = false;
  EXPECT_EQ(SkinColorToRGB(clBtnFace, &FManager), platform::SysColor(15));
  EXPECT_EQ(SkinColorToRGB(static_cast<TColor>(0xFF003E0A), &FManager), 0x003E0A);
  EXPECT_EQ(SkinColorToRGB(static_cast<TColor>(0xFF003E0A), nullptr), 0x003E0A);
  // Low bits of 100 or less are a system colour index.
  EXPECT_EQ(SkinColorToRGB(clMainColorConst, nullptr), platform::SysColor(1));
  // While the skin is changing the skin's colours already apply.
  FManager.SetState(msSkinChanging, true);
  EXPECT_EQ(SkinColorToRGB(clBtnFace, &FManager), 0x102030);
}

}  // namespace
}  // namespace ac
