#include "pixels/blend_parent.h"

#include <gtest/gtest.h>

#include "core/message_sink.h"
#include "pixels/pixel_buffer_test_support.h"

namespace ac {
namespace {

using test::Filled;
using test::Hex;
using test::MakeImage;

constexpr uint32_t kA = 0x100000AA;  // not opaque, to show where alpha is forced
constexpr uint32_t kKey = 0x00FF00FF;
constexpr uint32_t kB = 0xFF0000BB;
constexpr uint32_t kOld = 0x11111111;

TsPixelImage Source() {
  return MakeImage(3, 1, {kA, kKey, kB});
}

// Cache pixel (x, y) = 0x40000000 | (y * 16 + x).
TsPixelImage CacheImage() {
  TsPixelImage c(4, 2);
  for (int32_t y = 0; y < 2; ++y)
    for (int32_t x = 0; x < 4; ++x) c.View().At(x, y) = 0x40000000u | (y * 16 + x);
  return c;
}

TEST(CopyOverParent, KeyPixelsTakeTheCachedParent) {
  TsPixelImage cache = CacheImage();
  TsPixelImage src = Source();
  struct Case {
    int32_t cx, cy;
    uint32_t keyResult;
  };
  const Case cases[] = {
      {1, 0, 0x40000002},                // cache (1 + 1, 0)
      {1, 1, 0x40000012}, {3, 0, kOld},  // cache column 4 is outside: untouched
      {-2, 0, kOld},                     // column -1
      {0, -1, kOld},                     // the cache row is above the image
      {0, 2, kOld},
  };
  for (const Case& c : cases) {
    TsPixelImage dst = Filled(3, 1, kOld);
    TCacheInfo ci = MakeCacheInfo(cache, c.cx, c.cy);
    CopyOverParent(dst, {0, 0}, src, TSourceRect{0, 0, 2, 0}, {ci, TUseParent::Yes, clFuchsia});
    EXPECT_EQ(Hex(dst), Hex(3, {kA, c.keyResult, kB})) << c.cx << "," << c.cy;
  }
}

TEST(CopyOverParent, IntoTheCacheItselfMakesCopiedPixelsOpaque) {
  TsPixelImage cache = CacheImage();
  TCacheInfo ci = MakeCacheInfo(cache, 0, 0);
  CopyOverParent(cache, {1, 1}, Source(), TSourceRect{0, 0, 2, 0},
                 {ci, TUseParent::Yes, clFuchsia});
  EXPECT_EQ(Hex(cache), Hex(4, {0x40000000, 0x40000001, 0x40000002, 0x40000003,  //
                                0x40000010, 0xFF0000AA, 0x40000012, 0xFF0000BB}));
}

TEST(CopyOverParent, WithoutParentKeyPixelsStayUntouched) {
  TsPixelImage cache = CacheImage();
  TsPixelImage dst = Filled(3, 1, kOld);
  CopyOverParent(dst, {0, 0}, Source(), TSourceRect{0, 0, 2, 0},
                 {MakeCacheInfo(cache, 0, 0), TUseParent::No, clFuchsia});
  EXPECT_EQ(Hex(dst), Hex(3, {kA, kOld, kB}));
  // Ready without an image is the same.
  TCacheInfo noImage = MakeCacheInfo(TsPixelBuffer(), 0, 0);
  TsPixelImage dst2 = Filled(3, 1, kOld);
  CopyOverParent(dst2, {0, 0}, Source(), TSourceRect{0, 0, 2, 0},
                 {noImage, TUseParent::Yes, clFuchsia});
  EXPECT_EQ(Hex(dst2), Hex(3, {kA, kOld, kB}));
}

TEST(CopyOverParent, NotReadyFillsKeyPixelsWithTheFillColourAndTheOldCornerAlpha) {
  TsPixelImage dst = Filled(3, 1, 0x7F000000);
  TCacheInfo ci;
  ci.Ready = false;
  ci.FillColor = TsColor(0x00332211);
  CopyOverParent(dst, {0, 0}, Source(), TSourceRect{0, 0, 2, 0}, {ci, TUseParent::Yes, clFuchsia});
  // Dst(0, 0) is overwritten first, but its alpha was read before.
  EXPECT_EQ(Hex(dst), Hex(3, {kA, 0x7F112233, kB}));
}

TEST(CopyOverParent, ClampsTheSourceAndSkipsPositionsOutsideTheDestination) {
  TsPixelImage cache = CacheImage();
  TCacheInfo ci = MakeCacheInfo(cache, 0, 0);
  {
    TsPixelImage dst = Filled(3, 1, kOld);
    CopyOverParent(dst, {0, 0}, Source(), TSourceRect{-2, -1, 9, 9},
                   {ci, TUseParent::Yes, clFuchsia});
    EXPECT_EQ(Hex(dst), Hex(3, {kA, 0x40000001, kB}));
  }
  {
    TsPixelImage dst = Filled(3, 1, kOld);
    CopyOverParent(dst, {-1, 0}, Source(), TSourceRect{0, 0, 2, 0},
                   {ci, TUseParent::Yes, clFuchsia});
    EXPECT_EQ(Hex(dst), Hex(3, {0x40000000, kB, kOld}));
  }
  {
    TsPixelImage dst = Filled(3, 1, kOld);
    CopyOverParent(dst, {0, 1}, Source(), TSourceRect{0, 0, 2, 0},
                   {ci, TUseParent::Yes, clFuchsia});
    CopyOverParent(dst, {3, 0}, Source(), TSourceRect{0, 0, 2, 0},
                   {ci, TUseParent::Yes, clFuchsia});
    EXPECT_EQ(Hex(dst), Hex(3, {kOld, kOld, kOld}));
  }
}

TEST(FillKeyFromBack, WithoutMaskClearsAlphaAndFillsMagentaFromBack) {
  TsPixelImage dst = MakeImage(3, 2,
                               {0xFFFF00FF, 0x00FF00FF, 0x80123456,  //
                                0x80123456, 0xFFFF00FF, 0xFFFF00FF});
  TsPixelImage back(3, 2);
  for (int32_t i = 0; i < 6; ++i) back.View().At(i % 3, i / 3) = 0xB0000000u | i;
  // Back has only two columns from BackPoint (1, 0): the third stays as it was.
  FillKeyFromBack(dst, TRect::LTRB(0, 0, 3, 2), back, {1, 0}, fcTopLeft, nullptr);
  EXPECT_EQ(Hex(dst), Hex(3, {0xB0000001, 0xB0000002, 0x80123456,  //
                              0x00123456, 0xB0000005, 0xFFFF00FF}));
}

TEST(FillKeyFromBack, WithMaskTestsTheCornerOfTheMaskImage) {
  TsPixelImage img = Filled(6, 4, 0xFF000000);
  img.View().At(4, 0) = 0x00FF00FF;
  img.View().At(5, 0) = 0xFFFF00FF;  // the mask's alpha is ignored
  img.View().At(5, 1) = 0x00FF00FE;
  img.View().At(0, 3) = 0x00FF00FF;
  img.View().At(1, 3) = 0x00FF00FF;
  TCornerMask mask{img.View(), TRect::LTRB(0, 0, 6, 4), 6, 4, 2, 1};
  TsPixelImage back = MakeImage(2, 2, {0xB0, 0xB1, 0xB2, 0xB3});
  {
    TsPixelImage dst = Filled(2, 2, kOld);
    FillKeyFromBack(dst, TRect::LTRB(0, 0, 2, 2), back, {0, 0}, fcTopRight, &mask);
    EXPECT_EQ(Hex(dst), Hex(2, {0xB0, 0xB1, kOld, kOld}));
  }
  {
    // The bottom-left origin is row 3: the second row would leave the image.
    TsPixelImage dst = Filled(2, 2, kOld);
    FillKeyFromBack(dst, TRect::LTRB(0, 0, 2, 2), back, {0, 0}, fcBottomLeft, &mask);
    EXPECT_EQ(Hex(dst), Hex(2, {0xB0, 0xB1, kOld, kOld}));
  }
  {
    // Any other code is top-left: mask pixels (0..1, 0..1) are not magenta.
    TsPixelImage dst = Filled(2, 2, kOld);
    FillKeyFromBack(dst, TRect::LTRB(0, 0, 2, 2), back, {0, 0}, 99, &mask);
    EXPECT_EQ(Hex(dst), Hex(2, {kOld, kOld, kOld, kOld}));
  }
}

TEST(FillKeyFromBack, StaysInsideDestinationAndBack) {
  TsPixelImage dst = Filled(2, 2, 0x00FF00FF);
  TsPixelImage back = Filled(2, 2, 0xB0B0B0B0);
  FillKeyFromBack(dst, TRect::LTRB(-1, 1, 5, 9), back, {-1, 0}, fcTopLeft, nullptr);
  EXPECT_EQ(Hex(dst), Hex(2, {0x00FF00FF, 0x00FF00FF, 0xB0B0B0B0, 0xB0B0B0B0}));
}

}  // namespace
}  // namespace ac
