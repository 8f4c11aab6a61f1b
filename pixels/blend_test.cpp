#include "pixels/blend.h"

#include <gtest/gtest.h>

#include <functional>

#include "pixels/pixel_buffer_test_support.h"

namespace ac {
namespace {

using test::Filled;
using test::Hex;
using test::MakeImage;

TEST(BlendOver, OpaqueSourceAtFullOpacityKeepsTheShiftRounding) {
  TsPixelImage src = MakeImage(2, 1, {0xFF804020, 0xFFFFFFFF});
  {
    // Colour (s * 255 + d) >> 8; over alpha 0 the result alpha is 254.
    TsPixelImage dst = MakeImage(2, 1, {0x00102030, 0x00000000});
    BlendOver(dst, {0, 0}, src, TSourceRect::XYWH(0, 0, 2, 1), 255);
    EXPECT_EQ(Hex(dst), Hex(2, {0xFE7F3F20, 0xFEFEFEFE}));
  }
  {
    TsPixelImage dst = MakeImage(2, 1, {0xFF102030, 0xFF000000});
    BlendOver(dst, {0, 0}, src, TSourceRect::XYWH(0, 0, 2, 1), 255);
    EXPECT_EQ(Hex(dst), Hex(2, {0xFF7F3F20, 0xFFFEFEFE}));
  }
}

TEST(BlendOver, PartialOpacityScalesTheSourceAlphaFirst) {
  // a = (200 * 128) >> 8 = 100.
  TsPixelImage src = MakeImage(2, 1, {0xC8FF0000, 0xC8FF0000});
  TsPixelImage dst = MakeImage(2, 1, {0x800000FF, 0x0A0000FF});
  BlendOver(dst, {0, 0}, src, TSourceRect::XYWH(0, 0, 2, 1), 128);
  // b: (255 * 156) >> 8 = 155; r: (255 * 100) >> 8 = 99;
  // alpha: max(128, (100 * 100 + 128 * 156) >> 8 = 117) and max(10, 45).
  EXPECT_EQ(Hex(dst), Hex(2, {0x8063009B, 0x2D63009B}));
}

// Source pixel n (row-major in a 4 x 3 source) has blue 16 * (n + 1), opaque.
// A destination cell shows the letter of the source pixel that landed there
// ('.' for untouched), whether the copy kept the byte (MixArea weight 0) or
// lowered it by one (BlendOver of an opaque pixel over black).
std::string Landing(const std::function<void(const TsPixelBuffer&, const TsPixelBuffer&)>& op) {
  TsPixelImage src(4, 3);
  for (int32_t n = 0; n < 12; ++n) src.View().At(n % 4, n / 4) = 0xFF000000u | (16u * (n + 1));
  TsPixelImage dst = Filled(5, 4, 0xFF000000);
  op(dst, src);
  std::string s;
  for (int32_t y = 0; y < 4; ++y) {
    for (int32_t x = 0; x < 5; ++x) {
      const uint32_t blue = dst.View().At(x, y) & 0xFF;
      s += blue == 0 ? '.' : static_cast<char>('a' + (blue + 8) / 16 - 1);
    }
    s += '/';
  }
  return s;
}

struct AreaCase {
  TPoint at;
  TSourceRect s;
  const char* blend;  // BlendOver
  const char* mix;    // MixArea
};

const AreaCase kAreaCases[] = {
    {{0, 0}, {0, 0, 3, 2}, "abcd./efgh./ijkl./...../", "abcd./efgh./ijkl./...../"},
    // A negative point moves the source rectangle inward.
    {{-1, -1}, {0, 0, 3, 2}, "fgh../jkl../...../...../", "fgh../jkl../...../...../"},
    // A negative source left moves the point; the width is cut to the
    // destination.
    {{2, 1}, {-1, 0, 3, 2}, "...../...ab/...ef/...ij/", "...../...ab/...ef/...ij/"},
    {{-1, 0}, {-2, 0, 3, 1}, ".abcd/.efgh/...../...../", ".abcd/.efgh/...../...../"},
    // Right and bottom past the source are clamped, then cut to the destination.
    {{3, 2}, {1, 1, 10, 10}, "...../...../...fg/...jk/", "...../...../...fg/...jk/"},
    // One column: BlendOver draws it, MixArea draws nothing.
    {{0, 0}, {1, 0, 1, 2}, "b..../f..../j..../...../", "...../...../...../...../"},
    {{0, 0}, {2, 0, 1, 2}, "...../...../...../...../", "...../...../...../...../"},
    {{5, 0}, {0, 0, 3, 2}, "...../...../...../...../", "...../...../...../...../"},
    {{0, 4}, {0, 0, 3, 2}, "...../...../...../...../", "...../...../...../...../"},
    {{0, 0}, {4, 0, 6, 2}, "...../...../...../...../", "...../...../...../...../"},
    {{0, 0}, {0, 3, 3, 5}, "...../...../...../...../", "...../...../...../...../"},
};

TEST(BlendOver, ClipsPointAndSourceRectangle) {
  for (const AreaCase& c : kAreaCases) {
    EXPECT_EQ(Landing([&](const TsPixelBuffer& d, const TsPixelBuffer& s) {
                BlendOver(d, c.at, s, c.s, 255);
              }),
              c.blend)
        << c.at.X << "," << c.at.Y << " " << c.s.Left << "," << c.s.Top << "," << c.s.Right << ","
        << c.s.Bottom;
  }
}

TEST(MixArea, ClipsLikeBlendOverButNeedsTwoColumns) {
  for (const AreaCase& c : kAreaCases) {
    EXPECT_EQ(Landing([&](const TsPixelBuffer& d, const TsPixelBuffer& s) {
                MixArea(d, c.at, s, c.s, 0);
              }),
              c.mix)
        << c.at.X << "," << c.at.Y << " " << c.s.Left << "," << c.s.Top << "," << c.s.Right << ","
        << c.s.Bottom;
  }
}

TEST(MixArea, MixesAllFourBytes) {
  TsPixelImage dst = Filled(2, 2, 0xFF0000FF);
  TsPixelImage src = Filled(2, 2, 0x00FF8000);
  MixArea(dst, {0, 0}, src, TSourceRect::XYWH(0, 0, 2, 2), 100);
  // (100 * d + 156 * s) >> 8 per byte.
  EXPECT_EQ(Hex(dst), Hex(2, {0x639B4E63, 0x639B4E63, 0x639B4E63, 0x639B4E63}));
}

TEST(MixBuffers, MixesColourAndKeepsAlpha) {
  TsPixelImage dst = MakeImage(1, 1, {0xFF0000FF});
  TsPixelImage src = MakeImage(1, 1, {0x00FF8000});
  MixBuffers(dst, src, 100);
  EXPECT_EQ(dst.View().At(0, 0), 0xFF9B4E63u);
  TsPixelImage other(2, 1);
  MixBuffers(dst, other, 0);
  EXPECT_EQ(dst.View().At(0, 0), 0xFF9B4E63u);
}

TEST(ComposeByAlpha, UsesTheSourceAlpha) {
  TsPixelImage dst = MakeImage(2, 1, {0x110000FF, 0x22123456});
  TsPixelImage src = MakeImage(2, 1, {0x80FF0000, 0x00FFFFFF});
  ComposeByAlpha(dst, src);
  EXPECT_EQ(Hex(dst), Hex(2, {0x117F007F, 0x22123456}));
}

TEST(MixKeyedArea, SkipsKeyPixelsAndShiftsForANegativeSourceLeft) {
  TsPixelImage src = MakeImage(3, 1, {0xFFFFFFFF, 0x00FF00FF, 0x64646464});
  {
    TsPixelImage dst(4, 1);
    // (155 * s + 100 * d) >> 8: 255 -> 154, 100 -> 60.
    MixKeyedArea(dst, {0, 0}, src, TSourceRect{-1, 0, 2, 0}, 100, clFuchsia);
    EXPECT_EQ(Hex(dst), Hex(4, {0, 0x9A9A9A9A, 0, 0x3C3C3C3C}));
  }
  {
    TsPixelImage dst(4, 1);
    MixKeyedArea(dst, {-1, 0}, src, TSourceRect{0, 0, 2, 0}, 100, clFuchsia);
    EXPECT_EQ(Hex(dst), Hex(4, {0, 0x3C3C3C3C, 0, 0}));
  }
  {
    TsPixelImage dst(2, 1);
    MixKeyedArea(dst, {0, 0}, src, TSourceRect{1, 0, 5, 5}, 0, clNone);
    EXPECT_EQ(Hex(dst), Hex(2, {0x00FE00FE, 0x63636363}));
  }
}

TEST(CopyKeyedArea, SkipsTransparentKeyPixelsOnly) {
  TsPixelImage src = MakeImage(3, 1, {0x00FF00FF, 0xFFFF00FF, 0x10FFFFFF});
  {
    TsPixelImage dst = Filled(3, 1, 0x05000000);
    CopyKeyedArea(dst, {0, 0}, src, TSourceRect{0, 0, 2, 0}, 0, clFuchsia);
    EXPECT_EQ(Hex(dst), Hex(3, {0x05000000, 0xFFFF00FF, 0x10FFFFFF}));
  }
  {
    TsPixelImage dst = Filled(3, 1, 0x05000000);
    CopyKeyedArea(dst, {0, 0}, src, TSourceRect{0, 0, 2, 0}, 200, clFuchsia);
    // colour (200 * s + 56 * d) >> 8, alpha max(200, dA).
    EXPECT_EQ(Hex(dst), Hex(3, {0x05000000, 0xC8C700C7, 0xC8C7C7C7}));
  }
}

TEST(CopyKeyedArea, RaisesANegativeSourceLeftWithoutMovingTheDestination) {
  TsPixelImage src = MakeImage(3, 1, {0xFF000001, 0xFF000002, 0xFF000003});
  {
    TsPixelImage dst(3, 1);
    CopyKeyedArea(dst, {0, 0}, src, TSourceRect{-1, 0, 2, 0}, 0, clFuchsia);
    EXPECT_EQ(Hex(dst), Hex(3, {0xFF000001, 0xFF000002, 0xFF000003}));
  }
  {
    TsPixelImage dst(3, 2);
    CopyKeyedArea(dst, {-1, 1}, src, TSourceRect{0, -3, 9, 9}, 0, clFuchsia);
    EXPECT_EQ(Hex(dst), Hex(3, {0, 0, 0, 0xFF000002, 0xFF000003, 0}));
  }
}

TEST(CopyOpaqueKeyed, CopiesNonKeyPixelsOpaqueAndClips) {
  TsPixelImage src = MakeImage(2, 2, {0x00FF00FF, 0x00123456, 0x01020304, 0x00FF00FF});
  TsPixelImage dst = Filled(2, 2, 0x11111111);
  CopyOpaqueKeyed(dst, {-1, 1}, src, clFuchsia);
  EXPECT_EQ(Hex(dst), Hex(2, {0x11111111, 0x11111111, 0xFF123456, 0x11111111}));
  CopyOpaqueKeyed(dst, {0, 0}, src, clFuchsia);
  EXPECT_EQ(Hex(dst), Hex(2, {0x11111111, 0xFF123456, 0xFF020304, 0x11111111}));
}

TEST(CrossFade, RoundsTowardMinusInfinityAndLeavesAlpha) {
  TsPixelImage a = MakeImage(1, 1, {0x110AC8FF});
  TsPixelImage b = MakeImage(1, 1, {0x22C80A00});
  TsPixelImage dst = Filled(1, 1, 0x33000000);
  CrossFade(dst, a, b, 128);
  // blue: 0 - ((128 * -255 + 255) >> 8) = 0 - (-127) = 127; green: 10 - (-95);
  // red: 200 - 95.
  EXPECT_EQ(dst.View().At(0, 0), 0x3369697Fu);
  struct Case {
    uint8_t w;
    uint32_t a, b, expect;
  };
  const Case cases[] = {
      {0, 0x000000FF, 0x00000000, 0x00000000},    // weight 0 keeps B
      {255, 0x00000000, 0x000000FF, 0x00000000},  // (255 * 255 + 255) >> 8 = 255
      {255, 0x000000FF, 0x00000000, 0x000000FE},  // -64770 >> 8 = -254
      {1, 0x00000000, 0x000000FF, 0x000000FE},    // (255 + 255) >> 8 = 1
  };
  for (const Case& c : cases) {
    TsPixelImage aa = MakeImage(1, 1, {c.a});
    TsPixelImage bb = MakeImage(1, 1, {c.b});
    TsPixelImage d(1, 1);
    CrossFade(d, aa, bb, c.w);
    EXPECT_EQ(d.View().At(0, 0), c.expect) << int(c.w) << " " << c.a << " " << c.b;
  }
}

TEST(CrossFade, MixesByTheMaskChannels) {
  TsPixelImage a = MakeImage(1, 1, {0x110AC8FF});
  TsPixelImage b = MakeImage(1, 1, {0x22C80A00});
  TsPixelImage m = MakeImage(1, 1, {0x00FF8000});
  TsPixelImage dst = Filled(1, 1, 0x33000000);
  CrossFade(dst, a, b, 77, m);
  EXPECT_EQ(dst.View().At(0, 0), 0x330A6900u);
  TsPixelImage wrong(2, 1);
  CrossFade(dst, a, b, 0, wrong);  // a mask of another size: nothing
  EXPECT_EQ(dst.View().At(0, 0), 0x330A6900u);
}

TEST(ClearUnchanged, ClearsPixelsWhoseColourBytesMatch) {
  TsPixelImage dst = MakeImage(2, 1, {0x12345678, 0x12345678});
  TsPixelImage other = MakeImage(2, 1, {0xFF345678, 0x00345679});
  ClearUnchanged(dst, other);
  EXPECT_EQ(Hex(dst), Hex(2, {0, 0x12345678}));
}

TEST(Blends, EmptyBuffersDrawNothing) {
  TsPixelImage empty;
  TsPixelImage one = Filled(1, 1, 0x01020304);
  BlendOver(one, {0, 0}, empty, TSourceRect{0, 0, 0, 0}, 255);
  BlendOver(empty, {0, 0}, one, TSourceRect{0, 0, 0, 0}, 255);
  MixArea(empty, {0, 0}, one, TSourceRect{0, 0, 1, 1}, 1);
  MixKeyedArea(empty, {0, 0}, one, TSourceRect{0, 0, 0, 0}, 1, clNone);
  CopyKeyedArea(one, {0, 0}, empty, TSourceRect{0, 0, 0, 0}, 0, clNone);
  CrossFade(empty, empty, empty, 1);
  EXPECT_EQ(one.View().At(0, 0), 0x01020304u);
}

}  // namespace
}  // namespace ac
