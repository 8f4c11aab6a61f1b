#include "paint/mask_paint.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "paint/mask_paint_layout.h"
#include "paint/mask_paint_test_support.h"

namespace ac {
namespace {

using test::Coded;
using test::Filled;
using test::Hex;
using test::MakeImage;
using test::MakeMask;

constexpr uint32_t K = 0x00FF00FFu;  // key pixel

TEST(MaskLayout, OverlapShrinksBothBandsOnTheirInnerSide) {
  // 40 x 20 with side bands of 30: overlap 20, each side loses 10.
  EXPECT_EQ(FitMaskBands({30, 5, 30, 5}, 40, 20), (TMaskBands{20, 5, 20, 5}));
  // Overlap 21: the left band loses 10, the right band 11.
  EXPECT_EQ(FitMaskBands({30, 5, 30, 5}, 39, 20), (TMaskBands{20, 5, 19, 5}));
  // Heights the same way; the bottom band takes the odd pixel.
  EXPECT_EQ(FitMaskBands({1, 4, 1, 4}, 10, 5), (TMaskBands{1, 3, 1, 2}));
  // Negative results become 0.
  EXPECT_EQ(FitMaskBands({0, 0, 7, 0}, 2, 2), (TMaskBands{0, 0, 4, 0}));
}

TEST(MaskLayout, CentreSourceWidthUsesTheShrunkBands) {
  const TMaskBands b = FitMaskBands({30, 2, 30, 2}, 40, 20);
  const TNineSliceLayout l =
      LayoutNineSlice(TRect::XYWH(0, 0, 40, 20), {0, 0}, {70, 10}, 10, b, TCentre::Paint);
  ASSERT_EQ(l.Count, 9);
  EXPECT_EQ(l.Pieces[8].Src.Width(), 70 - 40);
  EXPECT_EQ(l.Pieces[8].Dst, TRect::LTRB(20, 2, 20, 18));
}

TEST(MaskLayout, NinePiecesInOrder) {
  // Frame 10 x 8 at (100, 50), bands l2 t1 r3 b2, painted over (5, 6)-(25, 26).
  const TNineSliceLayout l = LayoutNineSlice(TRect::LTRB(5, 6, 25, 26), {100, 50}, {10, 8}, 58,
                                             {2, 1, 3, 2}, TCentre::Paint);
  ASSERT_EQ(l.Count, 9);
  using P = TMaskPieceKind;
  const struct {
    P Kind;
    TRect Src, Dst;
  } want[] = {
      {P::Corner, TRect::XYWH(100, 50, 2, 1), TRect::XYWH(5, 6, 2, 1)},
      {P::Edge, TRect::XYWH(100, 51, 2, 5), TRect::LTRB(5, 7, 7, 24)},
      {P::Edge, TRect::XYWH(102, 50, 5, 1), TRect::LTRB(7, 6, 22, 7)},
      {P::Corner, TRect::XYWH(100, 56, 2, 2), TRect::XYWH(5, 24, 2, 2)},
      {P::Edge, TRect::XYWH(102, 56, 5, 2), TRect::LTRB(7, 24, 22, 26)},
      {P::Corner, TRect::XYWH(107, 56, 3, 2), TRect::XYWH(22, 24, 3, 2)},
      {P::Corner, TRect::XYWH(107, 50, 3, 1), TRect::XYWH(22, 6, 3, 1)},
      {P::Edge, TRect::XYWH(107, 51, 3, 5), TRect::LTRB(22, 7, 25, 24)},
      {P::Centre, TRect::XYWH(102, 51, 5, 5), TRect::LTRB(7, 7, 22, 24)},
  };
  for (int i = 0; i < 9; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(l.Pieces[i].Kind, want[i].Kind);
    EXPECT_EQ(l.Pieces[i].Src, want[i].Src);
    EXPECT_EQ(l.Pieces[i].Dst, want[i].Dst);
  }
  EXPECT_EQ(
      LayoutNineSlice(TRect::XYWH(0, 0, 9, 9), {0, 0}, {4, 4}, 4, {3, 1, 3, 1}, TCentre::Paint)
          .Count,
      0);
  EXPECT_EQ(LayoutNineSlice(TRect::XYWH(0, 0, 9, 9), {0, 0}, {4, 4}, 4, {1, 1, 1, 1}, TCentre::Skip)
                .Count,
            8);
}

TEST(MaskLayout, TilePositions) {
  EXPECT_EQ(TileRun(100, 30), (TTileRun{3, 90, 10}));  // 0, 30, 60, then 10 at 90
  EXPECT_EQ(TileRun(90, 30), (TTileRun{2, 60, 30}));
  EXPECT_EQ(TileRun(20, 30), (TTileRun{0, 0, 20}));
  EXPECT_EQ(TileRun(50, 0), (TTileRun{0, 0, 50}));  // an empty piece never loops
  EXPECT_EQ(MaskFrameIndex(5, 3), 2);
  EXPECT_EQ(MaskFrameIndex(1, 3), 1);
  EXPECT_EQ(MaskFrameIndex(4, 1), 0);
}

// A 3 x 3 keyed frame: every pixel distinct, bands of 1, centre painted.
TEST(PaintMaskRect, NinePiecesTiledOverFiveByFour) {
  auto f = MakeMask(MakeImage(3, 3,
                              {0xFF000001, 0xFF000002, 0xFF000003,  //
                               0xFF000004, 0xFF000005, 0xFF000006,  //
                               0xFF000007, 0xFF000008, 0xFF000009}),
                    1, 0, 4, 1, 1, 1, 1);
  TsPixelImage dst = Filled(5, 4, 0x11111111);
  PaintMaskRect(dst.View(), TRect::XYWH(0, 0, 5, 4), f.Mask, 0, TCacheInfo{}, TUseParent::No);
  EXPECT_EQ(Hex(dst.View()), Hex(5, {0xFF000001, 0xFF000002, 0xFF000002, 0xFF000002, 0xFF000003,
                                     0xFF000004, 0xFF000005, 0xFF000005, 0xFF000005, 0xFF000006,
                                     0xFF000004, 0xFF000005, 0xFF000005, 0xFF000005, 0xFF000006,
                                     0xFF000007, 0xFF000008, 0xFF000008, 0xFF000008, 0xFF000009}));
}

TEST(PaintMaskRect, WithoutCentreBitTheInsideIsKept) {
  auto f = MakeMask(Coded(3, 3), 1, 0, 0, 1, 1, 1, 1);
  TsPixelImage dst = Filled(4, 4, 0x11111111);
  PaintMaskRect(dst.View(), TRect::XYWH(0, 0, 4, 4), f.Mask, 0, TCacheInfo{}, TUseParent::No);
  EXPECT_EQ(dst.View().At(1, 1), 0x11111111u);
  EXPECT_EQ(dst.View().At(2, 2), 0x11111111u);
  EXPECT_EQ(dst.View().At(1, 0), 0xFF000001u);
}

TEST(PaintMaskRect, StretchedEdgesUseNearestPixels) {
  // Top edge source 2 wide (columns 1, 2) stretched over 4 columns.
  auto f = MakeMask(Coded(4, 3), 1, 0, 1 | 4, 1, 1, 1, 1);
  TsPixelImage dst = Filled(6, 3, 0);
  PaintMaskRect(dst.View(), TRect::XYWH(0, 0, 6, 3), f.Mask, 0, TCacheInfo{}, TUseParent::No);
  EXPECT_EQ(Hex(dst.View()),
            Hex(6, {0xFF000000, 0xFF000001, 0xFF000001, 0xFF000002, 0xFF000002, 0xFF000003,
                    0xFF000100, 0xFF000101, 0xFF000101, 0xFF000102, 0xFF000102, 0xFF000103,
                    0xFF000200, 0xFF000201, 0xFF000201, 0xFF000202, 0xFF000202, 0xFF000203}));
}

TEST(PaintMaskRect, TilesAtZeroThirtySixtyAndAFinalTen) {
  // Frame 32 x 3: bands of 1, top edge 30 columns wide.
  auto f = MakeMask(Coded(32, 3), 1, 0, 0, 1, 1, 1, 1);
  TsPixelImage dst = Filled(102, 3, 0);
  PaintMaskRect(dst.View(), TRect::XYWH(0, 0, 102, 3), f.Mask, 0, TCacheInfo{}, TUseParent::No);
  for (int32_t k = 0; k < 100; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(dst.View().At(1 + k, 0), 0xFF000000u + 1 + (k % 30));
  }
  EXPECT_EQ(dst.View().At(101, 0), 0xFF000000u + 31);
}

TEST(PaintMaskRect, MaskedTilesOfEveryLengthKeepTheirPhaseAcrossAWideRow) {
  // A masked top edge of Tw columns (a key pixel at its third), tiled along a
  // row wider than any scratch row and starting 36 columns left of the
  // destination, so the first visible tile is cut. Every column must hold the
  // mask combination of its own source column.
  const auto ref = [](uint32_t d, uint32_t s, uint32_t m) {
    uint32_t out = d & 0xFF000000u;
    for (int sh = 0; sh < 24; sh += 8) {
      const auto dv = static_cast<int32_t>((d >> sh) & 0xFF),
                 sv = static_cast<int32_t>((s >> sh) & 0xFF),
                 mv = static_cast<int32_t>((m >> sh) & 0xFF);
      out |= (static_cast<uint32_t>((dv - sv) * mv + sv * 256) >> 8) << sh;
    }
    return out;
  };
  for (const int32_t tw : {1, 2, 3, 7, 85, 128, 129, 300}) {
    SCOPED_TRACE(tw);
    TsPixelImage img = Coded(tw + 2, 6, 0x40102000u);
    for (int32_t x = 0; x < tw + 2; ++x)
      for (int32_t y = 3; y < 6; ++y) img.View().At(x, y) = 0x00306090u + x * 0x00010307u;
    if (tw >= 3) img.View().At(3, 0) = K;
    auto f = MakeMask(std::move(img), 1, 1, 0, 1, 1, 1, 1);
    const uint32_t back = 0xAA336699u;
    TsPixelImage dst = Filled(600, 3, back);
    PaintMaskRect(dst.View(), TRect::XYWH(-37, 0, 637, 3), f.Mask, 0, TCacheInfo{}, TUseParent::No);
    for (int32_t x = 0; x < 599; ++x) {
      const int32_t sx = 1 + (x + 36) % tw;
      const uint32_t s = f.Image.View().At(sx, 0), m = f.Image.View().At(sx, 3);
      ASSERT_EQ(dst.View().At(x, 0), s == K ? back : ref(back, s, m))
          << "column " << x << std::hex << " source " << s << " mask " << m;
    }
  }
}

TEST(PaintMaskRect, StateFramesAndTheLastFrameRule) {
  // Three frames of 2 x 2, each a flat colour 1, 2, 3.
  TsPixelImage img(6, 2);
  for (int32_t y = 0; y < 2; ++y)
    for (int32_t x = 0; x < 6; ++x) img.View().At(x, y) = 0xFF000001u + x / 2;
  auto f = MakeMask(std::move(img), 3, 0, 4, 1, 1, 1, 1);
  for (auto [state, want] : {std::pair{0, 1u}, {1, 2u}, {2, 3u}, {5, 3u}}) {
    TsPixelImage dst(2, 2);
    PaintMaskRect(dst.View(), TRect::XYWH(0, 0, 2, 2), f.Mask, state, TCacheInfo{}, TUseParent::No);
    EXPECT_EQ(dst.View().At(1, 1), 0xFF000000u + want) << "state " << state;
  }
}

TEST(PaintMaskRect, DrawModeBitTwoSkipsStateZeroOnly) {
  auto f = MakeMask(Filled(3, 3, 0xFF123456), 1, 0, 2 | 4, 1, 1, 1, 1);
  TsPixelImage dst(3, 3);
  PaintMaskRect(dst.View(), TRect::XYWH(0, 0, 3, 3), f.Mask, 0, TCacheInfo{}, TUseParent::No);
  EXPECT_EQ(dst.View().At(1, 1), 0u);
  PaintMaskRect(dst.View(), TRect::XYWH(0, 0, 3, 3), f.Mask, 1, TCacheInfo{}, TUseParent::No);
  EXPECT_EQ(dst.View().At(1, 1), 0xFF123456u);
}

TEST(PaintMaskRect, NothingForTinyRectsOrWithoutImage) {
  auto f = MakeMask(Filled(3, 3, 0xFF123456), 1, 0, 4, 1, 1, 1, 1);
  TsPixelImage dst(3, 3);
  PaintMaskRect(dst.View(), TRect::XYWH(0, 0, 1, 3), f.Mask, 0, TCacheInfo{}, TUseParent::No);
  EXPECT_EQ(dst.View().At(0, 0), 0u);
  f.Mask.Bmp = nullptr;  // and no master bitmap either
  PaintMaskRect(dst.View(), TRect::XYWH(0, 0, 3, 3), f.Mask, 0, TCacheInfo{}, TUseParent::No);
  EXPECT_EQ(dst.View().At(0, 0), 0u);
}

TEST(PaintMaskRect, KeyedCornerShowsTheParent) {
  // Top-left corner pixel is the key; Cfg bit 0 marks transparent corners.
  auto f = MakeMask(MakeImage(2, 2, {K, 0xFF000002, 0xFF000003, 0xFF000004}), 1, 0, 0, 1, 1, 1, 1);
  f.Mask.Cfg = 1;
  TsPixelImage parent = Filled(4, 4, 0x80ABCDEF);
  parent.View().At(3, 3) = 0x80111111;
  TsPixelImage dst = Filled(2, 2, 0);
  PaintMaskRect(dst.View(), TRect::XYWH(0, 0, 2, 2), f.Mask, 0, MakeCacheInfo(parent.View(), 3, 3),
                TUseParent::Yes);
  EXPECT_EQ(dst.View().At(0, 0), 0x80111111u);
  EXPECT_EQ(dst.View().At(1, 1), 0xFF000004u);
  // Without UseParent the key pixel stays as the cache-ready rule leaves it.
  TsPixelImage dst2 = Filled(2, 2, 0x22222222);
  PaintMaskRect(dst2.View(), TRect::XYWH(0, 0, 2, 2), f.Mask, 0, MakeCacheInfo(parent.View(), 3, 3),
                TUseParent::No);
  EXPECT_EQ(dst2.View().At(0, 0), 0x22222222u);
  // The destination is the parent: key pixels keep it, the others get alpha 255.
  TsPixelImage same = Filled(2, 2, 0x40505050);
  TsMaskData m = f.Mask;
  TsPixelImage src = MakeImage(2, 2, {K, 0x10000002, 0x10000003, 0x10000004});
  m.Bmp = std::make_shared<TsPixelBuffer>(src.View());
  PaintMaskRect(same.View(), TRect::XYWH(0, 0, 2, 2), m, 0, MakeCacheInfo(same.View(), 0, 0),
                TUseParent::Yes);
  EXPECT_EQ(Hex(same.View()), Hex(2, {0x40505050, 0xFF000002, 0xFF000003, 0xFF000004}));
}

// A skin may name a frame that reaches past its image: here R starts at
// column 2 of a 4-column image, so the right corner and edge start at column
// 5 and the top and bottom edges and the centre lose their second column.
// Every painter draws the pieces that lie inside the image and nothing else.
TEST(NineSlicePainters, SourcePiecesAreClippedToTheirImage) {
  auto f = MakeMask(Coded(4, 4), 1, 0, 4, 1, 1, 1, 1);
  f.Mask.R = TRect::XYWH(2, 0, 4, 4);
  f.Mask.Width = 4;
  constexpr uint32_t o = 0x11111111;                              // untouched
  const std::string want = Hex(4, {0xFF000002, 0xFF000003, o, o,  //
                                   0xFF000102, 0xFF000103, o, o,  //
                                   0xFF000202, 0xFF000203, o, o,  //
                                   0xFF000302, 0xFF000303, o, o});
  const struct {
    const char* Name;
    void (*Paint)(const TsPixelBuffer&, const TsMaskData&);
  } painters[] = {
      {"plain",
       [](const TsPixelBuffer& d, const TsMaskData& m) {
         PaintMaskRect(d, d.Bounds(), m, 0, TCacheInfo{}, TUseParent::No);
       }},
      {"layered",
       [](const TsPixelBuffer& d, const TsMaskData& m) {
         PaintMaskRectLayered(d, d.Bounds(), m, 0, TCacheInfo{});
       }},
      {"capped",
       [](const TsPixelBuffer& d, const TsMaskData& m) {
         PaintMaskRectCapped(d, d.Bounds(), m, 0, TCacheInfo{}, TRect::LTRB(9, 9, 9, 9), 255);
       }},
  };
  for (const auto& p : painters) {
    SCOPED_TRACE(p.Name);
    TsPixelImage dst = Filled(4, 4, o);
    p.Paint(dst.View(), f.Mask);
    EXPECT_EQ(Hex(dst.View()), want);
    // A frame wholly right of the image paints nothing.
    TsMaskData outside = f.Mask;
    outside.R = TRect::XYWH(8, 0, 4, 4);
    TsPixelImage none = Filled(4, 4, o);
    p.Paint(none.View(), outside);
    EXPECT_EQ(Hex(none.View()), Hex(Filled(4, 4, o).View()));
  }
}

// Masked images: a 2 x 2 frame with two mask rows below it.
test::TMaskFixture MaskedCorner(uint32_t s, uint32_t m, int32_t cfg) {
  auto f = MakeMask(MakeImage(2, 4, {s, s, s, s, m, m, m, m}), 1, 1, 0, 1, 1, 1, 1);
  f.Mask.Cfg = cfg;
  return f;
}

TEST(PaintMaskRect, MaskCombinationAtZeroAndFull) {
  // Mask 0 gives the image colour exactly; 255 gives (255 d + s) >> 8.
  auto f0 = MaskedCorner(0xFF10C080, 0x00000000, 0);
  TsPixelImage dst = Filled(2, 2, 0x77F02040);
  PaintMaskRect(dst.View(), TRect::XYWH(0, 0, 2, 2), f0.Mask, 0, TCacheInfo{}, TUseParent::No);
  EXPECT_EQ(dst.View().At(0, 0), 0x7710C080u);  // alpha untouched without a ready cache
  auto f1 = MaskedCorner(0xFF10C080, 0x00FFFFFF, 0);
  TsPixelImage dst1 = Filled(2, 2, 0x77F02040);
  PaintMaskRect(dst1.View(), TRect::XYWH(0, 0, 2, 2), f1.Mask, 0, TCacheInfo{}, TUseParent::No);
  // F0 > 10: one less; 20 < C0 and 40 < 80: the destination byte itself.
  EXPECT_EQ(dst1.View().At(0, 0), 0x77EF2040u);
}

TEST(PaintMaskRect, MaskedCornerCacheTable) {
  TsPixelImage parent = Filled(2, 2, 0x33445566);
  const uint32_t mask = 0x00808080;  // half
  const uint32_t s = 0xFF204060;
  const uint32_t d0 = 0x11A0A0A0;
  const uint32_t mixed = 0x00607080;  // ((d - s) * 128 + s * 256) >> 8 per byte
  TCacheInfo ready = MakeCacheInfo(parent.View(), 0, 0);
  TCacheInfo fill;
  fill.FillColor = TsColor(0x80010203);  // pixel 0x80030201
  struct Case {
    const char* Name;
    uint32_t Src;
    int32_t Cfg;
    const TCacheInfo* Cache;
    TUseParent Use;
    uint32_t Want;
  } cases[] = {
      {"ready, parent, key", K, 1, &ready, TUseParent::Yes, 0x33445566},
      {"ready, parent, colour", s, 1, &ready, TUseParent::Yes, mixed | 0xFF000000},
      {"ready, no parent, key", K, 1, &ready, TUseParent::No,
       0xFFCF50CF},  // key pixels are mixed too
      {"not ready, parent, key by colour", K, 1, &fill, TUseParent::Yes, 0x80030201},
      {"not ready, parent, key by alpha", 0x00204060, 2, &fill, TUseParent::Yes, 0x80030201},
      {"not ready, parent, colour", s, 1, &fill, TUseParent::Yes, 0x11000000 | mixed},
      {"not ready, no parent, key", K, 1, &fill, TUseParent::No, d0},
      {"not ready, no parent, colour", s, 0, &fill, TUseParent::No, 0x11000000 | mixed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    auto f = MaskedCorner(c.Src, mask, c.Cfg);
    TsPixelImage dst = Filled(2, 2, d0);
    PaintMaskRect(dst.View(), TRect::XYWH(0, 0, 2, 2), f.Mask, 0, *c.Cache, c.Use);
    EXPECT_EQ(dst.View().At(0, 0), c.Want);
  }
}

TEST(PaintMaskRect, SmoothedOnePixelCentre) {
  // Frame 3 x 3 with a 1 x 1 centre; stretched; mask rows below.
  auto make = [](uint32_t g) {
    TsPixelImage img = Filled(3, 6, 0xFF000000);
    img.View().At(1, 1) = 0xFF204060;
    for (int32_t y = 3; y < 6; ++y)
      for (int32_t x = 0; x < 3; ++x) img.View().At(x, y) = 0x00FFFFFF;  // borders leave dst
    img.View().At(1, 4) = g;
    return MakeMask(std::move(img), 1, 1, 1 | 4, 1, 1, 1, 1);
  };
  auto f0 = make(0x00000000);
  TsPixelImage dst = Filled(5, 5, 0x11A0A0A0);
  PaintMaskRect(dst.View(), TRect::XYWH(0, 0, 5, 5), f0.Mask, 0, TCacheInfo{}, TUseParent::No);
  EXPECT_EQ(dst.View().At(2, 2), 0xFF204060u);
  EXPECT_EQ(dst.View().At(3, 3), 0xFF204060u);
  auto f1 = make(0x00FF0000);
  TsPixelImage dst1 = Filled(5, 5, 0x11A0A0A0);
  PaintMaskRect(dst1.View(), TRect::XYWH(0, 0, 5, 5), f1.Mask, 0, TCacheInfo{}, TUseParent::No);
  EXPECT_EQ(dst1.View().At(2, 2), 0x11A0A0A0u);
  auto fh = make(0x00800000);  // g is the red byte: 128
  TsPixelImage dsth = Filled(5, 5, 0x11A0A0A0);
  PaintMaskRect(dsth.View(), TRect::XYWH(0, 0, 5, 5), fh.Mask, 0, TCacheInfo{}, TUseParent::No);
  EXPECT_EQ(dsth.View().At(2, 2), 0x11607080u);
}

TEST(PaintMaskRect, AlphaPiecesBlendOver) {
  auto f = MakeMask(Filled(2, 2, 0x80FF0000), 1, 0, 16, 1, 1, 1, 1);
  TsPixelImage dst = Filled(2, 2, 0xFF0000FF);
  PaintMaskRect(dst.View(), TRect::XYWH(0, 0, 2, 2), f.Mask, 0, TCacheInfo{}, TUseParent::No);
  // ((s - d) * 128 + d * 256) >> 8: red 0 -> 127, blue 255 -> 127.
  EXPECT_EQ(dst.View().At(0, 0), 0xFF7F007Fu);
}

TEST(PaintMaskRectLayered, MaskRaisesAlphaAndKeysClearIt) {
  // Corner pixel (0, 0) key, others image 0x204060 through red mask 0x40.
  auto f = MakeMask(MakeImage(2, 4,
                              {K, 0xFF204060, 0xFF204060, 0xFF204060,  //
                               0, 0x00400000, 0x00400000, 0x00400000}),
                    1, 1, 0, 1, 1, 1, 1);
  TsPixelImage dst = Filled(2, 2, 0x00A0A0A0);
  PaintMaskRectLayered(dst.View(), TRect::XYWH(0, 0, 2, 2), f.Mask, 0, TCacheInfo{});
  EXPECT_EQ(dst.View().At(0, 0), 0x00A0A0A0u);
  // d := (d * 64 + s * 191) >> 8; alpha max(0, 191).
  EXPECT_EQ(dst.View().At(1, 1), 0xBF3F576Fu);
  TsPixelImage parent = Filled(2, 2, 0x12345678);
  TsPixelImage dst2 = Filled(2, 2, 0x00A0A0A0);
  PaintMaskRectLayered(dst2.View(), TRect::XYWH(0, 0, 2, 2), f.Mask, 0,
                       MakeCacheInfo(parent.View(), 0, 0));
  EXPECT_EQ(dst2.View().At(0, 0), 0x12345678u);
}

TEST(PaintMaskRectCapped, CapsBandsAndWeakensByOpacity) {
  // Bands 2 capped to 1: a 3 x 3 frame over 3 x 3 keeps its own pixels only
  // when the bands are 1; with bands 2 the centre would be empty (3 - 4 < 0).
  TsPixelImage img = Filled(3, 6, 0xFF204060);
  for (int32_t y = 3; y < 6; ++y)
    for (int32_t x = 0; x < 3; ++x) img.View().At(x, y) = 0x00000000;  // mask 0: full image
  auto f = MakeMask(std::move(img), 1, 1, 4, 2, 2, 2, 2);
  TsPixelImage dst = Filled(3, 3, 0x00A0A0A0);
  PaintMaskRectCapped(dst.View(), TRect::XYWH(0, 0, 3, 3), f.Mask, 0, TCacheInfo{},
                      TRect::LTRB(1, 1, 1, 1), 128);
  // u := (255 * 128) >> 8 = 127; d := (d * 128 + s * 127) >> 8; alpha 0 -> u.
  EXPECT_EQ(dst.View().At(0, 0), 0x7F5F6F7Fu);
  EXPECT_EQ(dst.View().At(1, 1), 0x7F5F6F7Fu);
}

// Stretched pieces of masked entries (draw-mode bits 1 and 4). Every case
// paints one frame over a 6 x 6 (or 5 x 5) destination and reads the row of
// four (or three) pixels its piece lands on.
//
// "edge": a 4 x 4 frame with bands of 1; the top edge's two source columns
//   (masks black and grey 128) are stretched over four columns with nearest
//   pixels, since the edge is one row high.
// "centre": the same frame's 2 x 2 centre (mask columns black and white) is
//   smoothed to 4 x 4 with the resampler. Upscaling 2 to 4, the Hermite filter
//   gives the columns 0, 127, 255, 255; the Mitchell filter 28, 118, 240, 255.
//   The image is one colour, which both filters keep.
// "dot": a 3 x 3 frame whose 1 x 1 centre has mask red byte 128, over a
//   destination of alpha $40.
constexpr uint32_t kStretchImage = 0xFF204060;

test::TMaskFixture StretchedMaskedFrame() {
  TsPixelImage img = Filled(4, 8, kStretchImage);
  for (int32_t y = 4; y < 8; ++y)
    for (int32_t x = 0; x < 4; ++x) img.View().At(x, y) = 0xFFFFFFFF;
  img.View().At(1, 4) = 0xFF000000;  // top edge
  img.View().At(2, 4) = 0xFF808080;
  for (int32_t y = 5; y < 7; ++y) {  // centre
    img.View().At(1, y) = 0xFF000000;
    img.View().At(2, y) = 0xFFFFFFFF;
  }
  return MakeMask(std::move(img), 1, 1, 1 | 4, 1, 1, 1, 1);
}

test::TMaskFixture SmoothedDotFrame() {
  TsPixelImage img = Filled(3, 6, kStretchImage);
  for (int32_t y = 3; y < 6; ++y)
    for (int32_t x = 0; x < 3; ++x) img.View().At(x, y) = 0xFFFFFFFF;
  img.View().At(1, 4) = 0x00800000;
  return MakeMask(std::move(img), 1, 1, 1 | 4, 1, 1, 1, 1);
}

enum class TStretchPiece { Edge, Centre, Dot };

struct TStretchCase {
  TStretchPiece Piece;
  std::vector<uint32_t> Want;
};

using TBorderPainter = void (*)(const TsPixelBuffer&, const TsMaskData&);

void CheckStretchedPieces(TBorderPainter paint, const std::vector<TStretchCase>& cases) {
  for (const TStretchCase& c : cases) {
    const bool dot = c.Piece == TStretchPiece::Dot;
    SCOPED_TRACE(dot ? "dot" : c.Piece == TStretchPiece::Edge ? "edge" : "centre");
    const test::TMaskFixture f = dot ? SmoothedDotFrame() : StretchedMaskedFrame();
    const int32_t size = dot ? 5 : 6;
    TsPixelImage dst = Filled(size, size, dot ? 0x40A0A0A0 : 0x00A0A0A0);
    paint(dst.View(), f.Mask);
    const int32_t y = c.Piece == TStretchPiece::Edge ? 0 : 1;
    std::vector<uint32_t> row;
    for (int32_t x = 1; x < size - 1; ++x) row.push_back(dst.View().At(x, y));
    EXPECT_EQ(row, c.Want);
    if (c.Piece == TStretchPiece::Centre) {  // the rows below repeat it
      for (int32_t x = 1; x < size - 1; ++x)
        EXPECT_EQ(dst.View().At(x, 4), row[static_cast<std::size_t>(x - 1)]) << x;
    }
  }
}

TEST(PaintMaskRect, StretchedMaskedPieces) {
  // d := ((d - s) * m + s * 256) >> 8 per colour byte, alpha 255; the dot
  // keeps the destination's alpha.
  CheckStretchedPieces(
      [](const TsPixelBuffer& d, const TsMaskData& m) {
        PaintMaskRect(d, d.Bounds(), m, 0, TCacheInfo{}, TUseParent::No);
      },
      {
          {TStretchPiece::Edge, {0xFF204060, 0xFF204060, 0xFF607080, 0xFF607080}},
          {TStretchPiece::Centre, {0xFF2E4A67, 0xFF5B6C7D, 0xFF989A9C, 0xFF9F9F9F}},
          {TStretchPiece::Dot, {0x40607080, 0x40607080, 0x40607080}},
      });
}

TEST(PaintMaskRectLayered, StretchedMaskedPiecesAndTheHermiteMask) {
  // h the red mask byte: 0 copies the image opaque, 255 leaves the pixel,
  // otherwise d := (d * h + s * (255 - h)) >> 8 and A := max(A, 255 - h). The
  // dot mixes by l := min(g, A) = 64 and raises A to 255 - g.
  CheckStretchedPieces(
      [](const TsPixelBuffer& d, const TsMaskData& m) {
        PaintMaskRectLayered(d, d.Bounds(), m, 0, TCacheInfo{});
      },
      {
          {TStretchPiece::Edge, {0xFF204060, 0xFF204060, 0x7F5F6F7F, 0x7F5F6F7F}},
          {TStretchPiece::Centre, {0xFF204060, 0x805F6F7F, 0x00A0A0A0, 0x00A0A0A0}},
          {TStretchPiece::Dot, {0x7F3F576F, 0x7F3F576F, 0x7F3F576F}},
      });
}

TEST(PaintMaskRectCapped, StretchedMaskedPiecesWeakenedByOpacity) {
  // Opacity 128. h = 0: d := (d * 127 + s * 128) >> 8, A := max(A, (255 * 128)
  // >> 8); otherwise u := ((255 - h) * 128) >> 8, d := (d * (255 - u) + s * u)
  // >> 8 and an alpha of 0 becomes u. The dot: u = 63, A := max(A, 255 - g).
  CheckStretchedPieces(
      [](const TsPixelBuffer& d, const TsMaskData& m) {
        PaintMaskRectCapped(d, d.Bounds(), m, 0, TCacheInfo{}, TRect::LTRB(9, 9, 9, 9), 128);
      },
      {
          {TStretchPiece::Edge, {0x7F5F6F7F, 0x7F5F6F7F, 0x3F7F878F, 0x3F7F878F}},
          {TStretchPiece::Centre, {0x7F5F6F7F, 0x407F878F, 0x00A0A0A0, 0x00A0A0A0}},
          {TStretchPiece::Dot, {0x7F7F878F, 0x7F7F878F, 0x7F7F878F}},
      });
}

}  // namespace
}  // namespace ac
