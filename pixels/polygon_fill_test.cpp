#include "pixels/polygon_fill.h"

#include <gtest/gtest.h>

#include <vector>

#include "pixels/pixel_buffer_test_support.h"

namespace ac {
namespace {

using test::Values;

TEST(FillPolygonSmooth, CoverageIsTheCoveredShareOfEachPixel) {
  struct Case {
    const char* Name;
    std::vector<TPointF> Points;
    std::vector<uint8_t> Expected;  // 3 x 3
  };
  const std::vector<Case> cases = {
      {"whole pixels", {{1, 1}, {3, 1}, {3, 3}, {1, 3}}, {0, 0, 0, 0, 255, 255, 0, 255, 255}},
      {"quarters",
       {{0.5, 0.5}, {1.5, 0.5}, {1.5, 1.5}, {0.5, 1.5}},
       {64, 64, 0, 64, 64, 0, 0, 0, 0}},
      {"half a pixel", {{0, 0}, {1, 0}, {0, 1}}, {128, 0, 0, 0, 0, 0, 0, 0, 0}},
      // Anticlockwise winds the other way: the same coverage.
      {"reversed", {{3, 3}, {3, 1}, {1, 1}, {1, 3}}, {0, 0, 0, 0, 255, 255, 0, 255, 255}},
      // Parts off the mask on the left still cover its first column.
      {"off the left", {{-5, 0}, {1, 0}, {1, 1}, {-5, 1}}, {255, 0, 0, 0, 0, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    TsChannelImage mask(3, 3);
    FillPolygonSmooth(mask.View(), c.Points);
    EXPECT_EQ(Values(mask.View()), c.Expected) << c.Name;
  }
}

TEST(FillPolygonSmooth, SlantedEdgesCoverSymmetrically) {
  // A triangle symmetric about x = 4: each row's coverage mirrors.
  TsChannelImage mask(8, 4);
  const std::vector<TPointF> tri = {{0, 0}, {8, 0}, {4, 4}};
  FillPolygonSmooth(mask.View(), tri);
  for (int32_t y = 0; y < 4; ++y)
    for (int32_t x = 0; x < 4; ++x)
      EXPECT_EQ(mask.View().Row(y)[x], mask.View().Row(y)[7 - x]) << x << "," << y;
  // Row 0: the edge crosses column 0 from x = 0 to 1: half covered.
  EXPECT_EQ(mask.View().Row(0)[0], 128);
  EXPECT_EQ(mask.View().Row(0)[1], 255);
}

TEST(FillPolygonHard, TakesTheOutlineAndTheCentresInside) {
  // The down arrow of an 8-pixel square: rows 8, 6, 4 and 2 pixels wide.
  TsChannelImage mask(8, 8);
  const std::vector<TPoint> pts = {{0, 2}, {3, 5}, {4, 5}, {7, 2}};
  FillPolygonHard(mask.View(), pts, 1);
  const std::vector<uint8_t> v = Values(mask.View());
  std::vector<uint8_t> expected(64, 0);
  for (int32_t x = 0; x < 8; ++x) expected[2 * 8 + x] = 1;
  for (int32_t x = 1; x < 7; ++x) expected[3 * 8 + x] = 1;
  for (int32_t x = 2; x < 6; ++x) expected[4 * 8 + x] = 1;
  for (int32_t x = 3; x < 5; ++x) expected[5 * 8 + x] = 1;
  EXPECT_EQ(v, expected);
}

TEST(LineOutline, IsAFlatEndedPenAroundPixelCentres) {
  // A horizontal line of width 1 through pixel centres covers exactly its row.
  TsChannelImage mask(4, 3);
  FillPolygonSmooth(mask.View(), LineOutline({0, 1}, {3, 1}, 1));
  // Flat ends stop at the end points' centres: half of the end pixels.
  EXPECT_EQ(Values(mask.View()),
            (std::vector<uint8_t>{0, 0, 0, 0, 128, 255, 255, 128, 0, 0, 0, 0}));
}

TEST(CompositeMask, OverTransparentPixelsGivesTheColourWithTheMaskAsAlpha) {
  TsChannelImage mask(3, 1);
  mask.View().Row(0)[0] = 0;
  mask.View().Row(0)[1] = 77;
  mask.View().Row(0)[2] = 128;
  TsPixelImage dst = test::MakeImage(3, 1, {0x00FFFFFF, 0x00FFFFFF, 0xFFFFFFFF});
  CompositeMask(dst.View(), {0, 0}, mask.View(), 0x000000FF);
  // Over opaque white at 128: the white keeps (255 * 127 + 127) / 255 = 127
  // parts: r (255 * 128 + 255 * 127 + 127) / 255 = 255, g, b 32512 / 255.
  EXPECT_EQ(test::Hex(dst.View()), test::Hex(3, {0x00FFFFFF, 0x4DFF0000, 0xFFFF7F7F}));
}

}  // namespace
}  // namespace ac
