#include "paint/border_pixels.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ac {
namespace {

// Straight-alpha pixels and their premultiplied bytes ((c * a) >> 8).
constexpr uint32_t kHalf = 0x80C86432u;          // a 128, r 200, g 100, b 50
constexpr uint32_t kHalfPremul = 0x80643219u;    // r 100, g 50, b 25
constexpr uint32_t kBright = 0xFFFAFAFAu;        // 250 on every colour byte
constexpr uint32_t kBrightCapped = 0xFFF4F4F4u;  // without composition: held at 244
constexpr uint32_t kBrightPremul = 0xFFF9F9F9u;  // (250 * 255) >> 8 = 249

TEST(SplitBorderImage, EveryPixelGoesToExactlyOneWindow) {
  // S: shadow window, F: border window, H: the client hole (in neither).
  const std::vector<std::string> owner = {"SSSSSS", "SFFFFS", "SFHHFS", "SFFFFS", "SSSSSS"};
  TsPixelImage image(6, 5), frame(6, 5), shadow(6, 5);
  for (int32_t y = 0; y < 5; ++y)
    for (int32_t x = 0; x < 6; ++x) {
      image.View().At(x, y) = (x + y) % 2 ? kHalf : kBright;
      frame.View().At(x, y) = shadow.View().At(x, y) = 0xDEADBEEFu;  // must all be written
    }
  SplitBorderImage(frame, shadow, image, TRect::LTRB(1, 1, 5, 4), TRect::LTRB(2, 2, 4, 3),
                   TComposition::Off);
  for (int32_t y = 0; y < 5; ++y)
    for (int32_t x = 0; x < 6; ++x) {
      const uint32_t premul = (x + y) % 2 ? kHalfPremul : kBrightCapped;
      const char o = owner[y][x];
      EXPECT_EQ(frame.View().At(x, y), o == 'F' ? premul : 0u) << x << "," << y;
      EXPECT_EQ(shadow.View().At(x, y), o == 'S' ? premul : 0u) << x << "," << y;
    }
}

TEST(SplitBorderImage, CompositionDecidesTheBrightCap) {
  TsPixelImage image(3, 1), frame(3, 1), shadow(3, 1);
  image.View().At(0, 0) = image.View().At(1, 0) = image.View().At(2, 0) = kBright;
  SplitBorderImage(frame, shadow, image, TRect::LTRB(1, 0, 2, 1), TRect(), TComposition::On);
  EXPECT_EQ(shadow.View().At(0, 0), kBrightPremul);
  EXPECT_EQ(frame.View().At(1, 0), kBrightPremul);
  EXPECT_EQ(shadow.View().At(2, 0), kBrightPremul);
}

TEST(SplitBorderImage, ZonesPastTheImageAndMismatchedSizes) {
  TsPixelImage image(4, 2), frame(4, 2), shadow(4, 2);
  for (int32_t x = 0; x < 4; ++x) image.View().At(x, 0) = image.View().At(x, 1) = kHalf;
  // A zone covering more than the image: everything is frame, the hole
  // reaching outside is cut where it overlaps.
  SplitBorderImage(frame, shadow, image, TRect::LTRB(-5, -5, 50, 50), TRect::LTRB(3, 1, 9, 9),
                   TComposition::Off);
  EXPECT_EQ(frame.View().At(0, 0), kHalfPremul);
  EXPECT_EQ(frame.View().At(3, 0), kHalfPremul);
  EXPECT_EQ(frame.View().At(3, 1), 0u);
  EXPECT_EQ(shadow.View().At(0, 1), 0u);
  // An empty zone: all shadow.
  SplitBorderImage(frame, shadow, image, TRect(), TRect(), TComposition::Off);
  EXPECT_EQ(shadow.View().At(3, 1), kHalfPremul);
  EXPECT_EQ(frame.View().At(3, 1), 0u);
  // A destination of another size is left alone.
  TsPixelImage small(2, 2);
  small.View().At(0, 0) = 7;
  SplitBorderImage(small, shadow, image, TRect(), TRect(), TComposition::Off);
  EXPECT_EQ(small.View().At(0, 0), 7u);
}

TEST(SplitBorderImage, KeptZerosAreNotWrittenAgain) {
  TsPixelImage image(4, 1), frame(4, 1), shadow(4, 1);
  for (int32_t x = 0; x < 4; ++x) {
    image.View().At(x, 0) = kHalf;
    frame.View().At(x, 0) = shadow.View().At(x, 0) = 0x11111111u;
  }
  SplitBorderImage(frame, shadow, image, TRect::LTRB(1, 0, 3, 1), TRect(), TComposition::Off,
                   TSplitZeros::Kept);
  const uint32_t old = 0x11111111u;
  EXPECT_EQ(shadow.View().At(0, 0), kHalfPremul);
  EXPECT_EQ(frame.View().At(0, 0), old);
  EXPECT_EQ(frame.View().At(1, 0), kHalfPremul);
  EXPECT_EQ(shadow.View().At(1, 0), old);
  EXPECT_EQ(frame.View().At(3, 0), old);
  EXPECT_EQ(shadow.View().At(3, 0), kHalfPremul);
}

}  // namespace
}  // namespace ac
