#include "paint/section_text.h"

#include <gtest/gtest.h>

#include <memory>

#include "core/message_sink.h"
#include "paint/text_test_support.h"
#include "pixels/pixel_buffer_test_support.h"
#include "skin/skin_manager_core.h"
#include "system/system.h"

namespace ac {
namespace {

using test::Filled;
using test::TBarFont;

constexpr uint32_t kGrey = 0xFF808080;

// A skin of one resolution with sections to write in, owned by a manager
// whose palette and fixed roles the control text reads.
struct TTextSkin {
  TRecordingSink Sink;
  TacSkinManagerCore Manager{Sink};
  TacSkinData Data{&Manager, 96};

  int32_t Add(TsFontColor f0, TsFontColor f1 = {}, TsFontColor f2 = {}) {
    TsGeneralData gd;
    gd.Props[0].FontColor = f0;
    gd.Props[1].FontColor = f1;
    gd.Props[2].FontColor = f2;
    Data.gd.push_back(gd);
    return static_cast<int32_t>(Data.gd.size()) - 1;
  }
};

// The text "a" at (2, 2): its bar is column 3, rows 2..6.
const TRect kRect = TRect::XYWH(2, 2, 3, 5);

uint32_t Px(TColor c) {
  return ColorToPixel(static_cast<uint32_t>(c)) & 0x00FFFFFFu;
}

TEST(WriteSectionText, StrokesTakeTheStateColourAndTheRestIsLeft) {
  TTextSkin skin;
  const int32_t i = skin.Add({0x0000FF}, {0x00FF00}, {0xFF0000});
  struct Case {
    int32_t State;
    TColor Color;
  };
  // States past 2 use state 2's colours, negative ones state 0's.
  for (const Case c : {Case{0, 0x0000FF}, Case{1, 0x00FF00}, Case{2, 0xFF0000}, Case{7, 0xFF0000},
                       Case{-1, 0x0000FF}}) {
    TBarFont font;
    TsPixelImage dst = Filled(8, 9, kGrey);
    WriteSectionText({dst.View(), &font, clBlack}, kRect, "a", TEnabled::Yes, &skin.Data, i,
                     c.State, 0);
    for (int32_t y = 0; y < 9; ++y)
      for (int32_t x = 0; x < 8; ++x) {
        const bool stroke = x == 3 && y >= 2 && y <= 6;
        EXPECT_EQ(dst.View().At(x, y), stroke ? 0xFF000000u | Px(c.Color) : kGrey)
            << "state " << c.State << " at " << x << "," << y;
      }
    EXPECT_EQ(font.Calls.size(), 1u) << "no contours: one pass";
  }
}

TEST(WriteSectionText, ContoursGoOnePixelTowardsTheirSideUnderTheMainText) {
  TTextSkin skin;
  const int32_t i = skin.Add({clWhite, /*Left*/ clBlack, /*Top*/ 0x0000FF, /*Right*/ 0x00FF00,
                              /*Bottom*/ 0xFF0000});
  TBarFont font;
  TsPixelImage dst = Filled(8, 9, kGrey);
  WriteSectionText({dst.View(), &font, clBlack}, kRect, "a", TEnabled::Yes, &skin.Data, i, 0, 0);
  ASSERT_EQ(font.Calls.size(), 5u);
  EXPECT_EQ(font.Calls[0].Rect, kRect.Offset(-1, 0));
  EXPECT_EQ(font.Calls[1].Rect, kRect.Offset(0, -1));
  EXPECT_EQ(font.Calls[2].Rect, kRect.Offset(1, 0));
  EXPECT_EQ(font.Calls[3].Rect, kRect.Offset(0, 1));
  EXPECT_EQ(font.Calls[4].Rect, kRect);
  for (int32_t y = 2; y <= 6; ++y) {
    EXPECT_EQ(dst.View().At(2, y), 0xFF000000u) << "black shadow left of the stroke";
    EXPECT_EQ(dst.View().At(3, y), 0xFFFFFFFFu) << "the main colour is drawn last";
    EXPECT_EQ(dst.View().At(4, y), 0xFF00FF00u);
  }
  EXPECT_EQ(dst.View().At(3, 1), 0xFFFF0000u);  // top contour, red
  EXPECT_EQ(dst.View().At(3, 7), 0xFF0000FFu);  // bottom contour, blue
  EXPECT_EQ(dst.View().At(2, 1), kGrey);
}

TEST(WriteSectionText, DisabledTextMixesFontAndSectionColourOfStateZero) {
  TTextSkin skin;
  const int32_t i = skin.Add({clBlack, clWhite}, {0x00FF00});
  skin.Data.gd[i].Props[0].Color = 0xFFFFFF;
  struct Case {
    const TacSkinData* Data;
    int32_t Index;
    TEnabled Enabled;
    uint32_t Stroke;
  };
  // (0 * 100 + 255 * 155) >> 8 = 154 per channel, for any state and without
  // contours; without a section: the system's grey text, or the canvas colour.
  const uint32_t grayText = 0xFF000000u | Px(platform::SysColor(17));
  for (const Case c :
       {Case{&skin.Data, i, TEnabled::No, 0xFF9A9A9A}, Case{&skin.Data, 5, TEnabled::No, grayText},
        Case{nullptr, i, TEnabled::No, grayText},
        Case{&skin.Data, -1, TEnabled::Yes, 0xFF123456}}) {
    TBarFont font;
    TsPixelImage dst = Filled(8, 9, 0xFF000000);
    WriteSectionText({dst.View(), &font, 0x563412}, kRect, "a", c.Enabled, c.Data, c.Index, 1, 0);
    EXPECT_EQ(font.Calls.size(), 1u);
    EXPECT_EQ(dst.View().At(3, 4), c.Stroke) << "index " << c.Index;
  }
}

TEST(WriteAlphaSectionText, ContoursOnlyWhenKeepingAlpha) {
  TTextSkin skin;
  const int32_t i = skin.Add({0x0000FF, clBlack, -1, -1, clBlack});
  for (const TKeepAlpha keep : {TKeepAlpha::Yes, TKeepAlpha::No}) {
    TBarFont font;
    TsPixelImage dst = Filled(8, 9, 0x00FFFFFF);
    WriteAlphaSectionText({dst.View(), &font, clBlack}, kRect, "a", keep, &skin.Data, i, 0, 0);
    EXPECT_EQ(font.Calls.size(), keep == TKeepAlpha::Yes ? 3u : 1u);
    EXPECT_EQ(dst.View().At(2, 4) != 0x00FFFFFFu, keep == TKeepAlpha::Yes);
    // The main colour red composed without alpha: (c * 256) >> 8, alpha 255.
    if (keep == TKeepAlpha::No) {
      EXPECT_EQ(dst.View().At(3, 4), 0xFFFF0000u);
    }
  }
}

TEST(AdjustTextColor, ToneHueAndSaturationInThatOrder) {
  TsControlTextData ctrl;
  EXPECT_EQ(AdjustTextColor(0x00804020, ctrl), 0x00804020);
  // Toned by the brightest channel (0x80): red (128 * 255) >> 8, others 0.
  ctrl.ColorTone = 0x0000FF;
  EXPECT_EQ(AdjustTextColor(0x00804020, ctrl), 0x00007F);
  ctrl.ColorTone = clNone;
  ctrl.HueOffset = 120;
  EXPECT_EQ(AdjustTextColor(0x0000FF, ctrl), 0x00FF00);
  ctrl.HueOffset = 0;
  ctrl.Saturation = -100;  // -256, held at -255: grey, (255 * L) >> 8 with L = 76
  EXPECT_EQ(AdjustTextColor(0x0000FF, ctrl), 0x4B4B4B);
}

// A control with a button section over a panel section.
struct TControlFixture {
  TTextSkin Skin;
  int32_t Button, Panel, Web;
  TsControlTextData Ctrl;

  TControlFixture() {
    Button = Skin.Add({0x0000FF, -1, -1, 0x00FF00}, {0x00FFFF}, {0xFFFF00});
    Panel = Skin.Add({0xFF0000}, {0xFF00FF}, {0xFFFFFF});
    Web = Skin.Add({0x101010}, {0x202020}, {0x303030});
    Skin.Manager.SkinCommonInfo.Sections[ssButton] = Button;
    Skin.Manager.SkinCommonInfo.Sections[ssWebBtn] = Web;
    Skin.Manager.Palette[pcMainColor] = 0xFFFFFF;
    Ctrl.SkinData = &Skin.Data;
    Ctrl.SkinIndex = Button;
    Ctrl.ParentFontColor = 0x0A0B0C;
  }

  // The stroke colour (column 3) and the one beside it (column 4).
  std::pair<uint32_t, uint32_t> Write(TEnabled enabled, int32_t state, TBarFont* f = nullptr) {
    TBarFont local;
    TBarFont& font = f != nullptr ? *f : local;
    TsPixelImage dst = Filled(8, 9, kGrey);
    WriteControlText({dst.View(), &font, 0x445566}, kRect, "a", enabled, TUseGlow::No, state, Ctrl,
                     0);
    return {dst.View().At(3, 4), dst.View().At(4, 4)};
  }
};

TEST(WriteControlText, ParentAnswerChoosesTheSection) {
  struct Case {
    const char* Name;
    int32_t Result, Index;
    uint32_t Stroke;
  };
  // State 5 asks for state 2: -1 keeps the button's (cyan), 1 takes the
  // panel's (white), 0 draws plainly in the parent's font colour.
  for (const Case c : {Case{"own", -1, 0, 0xFF00FFFF}, Case{"panel", 1, 1, 0xFFFFFFFF},
                       Case{"none", 0, 0, 0xFF0C0B0A}}) {
    TControlFixture f;
    int32_t askedState = -1;
    f.Ctrl.SectionAt = [&](int32_t state) {
      askedState = state;
      return TsSectionAtAnswer{c.Result, c.Index, &f.Skin.Data};
    };
    EXPECT_EQ(f.Write(TEnabled::Yes, 5).first, c.Stroke) << c.Name;
    EXPECT_EQ(askedState, 2) << c.Name;
  }
  // A section that is not one of the see-through roles never asks.
  TControlFixture f;
  f.Ctrl.SkinIndex = f.Panel;
  bool asked = false;
  f.Ctrl.SectionAt = [&](int32_t) {
    asked = true;
    return TsSectionAtAnswer{};
  };
  EXPECT_EQ(f.Write(TEnabled::Yes, 0).first, 0xFF0000FFu);
  EXPECT_FALSE(asked);
}

TEST(WriteControlText, ContoursAndDisabledColourOfASkinnedControl) {
  TControlFixture f;
  EXPECT_EQ(f.Write(TEnabled::Yes, 0), std::make_pair(0xFFFF0000u, 0xFF00FF00u));
  // MixColor(red, the palette's main colour white, 100): r (255 * 100 + 255 *
  // 155) >> 8 = 254, g and b (255 * 155) >> 8 = 154; no contours.
  TBarFont font;
  EXPECT_EQ(f.Write(TEnabled::No, 0, &font), std::make_pair(0xFFFE9A9Au, kGrey));
  EXPECT_EQ(font.Calls.size(), 1u);
}

TEST(WriteControlText, PlainRoutineForUnskinnedAndOwnFontControls) {
  for (const bool customFont : {false, true}) {
    TControlFixture f;
    if (customFont)
      f.Ctrl.CustomFont = true;
    else
      f.Ctrl.SkinData = nullptr;
    EXPECT_EQ(f.Write(TEnabled::Yes, 1).first, 0xFF665544u);
    // Disabled: button highlight one pixel right and down, then the shadow.
    TBarFont font;
    EXPECT_EQ(f.Write(TEnabled::No, 1, &font),
              std::make_pair(0xFF000000u | Px(platform::SysColor(16)),
                             0xFF000000u | Px(platform::SysColor(20))));
    ASSERT_EQ(font.Calls.size(), 2u);
    EXPECT_EQ(font.Calls[0].Rect, kRect.Offset(1, 1));
  }
}

TEST(WriteControlText, WebButtonIsUnderlinedOutsideStateZero) {
  TControlFixture f;
  f.Ctrl.SkinIndex = f.Web;
  for (const int32_t state : {0, 1, 2}) {
    TBarFont font;
    TsPixelImage dst = Filled(8, 9, kGrey);
    // One row taller than the text, so the underline is inside.
    WriteControlText({dst.View(), &font, clBlack}, TRect::XYWH(2, 2, 3, 6), "a", TEnabled::Yes,
                     TUseGlow::No, state, f.Ctrl, 0);
    // The underline row is the one under the 5 text rows.
    EXPECT_EQ(dst.View().At(2, 7) != kGrey, state != 0) << "state " << state;
    EXPECT_FALSE(font.Underline()) << "the font's style comes back";
  }
}

TEST(WriteControlText, GlowGoesIntoTheCacheImageWithinTheRectangle) {
  TControlFixture f;
  f.Skin.Data.gd[f.Button].Props[0].GlowSize = 1;
  f.Skin.Data.gd[f.Button].Props[0].GlowColor = 0xFFFFFF;
  TsPixelImage cache(12, 12);
  f.Ctrl.CacheImage = cache.View();
  TBarFont font;
  TsPixelImage canvas = Filled(12, 12, kGrey);
  WriteControlText({canvas.View(), &font, clBlack}, kRect, "a", TEnabled::Yes, TUseGlow::Yes, 0,
                   f.Ctrl, 0);
  int32_t glowing = 0, outside = 0;
  for (int32_t y = 0; y < 12; ++y)
    for (int32_t x = 0; x < 12; ++x) {
      const bool lit = cache.View().At(x, y) != 0;
      glowing += lit;
      outside += lit && !kRect.Contains({x, y});
    }
  EXPECT_GT(glowing, 5);
  EXPECT_EQ(outside, 0);
  // Without UseGlow the cache stays as it was.
  TsPixelImage untouched(12, 12);
  f.Ctrl.CacheImage = untouched.View();
  WriteControlText({canvas.View(), &font, clBlack}, kRect, "a", TEnabled::Yes, TUseGlow::No, 0,
                   f.Ctrl, 0);
  EXPECT_EQ(test::Hex(untouched.View()), test::Hex(TsPixelImage(12, 12).View()));
}

}  // namespace
}  // namespace ac
