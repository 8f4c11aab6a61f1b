#include "paint/native/freetype_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "paint/section_text.h"
#include "paint/skin_text.h"
#include "pixels/pixel_buffer_test_support.h"

namespace ac {
namespace {

using test::Filled;

class FreeTypeText : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string file = FindPlatformFontFile();
    // The build installs the font (scripts/deps.sh); its absence is a broken
    // machine, not a reason to pass.
    ASSERT_FALSE(file.empty()) << "no DejaVu Sans on this machine";
    Font = std::make_unique<TFreeTypeRasterizer>(file, 16);
  }
  std::unique_ptr<TFreeTypeRasterizer> Font;
};

int32_t Changed(const TsPixelBuffer& a, uint32_t background) {
  int32_t n = 0;
  for (int32_t y = 0; y < a.Height; ++y)
    for (int32_t x = 0; x < a.Width; ++x) n += a.At(x, y) != background;
  return n;
}

TEST(TFreeTypeRasterizerFile, NamesAFileItCannotOpen) {
  try {
    TFreeTypeRasterizer font("/nonexistent/font.ttf", 12);
    FAIL() << "opened a missing font";
  } catch (const EFontError& e) {
    EXPECT_NE(std::string(e.what()).find("/nonexistent/font.ttf"), std::string::npos);
  }
}

TEST_F(FreeTypeText, DrawsCyrillicInsideTheRectangleKeepingAlpha) {
  TsPixelImage img = Filled(200, 40, 0x00FFFFFF);
  TRect r = TRect::XYWH(10, 5, 60, 25);
  Font->DrawText(img.View(), r, "Копировать", clBlack, kDtSingleLine);
  int32_t inside = 0;
  for (int32_t y = 0; y < 40; ++y)
    for (int32_t x = 0; x < 200; ++x) {
      const uint32_t p = img.View().At(x, y);
      EXPECT_EQ(p >> 24, 0u) << "alpha kept";
      if (p != 0x00FFFFFFu) {
        EXPECT_TRUE(r.Contains({x, y})) << "clipped to the rectangle: " << x << "," << y;
        ++inside;
      }
    }
  EXPECT_GT(inside, 50);
  EXPECT_GT(Font->TextExtent("Копировать").cx, 60);
  EXPECT_EQ(Font->TextExtent("Копировать").cy, Font->LineHeight());
}

TEST_F(FreeTypeText, WordBreakWrapsIntoWholeLines) {
  TRect r = TRect::XYWH(0, 0, 60, 0);
  Font->DrawText(TsPixelBuffer(), r, "one two three four", clBlack, kDtCalcRect | kDtWordBreak);
  EXPECT_LE(r.Width(), 60);
  EXPECT_GE(r.Height(), 2 * Font->LineHeight());
  EXPECT_EQ(r.Height() % Font->LineHeight(), 0);
}

TEST_F(FreeTypeText, PlatformTextMeasuresOnlyTheFirst5460Characters) {
  std::string limit(5460, 'x'), longer(6000, 'x');
  TRect a = TRect::XYWH(0, 0, 10, 10), b = a;
  DrawSkinText({TsPixelBuffer(), Font.get(), clBlack}, a, limit, kDtCalcRect | kDtSingleLine);
  DrawSkinText({TsPixelBuffer(), Font.get(), clBlack}, b, longer, kDtCalcRect | kDtSingleLine);
  EXPECT_GT(a.Width(), 5460 * 5);
  EXPECT_EQ(b, a);
}

TEST_F(FreeTypeText, CutTextToWidthAtItsEdges) {
  const std::string text = "Копировать";
  const int32_t full = Font->TextExtent(text).cx;
  EXPECT_EQ(CutTextToWidth(*Font, text, full), text) << "an exact fit is kept";
  const std::string cut = CutTextToWidth(*Font, text, full - 1);
  ASSERT_GE(cut.size(), 3u);
  EXPECT_EQ(cut.substr(cut.size() - 3), "...");
  EXPECT_LE(Font->TextExtent(cut).cx, full - 1);
  // One more character would not fit.
  const std::string kept = cut.substr(0, cut.size() - 3);
  const std::string next = text.substr(0, kept.size() + 2) + "...";  // Cyrillic: 2 bytes
  EXPECT_GT(Font->TextExtent(next).cx, full - 1);
  EXPECT_EQ(CutTextToWidth(*Font, text, 0), "");
  EXPECT_EQ(CutTextToWidth(*Font, text, Font->TextExtent("...").cx), "");
}

TEST_F(FreeTypeText, LeftContourShadowsEveryStroke) {
  TsPixelImage img = Filled(40, 30, 0xFF808080);
  TacSkinData sd(nullptr, 96);
  sd.gd.emplace_back();
  sd.gd[0].Props[0].FontColor = {clWhite, clBlack, -1, -1, -1};
  WriteSectionText({img.View(), Font.get(), clBlack}, TRect::XYWH(5, 5, 30, 20), "l", TEnabled::Yes,
                   &sd, 0, 0, kDtSingleLine);
  // Anti-aliasing may share a stroke between two columns, so the shadow is
  // looked for within the two columns left of the first bright pixel.
  int32_t rows = 0;
  for (int32_t y = 0; y < 30; ++y) {
    int32_t first = -1;
    for (int32_t x = 0; x < 40 && first < 0; ++x)
      if ((img.View().At(x, y) & 0xFF) > 0xA0) first = x;
    if (first < 0) continue;
    ++rows;
    const uint32_t shadow =
        std::min(img.View().At(first - 1, y) & 0xFF, img.View().At(first - 2, y) & 0xFF);
    EXPECT_LT(shadow, 0x60u) << "row " << y;
  }
  EXPECT_GT(rows, 5);
}

TEST_F(FreeTypeText, SmoothTextGivesAlphaToATransparentImage) {
  TsPixelImage img(80, 30);
  TRect r = TRect::XYWH(0, 0, 79, 29);
  DrawSkinText({img.View(), Font.get(), 0x0000FF}, r, "Text", kDtSmoothText | kDtCenter);
  int32_t opaque = 0;
  for (int32_t y = 0; y < 30; ++y)
    for (int32_t x = 0; x < 80; ++x) {
      const uint32_t p = img.View().At(x, y);
      if (p >> 24 == 255) {
        EXPECT_EQ(p, 0xFFFF0000u);
        ++opaque;
      }
    }
  EXPECT_GT(opaque, 10);
  EXPECT_GT(Changed(img.View(), 0), opaque);
}

}  // namespace
}  // namespace ac
