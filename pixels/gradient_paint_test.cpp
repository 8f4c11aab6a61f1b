#include "pixels/gradient_paint.h"

#include <gtest/gtest.h>

#include <climits>

#include "pixels/pixel_buffer_test_support.h"

namespace ac {
namespace {

using test::Filled;
using test::Hex;

TsGradPoint Pt(uint16_t index, int32_t mode, TColor color, int32_t percent) {
  return TsGradPoint{index, mode, TsColor(color), percent};
}

uint32_t Grey(uint32_t v) {
  return 0xFF000000u | v << 16 | v << 8 | v;
}
uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) {
  return 0xFF000000u | r << 16 | g << 8 | b;
}

TEST(PaintGradient, TenRowsFromBlackToWhiteRoundHalfToEven) {
  TsPixelImage img(2, 10);
  PaintGradient(img, TRect::LTRB(0, 0, 2, 10),
                {Pt(0, kGradVertical, clBlack, 0), Pt(1, 0, clWhite, 100)});
  const uint32_t rows[] = {0, 26, 51, 76, 102, 128, 153, 178, 204, 230};
  for (int32_t y = 0; y < 10; ++y) {
    EXPECT_EQ(img.View().At(0, y), Grey(rows[y])) << y;
    EXPECT_EQ(img.View().At(1, y), Grey(rows[y])) << y;
  }
}

TEST(PaintGradient, VerticalSegmentsEndAtTruncatedRows) {
  // 30 % of 10 rows: rows 0..2, then the last segment to the bottom.
  TsPixelImage img(1, 10);
  PaintGradient(img, TRect::LTRB(0, 0, 1, 10),
                {Pt(0, kGradVertical, clBlack, 0), Pt(1, 0, 0x0000FF, 30), Pt(2, 0, 0x00FF00, 45)});
  const uint32_t expect[] = {Rgb(0, 0, 0),    Rgb(85, 0, 0),   Rgb(170, 0, 0),   Rgb(255, 0, 0),
                             Rgb(219, 36, 0), Rgb(182, 73, 0), Rgb(146, 109, 0), Rgb(109, 146, 0),
                             Rgb(73, 182, 0), Rgb(36, 219, 0)};
  for (int32_t y = 0; y < 10; ++y) EXPECT_EQ(img.View().At(0, y), expect[y]) << y;
}

TEST(PaintGradient, EqualColoursFillOpaqueAndEmptySegmentsPaintNothing) {
  TsPixelImage img = Filled(1, 4, 0x12345678);
  // Point 1 at 0 %: the first segment is empty; the second runs over all rows.
  PaintGradient(
      img, TRect::LTRB(0, 0, 1, 4),
      {Pt(0, kGradVertical, 0x7F0000FF, 0), Pt(1, 0, 0x00102030, 0), Pt(2, 0, 0x33102030, 100)});
  EXPECT_EQ(Hex(img), Hex(1, {0xFF302010, 0xFF302010, 0xFF302010, 0xFF302010}));
}

TEST(PaintGradient, HorizontalSegmentsShareTheirEndColumn) {
  // Round(0 + 50 * 0.07) = Round(3.5) = 4: columns 0..4, then 4..6.
  TsPixelImage img(7, 2);
  PaintGradient(
      img, TRect::LTRB(0, 0, 7, 2),
      {Pt(0, kGradHorizontal, clBlack, 0), Pt(1, 0, 0x0000C8, 50), Pt(2, 0, 0xC80000, 100)});
  const std::string row = Hex(7, {Rgb(0, 0, 0), Rgb(50, 0, 0), Rgb(100, 0, 0), Rgb(150, 0, 0),
                                  Rgb(200, 0, 0), Rgb(100, 0, 100), Rgb(0, 0, 200)});
  EXPECT_EQ(Hex(img), row + row);
}

TEST(PaintGradient, HorizontalEndColumnRoundsHalfToEven) {
  // Round(50 * 0.05) = Round(2.5) = 2.
  TsPixelImage img(5, 1);
  PaintGradient(
      img, TRect::LTRB(0, 0, 5, 1),
      {Pt(0, kGradHorizontal, 0x000064, 0), Pt(1, 0, 0x000064, 50), Pt(2, 0, 0x0000C8, 100)});
  EXPECT_EQ(Hex(img), Hex(5, {Rgb(100, 0, 0), Rgb(100, 0, 0), Rgb(100, 0, 0), Rgb(150, 0, 0),
                              Rgb(200, 0, 0)}));
}

TEST(PaintGradient, ClipsTheRectangleToTheBuffer) {
  TsPixelImage img(3, 4);
  PaintGradient(img, TRect::LTRB(1, -6, 9, 2),
                {Pt(0, kGradVertical, clBlack, 0), Pt(1, 0, 0x0000FF, 100)});
  // The clipped rectangle is (1, 0, 3, 2): two rows, 0 and 127.5 -> 128.
  EXPECT_EQ(Hex(img), Hex(3, {0, Rgb(0, 0, 0), Rgb(0, 0, 0), 0, Rgb(128, 0, 0), Rgb(128, 0, 0), 0,
                              0, 0, 0, 0, 0}));
}

TEST(PaintGradient, EmptyInputsPaintNothing) {
  TsPixelImage img = Filled(3, 3, 0x01010101);
  const TsGradArray one = {Pt(0, kGradVertical, clWhite, 0)};
  PaintGradient(img, TRect::LTRB(0, 0, 3, 3), {});
  PaintGradient(img, TRect::LTRB(0, 0, 3, 3), one);
  PaintGradient(img, TRect::LTRB(2, 2, 2, 3), {Pt(0, 0, clWhite, 0), Pt(1, 0, clWhite, 100)});
  PaintGradient(img, TRect::LTRB(0, 0, 3, 3), {Pt(0, 3, clWhite, 0), Pt(1, 0, clWhite, 100)});
  // The triangle kind needs five points.
  PaintGradient(img, TRect::LTRB(0, 0, 3, 3),
                {Pt(0, kGradTriangle, clWhite, 0), Pt(1, 0, clWhite, 100)});
  EXPECT_EQ(Hex(img), Hex(test::Filled(3, 3, 0x01010101)));
}

TEST(PaintGradient, PercentagesOutsideTheRangeStayInsideTheRectangle) {
  // Not what the parser makes, but a gradient may be built by hand.
  for (int32_t kind : {kGradVertical, kGradHorizontal}) {
    TsPixelImage img = Filled(4, 4, 0x01010101);
    PaintGradient(img, TRect::LTRB(1, 1, 3, 3),
                  {Pt(0, kind, clBlack, INT32_MAX), Pt(1, 0, clWhite, INT32_MIN),
                   Pt(2, 0, 0x0000FF, 2000000000), Pt(3, 0, clWhite, 100)});
    for (int32_t i = 0; i < 4; ++i) {
      EXPECT_EQ(img.View().At(i, 0), 0x01010101u);
      EXPECT_EQ(img.View().At(i, 3), 0x01010101u);
      EXPECT_EQ(img.View().At(0, i), 0x01010101u);
      EXPECT_EQ(img.View().At(3, i), 0x01010101u);
    }
  }
}

TEST(PaintGradient, SmoothVerticalSegmentRampsOpacityOverTheExistingPixels) {
  // Ramp from row -1 (opacity 255) to row 3 (opacity 0): 191.25, 127.5, 63.75.
  TsPixelImage img(1, 3);
  PaintGradient(img, TRect::LTRB(0, 0, 1, 3),
                {Pt(0, kGradVertical | kGradSmoothSegment, static_cast<TColor>(0xFFFFFFFF), 0),
                 Pt(1, kGradSmoothSegment, 0x00FFFFFF, 100)});
  EXPECT_EQ(Hex(img), Hex(1, {0xBFFFFFFF, 0x80FFFFFF, 0x40FFFFFF}));
}

TEST(PaintGradient, SmoothHorizontalLastSegmentReachesTheRightEdge) {
  TsPixelImage img = Filled(4, 2, 0xFF000000);
  PaintGradient(img, TRect::LTRB(0, 0, 4, 2),
                {Pt(0, kGradHorizontal | kGradSmoothSegment, static_cast<TColor>(0xFFFFFFFF), 0),
                 Pt(1, 0, static_cast<TColor>(0xFFFFFFFF), 100)});
  for (int32_t y = 0; y < 2; ++y)
    for (int32_t x = 0; x < 4; ++x) EXPECT_EQ(img.View().At(x, y), 0xFFFFFFFFu) << x;
}

TEST(BlendSmoothPixel, IsSourceOverOnStraightAlpha) {
  EXPECT_EQ(BlendSmoothPixel(0x12345678, 0xFFABCDEF), 0xFFABCDEFu);
  EXPECT_EQ(BlendSmoothPixel(0x12345678, 0x00ABCDEF), 0x12345678u);
  EXPECT_EQ(BlendSmoothPixel(0x00000000, 0x80FF0000), 0x80FF0000u);
  // Half red over opaque blue.
  EXPECT_EQ(BlendSmoothPixel(0xFF0000FF, 0x80FF0000), 0xFF80007Fu);
}

TEST(PaintGradient, TriangleShadesFromCornersAndCentre) {
  TsPixelImage img(9, 9);
  const TsGradArray g = {Pt(0, kGradTriangle, 0x0000FF, 0), Pt(1, 0, 0x00FF00, 0),
                         Pt(2, 0, 0xFF0000, 0), Pt(3, 0, clWhite, 0), Pt(4, 0, clBlack, 100)};
  PaintGradient(img, img.View().Bounds(), g);
  const TsPixelBuffer& b = img.View();
  for (uint32_t p : test::Pixels(b)) EXPECT_EQ(p >> 24, 0xFFu);
  // Each corner pixel leans to its corner's colour, the centre to green.
  EXPECT_GT(b.At(0, 0) >> 16 & 0xFF, 200u);  // red
  EXPECT_GT(b.At(8, 0) & 0xFF, 200u);        // blue
  EXPECT_GT(b.At(8, 8) & 0xFF, 200u);        // white
  EXPECT_GT(b.At(8, 8) >> 16 & 0xFF, 200u);
  EXPECT_LT(b.At(0, 8) & 0xFFFFFF, 0x303030u);  // black
  EXPECT_GT(b.At(4, 4) >> 8 & 0xFF, 200u);      // green
  EXPECT_LT(b.At(4, 4) >> 16 & 0xFF, 60u);
}

TEST(PaintGradient, SmoothTriangleBlendsWithOpacity) {
  TsPixelImage img = Filled(8, 8, 0xFF000000);
  const TsGradArray g = {Pt(0, kGradTriangle | kGradSmoothTriangle, 0x00FFFFFF, 0),
                         Pt(1, 0, static_cast<TColor>(0xFFFFFFFF), 0), Pt(2, 0, 0x00FFFFFF, 0),
                         Pt(3, 0, 0x00FFFFFF, 0), Pt(4, 0, 0x00FFFFFF, 100)};
  PaintGradient(img, img.View().Bounds(), g);
  const TsPixelBuffer& b = img.View();
  // White at full opacity in the centre fading to nothing at the corners.
  EXPECT_GT(b.At(4, 4) & 0xFF, 200u);
  EXPECT_LT(b.At(0, 0) & 0xFF, 40u);
  EXPECT_EQ(b.At(0, 0) >> 24, 0xFFu);
}

}  // namespace
}  // namespace ac
