#include "win32/gdi_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "paint/section_text.h"
#include "paint/skin_text.h"
#include "pixels/pixel_buffer_test_support.h"

namespace ac::platform {
namespace {

using test::Filled;

// A font without anti-aliasing, so every pixel is either untouched or exactly
// the text colour.
class GdiText : public ::testing::Test {
 protected:
  void SetUp() override {
    FFont.Reset(CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                            DEFAULT_PITCH, L"Tahoma"));
    ASSERT_TRUE(FFont);
    Font = std::make_unique<TGdiTextRasterizer>(FFont.Get());
  }
  ScopedFont FFont;
  std::unique_ptr<TGdiTextRasterizer> Font;
};

constexpr uint32_t kGrey = 0x40808080;

TEST_F(GdiText, DrawsOnlyInsideTheRectangleInExactlyTheTextColourKeepingAlpha) {
  TsPixelImage img = Filled(120, 30, kGrey);
  TRect r = TRect::XYWH(10, 5, 50, 20);
  Font->DrawText(img.View(), r, "Копировать", 0x00336699, kDtSingleLine | kDtVCenter);
  int32_t text = 0;
  for (int32_t y = 0; y < 30; ++y)
    for (int32_t x = 0; x < 120; ++x) {
      const uint32_t p = img.View().At(x, y);
      if (p == kGrey) continue;
      ++text;
      EXPECT_EQ(p, 0x40996633u) << x << "," << y;
      EXPECT_TRUE(r.Contains({x, y})) << x << "," << y;
    }
  EXPECT_GT(text, 40);
  EXPECT_GT(Font->TextExtent("Копировать").cx, 50);
}

TEST_F(GdiText, SectionTextStrokesAndContours) {
  TacSkinData sd(nullptr, 96);
  sd.gd.resize(1);
  sd.gd[0].Props[1].FontColor = {clWhite, clBlack, -1, -1, -1};
  sd.gd[0].Props[0].FontColor = {clBlack};
  sd.gd[0].Props[0].Color = clWhite;
  // Enabled state 1: white strokes, each with black to its left.
  TsPixelImage img = Filled(80, 24, kGrey);
  WriteSectionText({img.View(), Font.get(), clBlack}, TRect::XYWH(4, 2, 70, 20), "Hill",
                   TEnabled::Yes, &sd, 0, 1, kDtSingleLine);
  int32_t strokes = 0;
  for (int32_t y = 0; y < 24; ++y)
    for (int32_t x = 1; x < 80; ++x) {
      const uint32_t p = img.View().At(x, y), left = img.View().At(x - 1, y);
      EXPECT_TRUE(p == kGrey || p == 0x40FFFFFFu || p == 0x40000000u) << x << "," << y;
      if (p == 0x40FFFFFFu && left != 0x40FFFFFFu) {
        ++strokes;
        EXPECT_EQ(left, 0x40000000u) << "shadow left of the stroke at " << x << "," << y;
      }
    }
  EXPECT_GT(strokes, 10);
  // Disabled: (0 * 100 + 255 * 155) >> 8 = 154 everywhere there is text.
  TsPixelImage off = Filled(80, 24, kGrey);
  WriteSectionText({off.View(), Font.get(), clBlack}, TRect::XYWH(4, 2, 70, 20), "Hill",
                   TEnabled::No, &sd, 0, 1, kDtSingleLine);
  int32_t grey = 0;
  for (int32_t y = 0; y < 24; ++y)
    for (int32_t x = 0; x < 80; ++x) {
      const uint32_t p = off.View().At(x, y);
      EXPECT_TRUE(p == kGrey || p == 0x409A9A9Au) << x << "," << y;
      grey += p == 0x409A9A9Au;
    }
  EXPECT_GT(grey, 10);
}

TEST_F(GdiText, TheTextLengthLimitOfThePlatformDrawing) {
  // One line per character: the measured height counts the characters that
  // reached the platform.
  auto lines = [](std::size_t n) { return std::string(n - 1, '\n') + "i"; };
  TRect one = TRect::XYWH(0, 0, 50, 0), limit = one, longer = one;
  DrawSkinText({TsPixelBuffer(), Font.get(), clBlack}, one, "i", kDtCalcRect);
  DrawSkinText({TsPixelBuffer(), Font.get(), clBlack}, limit, lines(5460), kDtCalcRect);
  DrawSkinText({TsPixelBuffer(), Font.get(), clBlack}, longer, lines(6000), kDtCalcRect);
  ASSERT_GT(one.Height(), 0);
  EXPECT_EQ(limit.Height(), 5460 * one.Height());
  EXPECT_EQ(longer.Height(), limit.Height());
}

TEST_F(GdiText, CutTextToWidthWithThePlatformFont) {
  const std::string text = "Копировать";
  const int32_t full = Font->TextExtent(text).cx;
  EXPECT_EQ(CutTextToWidth(*Font, text, full), text);
  const std::string cut = CutTextToWidth(*Font, text, full - 1);
  ASSERT_GT(cut.size(), 3u);
  EXPECT_EQ(cut.substr(cut.size() - 3), "...");
  EXPECT_LE(Font->TextExtent(cut).cx, full - 1);
  EXPECT_EQ(CutTextToWidth(*Font, text, 0), "");
}

TEST_F(GdiText, UnderlineWidensTheInkAndComesBack) {
  auto ink = [&](bool underline) {
    TsPixelImage img = Filled(60, 20, kGrey);
    Font->SetUnderline(underline);
    TRect r = TRect::XYWH(0, 0, 60, 20);
    Font->DrawText(img.View(), r, "a a", clBlack, kDtSingleLine);
    int32_t n = 0;
    for (int32_t y = 0; y < 20; ++y)
      for (int32_t x = 0; x < 60; ++x) n += img.View().At(x, y) != kGrey;
    return n;
  };
  const int32_t plain = ink(false), underlined = ink(true);
  EXPECT_GT(underlined, plain + 5);
  EXPECT_EQ(ink(false), plain);
}

TEST_F(GdiText, SmoothTextGivesAlphaToATransparentImage) {
  // The 2-D graphics library starts on every system the program runs on,
  // Wine included.
  double w = 0, h = 0;
  ASSERT_TRUE(Font->MeasureSmoothText("Text", 0, w, h));
  EXPECT_GT(w, 10);
  EXPECT_GT(h, 5);
  TsPixelImage img(80, 24);
  TsSmoothTextLayout layout;
  layout.Layout = TRect::XYWH(0, 0, 80, 24);
  layout.Horizontal = TTextAlign::Centre;
  ASSERT_TRUE(Font->DrawSmoothText(img.View(), layout, "Text", 0x0000FF, 255));
  int32_t opaque = 0, partial = 0;
  for (int32_t y = 0; y < 24; ++y)
    for (int32_t x = 0; x < 80; ++x) {
      const uint32_t p = img.View().At(x, y);
      if (p >> 24 == 255) {
        EXPECT_EQ(p, 0xFFFF0000u) << x << "," << y;
        ++opaque;
      } else if (p != 0) {
        ++partial;
      }
    }
  EXPECT_GT(opaque, 10);
  EXPECT_GT(partial, 0) << "anti-aliased edges";
  // Centred: as much room left of the ink as right of it, within a pixel.
  int32_t minX = 80, maxX = -1;
  for (int32_t y = 0; y < 24; ++y)
    for (int32_t x = 0; x < 80; ++x)
      if (img.View().At(x, y) != 0) minX = std::min(minX, x), maxX = std::max(maxX, x);
  EXPECT_NEAR(minX, 79 - maxX, 3);
}

}  // namespace
}  // namespace ac::platform
