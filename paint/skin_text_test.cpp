#include "paint/skin_text.h"

#include <gtest/gtest.h>

#include <string>

#include "paint/text_test_support.h"
#include "pixels/pixel_buffer_test_support.h"

namespace ac {
namespace {

using test::Filled;
using test::Hex;
using test::TBarFont;

TEST(LeadingUtf16Units, CountsAsThePlatformDoesWithoutSplittingCharacters) {
  EXPECT_EQ(LeadingUtf16Units("abc", 2), "ab");
  EXPECT_EQ(LeadingUtf16Units("Копировать", 3), "Коп");
  // A character outside the basic plane takes two units and is never halved.
  EXPECT_EQ(LeadingUtf16Units("a\xF0\x9F\x98\x80z", 2), "a");
  EXPECT_EQ(LeadingUtf16Units("a\xF0\x9F\x98\x80z", 3), "a\xF0\x9F\x98\x80");
  EXPECT_EQ(LeadingUtf16Units("abc", 10), "abc");
}

TEST(DrawSkinText, PlatformTextStopsAtTheLengthLimit) {
  TBarFont font;
  TsPixelImage img(8, 8);
  for (const std::string& unit : {std::string("x"), std::string("Ж")}) {
    font.Calls.clear();
    std::string text;
    for (int i = 0; i < 6000; ++i) text += unit;
    TRect r = TRect::XYWH(0, 0, 8, 8);
    DrawSkinText({img.View(), &font, clBlack}, r, text, kDtSingleLine);
    ASSERT_EQ(font.Calls.size(), 1u);
    EXPECT_EQ(TBarFont::Count(font.Calls[0].Text), 5460) << unit;
    EXPECT_EQ(font.Calls[0].Flags, kDtSingleLine);
  }
}

TEST(DrawSkinText, SmoothMeasuringRoundsHalfToEvenAndAddsOne) {
  TBarFont font;
  font.SmoothAvailable = true;
  struct Case {
    double W, H;
    int32_t Right, Bottom;
  };
  for (const Case c :
       {Case{10.5, 7.5, 10 + 10 + 1, 20 + 8 + 1}, Case{11.5, 0.4, 10 + 12 + 1, 21}}) {
    font.SmoothWidth = c.W;
    font.SmoothHeight = c.H;
    TRect r = TRect::XYWH(10, 20, 100, 100);
    DrawSkinText({TsPixelBuffer(), &font, clBlack}, r, "text", kDtSmoothText | kDtCalcRect);
    EXPECT_EQ(r, TRect::LTRB(10, 20, c.Right, c.Bottom)) << c.W << " x " << c.H;
  }
  TRect empty = TRect::XYWH(10, 20, 100, 100);
  DrawSkinText({TsPixelBuffer(), &font, clBlack}, empty, "", kDtSmoothText | kDtCalcRect);
  EXPECT_EQ(empty, TRect::LTRB(10, 20, 10, 20));
}

TEST(DrawSkinText, SmoothTextIsLaidOutOnePixelLargerWithItsAlignment) {
  TBarFont font;
  font.SmoothAvailable = true;
  TsPixelImage img(20, 10);
  struct Case {
    uint32_t Flags;
    TTextAlign H, V;
  };
  for (const Case c : {Case{0, TTextAlign::Near, TTextAlign::Near},
                       Case{kDtCenter | kDtVCenter, TTextAlign::Centre, TTextAlign::Centre},
                       Case{kDtRight | kDtCenter | kDtBottom, TTextAlign::Far, TTextAlign::Far}}) {
    font.Smooth.clear();
    TRect r = TRect::XYWH(2, 3, 10, 5);
    DrawSkinText({img.View(), &font, clBlack}, r, "ab", kDtSmoothText | c.Flags);
    ASSERT_EQ(font.Smooth.size(), 1u);
    EXPECT_EQ(font.Smooth[0].Layout, TRect::XYWH(2, 3, 11, 6));
    EXPECT_EQ(font.Smooth[0].Horizontal, c.H);
    EXPECT_EQ(font.Smooth[0].Vertical, c.V);
    EXPECT_TRUE(font.Calls.empty());
  }
}

TEST(DrawSkinText, WithoutSmoothTextFallsBackToAlphaTextOnlyWithABuffer) {
  TBarFont font;
  TsPixelImage canvas = Filled(3, 5, 0x00FFFFFF);
  TsPixelImage buffer = Filled(3, 5, 0x00FFFFFF);
  TRect r = TRect::XYWH(0, 0, 3, 5);
  DrawSkinText({canvas.View(), &font, 0x0000FF}, r, "a", kDtSmoothText);
  EXPECT_EQ(Hex(canvas.View()), Hex(Filled(3, 5, 0x00FFFFFF).View()));
  DrawSkinText({canvas.View(), &font, 0x0000FF}, r, "a", kDtSmoothText, &buffer.View());
  EXPECT_EQ(Hex(canvas.View()), Hex(Filled(3, 5, 0x00FFFFFF).View()));
  // The bar covers its pixel fully: alpha 0 becomes 254, b and g
  // ((255 + 0) * 255) >> 16 = 0, r ((255 + 255 * 255) * 255) >> 16 = 254.
  EXPECT_EQ(buffer.View().At(1, 2), 0xFEFE0000u);
  EXPECT_EQ(buffer.View().At(0, 2), 0x00FFFFFFu);
}

TEST(WriteAlphaText, DrawsBlackOnWhiteAndComposesTheDarkness) {
  TBarFont font;
  TsPixelImage dst = Filled(6, 5, 0x80FFFFFF);
  WriteAlphaText({dst.View(), &font, clBlack}, TRect::XYWH(3, 0, 3, 5), "a", TKeepAlpha::No,
                 0x00102030, 0);
  // Only the bar at x = 4 changes: every channel of the black pixel is 0, so
  // d := c * 256 >> 8 = c, alpha 255.
  for (int32_t y = 0; y < 5; ++y)
    for (int32_t x = 0; x < 6; ++x)
      EXPECT_EQ(dst.View().At(x, y), x == 4 ? 0xFF302010u : 0x80FFFFFFu) << x << "," << y;
}

TEST(WriteAlphaText, KeepingAlphaAFullyCoveredPixelTakesTheTextColour) {
  TBarFont font;
  TsPixelImage dst = Filled(3, 5, 0x80FFFFFF);
  dst.View().At(1, 0) = 0xFFFFFFFF;
  WriteAlphaText({dst.View(), &font, clBlack}, TRect::XYWH(0, 0, 3, 5), "a", TKeepAlpha::Yes,
                 0x00102030, 0);
  // Full cover: an opaque pixel stays opaque, any other becomes 254; each
  // colour byte ((255 + c * 255) * 255) >> 16 = c: b $10, g $20, r $30.
  for (int32_t y = 0; y < 5; ++y) {
    EXPECT_EQ(dst.View().At(1, y), y == 0 ? 0xFF302010u : 0xFE302010u) << y;
    EXPECT_EQ(dst.View().At(0, y), 0x80FFFFFFu) << y;
    EXPECT_EQ(dst.View().At(2, y), 0x80FFFFFFu) << y;
  }
}

TEST(WriteAlphaText, KeepsTheLayoutOfARectangleReachingOutside) {
  TBarFont font;
  TsPixelImage dst = Filled(4, 5, 0xFFFFFFFF);
  // Right-aligned in a rectangle that starts left of the image: the bar of
  // the last character lands at 10 - 3 + 1 - 8 = 0 of the image.
  WriteAlphaText({dst.View(), &font, clBlack}, TRect::XYWH(-8, 0, 10, 5), "ab", TKeepAlpha::No,
                 clBlack, kDtRight);
  EXPECT_EQ(dst.View().At(0, 0), 0xFF000000u);
  EXPECT_EQ(dst.View().At(1, 0), 0xFFFFFFFFu);
}

TEST(DrawTextGlow, MaskValuesAroundABar) {
  TBarFont font;
  TsPixelImage dst(14, 14);
  TsChannelImage cache;
  // R = (1, 1, 4, 6), g = 5: the mask is 13 x 15 with its origin at (-4, -4)
  // and the bar at mask column 6, rows 5..9. Radius 1 blurs with 3 taps.
  DrawTextGlow({dst.View(), &font, clBlack}, TRect::XYWH(0, 0, 3, 5), "a", cache, 0xFFFFFF, 1, 0,
               0);
  ASSERT_EQ(cache.View().Width, 13);
  ASSERT_EQ(cache.View().Height, 15);
  auto m = [&](int32_t i, int32_t j) { return cache.View().Row(j)[i]; };
  EXPECT_EQ(m(6, 7), 170);  // (255 + 0 + 255) / 3 along the row, same rows around
  EXPECT_EQ(m(5, 7), 170);
  EXPECT_EQ(m(6, 5), 198);  // (255 + 170 + 170) / 3
  EXPECT_EQ(m(6, 4), 227);  // (255 + 255 + 170) / 3
  EXPECT_EQ(m(4, 7), 255);
  // Mask (6, 7) lands on (2, 3): k = 85, white over black with alpha 0.
  EXPECT_EQ(dst.View().At(2, 3), 0x54545454u);
  EXPECT_EQ(dst.View().At(0, 3), 0u);
}

TEST(DrawTextGlow, SidesAddShiftedCopiesAndACachedMaskIsReused) {
  TBarFont font;
  TsPixelImage dst(14, 14);
  TsChannelImage cache;
  DrawTextGlow({dst.View(), &font, clBlack}, TRect::XYWH(0, 0, 3, 5), "a", cache, 0xFFFFFF, 1,
               gsLeft | gsRight, 0);
  // Copies one pixel left and right widen the bar to three columns.
  EXPECT_EQ(cache.View().Row(7)[6], 0);
  EXPECT_EQ(cache.View().Row(7)[4], 170);
  // Same size: the mask is used as it is, even for another text.
  TsPixelImage again(14, 14);
  DrawTextGlow({again.View(), &font, clBlack}, TRect::XYWH(0, 0, 3, 5), "   ", cache, 0xFFFFFF, 1,
               0, 0);
  EXPECT_EQ(Hex(again.View()), Hex(dst.View()));
}

TEST(CutTextToWidth, KeepsTheLongestBeginningThatFitsWithTheDots) {
  TBarFont font;  // 3 pixels a character: "..." is 9
  struct Case {
    int32_t Width;
    const char* Expected;
  };
  for (const Case c :
       {Case{18, "abcdef"}, Case{100, "abcdef"}, Case{17, "ab..."}, Case{15, "ab..."},
        Case{14, "a..."}, Case{12, "a..."}, Case{11, ""}, Case{9, ""}, Case{0, ""}, Case{-3, ""}})
    EXPECT_EQ(CutTextToWidth(font, "abcdef", c.Width), c.Expected) << "width " << c.Width;
  EXPECT_EQ(CutTextToWidth(font, "Копировать", 15), "Ко...");
  EXPECT_EQ(CutTextToWidth(font, "", 0), "");
}

TEST(MeasureText, OneLineOrWrappedAndTheLetterI) {
  TBarFont font;
  EXPECT_EQ(MeasureText(font, "abcd", 0, 0, TAddI::No, TMultiLine::No), (TSize{12, 5}));
  EXPECT_EQ(MeasureText(font, "abcd", 0, 0, TAddI::Yes, TMultiLine::No), (TSize{15, 5}));
  EXPECT_EQ(MeasureText(font, "ab", 0, 50, TAddI::No, TMultiLine::Yes), (TSize{6, 5}));
  font.SmoothAvailable = true;
  font.SmoothWidth = 20.2;
  font.SmoothHeight = 9.6;
  EXPECT_EQ(MeasureText(font, "ab", kDtSmoothText, 50, TAddI::No, TMultiLine::Yes),
            (TSize{21, 11}));
}

}  // namespace
}  // namespace ac
