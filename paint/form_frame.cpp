#include "paint/form_frame.h"

#include <algorithm>

#include "paint/glyph_paint.h"
#include "paint/mask_paint.h"
#include "paint/mask_paint_image.h"
#include "paint/section_paint.h"
#include "paint/section_text.h"
#include "pixels/round_corners.h"
#include "skin/section_state.h"
#include "skin/skin_data_lookup.h"

namespace ac {

namespace {

const TsMaskData* Entry(const TacSkinData& sd, int32_t index) {
  return IsValidImgIndex(sd, index) ? &sd.ma[static_cast<size_t>(index)] : nullptr;
}

const TsMaskData* GlyphEntry(const TacSkinData& sd, TacTitleGlyph glyph) {
  if (glyph < 0 || glyph >= tgNone) return nullptr;
  return Entry(sd, sd.TitleGlyphs[static_cast<size_t>(glyph)]);
}

// Icon side for a title of caption height V (minus the skin's top margin):
// the system's small icon up to 48 pixels, larger ones for taller titles.
int32_t IconSide(int32_t v) {
  if (v < 48) return 16;
  if (v <= 64) return 24;
  return 32;
}

// The cache a section painted over the frame image sees as its parent: the
// image itself, so a see-through title shows the form under it.
TCacheInfo SelfCache(const TsPixelBuffer& dst) {
  TCacheInfo cache = MakeCacheInfo(dst, 0, 0);
  cache.Ready = true;
  return cache;
}

struct TButtonSpec {
  bool Visible;
  int32_t HitCode;
  TacTitleGlyph Big, Small;
  bool Enabled;
};

void AddRadiusCutouts(std::vector<TRect>& out, int32_t radius, TSize window, bool bottomToo) {
  const TsChannelBuffer disc = CornerDiscMask(radius);
  if (disc.IsEmpty() || radius * 2 > window.cx || radius * 2 > window.cy) return;
  // The corner pixel is outside the disc where the mask says it is mostly
  // uncovered; a region has no partial pixels.
  for (int32_t y = 0; y < radius; ++y) {
    const uint8_t* row = disc.Bits + static_cast<std::ptrdiff_t>(y) * disc.Stride;
    int32_t run = 0;
    while (run < radius && row[run] >= 128) ++run;
    if (run == 0) continue;
    out.push_back(TRect::XYWH(0, y, run, 1));
    out.push_back(TRect::XYWH(window.cx - run, y, run, 1));
    if (bottomToo) {
      out.push_back(TRect::XYWH(0, window.cy - 1 - y, run, 1));
      out.push_back(TRect::XYWH(window.cx - run, window.cy - 1 - y, run, 1));
    }
  }
}

// Key-coloured corner runs of section Index's border image, or the corners
// of its radius; Bands picks top only (a title) or top and bottom.
void AddSectionCutouts(std::vector<TRect>& out, const TacSkinData& sd, int32_t index, TSize window,
                       bool bottomToo) {
  if (!IsValidSkinIndex(sd, index)) return;
  const TsGeneralData& g = sd.gd[static_cast<size_t>(index)];
  if (const TsMaskData* m = Entry(sd, g.BorderIndex)) {
    const TsBitmapRef& img = m->Bmp ? m->Bmp : m->MasterBmp;
    if (!img || m->Width <= 0) return;
    TsCornerScan scan;
    scan.Masked = m->MaskType > 0 ? TMaskRows::Present : TMaskRows::None;
    scan.Corners = {m->WL, m->WT, m->WR, m->WB};
    scan.TotalWidth = window.cx;
    const TRect frame0 = TRect::XYWH(m->R.Left, m->R.Top, m->Width, m->R.Height());
    scan.Band = TCornerBand::Top;
    MaskCornerRects(out, *img, frame0, scan);
    if (bottomToo) {
      scan.Band = TCornerBand::Bottom;
      scan.Y0 = window.cy - m->WB;
      MaskCornerRects(out, *img, frame0, scan);
    }
    return;
  }
  if (g.BorderRadius > 0) AddRadiusCutouts(out, g.BorderRadius, window, bottomToo);
}

void PaintCaptionText(const TsPixelBuffer& dst, const TacSkinData& sd, const TsFormFrameInputs& in,
                      const TsTitleLayout& layout, const TsFrameCaption& caption, int32_t state) {
  if (!caption.Font || caption.Text.empty()) return;
  const int32_t right = in.Window.cx - layout.ButtonsWidth - in.FrameWidth - sd.Spacing -
                        (in.BorderWindow ? in.Shadow.Right : 0);
  if (right <= layout.TextLeft) return;
  constexpr uint32_t kFlags = kDtSingleLine | kDtVCenter | kDtNoPrefix | kDtEndEllipsis;
  TRect measured = TRect::LTRB(layout.TextLeft, 0, right, 0);
  caption.Font->DrawText(TsPixelBuffer(), measured, caption.Text, 0, kFlags | kDtCalcRect);
  const int32_t h = measured.Height();
  const int32_t top = layout.VCenter - h / 2 - 1;
  const TRect rect = TRect::LTRB(layout.TextLeft, top, right, top + h);
  int32_t textSection = in.TitleIndex;
  if (IsValidSkinIndex(sd, in.CaptionIndex)) {
    const TRect back = TRect::LTRB(layout.TextLeft, top, std::min(measured.Right, right), top + h)
                           .Inflate(4, 2)
                           .Intersect(dst.Bounds());
    if (!back.IsEmpty()) PaintSection(dst, back, sd, in.CaptionIndex, state, SelfCache(dst), {});
    textSection = in.CaptionIndex;
  }
  const TsTextCanvas canvas{dst, caption.Font, clBlack};
  WriteSectionText(canvas, rect, caption.Text, TEnabled::Yes, &sd, textSection, state, kFlags);
}

}  // namespace

int32_t FrameState(const TacSkinData& sd, int32_t formIndex, bool active) {
  if (!active || !IsValidSkinIndex(sd, formIndex)) return 0;
  return SectionState(sd.gd[static_cast<size_t>(formIndex)], 1);
}

TsTitleLayout LayoutTitle(const TacSkinData& sd, const TsFormFrameInputs& in) {
  TsTitleLayout t;
  const int32_t f = in.FrameWidth;
  int32_t left = f;
  int32_t right = in.Window.cx - std::max(f, 4);
  int32_t iconLeft = left;
  if (in.BorderWindow) {
    // The title band is the skin's: it starts at the window area's top,
    // inside the shadow, and its margins are the skin's.
    left += in.Shadow.Left + sd.BILeftMargin;
    right -= in.Shadow.Right + sd.BIRightMargin;
    iconLeft = left + sd.Spacing;
    t.HeaderHeight = in.CaptionHeight + in.Shadow.Top;
    t.VCenter = t.HeaderHeight - in.TitleHeight / 2 + sd.ExCenterOffs;
  } else {
    t.VCenter = in.CaptionHeight / 2 + f / 2 + (in.Maximized ? 2 : 0);
    t.HeaderHeight = f + in.CaptionHeight;
  }
  if (in.CaptionHeight <= 0) return t;

  if (in.ShowIcon) {
    const int32_t side = IconSide(in.CaptionHeight - sd.BITopMargin);
    t.Icon = TRect::XYWH(iconLeft, t.VCenter - side / 2, side, side);
    t.TextLeft = t.Icon.Right + sd.Spacing;
  } else {
    t.TextLeft = left + sd.BILeftMargin + (IsValidSkinIndex(sd, in.CaptionIndex) ? 2 : 0);
  }

  const TsCaptionButtonSet& b = in.Buttons;
  const bool closeAlone = !b.Maximize && !b.Minimize;
  const TButtonSpec specs[] = {
      {b.Close, htClose, closeAlone ? tgCloseAlone : tgClose, tgSmallClose, b.CloseEnabled},
      {b.Maximize, htMaxButton, in.Maximized ? tgNormal : tgMax,
       in.Maximized ? tgSmallNormal : tgSmallMax, b.MaximizeEnabled},
      {b.Minimize, htMinButton, tgMin, tgSmallMin, b.MinimizeEnabled},
      {b.Help, htHelp, tgHelp, tgSmallHelp, true},
  };
  const TsMaskData* closeImage = GlyphEntry(sd, tgClose);
  const int32_t h = closeImage ? closeImage->Height : kDefaultCaptionButtonSize;
  const int32_t gap = b.Big ? sd.BISpacing : 0;
  int32_t r = right;
  for (const TButtonSpec& s : specs) {
    if (!s.Visible) continue;
    if (s.HitCode == htHelp && !t.Buttons.empty()) r -= sd.Spacing;
    TsCaptionButton button;
    button.cpGlyphType = b.Big ? s.Big : s.Small;
    button.cpHitCode = s.HitCode;
    button.cpHaveAlignment = b.Big;
    button.Enabled = s.Enabled;
    const TsMaskData* glyph = GlyphEntry(sd, button.cpGlyphType);
    const int32_t w = glyph ? glyph->Width : kDefaultCaptionButtonSize;
    button.cpRect = TRect::LTRB(r - w, t.VCenter - h / 2, r, t.VCenter - h / 2 + h);
    r = button.cpRect.Left - gap;
    t.Buttons.push_back(button);
  }
  if (!t.Buttons.empty()) t.ButtonsWidth = in.Window.cx - t.Buttons.back().cpRect.Left;
  return t;
}

void PaintCaptionButton(const TsPixelBuffer& dst, const TacSkinData& sd,
                        const TsCaptionButton& button, bool formActive) {
  const int32_t index = button.cpGlyphType >= 0 && button.cpGlyphType < tgNone
                            ? sd.TitleGlyphs[static_cast<size_t>(button.cpGlyphType)]
                            : -1;
  const bool inactiveLook = button.cpState == kButtonNormal && (!formActive || !button.Enabled);
  PaintSkinGlyph(dst, {button.cpRect.Left, button.cpRect.Top}, SelfCache(dst), sd, index,
                 button.cpState, inactiveLook ? TEnabled::No : TEnabled::Yes);
}

void PaintFormFrame(const TsPixelBuffer& dst, const TacSkinData& sd, const TsFormFrameInputs& in,
                    const TsTitleLayout& layout, const TsFrameCaption& caption,
                    const TsFrameShadow& shadow) {
  if (dst.IsEmpty() || !IsValidSkinIndex(sd, in.FormIndex)) return;
  PaintFormFrameUnderButtons(dst, sd, in, layout, caption, shadow);
  if (in.CaptionHeight <= 0) return;
  for (const TsCaptionButton& b : layout.Buttons) PaintCaptionButton(dst, sd, b, in.Active);
}

void PaintFormFrameUnderButtons(const TsPixelBuffer& dst, const TacSkinData& sd,
                                const TsFormFrameInputs& in, const TsTitleLayout& layout,
                                const TsFrameCaption& caption, const TsFrameShadow& shadow) {
  if (dst.IsEmpty() || !IsValidSkinIndex(sd, in.FormIndex)) return;
  const TsGeneralData& form = sd.gd[static_cast<size_t>(in.FormIndex)];
  const int32_t state = FrameState(sd, in.FormIndex, in.Active);
  const TRect all = dst.Bounds();
  // The window area: all of the image, or with a border window the image
  // less its shadow margins.
  const TRect& s = in.Shadow;
  const TRect area = in.BorderWindow
                         ? TRect::LTRB(s.Left, s.Top, all.Right - s.Right, all.Bottom - s.Bottom)
                         : all;
  // A top-level form has nothing behind it: what the section leaves
  // transparent keeps the key colour, outside the window's region.
  const TCacheInfo none;
  if (form.BorderIndex < 0 && form.Props[0].BorderColor == clFuchsia) {
    PaintSectionBackground(dst, area, sd, in.FormIndex, state, none, {}, clFuchsia);
  } else {
    PaintSection(dst, area, sd, in.FormIndex, state, none, {});
  }
  if (in.BorderWindow) PaintBorderShadow(dst, shadow.Template, shadow.Inputs);
  if (in.CaptionHeight <= 0) return;

  // The title band; a border window's frame comes from the template, so
  // the title section adds its background only.
  const int32_t band = in.BorderWindow ? in.CaptionHeight : in.CaptionHeight + in.FrameWidth;
  const TRect title = TRect::LTRB(area.Left, area.Top, area.Right, layout.HeaderHeight);
  if (IsValidSkinIndex(sd, in.TitleIndex) && !title.IsEmpty()) {
    if (in.BorderWindow)
      PaintSectionBackground(dst, title, sd, in.TitleIndex, state, SelfCache(dst), {}, clFuchsia);
    else
      PaintSection(dst, title, sd, in.TitleIndex, state, SelfCache(dst), {});
  }

  const int32_t bar = GetMaskIndex(sd, in.FormIndex, "TITLEBAR");
  if (const TsMaskData* m = Entry(sd, bar); m && !layout.Buttons.empty()) {
    const int32_t buttonsLeft = all.Right - layout.ButtonsWidth;
    const TRect strip = TRect::LTRB(buttonsLeft - m->Width, area.Top, area.Right, area.Top + band);
    PaintMaskRect(dst, strip.Intersect(area), *m, state, SelfCache(dst), TUseParent::Yes);
  }

  PaintCaptionText(dst, sd, in, layout, caption, state);
}

TBorderMetrics BorderMetricsFor(const TacSkinData& sd, const TsFormFrameInputs& in) {
  TBorderMetrics m;
  m.SysFrameWidth = in.FrameWidth;
  m.SysCaptionHeight = in.CaptionHeight;
  m.BorderWidth = sd.ExBorderWidth != 0 ? sd.ExBorderWidth : in.FrameWidth;
  if (in.CaptionHeight > 0) m.CaptionHeight = in.Maximized ? sd.ExMaxHeight : sd.ExTitleHeight;
  m.Shadow = sd.FormShadowSize;
  return m;
}

TsFormFrameInputs BorderFrameInputs(const TacSkinData& sd, const TsFormFrameInputs& in) {
  const TBorderMetrics m = BorderMetricsFor(sd, in);
  TsFormFrameInputs out = in;
  out.BorderWindow = true;
  out.Window = BorderImageSize(in.Window, m);
  out.FrameWidth = m.BorderWidth;
  out.CaptionHeight = m.CaptionHeight;
  out.Shadow = m.Shadow;
  out.TitleHeight = in.Maximized && sd.ExMaxHeight > 0 ? sd.ExMaxHeight : sd.ExTitleHeight;
  return out;
}

TsFrameShadow BorderFrameShadow(const TacSkinData& sd, TacExtBordersMode mode,
                                const TsFormFrameInputs& border) {
  return {BorderShadowTemplate(sd, border.Active),
          BorderShadowInputs(sd, mode, border.CaptionHeight, 0)};
}

std::vector<TRect> FrameRegionCutouts(const TacSkinData& sd, const TsFormFrameInputs& in) {
  std::vector<TRect> out;
  if (in.Window.cx <= 0 || in.Window.cy <= 0) return out;
  AddSectionCutouts(out, sd, in.FormIndex, in.Window, true);
  if (in.CaptionHeight > 0) AddSectionCutouts(out, sd, in.TitleIndex, in.Window, false);
  return out;
}

int32_t FrameHitTest(const TsFormFrameInputs& in, const TsTitleLayout& layout, const TRect& client,
                     TPoint p) {
  const TRect window = TRect::XYWH(0, 0, in.Window.cx, in.Window.cy);
  if (!window.Contains(p)) return htNowhere;
  for (const TsCaptionButton& b : layout.Buttons)
    if (b.cpRect.Contains(p)) return b.Enabled ? b.cpHitCode : htCaption;
  const int32_t f = in.FrameWidth;
  if (in.Sizeable && f > 0) {
    const bool left = p.X < f, right = p.X >= window.Right - f;
    const bool top = p.Y < f, bottom = p.Y >= window.Bottom - f;
    int32_t code = htNowhere;
    if (top)
      code = left ? htTopLeft : right ? htTopRight : htTop;
    else if (bottom)
      code = left ? htBottomLeft : right ? htBottomRight : htBottom;
    else if (left)
      code = htLeft;
    else if (right)
      code = htRight;
    if (code != htNowhere) return in.Maximized ? htClient : code;
  }
  if (in.CaptionHeight > 0 && p.Y < in.CaptionHeight + f) {
    if (!layout.Icon.IsEmpty() && layout.Icon.Contains(p)) return htSysMenu;
    return htCaption;
  }
  return client.Contains(p) ? htClient : htBorder;
}

}  // namespace ac
