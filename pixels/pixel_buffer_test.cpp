#include "pixels/pixel_buffer.h"

#include <gtest/gtest.h>

#include "pixels/blend.h"
#include "pixels/blend_fill.h"
#include "pixels/cache_info.h"
#include "pixels/pixel_buffer_test_support.h"

namespace ac {
namespace {

using test::Hex;
using test::MakeImage;

TEST(TsPixelImage, NegativeSizesGiveAnEmptyBuffer) {
  for (auto [w, h] : {std::pair{-1, 5}, {5, -1}, {0, 3}, {-2, -2}}) {
    TsPixelImage img = NewPixelBuffer(w, h);
    EXPECT_EQ(img.Width(), 0);
    EXPECT_EQ(img.Height(), 0);
    EXPECT_TRUE(img.IsEmpty());
  }
}

TEST(TsPixelImage, NewPixelsAreZeroAndRowsFollowTheStride) {
  TsPixelImage img = NewPixelBuffer(3, 2);
  EXPECT_EQ(img.View().Stride, 12);
  EXPECT_EQ(Hex(img), Hex(3, {0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(reinterpret_cast<uint8_t*>(img.View().Row(1)), img.View().Bits + 12);
}

TEST(TsPixelImage, HeightOneHasStrideZero) {
  TsPixelImage img(7, 1);
  EXPECT_EQ(img.View().Stride, 0);
  TsPixelImage up(7, 1, TRowOrder::BottomUp);
  EXPECT_EQ(up.View().Stride, 0);
}

TEST(TsPixelImage, BottomUpStoresTheLastRowFirst) {
  TsPixelImage img(2, 3, TRowOrder::BottomUp);
  EXPECT_EQ(img.View().Stride, -8);
  img.View().At(0, 2) = 0x11223344;
  // Row 2 is the first in memory.
  EXPECT_EQ(*reinterpret_cast<uint32_t*>(img.View().Bits + 2 * img.View().Stride), 0x11223344u);
  EXPECT_EQ(img.View().Bits + 2 * img.View().Stride,
            reinterpret_cast<uint8_t*>(&img.View().At(0, 2)));
}

TEST(TsPixelImage, CopiesOwnTheirPixelsAndMovesKeepViews) {
  TsPixelImage a = test::Filled(2, 2, 0xFF102030);
  TsPixelImage b = a;
  b.View().At(0, 0) = 0;
  EXPECT_EQ(a.View().At(0, 0), 0xFF102030u);
  const TsPixelBuffer view = a.View();
  TsPixelImage c = std::move(a);
  EXPECT_EQ(c.View().Bits, view.Bits);
  EXPECT_TRUE(a.IsEmpty());  // NOLINT(bugprone-use-after-move): the moved-from state is defined
}

TEST(TsPixelBuffer, AViewOverForeignMemoryIsDrawnInPlace) {
  // As over the bits of a top-down DIB section.
  uint32_t bits[2 * 3] = {};
  TsPixelBuffer v(bits, 3, 2, 12);
  FillPixels(v, TRect::LTRB(1, 0, 3, 2), 0x0000FF, 0x80);
  EXPECT_EQ(bits[0], 0u);
  EXPECT_EQ(bits[1], 0x80FF0000u);
  EXPECT_EQ(bits[5], 0x80FF0000u);
  EXPECT_TRUE(TsPixelBuffer(nullptr, 3, 2, 12).IsEmpty());
}

// The same drawing on a top-down and a bottom-up image gives the same picture:
// no operation may assume the row order.
TEST(TsPixelBuffer, BottomUpBuffersDrawTheSamePicture) {
  auto draw = [](TRowOrder order) {
    TsPixelImage dst = test::Filled(5, 4, 0xFF808080, order);
    TsPixelImage src = MakeImage(3, 3,
                                 {0x80FF0000, 0xFF00FF00, 0x400000FF, 0xFF112233, 0x00FF00FF,
                                  0xFF445566, 0x10203040, 0x50607080, 0x90A0B0C0},
                                 order);
    FillPixels(dst, TRect::LTRB(0, 0, 2, 1), 0x123456, 0xFF);
    BlendOver(dst, {1, 1}, src, TSourceRect::XYWH(0, 0, 3, 3), 200);
    MixArea(dst, {-1, 0}, src, TSourceRect::XYWH(0, 0, 3, 3), 100);
    FadeToColor(dst, TSourceRect{0, 2, 4, 3}, 50, 0x00FF00);
    return Hex(dst);
  };
  EXPECT_EQ(draw(TRowOrder::TopDown), draw(TRowOrder::BottomUp));
}

TEST(MakeCacheInfo, DescribesAReadyImageWithoutFillColour) {
  TsPixelImage img(4, 4);
  const TCacheInfo ci = MakeCacheInfo(img, 3, -2);
  EXPECT_TRUE(ci.Ready);
  EXPECT_TRUE(ci.Bmp.SameStorage(img));
  EXPECT_EQ(ci.X, 3);
  EXPECT_EQ(ci.Y, -2);
  EXPECT_EQ(ci.FillColor.C, clFuchsia);
  EXPECT_EQ(ci.FillRect, TRect{});
}

TEST(ColorToPixel, SwapsRedAndBlueBothWays) {
  EXPECT_EQ(ColorToPixel(0x11223344u), 0x11443322u);
  EXPECT_EQ(ColorToPixel(ColorToPixel(0xA1B2C3D4u)), 0xA1B2C3D4u);
  EXPECT_EQ(ColorToPixel(static_cast<uint32_t>(clFuchsia)), static_cast<uint32_t>(clFuchsia));
}

TEST(MixColor, ShiftsByEightSoWeight255DoesNotReproduceTheColour) {
  EXPECT_EQ(MixColor(0xFFFFFF, 0x000000, 255), 0xFEFEFEu);
  // Weight 0 gives (c2 * 255) >> 8 per byte.
  EXPECT_EQ(MixColor(0x000000, 0xFF8001, 0), 0xFE7F00u);
  EXPECT_EQ(MixColor(0x7F102030, 0x01FFFFFF, 128), 0x7F868E96u);  // byte 3 from Color1
}

}  // namespace
}  // namespace ac
