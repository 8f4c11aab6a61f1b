#include "paint/arrows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pixels/pixel_buffer_test_support.h"

namespace ac {
namespace {

using test::Filled;

// For each row that has any pixel equal to Pixel: its first and last column.
struct TSpan {
  int32_t Y, From, To;
};
std::vector<TSpan> Spans(const TsPixelBuffer& b, uint32_t pixel) {
  std::vector<TSpan> out;
  for (int32_t y = 0; y < b.Height; ++y) {
    int32_t from = -1, to = -1;
    for (int32_t x = 0; x < b.Width; ++x)
      if (b.At(x, y) == pixel) {
        if (from < 0) from = x;
        to = x;
      }
    if (from >= 0) out.push_back({y, from, to});
  }
  return out;
}

std::string Show(const std::vector<TSpan>& spans) {
  std::string s;
  for (const TSpan& sp : spans)
    s += std::to_string(sp.Y) + ":" + std::to_string(sp.From) + "-" + std::to_string(sp.To) + " ";
  return s;
}

TEST(PaintPixelArrow, RowsForEachDirectionAndResolution) {
  struct Case {
    TacArrowDirection Direction;
    int32_t PPI;
    std::vector<TSpan> Rows;
  };
  // A 20 x 20 rectangle: at 96 s = 5, h = 3; at 144 s = 7, h = 4.
  const std::vector<Case> cases = {
      {adDown, 96, {{8, 7, 11}, {9, 8, 10}, {10, 9, 9}}},
      {adDown, 144, {{8, 6, 12}, {9, 7, 11}, {10, 8, 10}, {11, 9, 9}}},
      {adUp, 96, {{8, 9, 9}, {9, 8, 10}, {10, 7, 11}}},
      // Left and right: x0 = 8, y0 = 7; left uses rows y0 + 1 ... y0 + 5.
      {adLeft, 96, {{8, 10, 10}, {9, 9, 10}, {10, 8, 10}, {11, 9, 10}, {12, 10, 10}}},
      {adRight, 96, {{7, 8, 8}, {8, 8, 9}, {9, 8, 10}, {10, 8, 9}, {11, 8, 8}}},
  };
  for (const Case& c : cases) {
    TsPixelImage dst(20, 20);
    PaintPixelArrow(dst.View(), TRect::XYWH(0, 0, 20, 20), static_cast<TColor>(0xFF0000FF), c.PPI,
                    c.Direction);
    const std::vector<TSpan> got = Spans(dst.View(), 0xFFFF0000u);
    EXPECT_EQ(Show(got), Show(c.Rows)) << "direction " << c.Direction << " at " << c.PPI;
    int32_t painted = 0;
    for (int32_t y = 0; y < 20; ++y)
      for (int32_t x = 0; x < 20; ++x) painted += dst.View().At(x, y) != 0;
    int32_t expected = 0;
    for (const TSpan& sp : c.Rows) expected += sp.To - sp.From + 1;
    EXPECT_EQ(painted, expected) << "rows must be solid";
  }
}

TEST(PaintPixelArrow, DrawsNothingWhenTheFarEdgeReachesTheImageEdge) {
  // A down arrow at 96 in a 5 x 3 image: x0 + 5 reaches the width.
  TsPixelImage dst(5, 3);
  PaintPixelArrow(dst.View(), TRect::XYWH(0, 0, 5, 3), clWhite, 96, adDown);
  EXPECT_EQ(test::Hex(dst.View()), test::Hex(TsPixelImage(5, 3).View()));
  TsPixelImage wider(6, 4);
  PaintPixelArrow(wider.View(), TRect::XYWH(0, 0, 6, 4), static_cast<TColor>(0xFFFFFFFF), 96,
                  adDown);
  EXPECT_EQ(Spans(wider.View(), 0xFFFFFFFFu).size(), 3u);
}

TEST(ArrowShape, BoxesAndPointsOfEachStyle) {
  struct Case {
    TacArrowsStyle Style;
    int32_t PPI, RectWidth;
    int32_t Side, BoxW, BoxH, Offset, LineWidth;
    std::vector<TPoint> P;
  };
  const std::vector<Case> cases = {
      // Size 0 at 96, even width: s = 4, an 8 x 4 box in an 8-pixel square, o = 2.
      {arsSolid1, 96, 10, 8, 8, 4, 2, 1, {{0, 2}, {3, 5}, {4, 5}, {7, 2}}},
      {arsSolid1, 96, 11, 9, 9, 5, 2, 1, {{0, 2}, {4, 6}, {4, 6}, {8, 2}}},
      // Line styles make the width odd; the stroke is 2 at 96 and 3 at 144.
      {arsLines1, 96, 10, 13, 13, 8, 2, 2, {{1, 3}, {6, 8}, {6, 8}, {11, 3}}},
      {arsLines1, 144, 15, 18, 18, 11, 3, 3, {{1, 4}, {8, 11}, {7, 11}, {14, 4}}},
      {arsSolid2, 96, 10, 11, 11, 2, 4, 1, {{0, 4}, {5, 5}, {5, 5}, {10, 4}}},
      {arsSolid2, 96, 11, 8, 8, 3, 2, 1, {{0, 2}, {3, 4}, {4, 4}, {7, 2}}},
      {arsLines2, 96, 10, 12, 12, 5, 3, 2, {{1, 4}, {6, 6}, {5, 6}, {10, 4}}},
      {arsSolid3, 96, 10, 9, 9, 8, 0, 1, {{0, 0}, {4, 7}, {4, 7}, {8, 0}}},
      // At 144 pixels per inch the size is 7 and the default stroke 3.
      {arsSolid1, 144, 10, 12, 12, 6, 3, 1, {{0, 3}, {5, 8}, {6, 8}, {11, 3}}},
      {arsLines2, 144, 16, 17, 17, 7, 5, 3, {{1, 6}, {8, 9}, {8, 9}, {15, 6}}},
      {arsSolid3, 144, 10, 11, 11, 10, 0, 1, {{0, 0}, {5, 9}, {5, 9}, {10, 0}}},
  };
  for (const Case& c : cases) {
    TsArrowParams p;
    p.Style = c.Style;
    p.PPI = c.PPI;
    const TsArrowShape s = ArrowShape(c.RectWidth, p);
    SCOPED_TRACE(::testing::Message()
                 << "style " << c.Style << " ppi " << c.PPI << " width " << c.RectWidth);
    EXPECT_EQ(s.Side, c.Side);
    EXPECT_EQ(s.BoxWidth, c.BoxW);
    EXPECT_EQ(s.BoxHeight, c.BoxH);
    EXPECT_EQ(s.Offset, c.Offset);
    EXPECT_EQ(s.LineWidth, c.LineWidth);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(s.P[i], c.P[i]) << "P" << i;
  }
}

TEST(PaintArrow, SolidArrowHasAHardCoreAndSmoothSides) {
  // arsSolid1 in an 8 x 8 rectangle: the square buffer lands at (0, 0).
  TsPixelImage dst = Filled(8, 8, 0xFFFFFFFF);
  TsArrowParams p;
  p.Color = 0x000000;
  PaintArrow(dst.View(), TRect::XYWH(0, 0, 8, 8), p);
  // Inside the triangle: black; rows 0, 1, 6, 7 and the corners beside the
  // tip untouched.
  for (const TPoint in : {TPoint{0, 2}, TPoint{7, 2}, TPoint{3, 4}, TPoint{3, 5}, TPoint{4, 5}})
    EXPECT_EQ(dst.View().At(in.X, in.Y), 0xFF000000u) << in.X << "," << in.Y;
  for (int32_t x = 0; x < 8; ++x)
    for (int32_t y : {0, 1, 6, 7}) EXPECT_EQ(dst.View().At(x, y), 0xFFFFFFFFu) << x << "," << y;
  EXPECT_EQ(dst.View().At(0, 5), 0xFFFFFFFFu);
  // The smoothed side: outside the hard edge the line leaves a grey.
  const uint32_t side = dst.View().At(0, 3) & 0xFF;
  EXPECT_GT(side, 0u);
  EXPECT_LT(side, 255u);
  // Left and right halves mirror.
  for (int32_t y = 0; y < 8; ++y)
    for (int32_t x = 0; x < 4; ++x)
      EXPECT_EQ(dst.View().At(x, y), dst.View().At(7 - x, y)) << x << "," << y;
}

TEST(PaintArrow, DirectionsTurnTheDownArrow) {
  TsArrowParams p;
  p.Style = arsLines1;
  p.Color = 0x0000FF;
  p.FillColor = 0x00FF00;
  auto paint = [&](TacArrowDirection d) {
    TsPixelImage dst(13, 13);
    p.Direction = d;
    PaintArrow(dst.View(), TRect::XYWH(0, 0, 13, 13), p);
    return dst;
  };
  const TsPixelImage down = paint(adDown), up = paint(adUp), left = paint(adLeft),
                     right = paint(adRight);
  int32_t drawn = 0;
  for (int32_t y = 0; y < 13; ++y)
    for (int32_t x = 0; x < 13; ++x) {
      const uint32_t d = down.View().At(x, y);
      drawn += d != 0;
      EXPECT_EQ(up.View().At(x, 12 - y), d);
      EXPECT_EQ(left.View().At(12 - y, x), d);
      EXPECT_EQ(right.View().At(y, 12 - x), d);
      // Symmetric about the middle column.
      EXPECT_EQ(down.View().At(12 - x, y), d) << x << "," << y;
    }
  EXPECT_GT(drawn, 20);
  // Between the strokes, under the fill: green; the strokes' middle: red
  // (each opaque pixel composited as (255 * 255) >> 8 over the empty image).
  EXPECT_EQ(down.View().At(6, 4) & 0x00FFFFFFu, 0x0000FE00u);
  EXPECT_EQ(down.View().At(3, 5) & 0x00FF0000u, 0x00FE0000u);
}

TEST(PaintArrow, SmoothSolidStyleIsAntiAliasedOnly) {
  TsPixelImage dst(9, 9);
  TsArrowParams p;
  p.Style = arsSolid3;
  p.Color = 0xFFFFFF;
  PaintArrow(dst.View(), TRect::XYWH(0, 0, 10, 9), p);
  // Pixel centres are the outline's integer points: the top row is half
  // covered (alpha 128, composited as (128 * 128) >> 8), the next one whole.
  EXPECT_EQ(dst.View().At(4, 0) >> 24, 0x40u);
  EXPECT_EQ(dst.View().At(4, 1) >> 24, 0xFEu);
  const uint32_t edge = dst.View().At(1, 2) >> 24;
  EXPECT_GT(edge, 0u);
  EXPECT_LT(edge, 0xFEu);
}

TEST(PaintArrow, AbsurdSizesDrawNothing) {
  TsPixelImage dst(10, 10);
  for (const int32_t size : {100000, -100000, 2000000000}) {
    TsArrowParams p;
    p.Size = size;
    for (const TacArrowsStyle style : {arsSolid1, arsLines1, arsSolid3}) {
      p.Style = style;
      PaintArrow(dst.View(), TRect::XYWH(0, 0, 10, 10), p);
    }
  }
  PaintPixelArrow(dst.View(), TRect::XYWH(0, 0, 10, 10), clWhite, 2000000000, adDown);
  EXPECT_EQ(test::Hex(dst.View()), test::Hex(TsPixelImage(10, 10).View()));
}

TEST(PaintArrow, DefaultStyleDrawsNothing) {
  TsPixelImage dst(10, 10);
  TsArrowParams p;
  p.Style = arsDefault;
  PaintArrow(dst.View(), TRect::XYWH(0, 0, 10, 10), p);
  EXPECT_EQ(test::Hex(dst.View()), test::Hex(TsPixelImage(10, 10).View()));
}

}  // namespace
}  // namespace ac
