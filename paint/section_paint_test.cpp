#include "paint/section_paint.h"

#include <gtest/gtest.h>

#include "paint/control_paint.h"
#include "paint/mask_paint_test_support.h"
#include "paint/plain_border.h"
#include "pixels/blend.h"
#include "pixels/gradient_paint.h"
#include "skin/palette.h"
#include "skin/skin_manager_core.h"

namespace ac {
namespace {

using test::Coded;
using test::Filled;
using test::Hex;
using test::MakeMask;

// A skin of one section "S" whose normal state is given by the test.
struct TSkin {
  TacSkinData Sd;
  std::vector<TsPixelImage> Images;

  TsGeneralData& Section() { return Sd.gd[0]; }
  TsGenState& State(int i = 0) { return Sd.gd[0].Props[i]; }
  int32_t AddMask(test::TMaskFixture f) {
    Images.push_back(std::move(f.Image));
    Sd.ma.push_back(f.Mask);
    return static_cast<int32_t>(Sd.ma.size()) - 1;
  }

  explicit TSkin(TacSkinManagerCore* owner = test::FakeManager()) : Sd(owner, 96) {
    Sd.gd.emplace_back();
    Section().ClassName.push_back('S');  // (a literal trips g++ 12's bogus -Wrestrict)
    State().Color = 0x00302010;          // pixel 0xFF102030
  }
};

TsGradArray Vertical(TColor top, TColor bottom) {
  TsGradArray g(2);
  g[0] = {0, kGradVertical, TsColor(top), 0};
  g[1] = {1, kGradVertical, TsColor(bottom), 100};
  return g;
}

TEST(PaintSectionBackground, OpaqueAndParentUnknown) {
  TSkin s;
  s.State().Transparency = 50;  // ignored: the parent is unknown
  TsPixelImage dst(3, 2);
  PaintSectionBackground(dst.View(), dst.View().Bounds(), s.Sd, 0, 0, TCacheInfo{}, {}, clFuchsia);
  EXPECT_EQ(dst.View().At(2, 1), 0xFF102030u);
  // A custom colour is painted opaque, without texture or gradient.
  PaintSectionBackground(dst.View(), dst.View().Bounds(), s.Sd, 0, 0, TCacheInfo{}, {}, 0x000000FF);
  EXPECT_EQ(dst.View().At(0, 0), 0xFFFF0000u);
}

TEST(PaintSectionBackground, FullTransparencyCopiesTheParent) {
  TSkin s;
  s.State().Transparency = 100;
  TsPixelImage parent = Coded(6, 6, 0x40000000);
  TsPixelImage dst = Filled(4, 4, 0x11111111);
  // The parent behind (x, y) of Rect is at Cache + Offset + (x, y) - Rect.TopLeft.
  PaintSectionBackground(dst.View(), TRect::XYWH(1, 1, 2, 2), s.Sd, 0, 0,
                         MakeCacheInfo(parent.View(), 1, 0), {1, 2}, clFuchsia);
  EXPECT_EQ(Hex(dst.View()), Hex(4, {0x11111111, 0x11111111, 0x11111111, 0x11111111,  //
                                     0x11111111, 0x40000202, 0x40000203, 0x11111111,  //
                                     0x11111111, 0x40000302, 0x40000303, 0x11111111,  //
                                     0x11111111, 0x11111111, 0x11111111, 0x11111111}));
  // The cache image is the destination itself: nothing to do.
  TsPixelImage same = Coded(3, 3, 0x40000000);
  const auto before = test::Pixels(same.View());
  PaintSectionBackground(same.View(), same.View().Bounds(), s.Sd, 0, 0,
                         MakeCacheInfo(same.View(), 0, 0), {}, clFuchsia);
  EXPECT_EQ(test::Pixels(same.View()), before);
  // No image at all: the fill colour, opaque.
  TCacheInfo fill;
  fill.FillColor = TsColor(0x00445566);
  PaintSectionBackground(dst.View(), dst.View().Bounds(), s.Sd, 0, 0, fill, {}, clFuchsia);
  EXPECT_EQ(dst.View().At(3, 3), 0xFF665544u);
}

TEST(PaintSectionBackground, FullTransparencyWithMarginsOfANotReadyImage) {
  TSkin s;
  s.State().Transparency = 100;
  TsPixelImage parent = Coded(10, 10, 0x40000000);
  TCacheInfo c;
  c.Bmp = parent.View();
  c.FillColor = TsColor(0x00445566);
  c.FillRect = TRect::LTRB(2, 1, 0, 0);  // left margin 2, top margin 1
  TsPixelImage dst = Filled(4, 3, 0);
  PaintSectionBackground(dst.View(), dst.View().Bounds(), s.Sd, 0, 0, c, {1, 0}, clFuchsia);
  // A = (1, 0)-(5, 3): one left column and one top row from the image.
  EXPECT_EQ(Hex(dst.View()), Hex(4, {0x40000001, 0x40000002, 0x40000003, 0x40000004,  //
                                     0x40000101, 0xFF665544, 0xFF665544, 0xFF665544,  //
                                     0x40000201, 0xFF665544, 0xFF665544, 0xFF665544}));
}

TEST(PaintSectionBackground, HalfTransparentPlainColourMixesOnce) {
  TSkin s;
  s.State().Transparency = 50;
  TCacheInfo fill;
  fill.FillColor = TsColor(0x00FFFFFF);
  TsPixelImage dst(2, 2);
  PaintSectionBackground(dst.View(), dst.View().Bounds(), s.Sd, 0, 0, fill, {}, clFuchsia);
  const uint32_t want = ColorToPixel(MixColor(0x00FFFFFF, 0x00302010, 127)) | 0xFF000000u;
  EXPECT_EQ(dst.View().At(1, 1), want);
  EXPECT_EQ(want, 0xFF868E96u);
}

TEST(PaintSectionBackground, HalfTransparentGradientOverAReadyCache) {
  TSkin s;
  s.State().Transparency = 50;
  s.State().GradientPercent = 100;
  s.State().GradientArray = Vertical(0x000000FF, 0x00FF0000);
  TsPixelImage parent = Filled(2, 4, 0xFF808080);
  TsPixelImage dst(2, 4);
  PaintSectionBackground(dst.View(), dst.View().Bounds(), s.Sd, 0, 0,
                         MakeCacheInfo(parent.View(), 0, 0), {}, clFuchsia);
  TsPixelImage grad(2, 4);
  PaintGradient(grad.View(), grad.View().Bounds(), s.State().GradientArray);
  for (int32_t y = 0; y < 4; ++y) {
    const uint32_t g = grad.View().At(0, y);
    uint32_t want = 0;
    for (int shift = 0; shift < 32; shift += 8)
      want |= (((((0xFF808080u >> shift) & 0xFF) * 127 + ((g >> shift) & 0xFF) * 129) >> 8) & 0xFF)
              << shift;
    EXPECT_EQ(dst.View().At(1, y), want) << y;
  }
}

TEST(PaintSectionFill, TextureFadedTowardTheColour) {
  TSkin s;
  const int32_t tex = s.AddMask(MakeMask(Filled(2, 2, 0xFF000000), 1, 0, 0, 0, 0, 0, 0));
  s.State().ImagePercent = 30;
  s.State().TextureIndex = tex;
  s.State().Color = 0x00FFFFFF;
  TsPixelImage dst(2, 2);
  PaintSectionBackground(dst.View(), dst.View().Bounds(), s.Sd, 0, 0, TCacheInfo{}, {}, clFuchsia);
  // FadeToColor with weight 76: (0 * 76 + 255 * 179) >> 8 = 178.
  EXPECT_EQ(dst.View().At(1, 1), 0xFFB2B2B2u);
}

TEST(PaintSectionFill, OnePassTextureAndGradient) {
  TSkin s;
  const int32_t tex = s.AddMask(MakeMask(Coded(2, 2), 1, 0, 0, 0, 0, 0, 0));
  s.State().ImagePercent = 40;
  s.State().GradientPercent = 60;
  s.State().TextureIndex = tex;
  s.State().GradientArray = Vertical(0x00FFFFFF, 0x00000000);
  TsPixelImage dst(3, 3);
  PaintSectionBackground(dst.View(), dst.View().Bounds(), s.Sd, 0, 0, TCacheInfo{}, {}, clFuchsia);
  TsPixelImage grad(3, 3);
  PaintGradient(grad.View(), grad.View().Bounds(), s.State().GradientArray);
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t x = 0; x < 3; ++x) {
      const uint32_t g = grad.View().At(x, y);
      const uint32_t t = s.Images[0].View().At(x % 2, y % 2);
      uint32_t want = 0xFF000000u;
      for (int shift = 0; shift < 24; shift += 8) {
        const int32_t tc = (t >> shift) & 0xFF, gc = (g >> shift) & 0xFF;
        want |= static_cast<uint32_t>(((102 * (tc - gc) + gc * 256) >> 8) & 0xFF) << shift;
      }
      EXPECT_EQ(dst.View().At(x, y), want) << x << "," << y;
    }
}

TEST(PaintPlainBorder, WidthScalesWithResolution) {
  TsGeneralData gd;
  gd.BorderWidth = 2;
  gd.Props[0].BorderColor = 0x000000FF;
  TsPixelImage dst = Filled(8, 8, 0xFF000000);
  EXPECT_TRUE(PaintPlainBorder(dst.View(), dst.View().Bounds(), gd, 0, TCacheInfo{}, {144}));
  EXPECT_EQ(dst.View().At(2, 4), 0xFFFF0000u);
  EXPECT_EQ(dst.View().At(3, 4), 0xFF000000u);
  EXPECT_EQ(dst.View().At(5, 4), 0xFFFF0000u);
  EXPECT_EQ(dst.View().At(4, 5), 0xFFFF0000u);
}

// A border colour that names a system colour takes the active skin's
// colour, for the line and for the corners cut against a parent that is
// known only by the border colour.
TEST(PaintPlainBorder, SystemColoursTakeTheSkinPalette) {
  TRecordingSink sink;
  TacSkinManagerCore manager(sink);
  manager.SkinCommonInfo.Active = true;
  manager.Palette[pcMainColor] = 0x00102030;  // clBtnFace in this skin
  TSkin s(&manager);
  s.State().Color = 0x00FFFFFF;
  s.State().BorderColor = clBtnFace;
  s.Section().BorderWidth = 1;
  {
    TsPixelImage dst(6, 6);
    PaintSection(dst.View(), dst.View().Bounds(), s.Sd, 0, 0, TCacheInfo{}, {});
    EXPECT_EQ(dst.View().At(0, 3), 0xFF302010u);
    EXPECT_EQ(dst.View().At(3, 3), 0xFFFFFFFFu);
  }
  s.Section().BorderRadius = 8;
  TsPixelImage dst(20, 20);
  PaintSection(dst.View(), dst.View().Bounds(), s.Sd, 0, 0, TCacheInfo{}, {});
  // (0, 0) lies wholly outside the corner disc: it is the cut's fill colour,
  // the border colour as a pixel with the colour's own (zero) top byte.
  EXPECT_EQ(dst.View().At(0, 0), 0x00302010u);
  EXPECT_EQ(dst.View().At(10, 0), 0xFF302010u);
}

TEST(PaintPlainBorder, RadiiFittedToTheControl) {
  EXPECT_EQ(FitRadii({8, 8, 8, 8}, 20, 10), (TCornerRadii{4, 4, 4, 4}));
  EXPECT_EQ(FitRadii({8, 8, 8, 8}, 10, 20), (TCornerRadii{4, 4, 4, 4}));
  EXPECT_EQ(FitRadii({3, 3, 3, 3}, 20, 10), (TCornerRadii{3, 3, 3, 3}));
}

TEST(PaintPlainBorder, FuchsiaColourRoundsWithoutALine) {
  TsGeneralData gd;
  gd.BorderRadius = 4;
  TsPixelImage dst = Filled(12, 12, 0xFF102030);
  TsPixelImage parent = Filled(12, 12, 0xFFFFFFFF);
  EXPECT_FALSE(PaintPlainBorder(dst.View(), dst.View().Bounds(), gd, 0,
                                MakeCacheInfo(parent.View(), 0, 0), {}));
  EXPECT_EQ(dst.View().At(11, 11), 0xFFFFFFFFu);
  EXPECT_EQ(dst.View().At(6, 0), 0xFF102030u);  // no line on the edges
  EXPECT_EQ(dst.View().At(6, 6), 0xFF102030u);
}

TEST(PaintPlainBorder, CustomBorderColoursByState) {
  TsGeneralData gd;
  gd.Props[2].BorderColor = 0x00000001;
  TacPaintBorderData custom;
  custom.FWidth = 1;
  custom.FColorNormal = 0x000000FF;
  custom.FColorActive = 0x0000FF00;
  TsPixelImage dst(4, 4);
  PaintPlainBorder(dst.View(), dst.View().Bounds(), gd, 0, TCacheInfo{}, {96, {}, &custom});
  EXPECT_EQ(dst.View().At(0, 0), 0xFFFF0000u);
  PaintPlainBorder(dst.View(), dst.View().Bounds(), gd, 2, TCacheInfo{}, {96, {}, &custom});
  EXPECT_EQ(dst.View().At(0, 0), 0xFF00FF00u);  // pressed not set: active
  custom.FColorNormal = custom.FColorActive = clNone;
  PaintPlainBorder(dst.View(), dst.View().Bounds(), gd, 2, TCacheInfo{}, {96, {}, &custom});
  EXPECT_EQ(dst.View().At(0, 0), 0xFF010000u);  // the state's border colour
}

TEST(PaintSection, StateLimitedAndRectMustLieInside) {
  TSkin s;
  s.State(2).Color = 0x000000FF;
  TsPixelImage dst(3, 3);
  PaintSection(dst.View(), dst.View().Bounds(), s.Sd, 0, 5, TCacheInfo{}, {});
  EXPECT_EQ(dst.View().At(1, 1), 0xFFFF0000u);
  TsPixelImage untouched(3, 3);
  PaintSection(untouched.View(), TRect::XYWH(1, 1, 3, 3), s.Sd, 0, 0, TCacheInfo{}, {});
  PaintSection(untouched.View(), untouched.View().Bounds(), s.Sd, 3, 0, TCacheInfo{}, {});
  EXPECT_EQ(untouched.View().At(1, 1), 0u);
}

TEST(PaintControlSection, BorderEntryWithBitTwoShowsFromStateOne) {
  TSkin s;
  s.Section().BorderIndex = s.AddMask(MakeMask(Filled(3, 3, 0xFF0000FF), 1, 0, 2, 1, 1, 1, 1));
  s.State(1).Color = 0x00302010;
  TsControlPaintData ctrl;
  ctrl.SkinData = &s.Sd;
  ctrl.SkinIndex = 0;
  TsPixelImage dst(4, 4);
  PaintControlSection(dst.View(), dst.View().Bounds(), ctrl, 0, TCacheInfo{}, {}, TUseParent::No);
  EXPECT_EQ(dst.View().At(0, 0), 0xFF102030u);
  PaintControlSection(dst.View(), dst.View().Bounds(), ctrl, 1, TCacheInfo{}, {}, TUseParent::No);
  EXPECT_EQ(dst.View().At(0, 0), 0xFF0000FFu);
  EXPECT_EQ(dst.View().At(1, 1), 0xFF102030u);
}

TEST(PaintControlSection, EffectsSkipKeyPixels) {
  TSkin s;
  s.State().Color = 0x00FFFFFF;
  TsControlPaintData ctrl;
  ctrl.SkinData = &s.Sd;
  ctrl.SkinIndex = 0;
  ctrl.ColorTone = 0x00000080;  // red at half
  TsPixelImage dst(2, 2);
  PaintControlSection(dst.View(), dst.View().Bounds(), ctrl, 0, TCacheInfo{}, {}, TUseParent::No);
  EXPECT_EQ(dst.View().At(0, 0), 0xFF7F0000u);  // (255 * 128) >> 8
}

TEST(PaintSectionWith, CallersBorderAndTexturesByState) {
  TSkin s;
  const int32_t texA = s.AddMask(MakeMask(Filled(1, 1, 0xFF0000AA), 1, 0, 0, 0, 0, 0, 0));
  const int32_t texB = s.AddMask(MakeMask(Filled(1, 1, 0xFF0000BB), 1, 0, 0, 0, 0, 0, 0));
  const int32_t border = s.AddMask(MakeMask(Filled(3, 3, 0xFF00CC00), 1, 0, 0, 1, 1, 1, 1));
  for (int i = 0; i < 3; ++i) s.State(i).ImagePercent = 100;
  TsPixelImage dst(4, 4);
  PaintSectionWith(dst.View(), dst.View().Bounds(), s.Sd, 0, {border, texA, texB}, 0, TCacheInfo{},
                   {});
  EXPECT_EQ(dst.View().At(0, 0), 0xFF00CC00u);
  EXPECT_EQ(dst.View().At(1, 1), 0xFF0000AAu);
  PaintSectionWith(dst.View(), dst.View().Bounds(), s.Sd, 0, {-1, texA, texB}, 1, TCacheInfo{}, {});
  EXPECT_EQ(dst.View().At(0, 0), 0xFF0000BBu);  // no border entry, no border colour
  EXPECT_EQ(dst.View().At(1, 1), 0xFF0000BBu);
}

// A stop-form gradient with per-point opacity (point 0 carries
// kGradSmoothTriangle) is laid over the fill, whatever GradientPercent says;
// the layered painter shows the same colours as the background painter over
// an unknown parent, each pixel at the state's alpha.
TsGradArray SmoothVertical(TColor top, TColor bottom) {
  TsGradArray g = Vertical(top, bottom);
  g[0].Mode |= kGradSmoothSegment | kGradSmoothTriangle;
  g[1].Mode |= kGradSmoothSegment;
  return g;
}

TEST(PaintSectionLayered, PaintsWhatTheBackgroundPainterPaints) {
  const struct {
    const char* Name;
    int32_t Transparency;
    int32_t GradientPercent;
    TsGradArray Gradient;
  } cases[] = {
      {"smooth gradient, no share", 0, 0, SmoothVertical(0x80FFFFFF, 0x400000FF)},
      {"smooth gradient, full share", 40, 100, SmoothVertical(0x80FFFFFF, 0x400000FF)},
      {"plain gradient at half", 40, 50, Vertical(0x00FFFFFF, 0x000000FF)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TSkin s;
    s.State().Color = 0x00000000;
    s.State().Transparency = c.Transparency;
    s.State().GradientPercent = c.GradientPercent;
    s.State().GradientArray = c.Gradient;
    const TRect rect = TRect::XYWH(0, 0, 4, 8);
    TsPixelImage want = Filled(5, 9, 0xFF00FF00);
    s.State().Transparency = 0;
    PaintSectionBackground(want.View(), rect, s.Sd, 0, 0, TCacheInfo{}, {}, clFuchsia);
    s.State().Transparency = c.Transparency;
    const uint32_t alpha = static_cast<uint32_t>((100 - c.Transparency) * 255 / 100) << 24;
    TsPixelImage dst = Filled(5, 9, 0xFF00FF00);
    PaintSectionLayered(dst.View(), rect, s.Sd, 0, 0, {});
    for (int32_t y = 0; y < rect.Bottom; ++y)
      for (int32_t x = 0; x < rect.Right; ++x)
        ASSERT_EQ(dst.View().At(x, y), (want.View().At(x, y) & 0x00FFFFFFu) | alpha)
            << x << "," << y;
  }
  // One pixel in numbers: half-opaque white over black at the top row.
  TSkin s;
  s.State().Color = 0x00000000;
  s.State().GradientArray = SmoothVertical(0x80FFFFFF, 0x80FFFFFF);
  TsPixelImage dst = Filled(3, 3, 0xFF00FF00);
  PaintSectionLayered(dst.View(), TRect::XYWH(0, 0, 2, 2), s.Sd, 0, 0, {});
  EXPECT_EQ(dst.View().At(0, 0), 0xFF808080u);
}

TEST(PaintSectionLayered, TransparencyBecomesAlphaAndTheWholeImageIsPremultiplied) {
  TSkin s;
  s.State().Color = 0x00FFFFFF;
  s.State().Transparency = 60;  // alpha (100 - 60) * 255 / 100 = 102
  TsPixelImage dst = Filled(3, 3, 0xFF000000);
  PaintSectionLayered(dst.View(), dst.View().Bounds(), s.Sd, 0, 0, {});
  // 255 * 102 >> 8 = 101 after premultiplication.
  EXPECT_EQ(dst.View().At(1, 1), 0x66656565u);
  // Part of the image only: no premultiplication.
  TsPixelImage part = Filled(3, 3, 0xFF000000);
  PaintSectionLayered(part.View(), TRect::XYWH(0, 0, 2, 2), s.Sd, 0, 0, {});
  EXPECT_EQ(part.View().At(1, 1), 0x66FFFFFFu);
  EXPECT_EQ(part.View().At(2, 2), 0xFF000000u);
  // Fully transparent over the whole image: cleared.
  s.State().Transparency = 100;
  PaintSectionLayered(part.View(), part.View().Bounds(), s.Sd, 0, 0, {});
  EXPECT_EQ(part.View().At(2, 2), 0u);
}

}  // namespace
}  // namespace ac
