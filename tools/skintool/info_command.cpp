// skintool info SKIN: what the options of a skin say, read the way the engine
// reads them at 96 pixels per inch. The output is meant for people and for
// diffing two skins, so its layout and order are fixed.

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "skin/option_values.h"
#include "skin/skin_model.h"
#include "tools/skintool/commands.h"
#include "tools/skintool/load_commands.h"
#include "tools/skintool/skin_source.h"

namespace ac::skintool {

namespace {

std::string Hex(TColor c) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "$%08" PRIX32, static_cast<uint32_t>(c));
  return buf;
}

// Colours print as hexadecimal, except the markers -1 ("none") and $FF00FF.
std::string Color(TColor c) {
  return c == -1 ? "-1" : Hex(c);
}

const char* ImgTypeName(TacImgType t) {
  switch (t) {
    case itisaBorder:
      return "border";
    case itisaTexture:
      return "texture";
    case itisaGlyph:
      return "glyph";
    case itisaGlow:
      return "glow";
    case itisaPngGlyph:
      return "png-glyph";
  }
  return "?";
}

void PrintCommon(const TSkinSource& src, const TSkinModel& m) {
  const TacSkinCommonInfo& c = m.Common;
  const TacSkinData& sd = m.Data;
  std::printf("form: %s\n", src.Packed() ? "archive" : "folder");
  std::printf("version: %g\n", c.Version);
  std::printf("author: %s\n", c.Author.c_str());
  std::printf("description: %s\n", c.Description.c_str());
  std::printf("main font: %s\n", c.MainFont.c_str());
  std::string master = ReadText(src.Options(), kGlobalInfo, "MASTERBITMAP");
  std::printf("master bitmap: %s%s\n", master.empty() ? "-" : master.c_str(),
              master.empty() || src.HasFile(master) ? "" : " (missing)");
  std::printf(
      "skin-wide: aeroblur %d, bright %d..%d, bivalign %d, bikeephue %d, "
      "shadow1color %s, deflight %s, arrowstyle %d\n",
      c.UseAeroBluring ? 1 : 0, c.BrightMin, c.BrightMax, c.BIVAlign, c.BIKeepHUE,
      Color(c.Shadow1Color).c_str(), Color(c.DefLightColor).c_str(),
      static_cast<int>(c.ArrowStyle));
  std::printf(
      "frame: bordermode %d, alignoffset %d/%d/%d/%d, title buttons right %d left %d "
      "top %d spacing %d, glow count %zu, glow margins %d %d %d %d %d\n",
      sd.ExDrawMode, sd.ExShadowOffs, sd.ExShadowOffsT, sd.ExShadowOffsR, sd.ExShadowOffsB,
      sd.BIRightMargin, sd.BILeftMargin, sd.BITopMargin, sd.BISpacing, sd.TitleGlows[0].size(),
      sd.GlowMargins[0], sd.GlowMargins[1], sd.GlowMargins[2], sd.GlowMargins[3],
      sd.GlowMargins[4]);
  std::printf("window shadow: radius %d, size %d, offset %d, inactive %s, active %s\n",
              sd.WndShadowRadius, sd.WndShadowSize, sd.WndShadowOffset,
              Hex(sd.WndShadowColorN).c_str(), Hex(sd.WndShadowColorA).c_str());
  std::printf("text shadow: offset %d, blur %d, transparency %d\n", sd.Shadow1Offset,
              sd.Shadow1Blur, sd.Shadow1Transparency);
  std::printf(
      "sizes: thumb %d, scroll arrows %d, scrolls width %d, combo margin %d, "
      "slider margin %d, tabs covering %d, ribbon covering %d\n",
      sd.ThumbWidth, sd.ScrollArrows, sd.ScrollsWidth, sd.ComboBoxMargin, sd.SliderMargin,
      sd.TabsCovering, sd.RibbonCovering);
  for (std::size_t i = 0; i < sd.oe.size(); ++i) {
    const TacOutEffData& e = sd.oe[i];
    std::printf(
        "outer effect %zu (%s): colours %s %s %s %s, widths %d %d %d %d, offsets %d %d "
        "%d %d, radius %d, blur %d, source %d, opacity %d\n",
        i, i == 0 ? "LO_" : "SH_", Color(e.ColorL).c_str(), Color(e.ColorT).c_str(),
        Color(e.ColorR).c_str(), Color(e.ColorB).c_str(), e.WidthL, e.WidthT, e.WidthR, e.WidthB,
        e.OffsetL, e.OffsetT, e.OffsetR, e.OffsetB, e.Radius, e.Blur, e.Source, e.Opacity);
  }
}

void PrintState(const char* name, const TsGenState& s) {
  const TsFontColor& f = s.FontColor;
  std::printf(
      "    %s: color %s, font %s, outline %s %s %s %s, transparency %d, gradient %d%%, "
      "image %d%%, glow %s size %d, light %s, border %s\n",
      name, Color(s.Color).c_str(), Color(f.Color).c_str(), Color(f.Left).c_str(),
      Color(f.Top).c_str(), Color(f.Right).c_str(), Color(f.Bottom).c_str(), s.Transparency,
      s.GradientPercent, s.ImagePercent, Color(s.GlowColor).c_str(), s.GlowSize,
      Color(s.LightColor).c_str(), Color(s.BorderColor).c_str());
  if (s.GradientArray.empty()) return;
  std::printf("      gradient:");
  for (const TsGradPoint& p : s.GradientArray)
    std::printf(" [%s at %d%%, mode %d]", Hex(p.Color.C).c_str(), p.Percent, p.Mode);
  std::printf("\n");
}

void PrintSections(const TSkinModel& m) {
  std::printf("\nsections: %zu\n", m.Data.gd.size());
  for (std::size_t i = 0; i < m.Data.gd.size(); ++i) {
    const TsGeneralData& g = m.Data.gd[i];
    std::printf("  [%zu] %s  parent %s  states %d%s\n", i, g.ClassName.c_str(),
                g.ParentClass.empty() ? "-" : g.ParentClass.c_str(), g.States,
                g.UseState2 ? " (third state used)" : "");
    std::printf(
        "    border width %d, radius %d, glow %d margin %d, outer mode %d opacity %d "
        "blur %d radius %d offsets %d %d %d %d, outer colours %s %s %s %s%s%s%s\n",
        g.BorderWidth, g.BorderRadius, g.GlowCount, g.GlowMargin, g.OuterMode, g.OuterOpacity,
        g.OuterBlur, g.OuterRadius, g.OuterOffset.Left, g.OuterOffset.Top, g.OuterOffset.Right,
        g.OuterOffset.Bottom, Color(g.OuterColorL).c_str(), Color(g.OuterColorT).c_str(),
        Color(g.OuterColorR).c_str(), Color(g.OuterColorB).c_str(),
        g.GiveOwnFont ? ", own font" : "", g.ShiftOnClick ? ", shift on click" : "",
        g.ReservedBoolean ? ", reserved" : "");
    PrintState("normal", g.Props[0]);
    if (g.States >= 2) PrintState("hot", g.Props[1]);
    if (g.UseState2) PrintState("third", g.Props[2]);
  }
}

void PrintMasks(const TSkinSource& src, const TSkinModel& m) {
  std::printf("\nmasks: %zu\n", m.Masks.size());
  for (std::size_t i = 0; i < m.Masks.size(); ++i) {
    const TSkinModelMask& k = m.Masks[i];
    const TMaskReference& r = k.Ref;
    std::printf("  [%zu] %s.%s  %s\n", i, k.Section.c_str(), k.Key.c_str(), k.Canonical.c_str());
    std::string file = r.FileName.empty() ? "master bitmap" : r.FileName;
    if (!r.FileName.empty() && !src.HasFile(r.FileName)) file += " (missing)";
    std::printf(
        "    %s, rect %d,%d-%d,%d, bands %d %d %d %d, images %d, mask rows %d, "
        "draw mode %d, drawn for %d ppi, from %s\n",
        ImgTypeName(r.ImgType), r.R.Left, r.R.Top, r.R.Right, r.R.Bottom, r.WL, r.WT, r.WR, r.WB,
        r.ImageCount, r.MaskType, r.DrawMode, k.DivPPI, file.c_str());
  }
}

void PrintPalette(const TSkinModel& m) {
  std::printf("\npalette:\n");
  for (std::size_t i = 0; i < kPaletteCount; ++i) {
    std::string_view name = PaletteColorName(static_cast<TacPaletteColors>(i));
    std::printf("  %-26.*s %s\n", static_cast<int>(name.size()), name.data(),
                Color(m.Palette[i]).c_str());
  }
}

}  // namespace

int Info(const Args& args) {
  if (args.size() == 3 && args[0] == "--ppi")
    return PrintLoadedSkin(args[2], std::atoi(args[1].c_str()));
  if (args.size() != 1) {
    std::fputs("usage: skintool info [--ppi N] SKIN (a skin folder or a .asz archive)\n", stderr);
    return 2;
  }
  TSkinSource src = TSkinSource::Open(args[0]);
  TSkinModel model = ReadSkinModel(src.Options());
  std::printf("skin: %s\n", args[0].c_str());
  PrintCommon(src, model);
  PrintSections(model);
  PrintMasks(src, model);
  PrintPalette(model);
  return 0;
}

}  // namespace ac::skintool
