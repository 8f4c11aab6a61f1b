#include "paint/border_shadow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "paint/letter_pictures_test_support.h"
#include "paint/mask_paint_test_support.h"

namespace ac {
namespace {

using test::Picture;
using test::Px;
using test::Rows;

const std::vector<std::string> kTemplate = {"abcdef", "ghijkl", "mnopqr", "stuvwx",
                                            "yzABCD", "EFGHIJ", "KLMNOP", "QRSTUV"};

TEST(PaintBorderShadow, EachKindCutsItsBandsFromTheTemplate) {
  const struct {
    const char* Name;
    TBorderShadowInputs In;
    std::vector<std::string> Expected;
  } cases[] = {
      // One image for frame, title and shadow: the top band reaches down to
      // the title's bottom (shadow 1 + title 2), the other bands cover the
      // shadow and the border (1 + 1); the template's rows below the title
      // split between top (4 = min(WT, h + t)) and bottom (3) margins.
      {"image frame",
       {.Kind = TBorderShadowKind::bsImageFrame,
        .Shadow = TRect::LTRB(1, 1, 1, 1),
        .BorderWidth = 1,
        .CaptionHeight = 2,
        .ImageMargins = TRect::LTRB(2, 4, 2, 3)},
       {"abcdcdef", "ghijijkl", "mnopopqr", "st....wx", "yz....CD", "yz....CD", "EF....IJ",
        "KLMNMNOP", "QRSTSTUV"}},
      // The engine's round shadow: half the template on every side, bands
      // as thick as the shadow, stretched.
      {"engine shadow",
       {.Kind = TBorderShadowKind::bsEngineShadow, .Shadow = TRect::LTRB(1, 1, 1, 1)},
       {"abccddef", "g......l", "m......r", "s......x", "s......x", "y......D", "E......J",
        "K......P", "QRSSTTUV"}},
      // The image as a frame around the form: its own margins, bands as thick
      // as the shadow, tiled.
      {"image around",
       {.Kind = TBorderShadowKind::bsImageAround,
        .Shadow = TRect::LTRB(1, 1, 1, 1),
        .ImageMargins = TRect::LTRB(2, 4, 2, 3)},
       {"abcdcdef", "g......l", "m......r", "s......x", "y......D", "y......D", "E......J",
        "K......P", "QRSTSTUV"}},
  };
  const TsPixelImage tpl = Picture(kTemplate);
  for (const auto& c : cases) {
    TsPixelImage image = Picture(std::vector<std::string>(9, std::string(8, '.')));
    PaintBorderShadow(image, tpl, c.In);
    EXPECT_EQ(Rows(image), c.Expected) << c.Name;
  }
}

TEST(PaintBorderShadow, NoTemplateNoPicture) {
  TsPixelImage image = Picture(std::vector<std::string>(3, std::string(3, '.')));
  PaintBorderShadow(image, TsPixelBuffer(), {.Shadow = TRect::LTRB(1, 1, 1, 1)});
  EXPECT_EQ(Rows(image), std::vector<std::string>(3, std::string(3, '.')));
}

TEST(BorderShadowInputs, KindFromTheBorderModeAndTheSkinsImage) {
  TacSkinData sd(test::FakeManager(), 96);
  sd.FormShadowSize = TRect::LTRB(14, 14, 14, 14);
  sd.ExBorderWidth = 4;
  TsMaskData exborder;
  exborder.WL = 22;
  exborder.WT = 46;
  exborder.WR = 22;
  exborder.WB = 21;
  exborder.DrawMode = 17;
  sd.ma.push_back(exborder);
  const struct {
    int32_t DrawMode, ExBorder;
    TacExtBordersMode Mode;
    TBorderShadowKind Kind;
  } cases[] = {
      {1, 0, ebmFull, TBorderShadowKind::bsImageFrame},
      {0, 0, ebmFull, TBorderShadowKind::bsImageAround},
      {0, -1, ebmFull, TBorderShadowKind::bsEngineShadow},
      {1, 0, ebmShadow, TBorderShadowKind::bsEngineShadow},
      // The mode asks for the image but the skin has none: no margins, so
      // nothing is painted around the window area.
      {1, -1, ebmFull, TBorderShadowKind::bsImageFrame},
  };
  for (const auto& c : cases) {
    sd.ExDrawMode = c.DrawMode;
    sd.ExBorder = c.ExBorder;
    const TBorderShadowInputs in = BorderShadowInputs(sd, c.Mode, 32, 0);
    EXPECT_EQ(in.Kind, c.Kind) << c.DrawMode << " " << c.ExBorder << " " << c.Mode;
    EXPECT_EQ(in.ImageMargins, c.ExBorder >= 0 ? TRect::LTRB(22, 46, 22, 21) : TRect())
        << c.DrawMode;
    EXPECT_EQ(in.Fill, c.ExBorder >= 0 ? TBandFill::Stretch : TBandFill::Tile);
    EXPECT_EQ(in.Shadow, TRect::LTRB(14, 14, 14, 14));
    EXPECT_EQ(in.BorderWidth, 4);
    EXPECT_EQ(in.CaptionHeight, 32);
  }
}

}  // namespace
}  // namespace ac
