#include "skin/palette.h"

#include <gtest/gtest.h>

#include "core/errors.h"
#include "skin/skin_data_reader.h"
#include "system/system.h"

namespace ac {
namespace {

std::vector<TsGeneralData> Sections(const TOptionsFile& f) {
  std::vector<TsGeneralData> gd;
  for (const auto& s : f.Sections()) gd.push_back(ReadGeneralData(f, s.Name(), {}, -1));
  return gd;
}

TacPalette PaletteOf(const char* text) {
  auto f = TOptionsFile::FromText(text);
  return ComputePalette(f, Sections(f));
}

TEST(Palette, MixIsPerChannelWithTheFirstTopByte) {
  EXPECT_EQ(Mix(0x00FF8040, 0x00000000, 128), 0x007F4020);
  EXPECT_EQ(Mix(static_cast<TColor>(0x12000000), 0x00FFFFFF, 0), 0x12FEFEFE);
  EXPECT_EQ(Mix(0x00FFFFFF, 0x00FFFFFF, 255), 0x00FEFEFE);
}

TEST(Palette, DefaultsWithoutAnySection) {
  auto p = PaletteOf("[GLOBALINFO]\n");
  TColor face = platform::SysColor(15);
  EXPECT_EQ(p[pcMainColor], face);
  EXPECT_EQ(p[pcLabelText], 0);
  EXPECT_EQ(p[pcWebText], 0xFF0000);
  EXPECT_EQ(p[pcWebTextHot], 0x0000FF);
  EXPECT_EQ(p[pcEditText], platform::SysColor(8));
  EXPECT_EQ(p[pcEditBG], platform::SysColor(5));
  EXPECT_EQ(p[pcSelectionText], platform::SysColor(14));
  EXPECT_EQ(p[pcSelectionText_Focused], platform::SysColor(14));
  EXPECT_EQ(p[pcSelectionBG], platform::SysColor(13));
  EXPECT_EQ(p[pcSelectionBG_Focused], platform::SysColor(13));
  EXPECT_EQ(p[pcEditBG_Inverted], p[pcEditText]);
  EXPECT_EQ(p[pcEditText_Inverted], p[pcEditBG]);
  EXPECT_EQ(p[pcEditBG_OddRow], p[pcEditBG]);
  EXPECT_EQ(p[pcEditBG_EvenRow], Mix(p[pcEditText], p[pcEditBG], 13));
  EXPECT_EQ(p[pcGrid], Mix(p[pcEditText], p[pcEditBG], 30));
  EXPECT_EQ(p[pcEditText_Ok], 0x404000);
  EXPECT_EQ(p[pcEditBG_Warning], 0xBAFFFF);
  EXPECT_EQ(p[pcEditText_Caution], 108);
  EXPECT_EQ(p[pcEditBG_Bypassed], 14408703);
  EXPECT_EQ(p[pcBtnColor1Active],
            static_cast<TColor>(0xFF000000u | static_cast<uint32_t>(Mix(face, 0xFFFFFF, 177))));
  EXPECT_EQ(p[pcBtnColor2Active], static_cast<TColor>(0xFF000000u | static_cast<uint32_t>(face)));
  EXPECT_EQ(p[pcBtnColor2Normal],
            static_cast<TColor>(0xFF000000u | static_cast<uint32_t>(Mix(face, 0, 244))));
  EXPECT_EQ(p[pcBtnColor2Pressed], p[pcBtnColor1Pressed]);
  EXPECT_EQ(p[pcBtnToneBlueActive], 16772553);
  EXPECT_EQ(p[pcBtnYellowTextActive], 31157);
  EXPECT_EQ(p[pcHintBG], platform::SysColor(24));
  EXPECT_EQ(p[pcHintText], platform::SysColor(23));
}

TEST(Palette, KeysAndSections) {
  auto p = PaletteOf(
      "[GLOBALINFO]\nCOLOR=100\nFONTCOLOR=5\nBORDERCOLOR=7\nBTNCOLOR1ACTIVE=4294967295\n"
      "BTNCOLOR2NORMAL=16\nGRIDLINE=3\nCOLORTONEBLUETEXTActive=9\nCOLORTONEYELLOWTEXTACTIVE=8\n"
      "[EDIT]\nCOLOR=1000\nFONTCOLOR=2000\n"
      "[SELECTION]\nSTATES=1\nCOLOR=11\nFONTCOLOR=12\nHOTCOLOR=13\n"
      "[HINT]\nCOLOR=21\nFONTCOLOR=22\n");
  EXPECT_EQ(p[pcMainColor], 100);
  EXPECT_EQ(p[pcEditBG], 1000);
  EXPECT_EQ(p[pcEditText], 2000);
  EXPECT_EQ(p[pcSelectionBG], 11);
  EXPECT_EQ(p[pcSelectionText], 12);
  EXPECT_EQ(p[pcSelectionBG_Focused], 11);  // fewer than two states: the normal state
  EXPECT_EQ(p[pcBtnColor1Active], -1);
  EXPECT_EQ(p[pcBtnColor2Normal], 16);
  EXPECT_EQ(p[pcBtnColor2Active], static_cast<TColor>(0xFF000064));
  EXPECT_EQ(p[pcBtnBorderActive], 7);
  EXPECT_EQ(p[pcBtnFontPressed], 5);
  EXPECT_EQ(p[pcGrid], 3);
  EXPECT_EQ(p[pcBtnBlueTextActive], 9);
  EXPECT_EQ(p[pcBtnYellowTextActive], 31157);  // the key's case must match
  EXPECT_EQ(p[pcHintBG], 21);
  EXPECT_EQ(p[pcHintText], 22);
}

TEST(Palette, SelectionFallsBackToTheMenuItemHotState) {
  auto p = PaletteOf(
      "[SELECTION]\nFONTCOLOR=16711935\nCOLOR=1\n"
      "[MENUITEM]\nHOTCOLOR=44\nHOTFONTCOLOR=55\n");
  EXPECT_EQ(p[pcSelectionText], 55);
  EXPECT_EQ(p[pcSelectionText_Focused], 55);
  EXPECT_EQ(p[pcSelectionBG], 44);
  EXPECT_EQ(p[pcSelectionBG_Focused], 44);

  // A menu item without a usable hot font colour gives the system colour
  // value itself, unconverted.
  auto q = PaletteOf("[MENUITEM]\nHOTCOLOR=44\nHOTFONTCOLOR=-1\n");
  EXPECT_EQ(q[pcSelectionText], clHighlightText);
  EXPECT_EQ(q[pcSelectionBG], 44);
}

TEST(Palette, MalformedButtonColourIsAConversionError) {
  EXPECT_THROW(PaletteOf("[GLOBALINFO]\nBTNCOLOR2PRESSED=$FF\n"), EConvertError);
  EXPECT_NO_THROW(PaletteOf("[GLOBALINFO]\nBTNBORDERPRESSED=junk\n"));
}

TEST(Palette, Names) {
  EXPECT_EQ(PaletteColorName(pcMainColor), "pcMainColor");
  EXPECT_EQ(PaletteColorName(pcHintText), "pcHintText");
  EXPECT_EQ(kPaletteCount, 59u);
}

}  // namespace
}  // namespace ac
