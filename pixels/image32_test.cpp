#include "pixels/image32.h"

#include <gtest/gtest.h>

#include "pixels/pixel_buffer_test_support.h"

namespace ac {
namespace {

using test::Filled;
using test::Hex;
using test::MakeImage;

TEST(DrawImage32, CompositesByAlphaAndFadesWithTransparency) {
  TsPixelImage src = MakeImage(1, 1, {0x80FF0000});  // red, alpha 128
  struct Case {
    int32_t Transparency;
    uint32_t Expected;
  };
  // 0: r (255 * 128) >> 8, b (-255 * 128 + 255 * 256) >> 8, alpha max(64, 128).
  // 50: o = 128, a = 64; the destination alpha stays.
  for (const Case c : {Case{0, 0x807F007F}, Case{50, 0x403F00BF}}) {
    TsPixelImage dst = MakeImage(1, 1, {0x400000FF});
    TsImage32Params p;
    p.Transparency = c.Transparency;
    DrawImage32(dst.View(), TRect::XYWH(0, 0, 1, 1), src.View(), TRect::XYWH(0, 0, 1, 1), p);
    EXPECT_EQ(Hex(dst.View()), Hex(1, {c.Expected})) << "transparency " << c.Transparency;
  }
}

TEST(DrawImage32, TransparencyHundredLeavesTheDestination) {
  TsPixelImage src = MakeImage(2, 1, {0xFFFFFFFF, 0x00FF00FF});
  TsPixelImage parent = Filled(2, 1, 0xFF123456);
  TsImage32Params p;
  p.Transparency = 100;
  p.UseParent = TUseParent::Yes;
  p.Cache = MakeCacheInfo(parent.View(), 0, 0);
  p.Reflected = TReflection::Below;
  p.TintColor = 0x00FF00;
  TsPixelImage dst = Filled(2, 4, 0x01020304);
  DrawImage32(dst.View(), TRect::XYWH(0, 0, 2, 1), src.View(), TRect::XYWH(0, 0, 2, 1), p);
  EXPECT_EQ(Hex(dst.View()), Hex(Filled(2, 4, 0x01020304).View()));
}

TEST(DrawImage32, TransparentSourcePixelsFollowTheParentRule) {
  // The key value and an alpha of 16 are transparent; alpha 17 is not.
  TsPixelImage src = MakeImage(3, 1, {0x00FF00FF, 0x10FFFFFF, 0x11FFFFFF});
  TsPixelImage parent = MakeImage(4, 1, {0xAA000001, 0xAA000002, 0xAA000003, 0xAA000004});
  const uint32_t d0 = 0x80000000;
  struct Case {
    const char* Name;
    bool Ready;
    TUseParent UseParent;
    uint32_t P0, P1;
  };
  // Without a ready cache everything is composited: alpha 0 changes nothing,
  // alpha 16 moves each byte (255 * 16) >> 8 = 15.
  for (const Case c : {Case{"parent", true, TUseParent::Yes, 0xAA000002, 0xAA000003},
                       Case{"skipped", true, TUseParent::No, d0, d0},
                       Case{"not ready", false, TUseParent::Yes, d0, 0x800F0F0F}}) {
    TsImage32Params p;
    p.UseParent = c.UseParent;
    p.Cache = MakeCacheInfo(parent.View(), 1, 0);
    p.Cache.Ready = c.Ready;
    TsPixelImage dst = Filled(3, 1, d0);
    DrawImage32(dst.View(), TRect::XYWH(0, 0, 3, 1), src.View(), TRect::XYWH(0, 0, 3, 1), p);
    EXPECT_EQ(Hex(dst.View()), Hex(3, {c.P0, c.P1, 0x80101010})) << c.Name;
  }
}

TEST(DrawImage32, TintRecoloursByBrightness) {
  // Tint (R 0, G 0x20, B 0x40) raised to (191, 223, 255); V of grey 128 is
  // 32 + 64 + 32 = 128; target (95, 111, 127) over black at alpha 255.
  TsPixelImage src = MakeImage(1, 1, {0xFF808080});
  TsPixelImage dst = MakeImage(1, 1, {0xFF000000});
  TsImage32Params p;
  p.TintColor = 0x00402000;
  DrawImage32(dst.View(), TRect::XYWH(0, 0, 1, 1), src.View(), TRect::XYWH(0, 0, 1, 1), p);
  EXPECT_EQ(Hex(dst.View()), Hex(1, {0xFF5E6E7E}));
}

TEST(DrawImage32, DrawsTheSmallerRectangleClippedOnBothSides) {
  TsPixelImage src = MakeImage(3, 2,
                               {0xFF000001, 0xFF000002, 0xFF000003,  //
                                0xFF000004, 0xFF000005, 0xFF000006});
  TsPixelImage dst = Filled(3, 2, 0xFF000000);
  // The destination starts one column left of Dst: the first source column
  // is dropped; the destination rectangle is one row shorter than the source.
  DrawImage32(dst.View(), TRect::XYWH(-1, 0, 3, 1), src.View(), TRect::XYWH(0, 0, 3, 2), {});
  // Opaque pixels: d := (s * 255 + d) >> 8 per byte, so 2 -> 1, 3 -> 2.
  EXPECT_EQ(Hex(dst.View()), Hex(3, {0xFF000001, 0xFF000002, 0xFF000000,  //
                                     0xFF000000, 0xFF000000, 0xFF000000}));
}

TEST(DrawImage32, ReflectionFadesBelowAOneRowGap) {
  TsPixelImage src = MakeImage(1, 4, {0xFF111111, 0xFF222222, 0xFF00FF00, 0xFF0000FF});
  TsPixelImage dst = MakeImage(1, 8, {});
  TsImage32Params p;
  p.Reflected = TReflection::Below;
  DrawImage32(dst.View(), TRect::XYWH(0, 0, 1, 4), src.View(), TRect::XYWH(0, 0, 1, 4), p);
  // Two reflection rows from row 5: the last image row at 255 * 2 * 255 /
  // 1024 = 127, then the one above at 255 * 1 * 192 / 1024 = 47.
  EXPECT_EQ(Hex(dst.View()),
            Hex(1, {0xFF101010, 0xFF212121, 0xFF00FE00, 0xFF0000FE, 0, 0x7F00007E, 0x2F002E00, 0}));
}

}  // namespace
}  // namespace ac
