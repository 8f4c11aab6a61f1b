#include "pixels/glow_mask.h"

#include <gtest/gtest.h>

#include "pixels/pixel_buffer_test_support.h"

namespace ac {
namespace {

using test::Hex;
using test::MakeImage;

TEST(BlendGlowMask, MixesTheGlowColourByTheMaskAndRaisesAlpha) {
  TsChannelImage mask(3, 1);
  mask.View().Row(0)[0] = 255;  // no glow
  mask.View().Row(0)[1] = 55;   // k = 200
  mask.View().Row(0)[2] = 0;    // full glow
  TsPixelImage dst = MakeImage(3, 1, {0x80102030, 0x80102030, 0x00102030});
  BlendGlowMask(dst.View(), {0, 0}, mask.View(), 0x0000FF);  // red
  // b (55 * 0x30) >> 8 = 10, g (55 * 0x20) >> 8 = 6, r (200 * 255 + 55 * 16) >> 8
  // = 202, alpha 128 + (127 * 200) >> 8 = 227; full glow: r (255 * 255) >> 8.
  EXPECT_EQ(Hex(dst.View()), Hex(3, {0x80102030, 0xE3CA060A, 0xFEFE0000}));
}

TEST(BlendGlowMask, OnlyTouchesPixelsInsideTheDestination) {
  TsChannelImage mask(3, 3);
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t x = 0; x < 3; ++x) mask.View().Row(y)[x] = 0;
  TsPixelImage dst = MakeImage(2, 2, {});
  BlendGlowMask(dst.View(), {-2, 1}, mask.View(), 0xFFFFFF);
  // Only mask column 2 lands inside, at x = 0, rows 1 (mask rows 0).
  EXPECT_EQ(Hex(dst.View()), Hex(2, {0, 0, 0xFEFEFEFE, 0}));
}

}  // namespace
}  // namespace ac
