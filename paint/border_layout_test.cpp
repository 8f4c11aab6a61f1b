#include "paint/border_layout.h"

#include <gtest/gtest.h>

namespace ac {
namespace {

// The program's skin at 96 PPI (B 4, T 32, shadow 14) on a system with a
// fixed frame of 3 and a caption of 23.
TBorderMetrics SkinMetrics() {
  return {.BorderWidth = 4,
          .CaptionHeight = 32,
          .SysFrameWidth = 3,
          .SysCaptionHeight = 23,
          .Shadow = TRect::LTRB(14, 14, 14, 14)};
}

TEST(BorderLayout, WindowAndHoleAroundTheForm) {
  const struct {
    const char* Name;
    TBorderMetrics Metrics;
    TRect Form;  // the form window on the screen
    TSize Client;
    TRect Window, Hole;
  } cases[] = {
      // A bsSingle form with a 262 x 102 client.
      {"single",
       SkinMetrics(),
       TRect::XYWH(100, 200, 268, 131),
       {262, 102},
       TRect::XYWH(85, 180, 298, 166),
       TRect::XYWH(18, 46, 262, 102)},
      // Uneven shadow, a thicker system frame and a menu line.
      {"uneven",
       {.BorderWidth = 6,
        .CaptionHeight = 48,
        .SysFrameWidth = 4,
        .SysCaptionHeight = 28,
        .Shadow = TRect::LTRB(13, 11, 13, 15),
        .MenuHeight = 20},
       TRect::XYWH(0, 0, 408, 300),
       {400, 248},
       TRect::XYWH(-15, -27, 438, 344),
       TRect::XYWH(19, 79, 400, 248)},
      // Maximized with a title much higher than the system's: 4 lower.
      {"tall title maximized",
       {.BorderWidth = 4,
        .CaptionHeight = 32,
        .SysFrameWidth = 3,
        .SysCaptionHeight = 23,
        .Shadow = TRect::LTRB(14, 14, 14, 14),
        .SysExHeight = true},
       TRect::XYWH(100, 200, 268, 131),
       {262, 102},
       TRect::XYWH(85, 176, 298, 166),
       TRect::XYWH(18, 46, 262, 102)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BorderWindowRect(c.Form, c.Metrics), c.Window) << c.Name;
    EXPECT_EQ(ClientHole(c.Client, c.Metrics), c.Hole) << c.Name;
  }
}

TEST(BorderLayout, TheHoleLiesOverTheFormsClientArea) {
  // The form's client area on the screen is its window less the system frame
  // and caption; the hole placed by the border window must cover it exactly.
  const TBorderMetrics m = SkinMetrics();
  const TRect form = TRect::XYWH(300, 400, 268, 131);
  const TRect window = BorderWindowRect(form, m);
  const TRect hole = ClientHole({262, 102}, m).Offset(window.Left, window.Top);
  EXPECT_EQ(hole, TRect::XYWH(form.Left + 3, form.Top + 3 + 23, 262, 102));
}

// The border window of the single form above: 298 x 166.
TBorderHitInputs Inputs() {
  static const TCaptionHit buttons[] = {{TRect::LTRB(250, 14, 280, 40), kHitClose},
                                        {TRect::LTRB(220, 14, 250, 40), kHitCaption}};
  return {.Window = {298, 166},
          .Metrics = SkinMetrics(),
          .IconRect = TRect::LTRB(20, 20, 36, 36),
          .Buttons = buttons};
}

TEST(BorderHitTest, AnswersOfAFixedFrameDrawnByOneImage) {
  const struct {
    TPoint P;
    int32_t Code;
  } cases[] = {
      {{260, 20}, kHitClose},        {{249, 39}, kHitCaption},      {{100, 20}, kHitCaption},
      {{25, 25}, kHitSysMenu},       {{100, 46}, kHitCaption},      {{100, 47}, kHitTransparent},
      {{14, 100}, kHitTransparent},  {{283, 151}, kHitTransparent}, {{5, 100}, kHitTransparent},
      {{100, 160}, kHitTransparent},
  };
  for (const auto& c : cases)
    EXPECT_EQ(BorderHitTest(c.P, Inputs()), c.Code) << c.P.X << "," << c.P.Y;
}

TEST(BorderHitTest, SizingBandsOfASizeableFrame) {
  TBorderHitInputs in = Inputs();
  in.Sizeable = true;
  // One image: the window area (14, 14)-(284, 152), 5 pixels in from the
  // left, top and right edges and the system frame width (3) up from the bottom.
  const struct {
    TPoint P;
    int32_t Code;
  } image[] = {
      {{14, 100}, kHitLeft},         {{18, 100}, kHitLeft},         {{19, 100}, kHitTransparent},
      {{283, 100}, kHitRight},       {{280, 100}, kHitRight},       {{279, 100}, kHitTransparent},
      {{100, 14}, kHitTop},          {{100, 151}, kHitBottom},      {{100, 149}, kHitBottom},
      {{100, 148}, kHitTransparent}, {{14, 14}, kHitTopLeft},       {{283, 14}, kHitTopRight},
      {{14, 151}, kHitBottomLeft},   {{283, 151}, kHitBottomRight}, {{284, 100}, kHitTransparent},
      {{260, 16}, kHitClose},
  };
  for (const auto& c : image)
    EXPECT_EQ(BorderHitTest(c.P, in), c.Code) << "image " << c.P.X << "," << c.P.Y;

  // Drawn otherwise: bands max(B, 6) = 6 wide reaching out of the window area.
  in.Drawing = TBorderDrawing::bdOther;
  const struct {
    TPoint P;
    int32_t Code;
  } other[] = {
      {{8, 100}, kHitLeft},          {{7, 100}, kHitTransparent},   {{290, 100}, kHitRight},
      {{100, 158}, kHitBottom},      {{100, 8}, kHitTop},           {{8, 8}, kHitTopLeft},
      {{290, 152}, kHitBottomRight}, {{100, 100}, kHitTransparent},
  };
  for (const auto& c : other)
    EXPECT_EQ(BorderHitTest(c.P, in), c.Code) << "other " << c.P.X << "," << c.P.Y;
}

TEST(BorderHitTest, MaximizedAndDisabledForms) {
  TBorderHitInputs in = Inputs();
  in.Sizeable = true;
  in.Maximized = true;
  EXPECT_EQ(BorderHitTest({14, 100}, in), kHitTransparent);
  EXPECT_EQ(BorderHitTest({100, 20}, in), kHitCaption);
  in.Maximized = false;
  in.Enabled = false;
  EXPECT_EQ(BorderHitTest({260, 20}, in), kHitTransparent);
  EXPECT_EQ(BorderHitTest({100, 20}, in), kHitTransparent);
}

TEST(BorderHitTest, MenuBandAndGrip) {
  TBorderHitInputs in = Inputs();
  in.Metrics.MenuHeight = 20;
  in.GripRect = TRect::LTRB(270, 138, 284, 152);
  EXPECT_EQ(BorderHitTest({100, 47}, in), kHitMenu);
  EXPECT_EQ(BorderHitTest({100, 66}, in), kHitMenu);
  EXPECT_EQ(BorderHitTest({100, 67}, in), kHitTransparent);
  EXPECT_EQ(BorderHitTest({275, 140}, in), kHitBottomRight);
  in.Maximized = true;
  EXPECT_EQ(BorderHitTest({275, 140}, in), kHitTransparent);
}

TEST(SolidZone, WindowAreaGrownByTheAlignOffsetsOrTheSizingBands) {
  TBorderHitInputs in = Inputs();
  EXPECT_EQ(SolidZone(in), TRect::LTRB(14, 14, 284, 152));
  in.AlignOffsets = TRect::LTRB(2, 3, 4, 5);
  EXPECT_EQ(SolidZone(in), TRect::LTRB(12, 11, 288, 157));
  in.Drawing = TBorderDrawing::bdOther;
  EXPECT_EQ(SolidZone(in), TRect::LTRB(8, 8, 291, 159));
}

}  // namespace
}  // namespace ac
