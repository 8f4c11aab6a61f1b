// Numbers a forged skin or a broken caller can hand the painters: each case
// once overflowed, read outside an image, divided by zero, asked for
// gigabytes or looped for hours (found by fuzz/paint_fuzz.cpp or in review).
// Now each paints what fits or nothing, quickly.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "core/message_sink.h"
#include "paint/control_paint.h"
#include "paint/mask_paint.h"
#include "paint/mask_paint_image.h"
#include "paint/mask_paint_test_support.h"
#include "paint/plain_border.h"
#include "paint/section_paint.h"
#include "skin/skin_manager_core.h"

namespace ac {
namespace {

using test::Filled;
using test::Hex;
using test::MakeMask;

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kFar = 1 << 24;  // the largest distance the painters work with
constexpr uint32_t kOld = 0x11111111;
constexpr uint32_t kColour = 0xFF204060;

// A skin of one section in the colour 0x00302010 (pixel 0xFF102030) whose
// masks the cases add.
struct TSkin {
  TacSkinData Sd{test::FakeManager(), 96};
  std::vector<TsPixelImage> Images;

  TSkin() {
    Sd.gd.resize(1);
    Sd.gd[0].Props[0].Color = 0x00302010;
  }
  int32_t Add(test::TMaskFixture f) {
    Images.push_back(std::move(f.Image));
    Sd.ma.push_back(f.Mask);
    return static_cast<int32_t>(Sd.ma.size()) - 1;
  }
};

struct TCase {
  std::string Name;
  // Paints into an 8 x 8 image of kOld and returns the image it should give.
  std::function<std::string(const TsPixelBuffer&)> Paint;
};

std::string Same(uint32_t pixel) {
  return Hex(Filled(8, 8, pixel).View());
}

std::vector<TCase> Cases() {
  return {
      {"RectangleAtTheEndsOfTheRange",
       [](const TsPixelBuffer& d) {
         auto f = MakeMask(Filled(3, 3, kColour), 1, 0, 4, 1, 1, 1, 1);
         PaintMaskRect(d, TRect::LTRB(kMin, 0, 8, 8), f.Mask, 0, TCacheInfo{}, TUseParent::No);
         return Same(kOld);
       }},
      {"StateCountAtTheBottomOfTheRange",
       [](const TsPixelBuffer& d) {
         TSkin s;
         s.Sd.gd[0].States = kMin;  // every state is state 0
         s.Sd.gd[0].Props[1].Color = 0x000000FF;
         PaintSection(d, d.Bounds(), s.Sd, 0, 1, TCacheInfo{}, {});
         return Same(0xFF102030);
       }},
      {"ParentOffsetAtTheEndOfTheRange",
       [](const TsPixelBuffer& d) {
         TSkin s;
         TsControlPaintData ctrl;
         ctrl.SkinData = &s.Sd;
         ctrl.SkinIndex = 0;
         TCacheInfo cache;
         cache.X = kMin;
         PaintControlSection(d, d.Bounds(), ctrl, 0, cache, {-8, 0}, TUseParent::Yes);
         return Same(kOld);
       }},
      {"StretchedPieceFarLargerThanTheDestination",
       [](const TsPixelBuffer& d) {
         // Only the visible part of each stretched piece is made.
         auto f = MakeMask(Filled(3, 3, kColour), 1, 0, 1 | 4, 1, 1, 1, 1);
         PaintMaskRect(d, TRect::LTRB(-kFar, -kFar, 8, 8), f.Mask, 0, TCacheInfo{}, TUseParent::No);
         return Same(kColour);
       }},
      {"TiledPieceFromFarOutside",
       [](const TsPixelBuffer& d) {
         // Tiles that end before the destination are not visited one by one.
         auto f = MakeMask(Filled(3, 3, kColour), 1, 0, 4, 1, 1, 1, 1);
         PaintMaskRectLayered(d, TRect::LTRB(-kFar, -kFar, 8, 8), f.Mask, 0, TCacheInfo{});
         return Same(kColour);
       }},
      {"MaskedEntryWithNegativeHeightAndBands",
       [](const TsPixelBuffer& d) {
         // Mask rows lie Height rows below the image rows: here one row above
         // the image, which the bands reach into.
         auto f = MakeMask(Filled(3, 6, kColour), 1, 1, 4, 1, 0, 1, -2);
         f.Mask.Height = -1;
         PaintMaskRect(d, d.Bounds(), f.Mask, 0, TCacheInfo{}, TUseParent::No);
         return Same(kOld);
       }},
      {"UpsideDownMaskedFrame",
       [](const TsPixelBuffer& d) {
         auto f = MakeMask(Filled(2, 4, kColour), 1, 1, 0, 0, 0, 0, 0);
         f.Mask.R = TRect::LTRB(0, 4, 2, 0);
         PaintMaskImage(d, {0, 0}, f.Mask, 0, TCacheInfo{}, TFrameStrength::Full);
         return Same(kOld);
       }},
      {"MaskRowsCountedBelowZero",
       [](const TsPixelBuffer& d) {
         auto f = MakeMask(Filled(2, 4, kColour), 1, 1, 0, 0, 0, 0, 0);
         f.Mask.MaskType = -1;
         PaintMaskImage(d, {0, 0}, f.Mask, 0, TCacheInfo{}, TFrameStrength::Full);
         return Same(kOld);
       }},
      {"CornerRadiusFarBeyondTheRectangle",
       [](const TsPixelBuffer& d) {
         // A radius is at most the rectangle's longer side (and 256).
         TsGeneralData gd;
         gd.Props[0].BorderColor = 0x000000FF;
         gd.BorderRadius = 8;
         TsPixelImage want = Filled(8, 8, kOld);
         EXPECT_TRUE(PaintPlainBorder(want.View(), want.View().Bounds(), gd, 0, TCacheInfo{}, {}));
         gd.BorderRadius = 1 << 20;
         EXPECT_TRUE(PaintPlainBorder(d, d.Bounds(), gd, 0, TCacheInfo{}, {}));
         return Hex(want.View());
       }},
      {"BorderWidthOverflowingWhenScaled",
       [](const TsPixelBuffer& d) {
         TsGeneralData gd;
         gd.Props[0].BorderColor = 0x000000FF;
         gd.BorderWidth = kMax;
         EXPECT_TRUE(PaintPlainBorder(d, d.Bounds(), gd, 0, TCacheInfo{}, {192}));
         return Same(0xFFFF0000);
       }},
      {"SharesBeyondAHundred",
       [](const TsPixelBuffer& d) {
         // Taken as 100 each: the black texture, then the colour (the
         // gradient has no points) mixed in with weight 255 for the texture.
         TSkin s;
         TsGenState& st = s.Sd.gd[0].Props[0];
         st.TextureIndex = s.Add(MakeMask(Filled(2, 2, 0xFF000000), 1, 0, 0, 0, 0, 0, 0));
         st.ImagePercent = kMax;
         st.GradientPercent = kMax;
         st.Color = 0x00FFFFFF;
         PaintSection(d, d.Bounds(), s.Sd, 0, 0, TCacheInfo{}, {});
         return Same(0xFF000000);
       }},
      {"BackgroundRectangleReachingPastTheDestination",
       [](const TsPixelBuffer& d) {
         TSkin s;
         s.Sd.gd[0].Props[0].Transparency = 50;
         TsPixelImage parent = Filled(8, 8, 0xFF000000);
         PaintSectionBackground(d, TRect::LTRB(0, 0, 1 << 20, 1 << 20), s.Sd, 0, 0,
                                MakeCacheInfo(parent.View(), 0, 0), {}, clFuchsia);
         return Same(kOld);
       }},
  };
}

class HostileGeometry : public ::testing::TestWithParam<TCase> {};

TEST_P(HostileGeometry, PaintsWhatFitsOrNothing) {
  TsPixelImage dst = Filled(8, 8, kOld);
  const std::string want = GetParam().Paint(dst.View());
  EXPECT_EQ(Hex(dst.View()), want);
}

INSTANTIATE_TEST_SUITE_P(Painters, HostileGeometry, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<TCase>& p) { return p.param.Name; });

}  // namespace
}  // namespace ac
