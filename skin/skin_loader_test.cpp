#include "skin/skin_loader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "skin/load_test_support.h"
#include "skin/skin_data_lookup.h"
#include "skin/skin_finder.h"

namespace ac {
namespace {

using test::Canon;
using test::EncodeBmp;
using test::TTestImage;
using test::TTestManager;

constexpr uint32_t kGrey = 0xFF808080u;
constexpr uint32_t kKey = 0x00FF00FFu;

// A 48 x 40 master: two 12 x 12 state images at the top (magenta in the
// first one's top-left corner) and two 24 x 24 ones below for 192 pixels
// per inch.
TTestImage Master() {
  TTestImage img(48, 40, kGrey);
  img.At(0, 0) = 0xFFFF00FFu;
  img.Fill(TRect::LTRB(0, 16, 48, 40), 0xFF4080C0u);
  return img;
}

std::string BaseOptions(std::string_view extra = {}) {
  return "[GLOBALINFO]\nMASTERBITMAP=MASTER.BMP\nVERSION=15\nCOLOR=12632256\n"
         "[BUTTON]\nBORDERSMASK=" +
         Canon(TRect::LTRB(0, 0, 24, 12), 3, 3, 3, 3, 2, 0, 0, 0) +
         "\nCOLOR=255\nHOTCOLOR=65280\n"
         "[EDIT]\nPARENTCLASS=BUTTON\nPATTERN=" +
         Canon(TRect(), 0, 0, 0, 0, 1, 0, 1, 0, "TEX.BMP") + "\n" + std::string(extra);
}

std::vector<test::TTestFile> BaseFiles() {
  return {{"MASTER.BMP", EncodeBmp(Master(), 24)},
          {"TEX.BMP", EncodeBmp(TTestImage(8, 8, 0xFF102030u), 24)}};
}

int32_t SectionIndex(const TacSkinData& sd, std::string_view name) {
  return GetSkinIndex(sd, name);
}

TEST(SkinLoad, At96EveryMaskStaysInTheMasterBitmap) {
  TTestManager t;
  ASSERT_TRUE(t.Load(BaseOptions(), BaseFiles()));
  ASSERT_TRUE(t.M.IsActive());
  const TacSkinData& sd = t.At(96);
  ASSERT_EQ(sd.ma.size(), 2u);
  const TsMaskData& border =
      sd.ma[static_cast<std::size_t>(GetMaskIndex(sd, SectionIndex(sd, "BUTTON"), "BORDERSMASK"))];
  EXPECT_EQ(border.Bmp, nullptr);
  EXPECT_EQ(border.R, TRect::LTRB(0, 0, 24, 12));
  EXPECT_EQ(border.MulPPi, 96);
  EXPECT_EQ(border.DivPPI, 96);
  EXPECT_EQ(border.Width, 12);
  EXPECT_EQ(border.MasterBmp, t.M.MasterBitmap);
  // Only the image loaded from a file is in the cache.
  ASSERT_EQ(sd.BmpArray.size(), 1u);
  EXPECT_TRUE(sd.BmpArray[0].Ext);
  EXPECT_EQ(sd.BmpArray[0].FileName, "TEX.BMP");
  EXPECT_EQ(sd.BmpArray[0].Path, "EDIT-PATTERN");
  EXPECT_EQ(t.M.MasterBitmap->Width, 48);
  // The 24-bit master is keyed: magenta transparent, the rest opaque.
  EXPECT_EQ(t.M.MasterBitmap->At(0, 0), kKey);
  EXPECT_EQ(t.M.MasterBitmap->At(1, 0), kGrey);
  EXPECT_TRUE(t.Sink.Entries.empty());
}

TEST(SkinLoad, At120AStar200OnlyVariantIsTakenBeforeLowerOnesAndScaledDown) {
  TTestManager t(120);
  const std::string extra =
      "[PANEL]\nBORDERSMASK=" + Canon(TRect::LTRB(0, 0, 24, 12), 3, 3, 3, 3, 2, 0, 0, 0) +
      "\nBORDERSMASK*200=" + Canon(TRect::LTRB(0, 16, 48, 40), 6, 6, 6, 6, 2, 0, 0, 0) + "\n";
  ASSERT_TRUE(t.Load(BaseOptions(extra), BaseFiles()));
  ASSERT_EQ(t.M.SkinDataArray.size(), 2u);
  const TacSkinData& sd = t.At(120);
  EXPECT_EQ(sd.PPI, 120);
  EXPECT_EQ(sd.ScaleValue, 1);
  const int32_t i = GetMaskIndex(sd, "PANEL", "BORDERSMASK");
  ASSERT_GE(i, 0);
  const TsMaskData& md = sd.ma[static_cast<std::size_t>(i)];
  EXPECT_EQ(md.DivPPI, 192);
  EXPECT_EQ(md.MulPPi, 120);
  ASSERT_NE(md.Bmp, nullptr);
  EXPECT_EQ(md.Width, 24 * 120 / 192);
  EXPECT_EQ(md.R, TRect::LTRB(0, 0, 30, 15));
  EXPECT_EQ(md.WL, 4);  // 6 * 120 / 192 = 3.75
  // The rescaled cut is cached under its source rectangle, and a mask of the
  // same area shares it.
  bool cached = false;
  for (const TacBmpData& e : sd.BmpArray)
    if (!e.Ext && e.SrcRect == TRect::LTRB(0, 16, 48, 40) && e.Bmp == md.Bmp) cached = true;
  EXPECT_TRUE(cached);
  // Without a "*150" variant the plain key's image is scaled up instead.
  const TsMaskData& button =
      sd.ma[static_cast<std::size_t>(GetMaskIndex(sd, "BUTTON", "BORDERSMASK"))];
  EXPECT_EQ(button.DivPPI, 96);
  EXPECT_EQ(button.Width, 15);
}

TEST(SkinLoad, RescalingReKeysToOpaquePixelsOrTheKeyColour) {
  TTestManager t(144);
  ASSERT_TRUE(t.Load(BaseOptions(), BaseFiles()));
  const TacSkinData& sd = t.At(144);
  const TsMaskData& md = sd.ma[static_cast<std::size_t>(GetMaskIndex(sd, "BUTTON", "BORDERSMASK"))];
  ASSERT_NE(md.Bmp, nullptr);
  EXPECT_EQ(md.R, TRect::LTRB(0, 0, 36, 18));
  EXPECT_EQ(md.WL, 4);  // 3 * 1.5 = 4.5 rounds to even
  const TsPixelBuffer& b = *md.Bmp;
  for (int y = 0; y < b.Height; ++y)
    for (int x = 0; x < b.Width; ++x) {
      const uint32_t p = b.At(x, y);
      EXPECT_TRUE((p >> 24) == 255 || p == kKey) << x << "," << y;
    }
  EXPECT_EQ(b.At(0, 0), kKey);
  // Flat areas come out a step darker: the resampler does not renormalise.
  EXPECT_EQ(b.At(20, 9), 0xFF7F7F7Fu);
  EXPECT_EQ(md.Cfg & 1, 1);
}

TEST(SkinLoad, ColumnHeadersFallBackToButtonThroughAppendedCopies) {
  TTestManager t;
  ASSERT_TRUE(t.Load(BaseOptions(), BaseFiles()));
  const TacSkinData& sd = t.At(96);
  const auto& sections = t.M.SkinCommonInfo.Sections;
  const int32_t button = SectionIndex(sd, "BUTTON");
  EXPECT_EQ(sections[ssButton], button);
  for (TacSection s : {ssColHeader, ssColHeaderA, ssColHeaderL, ssColHeaderR, ssUpDown})
    EXPECT_EQ(sections[s], button) << SectionName(s);
  EXPECT_EQ(sections[ssMenuCaption], -1);
  EXPECT_EQ(sections[ssMenuLine], -1);
  const int32_t copy = SectionIndex(sd, "COLHEADER");
  ASSERT_GT(copy, button);
  EXPECT_EQ(sd.gd[static_cast<std::size_t>(copy)].ParentClass, "BUTTON");
  EXPECT_EQ(sd.gd[static_cast<std::size_t>(SectionIndex(sd, "COLHEADERA"))].ParentClass,
            "COLHEADER");
  EXPECT_EQ(sd.gd[static_cast<std::size_t>(copy)].Props[0].Color, 255);
  // The copy finds the border of its fallback through its parent.
  EXPECT_EQ(sd.gd[static_cast<std::size_t>(copy)].BorderIndex,
            GetMaskIndex(sd, "BUTTON", "BORDERSMASK"));
  // "UPDOWNBTN" exists by then: the copy appended for ssUpDown.
  EXPECT_EQ(sd.UpDownBtns[asLeft].SkinSection, "UPDOWNBTN");
  EXPECT_EQ(sd.UpDownBtns[asLeft].SkinIndex, SectionIndex(sd, "UPDOWNBTN"));
  EXPECT_EQ(sd.UpDownBtns[asLeft].MaskIndex, GetMaskIndex(sd, "BUTTON", "BORDERSMASK"));
  EXPECT_EQ(sd.MenuItem.SkinIndex, -1);
  EXPECT_EQ(sd.MenuItem.SkinSection, "");
}

TEST(SkinLoad, TransparentAndMainColorFollowTheSkinAndCommonSections) {
  TTestManager t;
  t.M.SetCommonSections(
      {"[MY SEC]", "COLOR = 7",
       "BORDERSMASK=" + Canon(TRect::LTRB(0, 0, 12, 12), 2, 2, 2, 2, 1, 0, 0, 0)});
  ASSERT_TRUE(t.Load(BaseOptions(), BaseFiles()));
  const TacSkinData& sd = t.At(96);
  std::vector<std::string> names;
  for (const auto& g : sd.gd) names.push_back(g.ClassName);
  ASSERT_GE(names.size(), 6u);
  EXPECT_EQ(names[0], "GLOBALINFO");
  EXPECT_EQ(names[1], "BUTTON");
  EXPECT_EQ(names[2], "EDIT");
  EXPECT_EQ(names[3], "MYSEC");
  EXPECT_EQ(names[4], "TRANSPARENT");
  EXPECT_EQ(names[5], "MAINCOLOR");
  EXPECT_EQ(names[6], "COLHEADER");
  EXPECT_EQ(sd.gd[3].Props[0].Color, 7);
  const TsGeneralData& transparent = sd.gd[4];
  EXPECT_EQ(transparent.States, 1);
  for (const TsGenState& s : transparent.Props) {
    EXPECT_EQ(s.Transparency, 100);
    EXPECT_EQ(s.Color, 0xFFFFFF);
    EXPECT_EQ(s.FontColor, (TsFontColor{0, -1, -1, -1, -1}));
  }
  EXPECT_EQ(sd.gd[5].Props[2].Color, 12632256);
  EXPECT_EQ(sd.gd[5].Props[0].Transparency, 0);
  EXPECT_EQ(t.M.SkinCommonInfo.Sections[ssTransparent], 4);
  // The common section's mask belongs to the record its keys went to.
  const int32_t mask = GetMaskIndex(sd, "MYSEC", "BORDERSMASK");
  ASSERT_GE(mask, 0);
  EXPECT_EQ(sd.ma[static_cast<std::size_t>(mask)].SkinIndex, 3);
  EXPECT_EQ(sd.gd[3].BorderIndex, mask);
}

TEST(SkinLoad, OuterOffsetsNotGivenAnywhereReadMinusTwoAndGenerateAShadow) {
  TTestManager t;
  ASSERT_TRUE(t.Load(BaseOptions("[PANEL]\nOUTERMODE=3\nOUTRADIUS=4\nOUTBLUR=2\nOUTOFFST=1\n"),
                     BaseFiles()));
  const TacSkinData& sd = t.At(96);
  const TsGeneralData& button = sd.gd[static_cast<std::size_t>(SectionIndex(sd, "BUTTON"))];
  EXPECT_EQ(button.OuterOffset.Left, -2);
  const TsGeneralData& edit = sd.gd[static_cast<std::size_t>(SectionIndex(sd, "EDIT"))];
  EXPECT_EQ(edit.OuterOffset.Left, -1);
  const TsGeneralData& panel = sd.gd[static_cast<std::size_t>(SectionIndex(sd, "PANEL"))];
  ASSERT_GE(panel.OuterMask, 0);
  const TsMaskData& outer = sd.ma[static_cast<std::size_t>(panel.OuterMask)];
  EXPECT_EQ(outer.MaskType, 1);
  EXPECT_EQ(outer.DrawMode, 1);
  EXPECT_EQ(outer.ImageCount, 1);
  // -2 counts as 0: the shadow is 2 * 4 + 1 wide and one row higher.
  EXPECT_EQ(outer.R, TRect::LTRB(0, 0, 9, 20));
  EXPECT_EQ(outer.WT, 5);
  EXPECT_EQ(button.OuterMask, -1);
}

TEST(SkinLoad, OneStateMakesTheHotStateACopyOfTheNormalState) {
  TTestManager t;
  ASSERT_TRUE(t.Load(BaseOptions("[PANEL]\nSTATES=1\nCOLOR=255\nHOTCOLOR=65280\n"), BaseFiles()));
  const TacSkinData& sd = t.At(96);
  const TsGeneralData& panel = sd.gd[static_cast<std::size_t>(SectionIndex(sd, "PANEL"))];
  EXPECT_EQ(panel.Props[1].Color, 255);
  EXPECT_EQ(panel.Props[2].Color, 255);
  const TsGeneralData& button = sd.gd[static_cast<std::size_t>(SectionIndex(sd, "BUTTON"))];
  EXPECT_EQ(button.Props[1].Color, 65280);
}

TEST(SkinLoad, CornerFlagByKeyColourOrByAlpha) {
  // A 32-bit master keeps its alpha: the key colour is exactly $00FF00FF.
  TTestImage img(40, 10, 0xFF808080u);
  img.At(0, 0) = kKey;          // cell A: the key colour
  img.At(10, 9) = 0x00123456u;  // cell B: transparent by alpha only
  img.At(20, 0) = 0xFFFF00FFu;  // cell C: opaque magenta is not the key
  std::string options = "[GLOBALINFO]\nMASTERBITMAP=M.BMP\n[S]\n";
  options += "A=" + Canon(TRect::LTRB(0, 0, 10, 10), 2, 2, 2, 2, 1, 0, 0, 0) + "\n";
  options += "B=" + Canon(TRect::LTRB(10, 0, 20, 10), 2, 2, 2, 2, 1, 0, 0, 0) + "\n";
  options += "BA=" + Canon(TRect::LTRB(10, 0, 20, 10), 2, 2, 2, 2, 1, 0, 0, 16) + "\n";
  options += "C=" + Canon(TRect::LTRB(20, 0, 30, 10), 2, 2, 2, 2, 1, 0, 0, 0) + "\n";
  options += "AA=" + Canon(TRect::LTRB(0, 0, 10, 10), 2, 2, 2, 2, 1, 0, 0, 16) + "\n";
  options += "D=" + Canon(TRect::LTRB(30, 0, 40, 10), 2, 2, 2, 2, 1, 0, 0, 0) + "\n";
  TTestManager t;
  ASSERT_TRUE(t.Load(options, {{"M.BMP", EncodeBmp(img, 32)}}));
  const TacSkinData& sd = t.At(96);
  auto flag = [&](std::string_view key) {
    return sd.ma[static_cast<std::size_t>(GetMaskIndex(sd, "S", key))].Cfg & 1;
  };
  EXPECT_EQ(flag("A"), 1);
  EXPECT_EQ(flag("B"), 0);
  EXPECT_EQ(flag("BA"), 1);
  EXPECT_EQ(flag("C"), 0);
  EXPECT_EQ(flag("AA"), 1);  // the key pixel has alpha 0 too
  EXPECT_EQ(flag("D"), 0);
}

TEST(SkinLoad, MissingFilesAreSilentAndAMaskWithoutItsFileIsDropped) {
  TTestManager t;
  ASSERT_TRUE(t.Load(BaseOptions() + "[PANEL]\nPARENTCLASS=EDIT\nPATTERN=" +
                         Canon(TRect(), 0, 0, 0, 0, 1, 0, 1, 0, "NONE.BMP") + "\n",
                     {}));
  EXPECT_TRUE(t.Sink.Entries.empty());
  const TacSkinData& sd = t.At(96);
  EXPECT_TRUE(t.M.MasterBitmap->IsEmpty());
  EXPECT_EQ(GetMaskIndex(sd, "PANEL", "PATTERN"), -1);
  EXPECT_EQ(GetMaskIndex(sd, "EDIT", "PATTERN"), -1);
  EXPECT_GE(GetMaskIndex(sd, "BUTTON", "BORDERSMASK"), 0);
}

TEST(SkinLoad, AMasterThatCannotBeDecodedFailsTheChangeWithItsMessage) {
  TTestManager t;
  t.M.SkinName = "Old";
  auto files = BaseFiles();
  files[0].Data.resize(30);
  EXPECT_TRUE(t.Load(BaseOptions(), files));
  ASSERT_EQ(t.Sink.Entries.size(), 1u);
  EXPECT_EQ(t.Sink.Entries[0].Icon, TMessageIcon::Error);
  EXPECT_NE(t.Sink.Entries[0].Text.find("MASTER.BMP"), std::string::npos);
  EXPECT_EQ(t.M.SkinName, "Old");
  EXPECT_FALSE(t.M.IsActive());
}

TEST(SkinLoad, ImagesBeyondTheLimitAreRefused) {
  TTestManager t;
  t.M.Scale.Mode = smCustomPPI;
  t.M.Scale.PixelsPerInch = 96 * 100;
  std::string options = BaseOptions();
  options.insert(options.find("[BUTTON]"),
                 "WHOLE=" + Canon(TRect::LTRB(0, 0, 48, 40), 3, 3, 3, 3, 1, 0, 0, 0) + "\n");
  EXPECT_TRUE(t.Load(options, BaseFiles()));
  ASSERT_EQ(t.Sink.Entries.size(), 1u);
  EXPECT_NE(t.Sink.Entries[0].Text.find("over the limit of 16777216 pixels"), std::string::npos);
}

TEST(SkinLoad, VersionWarningForSkinsNewerThanTheEngine) {
  struct Case {
    std::string Version;
    bool Preview;
    bool Warned;
  };
  for (const Case& c : {Case{"17", false, true}, Case{"10", false, false},
                        Case{"16.99", false, false}, Case{"17.5", true, false}}) {
    TTestManager t;
    t.M.PreviewMode = c.Preview;
    std::string options = BaseOptions();
    options.replace(options.find("VERSION=15"), 10, "VERSION=" + c.Version);
    ASSERT_TRUE(t.Load(options, BaseFiles()));
    ASSERT_EQ(t.Sink.Entries.size(), c.Warned ? 1u : 0u) << c.Version;
    if (c.Warned) {
      EXPECT_EQ(t.Sink.Entries[0].Icon, TMessageIcon::Warning);
      EXPECT_EQ(t.Sink.Entries[0].Text,
                "This version of the skin (v17.00) has not complete support by used Quillfen "
                "package release (v16.16).\r\nComponents must be updated to latest version for "
                "using this skin.");
    }
  }
}

TEST(SkinLoad, ColourOffsetsOnKnownPixels) {
  TTestImage master = Master();
  master.At(30, 2) = 0xFFFF0000u;  // pure red
  // A two-row image: its mask row must not be brightened.
  master.Fill(TRect::LTRB(40, 0, 44, 4), 0xFF646464u);
  master.Fill(TRect::LTRB(40, 4, 44, 8), 0xFF646464u);
  const std::string extra =
      "[PANEL]\nBORDERSMASK=" + Canon(TRect::LTRB(40, 0, 44, 8), 1, 1, 1, 1, 1, 1, 0, 0) +
      "\nCOLOR=255\nTCLEFT=-1\n";
  auto files = BaseFiles();
  files[0].Data = EncodeBmp(master, 24);
  {
    TTestManager t;
    t.M.HueOffset = 120;
    ASSERT_TRUE(t.Load(BaseOptions(extra), files));
    EXPECT_EQ(t.M.MasterBitmap->At(30, 2), 0xFF00FF00u);
    EXPECT_EQ(t.M.MasterBitmap->At(0, 0), kKey);
    const TacSkinData& sd = t.At(96);
    const TsGeneralData& panel = sd.gd[static_cast<std::size_t>(SectionIndex(sd, "PANEL"))];
    EXPECT_EQ(panel.Props[0].Color, 0x00FF00);
    EXPECT_EQ(panel.Props[0].FontColor.Left, -1);
  }
  {
    TTestManager t;
    t.M.SetBrightness(150);
    EXPECT_EQ(t.M.Brightness(), 100);
    ASSERT_TRUE(t.Load(BaseOptions(extra), files));
    EXPECT_EQ(t.M.MasterBitmap->At(41, 1), 0xFF8B8B8Bu);  // 100 + 100 * 100 / 256 = 139
    EXPECT_EQ(t.M.MasterBitmap->At(41, 5), 0xFF646464u);
    EXPECT_EQ(t.M.MasterBitmap->At(0, 0), kKey);
  }
  {
    TTestManager t;
    t.M.Saturation = -100;
    ASSERT_TRUE(t.Load(BaseOptions(extra), files));
    // Full desaturation leaves red's luminance, 76, times 255 / 256.
    EXPECT_EQ(t.M.MasterBitmap->At(30, 2), 0xFF4B4B4Bu);
  }
}

TEST(SkinLoad, ResolutionsInUseAndFallbackObjects) {
  TTestManager t(144);
  TacSkinData& fallback = t.M.CommonSkinData(120);
  EXPECT_EQ(fallback.PPI, 120);
  EXPECT_TRUE(fallback.gd.empty());
  ASSERT_TRUE(t.Load(BaseOptions(), BaseFiles()));
  ASSERT_EQ(t.M.SkinDataArray.size(), 3u);
  EXPECT_EQ(t.M.SkinDataArray[0]->PPI, 96);
  EXPECT_EQ(t.M.SkinDataArray[1], nullptr);
  EXPECT_EQ(t.M.SkinDataArray[2]->PPI, 144);
  EXPECT_FALSE(t.M.SkinDataArray[2]->gd.empty());
  // Not in use until asked for; an active manager loads it on demand.
  TacSkinData* at192 = &t.M.CommonSkinData(192);
  ASSERT_EQ(t.M.SkinDataArray.size(), 4u);
  EXPECT_EQ(at192, t.M.SkinDataArray[3].get());
  EXPECT_FALSE(t.M.SkinDataArray[3]->gd.empty());
  EXPECT_EQ(t.M.CommonSkinData(192).ExBorderWidth, 8);
  t.M.ClearSkinData();
  EXPECT_TRUE(t.M.SkinDataArray.empty());
  EXPECT_EQ(t.M.SkinCommonInfo.Sections[ssButton], -1);
}

// A resolution is loaded only at the four steps: whatever resolution asks
// first, its step's slot holds the step's own. Resolutions far outside them
// (a skin command's 65536 or 2^31 - 1) used to overflow the scale percentage
// and load the skin at that size.
TEST(SkinLoad, ResolutionsOutsideTheStepsUseTheirStep) {
  const struct {
    int32_t Asked;
    int32_t Loaded;
    std::size_t Slot;
  } cases[] = {{110, 96, 0},        {130, 120, 1}, {150, 144, 2}, {65536, 192, 3},
               {INT32_MAX, 192, 3}, {-5, 96, 0},   {0, 96, 0}};
  for (const auto& c : cases) {
    TTestManager t;
    ASSERT_TRUE(t.Load(BaseOptions(), BaseFiles()));
    const TacSkinData& sd = t.M.CommonSkinData(c.Asked);
    EXPECT_EQ(sd.PPI, c.Loaded) << c.Asked;
    EXPECT_EQ(sd.ScalePercent, c.Loaded * 100 / 96) << c.Asked;
    EXPECT_FALSE(sd.gd.empty()) << c.Asked;
    ASSERT_GT(t.M.SkinDataArray.size(), c.Slot);
    EXPECT_EQ(&sd, t.M.SkinDataArray[c.Slot].get()) << c.Asked;
    EXPECT_TRUE(t.Sink.Entries.empty()) << c.Asked;
  }
  // Without a loaded skin the answer is a fallback object; its numbers hold.
  TTestManager idle;
  const TacSkinData& fallback = idle.M.CommonSkinData(INT32_MAX);
  EXPECT_EQ(fallback.ScalePercent, ScalePercentOf(fallback.PPI));
  EXPECT_EQ(ScalePercentOf(INT32_MAX), INT32_MAX);
  EXPECT_EQ(ScalePercentOf(INT32_MIN), INT32_MIN);
  EXPECT_EQ(ScalePercentOf(144), 150);
}

// Painting indexes state images and colours by the number of states: a
// skin's negative or zero STATES is held at 1, a huge one at 255, whether the
// section comes from the skin or from the manager's common sections.
TEST(SkinLoad, NumbersOfStatesAreHeldInRange) {
  const struct {
    const char* Value;
    int32_t States;
  } cases[] = {{"-4", 1}, {"0", 1}, {"-2147483648", 1}, {"2", 2}, {"300", 255}};
  for (const auto& c : cases) {
    TTestManager t;
    const std::string value = c.Value;
    t.M.SetCommonSections({"[PANEL]", "STATES=" + value, "[EXTRA]", "STATES=" + value});
    ASSERT_TRUE(t.Load(BaseOptions("[OWN]\nSTATES=" + value + "\n"), BaseFiles())) << c.Value;
    const TacSkinData& sd = t.At(96);
    for (const char* name : {"OWN", "PANEL", "EXTRA"}) {
      const int32_t index = SectionIndex(sd, name);
      ASSERT_GE(index, 0) << name;
      EXPECT_EQ(sd.gd[static_cast<std::size_t>(index)].States, c.States) << name << " " << c.Value;
    }
  }
}

TEST(SkinLoad, FrameMetricsForBothBorderModes) {
  const std::string extra = "";
  std::string options = BaseOptions();
  options.insert(options.find("[BUTTON]"), "TITLEHEIGHT=20\nBORDERWIDTH=0\n");
  {
    TTestManager t(144);
    ASSERT_TRUE(t.Load(options, BaseFiles()));
    const TacSkinData& sd = t.At(144);
    EXPECT_EQ(sd.ExTitleHeight, 30);
    EXPECT_EQ(sd.ExMaxHeight, 30);
    EXPECT_EQ(sd.ExBorderWidth, 1);
    EXPECT_EQ(sd.ExContentOffs, 6);
  }
  {
    TTestManager t(144);
    t.M.ExtBordersMode = ebmShadow;
    ASSERT_TRUE(t.Load(options, BaseFiles()));
    const TacSkinData& sd = t.At(144);
    EXPECT_EQ(sd.ExTitleHeight, 45);
    EXPECT_EQ(sd.ExBorderWidth, 6);
    EXPECT_EQ(sd.ExCenterOffs, 0);
  }
}

TEST(SkinLoad, ShadowTemplatesOnlyWithExtendedBorders) {
  TTestManager t;
  ASSERT_TRUE(t.Load(BaseOptions(), BaseFiles()));
  EXPECT_EQ(t.At(96).FormShadowSize, TRect());
  EXPECT_EQ(t.At(96).ShdaTemplate, nullptr);
  TTestManager e;
  e.M.ExtendedBorders = true;
  ASSERT_TRUE(e.Load(BaseOptions(), BaseFiles()));
  const TacSkinData& sd = e.At(96);
  EXPECT_EQ(sd.FormShadowSize, TRect::LTRB(13, 11, 13, 15));
  ASSERT_NE(sd.ShdaTemplate, nullptr);
  EXPECT_EQ(sd.ShdaTemplate->Width, 27);
  EXPECT_EQ(sd.ShdaTemplate->Height, 29);
}

TEST(SkinLoad, RightToLeftMirrorsTitleGlyphsWithinTheirCells) {
  TTestImage master = Master();
  master.At(30, 0) = 0xFF0000FFu;  // left column of the first cell
  master.At(34, 0) = 0xFF00FF00u;  // left column of the second cell
  auto files = BaseFiles();
  files[0].Data = EncodeBmp(master, 24);
  std::string options = BaseOptions();
  options.insert(options.find("[BUTTON]"),
                 "BICONCLOSE=" + Canon(TRect::LTRB(30, 0, 38, 4), 0, 0, 0, 0, 2, 0, 2, 0) + "\n");
  TTestManager t;
  t.M.RightToLeft = true;
  ASSERT_TRUE(t.Load(options, files));
  EXPECT_TRUE(t.M.HasState(msRTLFlipped));
  EXPECT_EQ(t.M.MasterBitmap->At(33, 0), 0xFF0000FFu);
  EXPECT_EQ(t.M.MasterBitmap->At(37, 0), 0xFF00FF00u);
  EXPECT_EQ(t.M.MasterBitmap->At(30, 0), kGrey);
}

TEST(SkinLoad, ScaledMaskDataForAnExactResolution) {
  TTestManager t;
  TsMaskData md;
  EXPECT_EQ(t.M.GetScaledMaskData("BUTTON", "BORDERSMASK", md, 144), -1);
  ASSERT_TRUE(t.Load(BaseOptions(), BaseFiles()));
  EXPECT_EQ(t.M.GetScaledMaskData("BUTTON", "BORDERSMASK", md, 144), 144);
  ASSERT_NE(md.Bmp, nullptr);
  EXPECT_EQ(md.Width, 18);
  EXPECT_EQ(md.DivPPI, 96);
  EXPECT_EQ(md.Cfg & 1, 1);
  EXPECT_EQ(t.M.GetScaledMaskData("BUTTON", "BORDERSMASK", md, 96), 96);
  EXPECT_EQ(md.R, TRect::LTRB(0, 0, 24, 12));
  EXPECT_EQ(md.Bmp->At(0, 0), kKey);
  EXPECT_EQ(t.M.GetScaledMaskData("BUTTON", "NOSUCHKEY", md, 96), -1);
}

TEST(SkinLoad, EmbeddedFontsOfAnArchive) {
  TTestManager t;
  std::string options = BaseOptions();
  options.insert(options.find("[BUTTON]"), "FontCount=2\nFontFile1=FACE.TTF\nFontName1=Face\n");
  auto files = BaseFiles();
  files.push_back({"FACE.TTF", {1, 2, 3}});
  ASSERT_TRUE(t.Load(options, files));
  ASSERT_EQ(t.M.EmbeddedFonts.size(), 1u);
  EXPECT_EQ(t.M.EmbeddedFonts[0].FFontName, "Face");
  EXPECT_EQ(t.M.EmbeddedFonts[0].FFileName, "FACE.TTF");
  EXPECT_EQ(t.M.EmbeddedFonts[0].FontData.size(), 3u);
}

}  // namespace
}  // namespace ac
