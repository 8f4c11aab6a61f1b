#include "skin/color_offsets.h"

#include <algorithm>
#include <set>
#include <string>

#include "pixels/blend_channel.h"
#include "pixels/blend_premultiply.h"
#include "pixels/color_transform.h"
#include "skin/load_images.h"
#include "skin/load_rescale.h"
#include "skin/palette.h"
#include "skin/skin_data_lookup.h"
#include "skin/skin_manager_core.h"

namespace ac {

namespace {

// ShiftHue, ScaleSaturation or ScaleBrightness.
using TPixelProc = uint32_t (*)(uint32_t, int32_t);

// The glyphs whose hue the skin's BIKeepHUE keeps: the close buttons for any
// positive value, all title glyphs for 1.
std::vector<std::string_view> KeptHueGlyphs(int32_t keepHue) {
  std::vector<std::string_view> names;
  if (keepHue <= 0) return names;
  names = {"BICONCLOSE", "BICLOSEALONE", "SICONCLOSE"};
  if (keepHue == 1)
    names.insert(names.end(), {"BICONMAX", "BICONMIN", "BICONNORM", "BICONHELP", "SICONMAX",
                               "SICONMIN", "SICONNORM"});
  return names;
}

void ApplyToPixels(const TsPixelBuffer& buf, TPixelProc proc, int32_t value) {
  ForEachPixel(
      buf, [&](uint32_t& p) { p = proc(p, value); }, clFuchsia);
}

void RestoreArea(const TsPixelBuffer& dst, const TsPixelBuffer& copy, const TRect& area) {
  const TRect r = ClipToBuffer(area, dst);
  for (int32_t y = r.Top; y < r.Bottom; ++y)
    std::copy(copy.Row(y) + r.Left, copy.Row(y) + r.Right, dst.Row(y) + r.Left);
}

TColor ApplyToColor(TColor c, TPixelProc proc, int32_t value) {
  const uint32_t p = ColorToPixel(static_cast<uint32_t>(c));
  return static_cast<TColor>(ColorToPixel(proc(p, value)));
}

// State colours of every section; negative values are markers or system
// colours and $FF00FF is "no border colour", so neither is a colour to shift.
void ApplyToSections(TacSkinData& sd, TPixelProc proc, int32_t value) {
  auto color = [&](TColor& c) {
    if (c >= 0) c = ApplyToColor(c, proc, value);
  };
  for (TsGeneralData& g : sd.gd) {
    for (TsGenState& s : g.Props) {
      color(s.Color);
      color(s.GlowColor);
      color(s.FontColor.Color);
      color(s.FontColor.Left);
      color(s.FontColor.Top);
      color(s.FontColor.Right);
      color(s.FontColor.Bottom);
      color(s.LightColor);
      if (s.BorderColor != clFuchsia) color(s.BorderColor);
      // Gradient colours carry their opacity in the top byte, which the
      // transforms keep.
      for (TsGradPoint& p : s.GradientArray) p.Color.C = ApplyToColor(p.Color.C, proc, value);
    }
  }
}

void ApplyToPalette(TacPalette& palette, TPixelProc proc, int32_t value) {
  std::vector<TacPaletteColors> entries = {pcMainColor, pcLabelText, pcWebText};
  for (int c = pcEditText; c <= pcEditBG_EvenRow; ++c)
    entries.push_back(static_cast<TacPaletteColors>(c));
  for (int c = pcBtnColor1Active; c <= pcBtnFontPressed; ++c)
    entries.push_back(static_cast<TacPaletteColors>(c));
  entries.insert(entries.end(), {pcBorder, pcGrid, pcHintBG, pcHintText});
  for (TacPaletteColors c : entries) palette[c] = ApplyToColor(palette[c], proc, value);
}

bool IsGeneratedOuter(const TacBmpData& e) {
  return !e.Ext && e.Path.starts_with("Outer") && e.FileName.empty() &&
         e.Path.find('-') == std::string::npos;
}

const TsMaskData* FirstMaskOf(const TacSkinData& sd, const TsBitmapRef& bmp) {
  for (const TsMaskData& md : sd.ma)
    if (md.Bmp == bmp) return &md;
  return nullptr;
}

}  // namespace

void ApplyColorOffsets(TacSkinManagerCore& m, TacSkinData& sd) {
  const int32_t hue = m.HueOffset;
  const int32_t saturation = std::clamp(m.Saturation * 255 / 100, -255, 255);
  const int32_t brightness = m.Brightness();
  const bool shared = !m.SharedOffsetsApplied;
  m.SharedOffsetsApplied = true;
  if (hue == 0 && saturation == 0 && brightness == 0) return;
  const TsPixelBuffer master = m.MasterBitmap ? *m.MasterBitmap : TsPixelBuffer();

  // Cuts of a master bitmap that an earlier load adjusted already carry the
  // offsets.
  auto adjustable = [&](const TacBmpData& e) {
    return e.Bmp && (e.Ext || IsGeneratedOuter(e) || shared);
  };

  if (hue != 0) {
    std::set<const TsPixelBuffer*> kept;
    std::vector<TRect> keptAreas;
    for (std::string_view name : KeptHueGlyphs(m.SkinCommonInfo.BIKeepHUE)) {
      const int32_t i = GetMaskIndex(sd, kGlobalInfo, name);
      if (IsValidImgIndex(sd, i)) {
        const TsMaskData& md = sd.ma[static_cast<std::size_t>(i)];
        if (md.Bmp)
          kept.insert(md.Bmp.get());
        else
          keptAreas.push_back(md.R);
      }
      const int32_t glow = GetMaskIndex(sd, kGlobalInfo, std::string(name) + "GLOW0");
      if (IsValidImgIndex(sd, glow) && sd.ma[static_cast<std::size_t>(glow)].Bmp)
        kept.insert(sd.ma[static_cast<std::size_t>(glow)].Bmp.get());
    }
    if (shared) {
      const TsPixelImage copy =
          keptAreas.empty() ? TsPixelImage() : CopyArea(master, master.Bounds());
      ApplyToPixels(master, ShiftHue, hue);
      for (const TRect& r : keptAreas) RestoreArea(master, copy.View(), r);
    }
    for (const TacBmpData& e : sd.BmpArray)
      if (adjustable(e) && !kept.count(e.Bmp.get())) ApplyToPixels(*e.Bmp, ShiftHue, hue);
    ApplyToSections(sd, ShiftHue, hue);
    if (shared) {
      TColor& shadow = m.SkinCommonInfo.Shadow1Color;
      if (shadow >= 0) shadow = ApplyToColor(shadow, ShiftHue, hue);
      ApplyToPalette(m.Palette, ShiftHue, hue);
    }
  }

  if (saturation != 0) {
    if (shared) ApplyToPixels(master, ScaleSaturation, saturation);
    for (const TacBmpData& e : sd.BmpArray)
      if (adjustable(e)) ApplyToPixels(*e.Bmp, ScaleSaturation, saturation);
    ApplyToSections(sd, ScaleSaturation, saturation);
    if (shared) {
      TColor& shadow = m.SkinCommonInfo.Shadow1Color;
      if (shadow >= 0) shadow = ApplyToColor(shadow, ScaleSaturation, saturation);
      ApplyToPalette(m.Palette, ScaleSaturation, saturation);
    }
  }

  if (brightness != 0) {
    if (shared && !master.IsEmpty()) {
      // Mask rows say how much of the image shows; brightening them would
      // change the shape, so they are put back.
      const TsPixelImage copy = CopyArea(master, master.Bounds());
      ApplyToPixels(master, ScaleBrightness, brightness);
      for (const TsMaskData& md : sd.ma) {
        if (md.Bmp || md.MaskType == 0) continue;
        const int32_t rowHeight = md.R.Height() / (md.MaskType + 1);
        RestoreArea(master, copy.View(),
                    TRect::LTRB(md.R.Left, md.R.Top + rowHeight, md.R.Right, md.R.Bottom));
      }
    }
    for (const TacBmpData& e : sd.BmpArray) {
      if (!adjustable(e)) continue;
      const TsPixelBuffer& b = *e.Bmp;
      const TsPixelBuffer upper =
          e.MaskType > 0 ? TsPixelBuffer(b.Bits, b.Width, b.Height / 2, b.Stride) : b;
      ApplyToPixels(upper, ScaleBrightness, brightness);
      if (brightness > 0 && e.Ext && MaskImageKind(e.FileName) == TImageKind::ikPng) {
        const TsMaskData* md = FirstMaskOf(sd, e.Bmp);
        if (md && md->ImgType != itisaBorder) Premultiply(b);
      }
    }
    ApplyToSections(sd, ScaleBrightness, brightness);
  }
}

}  // namespace ac
