#include "pixels/blend_premultiply.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include "system/native/composition_test_support.h"
#endif
#include "pixels/pixel_buffer_test_support.h"
#include "system/system.h"

namespace ac {
namespace {

using test::Hex;
using test::MakeImage;

TEST(Premultiply, MultipliesByAlphaWithAShift) {
  TsPixelImage img = MakeImage(5, 1, {0x00FFFFFF, 0x00000000, 0x00FFFFFE, 0x80FF8040, 0xFFFFFFFF});
  PremultiplyWith(img, img.View().Bounds(), TComposition::On);
  // Transparent white becomes 0 by rule; the others through the product.
  EXPECT_EQ(Hex(img), Hex(5, {0, 0, 0, 0x807F4020, 0xFFFEFEFE}));
}

TEST(Premultiply, WithoutCompositionHoldsNearWhiteAt244) {
  TsPixelImage img = MakeImage(4, 1, {0xFFFFFFFF, 0xFFF5F5F4, 0xFFFFFFF5, 0xF0FAFAFA});
  PremultiplyWith(img, img.View().Bounds(), TComposition::Off);
  // Only pixels whose three bytes all exceeded 244 are limited.
  EXPECT_EQ(Hex(img), Hex(4, {0xFFF4F4F4, 0xFFF4F4F3, 0xFFF4F4F4, 0xF0EAEAEA}));
}

TEST(Premultiply, WorksInsideTheRectangleOnly) {
  TsPixelImage img = MakeImage(3, 1, {0x80FFFFFF, 0x80FFFFFF, 0x80FFFFFF});
  Premultiply(img, TRect::LTRB(1, -5, 9, 9));
  EXPECT_EQ(Hex(img), Hex(3, {0x80FFFFFF, 0x807F7F7F, 0x807F7F7F}));
}

#ifndef _WIN32
TEST(Premultiply, AsksThePlatformAboutComposition) {
  // Near-white is held at 244 only when the platform says the desktop does
  // not compose.
  {
    test::TScopedComposition off(test::TComposed::No);
    TsPixelImage img = MakeImage(1, 1, {0xFFFFFFFF});
    Premultiply(img);
    EXPECT_EQ(img.View().At(0, 0), 0xFFF4F4F4u);
  }
  TsPixelImage img = MakeImage(1, 1, {0xFFFFFFFF});
  Premultiply(img);
  EXPECT_EQ(img.View().At(0, 0), 0xFFFEFEFEu);
}
#else
TEST(Premultiply, AsksThePlatformAboutComposition) {
  TsPixelImage img = MakeImage(1, 1, {0xFFFFFFFF});
  Premultiply(img);
  EXPECT_EQ(img.View().At(0, 0), platform::CompositionEnabled() ? 0xFFFEFEFEu : 0xFFF4F4F4u);
}
#endif

}  // namespace
}  // namespace ac
