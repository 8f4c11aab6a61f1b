#include "pixels/alpha_text.h"

#include <gtest/gtest.h>

#include "pixels/pixel_buffer_test_support.h"

namespace ac {
namespace {

using test::Hex;
using test::MakeImage;

TEST(ComposeTextImage, KeepingAlphaTurnsDarknessIntoCoverage) {
  // Grey 128 (L = 128), plain black with alpha 0, and both whites, which are
  // skipped; a white with another alpha is not.
  TsPixelImage text = MakeImage(5, 1, {0xFF808080, 0x00000000, 0x00FFFFFF, 0xFFFFFFFF, 0x80FFFFFF});
  TsPixelImage dst = MakeImage(5, 1, {0x40FFFFFF, 0xC8102030, 0x11223344, 0x11223344, 0x40FFFFFF});
  ComposeTextImage(dst.View(), {0, 0}, text.View(), 0x0000FF, TKeepAlpha::Yes);
  // a = max(127, 64): b, g ((128 * 255) * 127) >> 16 = 63, r (255 * 256 * 127)
  // >> 16 = 126. Black: alpha 254, r ((16 + 255 * 255) * 255) >> 16 = 253.
  // L = 255: a = 64, b, g (255 * 255 * 64) >> 16 = 63, r (255 * 256 * 64) >> 16.
  EXPECT_EQ(Hex(dst.View()), Hex(5, {0x7F7E3F3F, 0xFEFD0000, 0x11223344, 0x11223344, 0x403F3F3F}));
}

TEST(ComposeTextImage, WithoutAlphaEachChannelMixesByItsOwnByte) {
  TsPixelImage text = MakeImage(1, 1, {0x00406080});
  TsPixelImage dst = MakeImage(1, 1, {0x10C0C0C0});
  ComposeTextImage(dst.View(), {0, 0}, text.View(), 0x00102030, TKeepAlpha::No);
  // b ((0xC0 - 0x10) * 0x80 + 0x10 * 256) >> 8 = 0x68, g ... 0x5C, r ... 0x54.
  EXPECT_EQ(Hex(dst.View()), Hex(1, {0xFF545C68}));
}

TEST(ComposeTextImage, ClipsToTheDestination) {
  TsPixelImage text = MakeImage(2, 2, {0, 0, 0, 0});
  TsPixelImage dst = MakeImage(2, 2, {0x11111111, 0x11111111, 0x11111111, 0x11111111});
  ComposeTextImage(dst.View(), {1, -1}, text.View(), 0, TKeepAlpha::No);
  EXPECT_EQ(Hex(dst.View()), Hex(2, {0x11111111, 0xFF000000, 0x11111111, 0x11111111}));
}

}  // namespace
}  // namespace ac
