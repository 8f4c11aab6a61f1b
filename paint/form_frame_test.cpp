#include "paint/form_frame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "paint/mask_paint_test_support.h"
#include "paint/text_test_support.h"
#include "skin/skin_data_lookup.h"
#include "skin/skin_manager_core.h"

namespace ac {
namespace {

using test::Coded;
using test::MakeMask;

// Colours as $00BBGGRR and the pixels they paint.
constexpr TColor kFormNormal = 0x00302010, kFormActive = 0x00605040;
constexpr uint32_t kFormNormalPx = 0xFF102030u, kFormActivePx = 0xFF405060u;
constexpr TColor kTitleNormal = 0x000000AA, kTitleActive = 0x0000BB00;
constexpr uint32_t kTitleNormalPx = 0xFFAA0000u, kTitleActivePx = 0xFF00BB00u;
constexpr TColor kTitleFont = 0x00CC0011;
constexpr uint32_t kTitleFontPx = 0xFF1100CCu;
constexpr uint32_t kGlyphBase = 0xFF000000u;

// A skin with a plain two-state form section, an opaque two-state title and a
// close glyph of three 4 x 3 frames whose every pixel tells where it came from.
struct TFrameSkin {
  TacSkinData Sd{test::FakeManager(), 96};
  test::TMaskFixture Glyph = MakeMask(Coded(12, 3, kGlyphBase), 3, 0, 0, 0, 0, 0, 0);

  TFrameSkin() {
    TsGeneralData form;
    form.ClassName = "FORM";
    form.States = 2;
    form.Props[0].Color = kFormNormal;
    form.Props[1].Color = kFormActive;
    TsGeneralData title;
    title.ClassName = "FORMTITLE";
    title.States = 2;
    title.Props[0].Color = kTitleNormal;
    title.Props[1].Color = kTitleActive;
    title.Props[0].FontColor.Color = kTitleFont;
    title.Props[1].FontColor.Color = kTitleFont;
    Sd.gd = {form, title};
    Sd.ma.push_back(Glyph.Mask);
    Sd.TitleGlyphs[tgCloseAlone] = 0;
    Sd.TitleGlyphs[tgClose] = 0;
    Sd.Spacing = 4;
    Sd.BISpacing = 2;
  }
};

TsFormFrameInputs Inputs() {
  TsFormFrameInputs in;
  in.Window = {100, 60};
  in.FrameWidth = 3;
  in.CaptionHeight = 19;
  in.ShowIcon = true;
  in.FormIndex = 0;
  in.TitleIndex = 1;
  return in;
}

TEST(FormFrameLayout, OneCloseButtonAndIconFromTheFrameMetrics) {
  TFrameSkin s;
  const TsFormFrameInputs in = Inputs();
  const TsTitleLayout t = LayoutTitle(s.Sd, in);
  EXPECT_EQ(t.VCenter, 10);  // 19 / 2 + 3 / 2
  EXPECT_EQ(t.HeaderHeight, 22);
  EXPECT_EQ(t.Icon, TRect::XYWH(3, 2, 16, 16));
  EXPECT_EQ(t.TextLeft, 23);
  ASSERT_EQ(t.Buttons.size(), 1u);
  EXPECT_EQ(t.Buttons[0].cpGlyphType, tgCloseAlone);
  EXPECT_EQ(t.Buttons[0].cpHitCode, htClose);
  // Right edge 100 - max(3, 4); one glyph frame wide, the close image high,
  // centred on the title's centre line.
  EXPECT_EQ(t.Buttons[0].cpRect, TRect::LTRB(92, 9, 96, 12));
  EXPECT_EQ(t.ButtonsWidth, 8);
}

TEST(FormFrameLayout, ButtonRowsForEachSetOfButtons) {
  struct TCase {
    const char* Name;
    TsCaptionButtonSet Set;
    bool Maximized;
    std::vector<TacTitleGlyph> Glyphs;
    std::vector<TRect> Rects;
  };
  // Only the close glyph has an image: the others are 21 wide. Big buttons
  // are BISpacing apart and help keeps Spacing more.
  const TCase cases[] = {
      {"all big",
       {true, true, true, true, true, true, true, true},
       false,
       {tgClose, tgMax, tgMin, tgHelp},
       {TRect::LTRB(92, 9, 96, 12), TRect::LTRB(69, 9, 90, 12), TRect::LTRB(46, 9, 67, 12),
        TRect::LTRB(19, 9, 40, 12)}},
      {"maximized",
       {true, true, false, false, true, true, true, true},
       true,
       {tgClose, tgNormal},
       {TRect::LTRB(92, 11, 96, 14), TRect::LTRB(69, 11, 90, 14)}},
      {"small",
       {true, false, true, false, true, true, true, false},
       false,
       {tgSmallClose, tgSmallMin},
       {TRect::LTRB(75, 9, 96, 12), TRect::LTRB(54, 9, 75, 12)}},
  };
  TFrameSkin s;
  for (const TCase& c : cases) {
    TsFormFrameInputs in = Inputs();
    in.Buttons = c.Set;
    in.Maximized = c.Maximized;
    const TsTitleLayout t = LayoutTitle(s.Sd, in);
    ASSERT_EQ(t.Buttons.size(), c.Glyphs.size()) << c.Name;
    for (size_t i = 0; i < c.Glyphs.size(); ++i) {
      EXPECT_EQ(t.Buttons[i].cpGlyphType, c.Glyphs[i]) << c.Name << " " << i;
      EXPECT_EQ(t.Buttons[i].cpRect, c.Rects[i]) << c.Name << " " << i;
    }
    EXPECT_EQ(t.ButtonsWidth, 100 - c.Rects.back().Left) << c.Name;
  }
}

TEST(FormFrameHitTest, CodesOfEveryPartOfTheFrame) {
  struct TCase {
    TPoint P;
    bool Sizeable, Maximized, CloseEnabled;
    int32_t Code;
  };
  const TCase cases[] = {
      {{93, 10}, false, false, true, htClose},    {{93, 10}, false, false, false, htCaption},
      {{5, 5}, false, false, true, htSysMenu},    {{50, 5}, false, false, true, htCaption},
      {{50, 0}, false, false, true, htCaption},   {{1, 40}, false, false, true, htBorder},
      {{50, 40}, false, false, true, htClient},   {{100, 10}, false, false, true, htNowhere},
      {{0, 0}, true, false, true, htTopLeft},     {{99, 0}, true, false, true, htTopRight},
      {{0, 59}, true, false, true, htBottomLeft}, {{99, 59}, true, false, true, htBottomRight},
      {{50, 0}, true, false, true, htTop},        {{50, 59}, true, false, true, htBottom},
      {{0, 40}, true, false, true, htLeft},       {{99, 40}, true, false, true, htRight},
      {{50, 59}, true, true, true, htClient},     {{5, 5}, true, false, true, htSysMenu},
  };
  TFrameSkin s;
  const TRect client = TRect::LTRB(3, 22, 97, 57);
  for (const TCase& c : cases) {
    TsFormFrameInputs in = Inputs();
    in.Sizeable = c.Sizeable;
    in.Maximized = c.Maximized;
    in.Buttons.CloseEnabled = c.CloseEnabled;
    const TsTitleLayout t = LayoutTitle(s.Sd, in);
    EXPECT_EQ(FrameHitTest(in, t, client, c.P), c.Code)
        << c.P.X << "," << c.P.Y << " sizeable " << c.Sizeable << " maximized " << c.Maximized;
  }
}

uint32_t GlyphPixel(int32_t frame, int32_t x, int32_t y) {
  return kGlyphBase + (static_cast<uint32_t>(y) << 8) + static_cast<uint32_t>(frame * 4 + x);
}

// The inactive look of a glyph with its own bitmap: each colour byte
// (180 * glyph + 76 * under) >> 8, alpha at least 180.
uint32_t HalfOver(uint32_t glyph, uint32_t under) {
  uint32_t out = std::max<uint32_t>(180, under >> 24) << 24;
  for (int sh = 0; sh < 24; sh += 8)
    out |= ((180 * ((glyph >> sh) & 0xFF) + 76 * ((under >> sh) & 0xFF)) >> 8) << sh;
  return out;
}

TEST(FormFramePaint, SectionsTitleTextAndButtonInBothLooks) {
  struct TCase {
    bool Active;
    int32_t ButtonState;
    uint32_t Frame, Title;
  };
  const TCase cases[] = {
      {true, kButtonNormal, kFormActivePx, kTitleActivePx},
      {true, kButtonHot, kFormActivePx, kTitleActivePx},
      {true, kButtonPressed, kFormActivePx, kTitleActivePx},
      {false, kButtonNormal, kFormNormalPx, kTitleNormalPx},
      {false, kButtonHot, kFormNormalPx, kTitleNormalPx},
  };
  TFrameSkin s;
  for (const TCase& c : cases) {
    TsFormFrameInputs in = Inputs();
    in.Active = c.Active;
    TsTitleLayout t = LayoutTitle(s.Sd, in);
    t.Buttons[0].cpState = c.ButtonState;
    test::TBarFont font;
    TsPixelImage img(100, 60);
    PaintFormFrame(img.View(), s.Sd, in, t, {"ab", &font});
    const TsPixelBuffer v = img.View();
    SCOPED_TRACE(::testing::Message() << "active " << c.Active << " state " << c.ButtonState);
    // Frame below the title, title band, and the client area (which the
    // client background covers later) all from the sections.
    EXPECT_EQ(v.At(1, 40), c.Frame);
    EXPECT_EQ(v.At(99, 59), c.Frame);
    EXPECT_EQ(v.At(50, 40), c.Frame);
    EXPECT_EQ(v.At(0, 0), c.Title);
    EXPECT_EQ(v.At(50, 21), c.Title);
    EXPECT_EQ(v.At(50, 22), c.Frame);
    // Caption: bars at 24 and 27, rows 7..11 (centre 10 - 5 / 2 - 1).
    EXPECT_EQ(v.At(24, 6), c.Title);
    for (int32_t y = 7; y < 12; ++y) {
      EXPECT_EQ(v.At(24, y), kTitleFontPx) << y;
      EXPECT_EQ(v.At(27, y), kTitleFontPx) << y;
      EXPECT_EQ(v.At(25, y), c.Title) << y;
    }
    EXPECT_EQ(v.At(24, 12), c.Title);
    // The button's glyph frame, at half strength over the title when inactive
    // and normal.
    for (int32_t y = 0; y < 3; ++y)
      for (int32_t x = 0; x < 4; ++x) {
        const uint32_t glyph = GlyphPixel(c.ButtonState, x, y);
        const uint32_t expected =
            !c.Active && c.ButtonState == kButtonNormal ? HalfOver(glyph, c.Title) : glyph;
        EXPECT_EQ(v.At(92 + x, 9 + y), expected) << x << "," << y;
      }
    EXPECT_EQ(v.At(91, 10), c.Title);
    EXPECT_EQ(v.At(96, 10), c.Title);
  }
}

TEST(FormFramePaint, UnderTheButtonsIsTheTitleAndEverythingElseIsTheWholeFrame) {
  TFrameSkin s;
  const TsFormFrameInputs in = Inputs();
  const TsTitleLayout t = LayoutTitle(s.Sd, in);
  test::TBarFont font;
  TsPixelImage whole(100, 60), under(100, 60);
  PaintFormFrame(whole.View(), s.Sd, in, t, {"ab", &font});
  PaintFormFrameUnderButtons(under.View(), s.Sd, in, t, {"ab", &font});
  for (int32_t y = 0; y < 60; ++y)
    for (int32_t x = 0; x < 100; ++x) {
      const bool button = t.Buttons[0].cpRect.Contains({x, y});
      EXPECT_EQ(under.View().At(x, y), button ? kTitleActivePx : whole.View().At(x, y))
          << x << "," << y;
    }
}

TEST(FormFrameRegion, KeyCornersOfTheBorderImageInEveryCorner) {
  // A 6 x 6 border image with bands of 2 whose corner pixels in key colour
  // form a staircase: two in the outer row, one in the next.
  constexpr uint32_t k = 0x00FF00FFu, o = 0xFF808080u;
  TsPixelImage img = test::MakeImage(6, 6, {k, k, o, o, k, k,  //
                                            k, o, o, o, o, k,  //
                                            o, o, o, o, o, o,  //
                                            o, o, o, o, o, o,  //
                                            k, o, o, o, o, k,  //
                                            k, k, o, o, k, k});
  TFrameSkin s;
  auto border = MakeMask(std::move(img), 1, 0, 0, 2, 2, 2, 2);
  s.Sd.ma.push_back(border.Mask);
  s.Sd.gd[0].BorderIndex = static_cast<int32_t>(s.Sd.ma.size()) - 1;
  TsFormFrameInputs in = Inputs();
  in.Window = {20, 10};
  const std::vector<TRect> expected = {TRect::XYWH(0, 0, 2, 1), TRect::XYWH(18, 0, 2, 1),
                                       TRect::XYWH(0, 1, 1, 1), TRect::XYWH(19, 1, 1, 1),
                                       TRect::XYWH(0, 8, 1, 1), TRect::XYWH(19, 8, 1, 1),
                                       TRect::XYWH(0, 9, 2, 1), TRect::XYWH(18, 9, 2, 1)};
  EXPECT_EQ(FrameRegionCutouts(s.Sd, in), expected);
}

TEST(FormFrameRegion, RadiusCornersWithoutABorderImage) {
  TFrameSkin s;
  s.Sd.gd[0].BorderRadius = 8;
  TsFormFrameInputs in = Inputs();
  in.Window = {40, 20};
  in.CaptionHeight = 0;
  // The pixels whose centre lies outside the disc of radius 8 centred at
  // (8, 8): row y loses the x with x + 0.5 < 8 - sqrt(64 - (7.5 - y)^2).
  const int32_t runs[] = {5, 3, 2, 1, 1};
  std::vector<TRect> expected;
  for (int32_t y = 0; y < 5; ++y) {
    const int32_t n = runs[y];
    expected.push_back(TRect::XYWH(0, y, n, 1));
    expected.push_back(TRect::XYWH(40 - n, y, n, 1));
    expected.push_back(TRect::XYWH(0, 19 - y, n, 1));
    expected.push_back(TRect::XYWH(40 - n, 19 - y, n, 1));
  }
  EXPECT_EQ(FrameRegionCutouts(s.Sd, in), expected);
}

// The Velmora skins: the main window's single close button and the form's
// rounded border image as they load.
TEST(FormFrameSkin, VelmoraLightCloseButtonAndCorners) {
  TRecordingSink sink;
  TacSkinManagerCore m(sink);
  m.SkinDirectory = (std::filesystem::path(AC_SOURCE_DIR) / "skins").string();
  m.Scale.Mode = smVCL;
  m.Scale.ScreenPPI = 96;
  m.ChangeSkin("VelmoraLight");
  ASSERT_TRUE(m.IsActive());
  const TacSkinData& sd = m.CommonSkinData(96);
  TsFormFrameInputs in = Inputs();
  in.Window = {268, 127};
  in.FormIndex = GetSkinIndex(sd, "FORM");
  in.TitleIndex = GetSkinIndex(sd, "FORMTITLE");
  const TsTitleLayout t = LayoutTitle(sd, in);
  ASSERT_EQ(t.Buttons.size(), 1u);
  // "BICLOSEALONE" is three 32 x 24 frames; "BICONCLOSE" is 24 high.
  EXPECT_EQ(t.Buttons[0].cpRect, TRect::LTRB(232, -2, 264, 22));
  const std::vector<TRect> cut = FrameRegionCutouts(sd, in);
  ASSERT_FALSE(cut.empty());
  EXPECT_EQ(cut.front(), TRect::XYWH(0, 0, cut.front().Width(), 1));
  // Both top corners and both bottom ones lose pixels.
  bool corners[4] = {};
  for (const TRect& r : cut) {
    corners[(r.Top > 60 ? 2 : 0) + (r.Left > 100 ? 1 : 0)] = true;
    EXPECT_TRUE(r.Top < 9 || r.Top >= 127 - 9) << r.Top;
  }
  for (bool c : corners) EXPECT_TRUE(c);
}

// The main window's border window with the Velmora skin: a bsSingle form of
// client 262 x 102 on a system with a 3-pixel fixed frame and a 23-pixel
// caption, the skin's border 4, title 32 and shadow 14 on every side.
TEST(FormFrameSkin, VelmoraLightBorderWindowImage) {
  TRecordingSink sink;
  TacSkinManagerCore m(sink);
  m.SkinDirectory = (std::filesystem::path(AC_SOURCE_DIR) / "skins").string();
  m.Scale.Mode = smVCL;
  m.Scale.ScreenPPI = 96;
  m.ExtendedBorders = true;
  m.ChangeSkin("VelmoraLight");
  ASSERT_TRUE(m.IsActive());
  const TacSkinData& sd = m.CommonSkinData(96);
  TsFormFrameInputs form = Inputs();
  form.Window = {268, 131};
  form.CaptionHeight = 23;
  form.FormIndex = GetSkinIndex(sd, "FORM");
  form.TitleIndex = GetSkinIndex(sd, "FORMTITLE");
  const TBorderMetrics metrics = BorderMetricsFor(sd, form);
  EXPECT_EQ(BorderOffset(metrics), (TPoint{15, 20}));
  const TsFormFrameInputs in = BorderFrameInputs(sd, form);
  EXPECT_EQ(in.Window, (TSize{298, 166}));
  EXPECT_EQ(ClientHole({262, 102}, metrics), TRect::XYWH(18, 46, 262, 102));

  const TsTitleLayout t = LayoutTitle(sd, in);
  EXPECT_EQ(t.HeaderHeight, 46);  // title 32 below the 14-pixel shadow
  EXPECT_EQ(t.VCenter, 30);       // 46 - 32 / 2
  // Icon after BILEFT 2 and Spacing past border and shadow.
  EXPECT_EQ(t.Icon.Left, 14 + 4 + 2 + sd.Spacing);
  ASSERT_EQ(t.Buttons.size(), 1u);
  // Right edge 298 - 4 - 14; the 32 x 24 close glyph centred on 30.
  EXPECT_EQ(t.Buttons[0].cpRect, TRect::LTRB(248, 18, 280, 42));

  const TsFrameShadow shadow = BorderFrameShadow(sd, ebmFull, in);
  ASSERT_FALSE(shadow.Template.IsEmpty());
  TsPixelImage image(in.Window.cx, in.Window.cy);
  PaintFormFrame(image.View(), sd, in, t, {}, shadow);
  // Shadow and frame bands are the template's pixels, all four bytes; the
  // client area is the form section's active colour.
  const TsPixelBuffer tpl = shadow.Template;
  EXPECT_EQ(image.View().At(0, 0), tpl.At(0, 0));
  EXPECT_EQ(image.View().At(3, 80), tpl.At(3, tpl.Height / 2));
  EXPECT_EQ(image.View().At(14 + 1, 100), tpl.At(14 + 1, tpl.Height / 2));
  EXPECT_EQ(image.View().At(297, 165), tpl.At(tpl.Width - 1, tpl.Height - 1));
  const TColor active = sd.gd[static_cast<size_t>(form.FormIndex)].Props[1].Color;
  EXPECT_EQ(image.View().At(100, 100) & 0xFFFFFFu, ColorToPixel(active) & 0xFFFFFFu);
}

}  // namespace
}  // namespace ac
