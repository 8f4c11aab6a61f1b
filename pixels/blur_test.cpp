#include "pixels/blur.h"

#include <gtest/gtest.h>

#include <vector>

#include "pixels/pixel_buffer_test_support.h"

namespace ac {
namespace {

using test::Values;

TsChannelImage Row(std::vector<uint8_t> v) {
  TsChannelImage img(static_cast<int32_t>(v.size()), 1);
  for (std::size_t i = 0; i < v.size(); ++i) img.View().Row(0)[i] = v[i];
  return img;
}

TEST(BlurHalfWidth, RoundedGaussianLosesItsOutermostTap) {
  struct Case {
    int32_t Radius, Half;
  };
  // 3 taps for radius 1 and 2, 5 for 3, 9 for 5; a radius whose rounded
  // weights reach the kernel's end keeps 31 of its 33 taps.
  for (const Case c : {Case{0, 0}, Case{-2, 0}, Case{1, 1}, Case{2, 1}, Case{3, 2}, Case{4, 3},
                       Case{5, 4}, Case{10, 10}, Case{16, 15}, Case{40, 15}})
    EXPECT_EQ(BlurHalfWidth(c.Radius), c.Half) << "radius " << c.Radius;
}

TEST(BlurMask8, RadiusOneIsTheRoundedMeanOfEachValueAndItsNeighbours) {
  // Ends repeat: (0 + 0 + 10) / 3 = 3.33 and (31 + 255 + 255) / 3 = 180.33.
  TsChannelImage img = Row({0, 10, 20, 31, 255});
  BlurMask8(img.View(), 1);
  EXPECT_EQ(Values(img.View()), (std::vector<uint8_t>{3, 10, 20, 102, 180}));
}

TEST(BlurMask8, RadiusThreeAveragesFiveTaps) {
  TsChannelImage img = Row({255, 0, 0, 0, 0, 0, 0});
  BlurMask8(img.View(), 3);
  // 3 * 255 / 5, 2 * 255 / 5, 255 / 5.
  EXPECT_EQ(Values(img.View()), (std::vector<uint8_t>{153, 102, 51, 0, 0, 0, 0}));
}

TEST(BlurMask8, BlursRowsThenColumns) {
  TsChannelImage img(5, 5);
  for (int32_t y = 0; y < 5; ++y)
    for (int32_t x = 0; x < 5; ++x) img.View().Row(y)[x] = 255;
  img.View().Row(2)[2] = 0;
  BlurMask8(img.View(), 1);
  // The row pass makes 170s beside the hole, the column pass spreads each
  // into (170 + 2 * 255) / 3 = 226.67 around it.
  const std::vector<uint8_t> expected = {
      255, 255, 255, 255, 255,  //
      255, 227, 227, 227, 255,  //
      255, 227, 227, 227, 255,  //
      255, 227, 227, 227, 255,  //
      255, 255, 255, 255, 255,
  };
  EXPECT_EQ(Values(img.View()), expected);
}

TEST(BlurMask8, RespectsTheStrideAndLeavesOtherBytesAlone) {
  // Two 3 x 2 rows inside 4-byte lines: the fourth byte of each line is not
  // the mask's.
  std::vector<uint8_t> bytes = {0, 30, 60, 99, 90, 120, 150, 99};
  TsChannelBuffer view(bytes.data(), 3, 2, 4);
  BlurMask8(view, 1);
  // Rows: 10 30 50 | 100 120 140; columns mean each pair with the repeated end.
  EXPECT_EQ(bytes, (std::vector<uint8_t>{40, 60, 80, 99, 70, 90, 110, 99}));
}

}  // namespace
}  // namespace ac
