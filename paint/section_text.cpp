#include "paint/section_text.h"

#include <algorithm>

#include "paint/skin_colors.h"
#include "pixels/color.h"
#include "pixels/color_transform.h"
#include "skin/palette.h"
#include "skin/section_state.h"
#include "skin/skin_data_lookup.h"
#include "skin/skin_manager_core.h"
#include "system/system.h"

namespace ac {

namespace {

// System colour indexes of the plain disabled look.
constexpr int kColorBtnShadow = 16;
constexpr int kColorGrayText = 17;
constexpr int kColorBtnHighlight = 20;
constexpr int kColorBtnFace = 15;

const TsGenState* StateOf(const TacSkinData* sd, int32_t index, int32_t state) {
  if (sd == nullptr || !IsValidSkinIndex(*sd, index)) return nullptr;
  return &sd->gd[index].Props[TextPropsState(state)];
}

// Draws each contour colour that is set, one pixel off Rect towards its side,
// then the main colour at Rect.
template <typename Draw>
void ContoursThenMain(const TsFontColor& f, const TRect& rect, Draw&& draw) {
  struct TPass {
    TColor Color;
    int32_t Dx, Dy;
  };
  for (const TPass p :
       {TPass{f.Left, -1, 0}, TPass{f.Top, 0, -1}, TPass{f.Right, 1, 0}, TPass{f.Bottom, 0, 1}})
    if (p.Color != -1) draw(rect.Offset(p.Dx, p.Dy), p.Color);
  draw(rect, f.Color);
}

TColor DisabledSectionColor(const TsGeneralData& gd) {
  return static_cast<TColor>(MixColor(static_cast<uint32_t>(gd.Props[0].FontColor.Color),
                                      static_cast<uint32_t>(gd.Props[0].Color),
                                      kDisabledBlendWeight));
}

// Index of a fixed-role section in the skin the data belongs to; -1 unknown.
int32_t RoleIndex(const TacSkinData& sd, TacSection role) {
  return sd.FOwner != nullptr ? sd.FOwner->SkinCommonInfo.Sections[role] : -1;
}

// Sections that usually show the section behind them, so a control dressed
// in one takes its text colours from there.
bool TakesParentSection(const TacSkinData& sd, int32_t index) {
  for (const TacSection role :
       {ssMenuItem, ssCheckBox, ssSpeedButton, ssSpeedButton_Small, ssToolButton, ssTransparent,
        ssGroupBox, ssDivider, ssWebBtn, ssButton, ssTBBtn})
    if (RoleIndex(sd, role) == index) return true;
  return false;
}

TsPixelBuffer SubView(const TsPixelBuffer& b, const TRect& r) {
  return TsPixelBuffer(b.RowBytes(r.Top) + 4 * static_cast<std::ptrdiff_t>(r.Left), r.Width(),
                       r.Height(), b.Stride);
}

}  // namespace

void WriteSectionText(const TsTextCanvas& canvas, const TRect& rect, std::string_view text,
                      TEnabled enabled, const TacSkinData* sd, int32_t sectionIndex, int32_t state,
                      uint32_t flags) {
  if (text.empty() || rect.IsEmpty() || canvas.Font == nullptr) return;
  auto draw = [&](TRect r, TColor color) {
    DrawSkinText({canvas.Bmp, canvas.Font, color}, r, text, flags, &canvas.Bmp);
  };
  const TsGenState* st = StateOf(sd, sectionIndex, state);
  if (enabled == TEnabled::No) {
    draw(rect, st != nullptr ? DisabledSectionColor(sd->gd[sectionIndex])
                             : platform::SysColor(kColorGrayText));
  } else if (st == nullptr) {
    draw(rect, canvas.FontColor);
  } else {
    ContoursThenMain(st->FontColor, rect, draw);
  }
}

void WriteAlphaSectionText(const TsTextCanvas& canvas, const TRect& rect, std::string_view text,
                           TKeepAlpha keepAlpha, const TacSkinData* sd, int32_t sectionIndex,
                           int32_t state, uint32_t flags) {
  if (text.empty() || rect.IsEmpty() || canvas.Font == nullptr) return;
  auto draw = [&](TRect r, TColor color) {
    WriteAlphaText(canvas, r, text, keepAlpha, color, flags);
  };
  const TsGenState* st = StateOf(sd, sectionIndex, state);
  if (st == nullptr)
    draw(rect, canvas.FontColor);
  else if (keepAlpha == TKeepAlpha::Yes)
    ContoursThenMain(st->FontColor, rect, draw);
  else
    draw(rect, st->FontColor.Color);
}

TColor AdjustTextColor(TColor color, const TsControlTextData& ctrl) {
  TColor c = ColorToRGB(color);
  if (ctrl.ColorTone != clNone) {
    const TColor tone =
        SkinColorToRGB(ctrl.ColorTone, ctrl.SkinData != nullptr ? ctrl.SkinData->FOwner : nullptr);
    c = static_cast<TColor>(
        ColorToPixel(ToneByColor(ColorToPixel(static_cast<uint32_t>(c)), tone)));
  }
  c = ShiftHueColor(c, ctrl.HueOffset);
  c = ScaleSaturationColor(c, ctrl.Saturation * 256 / 100);
  return c & 0x00FFFFFF;
}

void WriteControlText(const TsTextCanvas& canvas, const TRect& rect, std::string_view text,
                      TEnabled enabled, TUseGlow useGlow, int32_t state,
                      const TsControlTextData& ctrl, uint32_t flags) {
  if (text.empty() || rect.IsEmpty() || canvas.Font == nullptr) return;
  TacTextRasterizer& font = *canvas.Font;
  const TacSkinData* sd = ctrl.SkinData;
  const bool skinned = sd != nullptr && IsValidSkinIndex(*sd, ctrl.SkinIndex);
  const bool web = skinned && ctrl.SkinIndex == RoleIndex(*sd, ssWebBtn) && state != 0;
  const TScopedUnderline underline(font, web || font.Underline());

  auto draw = [&](TRect r, TColor color) {
    DrawSkinText({canvas.Bmp, &font, color}, r, text, flags, &canvas.Bmp);
  };
  auto plain = [&](TColor color) {
    if (enabled == TEnabled::Yes) {
      draw(rect, color);
      return;
    }
    draw(rect.Offset(1, 1), platform::SysColor(kColorBtnHighlight));
    draw(rect, platform::SysColor(kColorBtnShadow));
  };
  if (!skinned || ctrl.CustomFont) return plain(canvas.FontColor);

  const int32_t st = TextPropsState(state);
  const TacSkinData* csd = sd;
  int32_t index = ctrl.SkinIndex;
  if (ctrl.SectionAt && TakesParentSection(*sd, index)) {
    const TsSectionAtAnswer a = ctrl.SectionAt(st);
    if (a.Result == 0) {
      index = -1;
    } else if (a.Result > 0) {
      csd = a.SkinData;
      index = a.SkinIndex;
    }
  }
  const TsGenState* gs = StateOf(csd, index, st);
  if (gs == nullptr) return plain(ctrl.ParentFontColor);

  if (useGlow == TUseGlow::Yes && gs->GlowSize > 0) {
    const TRect inCache = ClipToBuffer(rect, ctrl.CacheImage);
    if (!inCache.IsEmpty()) {
      TsChannelImage mask;
      DrawTextGlow({SubView(ctrl.CacheImage, inCache), &font, canvas.FontColor},
                   rect.Offset(-inCache.Left, -inCache.Top), text, mask,
                   AdjustTextColor(gs->GlowColor, ctrl), gs->GlowSize, gsAll, flags);
    }
  }
  if (enabled == TEnabled::No) {
    const TColor global = csd->FOwner != nullptr ? csd->FOwner->Palette[pcMainColor]
                                                 : platform::SysColor(kColorBtnFace);
    draw(rect, AdjustTextColor(static_cast<TColor>(
                                   MixColor(static_cast<uint32_t>(gs->FontColor.Color),
                                            static_cast<uint32_t>(global), kDisabledBlendWeight)),
                               ctrl));
    return;
  }
  ContoursThenMain(gs->FontColor, rect,
                   [&](TRect r, TColor color) { draw(r, AdjustTextColor(color, ctrl)); });
}

}  // namespace ac
