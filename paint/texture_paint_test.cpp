#include "paint/texture_paint.h"

#include <gtest/gtest.h>

#include "paint/mask_paint_image.h"
#include "paint/mask_paint_test_support.h"
#include "pixels/blend_parent.h"
#include "pixels/round_corners.h"
#include "skin/load_images.h"
#include "skin/skin_manager_core.h"

namespace ac {
namespace {

using test::Coded;
using test::Filled;
using test::Hex;
using test::MakeImage;
using test::MakeMask;

constexpr uint32_t K = 0x00FF00FFu;

TEST(FillTexture, RemainingRectangleOfEveryMode) {
  // Tile 4 x 3, area (2, 1)-(12, 9).
  auto f = MakeMask(Coded(4, 3), 1, 0, 0, 0, 0, 0, 0);
  const TRect a = TRect::LTRB(2, 1, 12, 9);
  const struct {
    int32_t Mode;
    TRect Left;
  } cases[] = {
      {0, kNothingLeft},
      {1, kNothingLeft},
      {2, TRect::LTRB(2, 4, 12, 9)},
      {3, TRect::LTRB(6, 1, 12, 9)},
      {4, TRect::LTRB(2, 4, 12, 9)},
      {5, TRect::LTRB(6, 1, 12, 9)},
      {6, TRect::LTRB(2, 1, 12, 6)},
      {7, TRect::LTRB(2, 1, 8, 9)},
      {8, TRect::LTRB(8, 1, 12, 9)},
      {9, TRect::LTRB(8, 1, 12, 9)},
      {10, kNothingLeft},
      {11, kNothingLeft},
      {12, kNothingLeft},
      {13, kNothingLeft},
      {20, TRect::LTRB(8, 1, 12, 9)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Mode);
    TsPixelImage dst(14, 10);
    TRect area = a;
    FillTexture(dst.View(), area, f.Mask, c.Mode, TCacheInfo{});
    EXPECT_EQ(area, c.Left);
    // Nothing outside the area, except modes 11 and 12 whose last row or
    // column is drawn whole.
    if (c.Mode != 11 && c.Mode != 12) {
      EXPECT_EQ(dst.View().At(1, 1), 0u);
      EXPECT_EQ(dst.View().At(12, 8), 0u);
      EXPECT_EQ(dst.View().At(2, 9), 0u);
    }
  }
}

TEST(FillTexture, TilePlacementByMode) {
  auto f = MakeMask(Coded(4, 3), 1, 0, 0, 0, 0, 0, 0);
  auto at = [&](int32_t mode, int32_t x, int32_t y) {
    TsPixelImage dst(14, 10);
    TRect area = TRect::LTRB(2, 1, 12, 9);
    FillTexture(dst.View(), area, f.Mask, mode, TCacheInfo{});
    return dst.View().At(x, y);
  };
  EXPECT_EQ(at(0, 2, 1), 0xFF000000u);
  EXPECT_EQ(at(0, 11, 8), 0xFF000000u + (1 << 8) + 1);  // (9 % 4, 7 % 3)
  // Mode 10: rows start at 1 and 4 (below 9 - 3); rows 7 and 8 stay empty.
  EXPECT_EQ(at(10, 11, 6), 0xFF000000u + (2 << 8) + 1);
  EXPECT_EQ(at(10, 2, 7), 0u);
  // Mode 13: anchored at the bottom-right corner.
  EXPECT_EQ(at(13, 11, 8), 0xFF000000u + (2 << 8) + 3);
  EXPECT_EQ(at(13, 2, 1), 0xFF000000u + (1 << 8) + 2);  // (-10 mod 4, -8 mod 3)
  // Mode 11: the second row starts at 4 and is drawn whole down to 7 ... the
  // third starts at 7 and runs past the area's bottom (9) to row 9.
  EXPECT_EQ(at(11, 5, 9), 0xFF000000u + (2 << 8) + 1);
  // Mode 6: the bottom row of tiles starts at row 6.
  EXPECT_EQ(at(6, 2, 6), 0xFF000000u);
  EXPECT_EQ(at(6, 2, 5), 0u);
}

TEST(FillTexture, MaskedTexturesOnlyTileInModesZeroAndTen) {
  // Tile 2 x 1: image row (key, colour), mask row (0, 0).
  auto f = MakeMask(MakeImage(2, 2, {K, 0xFF102030, 0, 0}), 1, 1, 0, 0, 0, 0, 0);
  TCacheInfo fill;
  fill.FillColor = TsColor(0x00445566);
  {
    TsPixelImage dst = Filled(5, 3, 0x11111111);
    TRect area = TRect::XYWH(0, 0, 5, 3);
    FillTexture(dst.View(), area, f.Mask, 0, fill);
    EXPECT_EQ(area, kNothingLeft);
    // Rows 0 and 1 (tiles start below 3 - 1), all columns; key pixels take the
    // fill colour (pixel order) as the cache is not ready.
    EXPECT_EQ(Hex(dst.View()),
              Hex(5, {0x00665544, 0x11102030, 0x00665544, 0x11102030, 0x00665544, 0x00665544,
                      0x11102030, 0x00665544, 0x11102030, 0x00665544, 0x11111111, 0x11111111,
                      0x11111111, 0x11111111, 0x11111111}));
  }
  {
    TsPixelImage dst = Filled(5, 3, 0x11111111);
    TRect area = TRect::XYWH(0, 0, 5, 3);
    FillTexture(dst.View(), area, f.Mask, 10, fill);
    // Whole tiles at x 0 and 2 (below 5 - 2), rows 0 and 1; the right strip
    // and the bottom strip take the fill colour at alpha 255.
    EXPECT_EQ(Hex(dst.View()),
              Hex(5, {0x00665544, 0x11102030, 0x00665544, 0x11102030, 0xFF665544, 0x00665544,
                      0x11102030, 0x00665544, 0x11102030, 0xFF665544, 0xFF665544, 0xFF665544,
                      0xFF665544, 0xFF665544, 0xFF665544}));
  }
  {
    // A ready cache without a fill colour: key pixels take the parent.
    TsPixelImage parent = Coded(6, 4, 0x40000000);
    TsPixelImage dst = Filled(4, 2, 0x11111111);
    TRect area = TRect::XYWH(0, 0, 4, 2);
    FillTexture(dst.View(), area, f.Mask, 0, MakeCacheInfo(parent.View(), 1, 1));
    EXPECT_EQ(dst.View().At(0, 0), 0x40000101u);
    EXPECT_EQ(dst.View().At(2, 0), 0x40000103u);
    EXPECT_EQ(dst.View().At(1, 0), 0x11102030u);
  }
  TsPixelImage dst = Filled(5, 3, 0x11111111);
  TRect area = TRect::XYWH(0, 0, 5, 3);
  FillTexture(dst.View(), area, f.Mask, 2, fill);
  EXPECT_EQ(area, TRect::XYWH(0, 0, 5, 3));
  EXPECT_EQ(dst.View().At(0, 0), 0x11111111u);
}

TEST(PaintMaskImage, HalfStrengthKeyedKeepsTheDestinationShare) {
  // Keyed image in the master bitmap: (key, colour).
  TsPixelImage master = MakeImage(2, 1, {K, 0xFF2040FF});
  TsMaskData m;
  m.MasterBmp = std::make_shared<TsPixelBuffer>(master.View());
  m.R = TRect::XYWH(0, 0, 2, 1);
  m.Width = 2;
  m.Height = 1;
  TsPixelImage dst = Filled(2, 1, 0xFF808080);
  PaintMaskImage(dst.View(), {0, 0}, m, 0, TCacheInfo{}, TFrameStrength::Half);
  // d := (128 * s + 127 * d) >> 8 on all four bytes (alpha 255 gives 254).
  EXPECT_EQ(Hex(dst.View()), Hex(2, {0xFF808080, 0xFE4F5FBF}));
  TsPixelImage full = Filled(2, 1, 0xFF808080);
  PaintMaskImage(full.View(), {0, 0}, m, 0, MakeCacheInfo(full.View(), 0, 0), TFrameStrength::Full);
  EXPECT_EQ(Hex(full.View()), Hex(2, {0xFF808080, 0xFF2040FF}));
}

TEST(PaintMaskImage, MaskedFrameWeakenedWhenNotFull) {
  // Own bitmap: frames of 1 x 1, two states; mask rows below.
  auto f = MakeMask(MakeImage(2, 2, {0xFF000000, 0xFFFFFFFF, 0x00000000, 0x00404040}), 2, 1, 0, 0,
                    0, 0, 0);
  TsPixelImage dst = Filled(1, 1, 0x00C8C8C8);
  PaintMaskImage(dst.View(), {0, 0}, f.Mask, 1, TCacheInfo{}, TFrameStrength::Full);
  // m = 64: ((200 - 255) * 64 + 255 * 256) >> 8 = 241; A += (255 * 191) >> 8.
  EXPECT_EQ(dst.View().At(0, 0), 0xBEF1F1F1u);
  TsPixelImage half = Filled(1, 1, 0x00C8C8C8);
  PaintMaskImage(half.View(), {0, 0}, f.Mask, 1, TCacheInfo{}, TFrameStrength::Half);
  // m = 64 weakened to 164: ((200 - 255) * 164 + 255 * 256) >> 8 = 219.
  EXPECT_EQ(half.View().At(0, 0), 0xBEDBDBDBu);
  // A negative point crops the frame instead of shifting it.
  TsPixelImage crop = Filled(1, 1, 0x00C8C8C8);
  PaintMaskImage(crop.View(), {-1, 0}, f.Mask, 1, TCacheInfo{}, TFrameStrength::Full);
  EXPECT_EQ(crop.View().At(0, 0), 0x00C8C8C8u);
}

TEST(PaintMaskImage, OwnBitmapSmallerThanItsRectDrawsNothing) {
  auto f = MakeMask(Filled(2, 2, 0xFF123456), 1, 0, 16, 0, 0, 0, 0);
  f.Mask.R = TRect::XYWH(0, 0, 3, 2);
  TsPixelImage dst(2, 2);
  PaintMaskImage(dst.View(), {0, 0}, f.Mask, 0, TCacheInfo{}, TFrameStrength::Full);
  EXPECT_EQ(dst.View().At(0, 0), 0u);
}

TEST(MaskCornerRects, RunsOfKeyPixelsInBothCorners) {
  // A 6 x 3 image; corners 2 wide, bands 2 high.
  const uint32_t o = 0xFF000000;
  TsPixelImage img = MakeImage(6, 3,
                               {K, K, o, o, o, K,  //
                                K, o, o, o, K, K,  //
                                o, o, o, o, o, K});
  TRects rects;
  MaskCornerRects(rects, img.View(), TRect::XYWH(0, 0, 6, 3),
                  {TCornerBand::Top, TMaskRows::None, K, {2, 2, 2, 2}, 0, 0, 100});
  ASSERT_EQ(rects.size(), 4u);
  EXPECT_EQ(rects[0], TRect::XYWH(0, 0, 2, 1));
  EXPECT_EQ(rects[1], TRect::XYWH(100 - 1, 0, 1, 1));
  EXPECT_EQ(rects[2], TRect::XYWH(0, 1, 1, 1));
  EXPECT_EQ(rects[3], TRect::XYWH(100 - 2, 1, 2, 1));
  // The bottom band ends at the image's last row and is still scanned.
  rects.clear();
  MaskCornerRects(rects, img.View(), TRect::XYWH(0, 0, 6, 3),
                  {TCornerBand::Bottom, TMaskRows::None, K, {2, 2, 2, 1}, 0, 50, 100});
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0], TRect::XYWH(99, 50, 1, 1));
}

TEST(CornerDiscMask, BuiltOncePerRadiusAndSymmetric) {
  // The disc fills the square (0, 0)-(6, 6): pixel column and row 6 lie
  // outside it, and pixel i mirrors pixel 5 - i.
  const TsChannelBuffer m = CornerDiscMask(3);
  ASSERT_EQ(m.Width, 7);
  EXPECT_EQ(m.Bits, CornerDiscMask(3).Bits);
  EXPECT_EQ(m.Row(0)[0], 249);  // the disc just reaches the corner pixel
  EXPECT_EQ(m.Row(2)[2], 0);
  EXPECT_EQ(m.Row(3)[3], 0);
  EXPECT_GT(m.Row(0)[3], 0);  // the top of the disc is partly covered
  EXPECT_LT(m.Row(0)[3], 255);
  for (int32_t y = 0; y < 7; ++y)
    for (int32_t x = 0; x < 7; ++x) {
      if (x == 6 || y == 6)
        EXPECT_EQ(m.Row(y)[x], 255);
      else
        EXPECT_EQ(m.Row(y)[x], m.Row(y)[5 - x]);
      EXPECT_EQ(m.Row(y)[x], m.Row(x)[y]);
    }
  EXPECT_EQ(CornerDiscMask(12).Width, 25);
  EXPECT_EQ(CornerDiscMask(0).Width, 0);
}

TEST(CutRoundCorners, OutsideTakesTheParentPartlyCoveredMixes) {
  TsPixelImage parent = Filled(8, 8, 0x10203040);
  TsPixelImage dst = Filled(8, 8, 0xFFFFFFFF);
  CutRoundCorners(dst.View(), TRect::XYWH(0, 0, 8, 8), MakeCacheInfo(parent.View(), 0, 0),
                  {3, 3, 3, 3});
  for (auto [x, y] : {std::pair{7, 0}, {0, 7}, {7, 7}})
    EXPECT_EQ(dst.View().At(x, y), 0x10203040u) << x << "," << y;
  // (0, 0) is 249/256 outside: ((p - d) * 249 + d * 256) >> 8 per byte.
  EXPECT_EQ(dst.View().At(0, 0), 0x16263545u);
  EXPECT_EQ(dst.View().At(3, 3), 0xFFFFFFFFu);
  EXPECT_EQ(dst.View().At(4, 4), 0xFFFFFFFFu);
  const uint32_t m = CornerDiscMask(3).Row(0)[3];
  const uint32_t blue = ((0x40 - 0xFF) * static_cast<int32_t>(m) + 0xFF * 256) >> 8;
  EXPECT_EQ(dst.View().At(3, 0) & 0xFF, blue);
  // Without a ready cache the fill colour stands for the parent.
  TsPixelImage dst2 = Filled(8, 8, 0xFFFFFFFF);
  TCacheInfo fill;
  fill.FillColor = TsColor(0x00010203);
  CutRoundCorners(dst2.View(), TRect::XYWH(0, 0, 8, 8), fill, {0, 2, 0, 0});
  EXPECT_EQ(dst2.View().At(7, 0), 0x00030201u);
  EXPECT_EQ(dst2.View().At(0, 0), 0xFFFFFFFFu);
}

TEST(FillKeyFromBack, TakesTheMaskOfALoadedSkinOrItsMasterImage) {
  constexpr uint32_t kOld = 0x11111111;
  TacSkinData sd(test::FakeManager(), 96);
  TsPixelImage master = test::Filled(4, 2, 0xFF000000);
  master.View().At(2, 0) = 0xFFFF00FF;
  TsMaskData m;
  m.MasterBmp = ShareImage(std::move(master));
  m.R = TRect::LTRB(2, 0, 4, 2);
  m.Width = 2;
  m.Height = 2;
  sd.ma.push_back(m);  // no image of its own: the master image's rectangle
  TsPixelImage back = MakeImage(1, 1, {0xB0});
  {
    TsPixelImage dst = Filled(1, 1, kOld);
    FillKeyFromBack(dst, TRect::LTRB(0, 0, 1, 1), back, {0, 0}, fcTopLeft, sd, 0);
    EXPECT_EQ(dst.View().At(0, 0), 0xB0u);
  }
  {
    TsPixelImage dst = Filled(1, 1, kOld);
    FillKeyFromBack(dst, TRect::LTRB(0, 0, 1, 1), back, {0, 0}, fcTopLeft, sd, 1);
    EXPECT_EQ(dst.View().At(0, 0), kOld);  // no such mask: nothing
  }
  {
    TsPixelImage dst = Filled(1, 1, 0xFFFF00FF);
    FillKeyFromBack(dst, TRect::LTRB(0, 0, 1, 1), back, {0, 0}, fcTopLeft, sd, -1);
    EXPECT_EQ(dst.View().At(0, 0), 0xB0u);
  }
}

}  // namespace
}  // namespace ac
