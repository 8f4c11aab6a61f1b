#include "skin/skin_data_reader.h"

#include <algorithm>
#include <string>

#include "core/errors.h"
#include "skin/gradient_parse.h"
#include "skin/option_values.h"
#include "skin/skin_sections.h"
#include "system/system.h"

namespace ac {

namespace {

struct TStateKeys {
  std::string_view Color, FontColor, TCLeft, TCTop, TCRight, TCBottom, GlowColor, GlowSize,
      GradientPercent, GradientData, ImagePercent, Transparency, Light, BorderColor;
};

constexpr std::array<TStateKeys, 3> kStateKeys = {{
    {"COLOR", "FONTCOLOR", "TCLEFT", "TCTOP", "TCRIGHT", "TCBOTTOM", "GCOL", "GSIZE",
     "GRADIENTPERCENT", "GRADIENTDATA", "IMAGEPERCENT", "TRANSPARENCY", "LIGHT0", "BORDERCOLOR0"},
    {"HOTCOLOR", "HOTFONTCOLOR", "HOTTCLEFT", "HOTTCTOP", "HOTTCRIGHT", "HOTTCBOTTOM", "HGCOL",
     "HGSIZE", "HOTGRADIENTPERCENT", "HOTGRADIENTDATA", "HOTIMAGEPERCENT", "HOTTRANSPARENCY",
     "LIGHT1", "BORDERCOLOR1"},
    {"COLOR2", "FONTCOLOR2", "TCLEFT2", "TCTOP2", "TCRIGHT2", "TCBOTTOM2", "GCOL2", "GSIZE2",
     "GRADIENTPERCENT2", "GRADIENTDATA2", "IMAGEPERCENT2", "TRANSPARENCY2", "LIGHT2",
     "BORDERCOLOR2"},
}};

// A number from a parent (never negative here) names a system colour only
// through the top byte, which a non-negative value lacks, so converting it is
// the identity; the conversion stays for values a future caller might pass.
TColor ToRGB(TColor c) {
  return c < 0 ? platform::SysColor(c & 0xFF) : c;
}

TsGradArray ReadGradient(const TOptionsFile& file, std::string_view section, std::string_view key) {
  auto text = ReadInheritedText(file, section, key);
  if (!text || text->Value.size() < 4) return {};
  try {
    return ParseGradient(text->Value);
  } catch (const EConvertError& e) {
    throw EConvertError("Invalid gradient \"" + std::string(text->Value) + "\" (section \"" +
                        text->Section->Name() + "\", key \"" + std::string(key) +
                        "\"): " + e.what());
  }
}

// The border width is the one size of a section without a cap of its own.
// Painting multiplies it by the resolution, so it is held within a million
// pixels: far past any border, and far from overflowing.
constexpr int32_t kMaxSectionBorderWidth = 1 << 20;

// Sizes pass through ScaleInt; negative values are markers ("not given") and
// are kept as they are so that every resolution reads the same marker.
int32_t ScaledSize(const TacSectionScale& scale, int32_t v) {
  return (v >= 0 && scale.ScaleInt) ? scale.ScaleInt(v) : v;
}

}  // namespace

int32_t ReadSectionInteger(const TOptionsFile& file, std::string_view section, std::string_view key,
                           int32_t def, int32_t max) {
  auto v = ReadInheritedInteger(file, section, key);
  if (!v) return std::min(def, max);
  if (v->Depth == 0) return std::min(v->Value, max);
  return std::min(v->Value < 0 ? def : ToRGB(v->Value), max);
}

int32_t ReadOuterOffset(const TOptionsFile& file, std::string_view section, std::string_view key) {
  constexpr int32_t kMax = 255;
  auto v = ReadInheritedInteger(file, section, key);
  if (v && v->Depth == 0) return std::min(v->Value, kMax);
  if (!v) {
    auto parent = file.Value(section, kParentClassKey);
    return (!parent || parent->empty()) ? -2 : -1;
  }
  if (v->Depth == 1) return std::min(v->Value, kMax);
  return v->Value < 0 ? -1 : std::min(v->Value, kMax);
}

TsGenState ReadGenState(const TOptionsFile& file, std::string_view section, int state,
                        TColor defLightColor) {
  const TStateKeys& k = kStateKeys[static_cast<std::size_t>(std::clamp(state, 0, 2))];
  auto num = [&](std::string_view key, int32_t def) {
    return ReadSectionInteger(file, section, key, def);
  };
  TsGenState s;
  s.GlowSize = num(k.GlowSize, 0);
  s.ImagePercent = num(k.ImagePercent, 0);
  s.Transparency = num(k.Transparency, 0);
  s.GradientPercent = num(k.GradientPercent, 0);
  s.Color = num(k.Color, 0xFFFFFF);
  s.GlowColor = num(k.GlowColor, 0xFFFFFF);
  s.LightColor = num(k.Light, defLightColor);
  s.BorderColor = num(k.BorderColor, clFuchsia);
  s.FontColor.Color = num(k.FontColor, 0);
  s.FontColor.Left = num(k.TCLeft, -1);
  s.FontColor.Top = num(k.TCTop, -1);
  s.FontColor.Right = num(k.TCRight, -1);
  s.FontColor.Bottom = num(k.TCBottom, -1);
  s.GradientArray = ReadGradient(file, section, k.GradientData);
  return s;
}

TsGeneralData ReadGeneralData(const TOptionsFile& file, std::string_view section,
                              const TacSectionScale& scale, TColor defLightColor) {
  TsGeneralData g;
  g.ClassName = std::string(section);
  g.ParentClass = ReadText(file, section, kParentClassKey);
  g.GiveOwnFont = ReadInheritedBoolean(file, section, "GIVEOWNFONT", false);
  g.ShiftOnClick = ReadInheritedBoolean(file, section, "SHIFTCLICK", false);
  g.ReservedBoolean = ReadInheritedBoolean(file, section, "RESERVEDBOOLEAN", false);
  g.GlowCount = ReadSectionInteger(file, section, "GLOW", 0, 255);
  g.GlowMargin = ReadSectionInteger(file, section, "GLOWMARGIN", 0, 255);
  if (scale.SkinHasMasks)
    g.GlowMargin = static_cast<int32_t>(int64_t{g.GlowMargin} * scale.PPI / 96);
  g.BorderRadius = ScaledSize(scale, ReadSectionInteger(file, section, "BORDERRADIUS", 0, 255));
  // Painting picks a state image by the number of states: a section has at
  // least one.
  g.States = std::max(ReadSectionInteger(file, section, "STATES", 3, 255), 1);
  g.OuterOffset = TRect::LTRB(ScaledSize(scale, ReadOuterOffset(file, section, "OUTOFFSL")),
                              ScaledSize(scale, ReadOuterOffset(file, section, "OUTOFFST")),
                              ScaledSize(scale, ReadOuterOffset(file, section, "OUTOFFSR")),
                              ScaledSize(scale, ReadOuterOffset(file, section, "OUTOFFSB")));
  g.OuterOpacity = ReadSectionInteger(file, section, "OUTOPACITY", 200, 255);
  g.OuterMode = ReadSectionInteger(file, section, "OUTERMODE", 2);
  g.OuterBlur = ScaledSize(scale, ReadSectionInteger(file, section, "OUTBLUR", 9, 30));
  g.OuterRadius = ScaledSize(scale, ReadSectionInteger(file, section, "OUTRADIUS", 9, 60));
  g.OuterColorL = ReadSectionInteger(file, section, "OUTCOLL", 0);
  g.OuterColorT = ReadSectionInteger(file, section, "OUTCOLT", 0);
  g.OuterColorR = ReadSectionInteger(file, section, "OUTCOLR", 0);
  g.OuterColorB = ReadSectionInteger(file, section, "OUTCOLB", 0);
  g.BorderWidth = std::clamp(ReadSectionInteger(file, section, "BORDERWIDTH", 1),
                             -kMaxSectionBorderWidth, kMaxSectionBorderWidth);

  g.Props[0] = ReadGenState(file, section, 0, defLightColor);
  g.Props[1] = g.States >= 2 ? ReadGenState(file, section, 1, defLightColor) : g.Props[0];
  g.UseState2 = ReadSectionInteger(file, section, "USESTATE2", 0) == 1;
  g.Props[2] = g.UseState2 ? ReadGenState(file, section, 2, defLightColor) : g.Props[1];
  return g;
}

TacSkinCommonInfo ReadSkinCommonInfo(const TOptionsFile& file) {
  TacSkinCommonInfo info;
  auto num = [&](std::string_view key, int32_t def) {
    return ReadInteger(file, kGlobalInfo, key, def);
  };
  info.UseAeroBluring = num("AEROBLUR", 0) != 0;
  info.Version = ReadVersion(file, kGlobalInfo, "VERSION", 0);
  info.Author = ReadText(file, kGlobalInfo, "AUTHOR");
  info.MainFont = ReadText(file, kGlobalInfo, "MainFont");
  info.Description = ReadText(file, kGlobalInfo, "DESCRIPTION");
  info.Shadow1Color = num("SHADOW1COLOR", 0);
  info.DefLightColor = num("DEFLIGHT", -1);
  info.ArrowStyle = static_cast<TacArrowsStyle>(num("ARROWSTYLE", 0));
  info.BIVAlign = num("BIVALIGN", 0);
  info.BIKeepHUE = num("BIKEEPHUE", 0);
  info.BrightMin = num("BRIGHTMIN", -50);
  info.BrightMax = num("BRIGHTMAX", 50);
  info.IndexGlobalInfo = file.IndexOf(kGlobalInfo);
  return info;
}

std::array<TacOutEffData, 2> ReadOuterEffects(const TOptionsFile& file,
                                              const std::function<int32_t(int32_t)>& scaleInt) {
  auto num = [&](std::string_view key, int32_t def) {
    return ReadInteger(file, kGlobalInfo, key, def);
  };
  // Widths of -1 mean "not given" and stay -1 at every resolution.
  auto size = [&](std::string_view key, int32_t def) {
    int32_t v = num(key, def);
    return (v >= 0 && scaleInt) ? scaleInt(v) : v;
  };
  // The keys both effects have, after their prefix ("LO_", "SH_").
  auto shape = [&](TacOutEffData& e, std::string_view prefix, const TRect& offsets,
                   int32_t opacity) {
    const auto key = [&](std::string_view name) { return std::string(prefix) + std::string(name); };
    e.WidthL = size(key("WIDTHL"), -1);
    e.WidthT = size(key("WIDTHT"), -1);
    e.WidthR = size(key("WIDTHR"), -1);
    e.WidthB = size(key("WIDTHB"), -1);
    e.OffsetL = size(key("OFFSETL"), offsets.Left);
    e.OffsetT = size(key("OFFSETT"), offsets.Top);
    e.OffsetR = size(key("OFFSETR"), offsets.Right);
    e.OffsetB = size(key("OFFSETB"), offsets.Bottom);
    e.Radius = size(key("RADIUS_OE"), 9);
    e.Blur = size(key("BLUR_OE"), 5);
    e.Source = num(key("SOURCE"), 2);
    e.Opacity = num(key("OPACITY"), opacity);
  };
  std::array<TacOutEffData, 2> oe;
  TacOutEffData& lo = oe[0];
  lo.ColorL = num("LO_COLORL", 0xFFFFFF);
  lo.ColorT = num("LO_COLORT", 0);
  lo.ColorR = num("LO_COLORR", 0xFFFFFF);
  lo.ColorB = num("LO_COLORB", 0xFFFFFF);
  shape(lo, "LO_", TRect::LTRB(2, 2, 2, 4), 200);

  TacOutEffData& sh = oe[1];
  sh.ColorL = num("SH_COLORL", 0);
  sh.ColorT = clFuchsia;
  shape(sh, "SH_", TRect::LTRB(3, 2, 3, 5), 60);
  return oe;
}

void ReadGlobalNumbers(const TOptionsFile& file, TacSkinData& sd,
                       const std::function<int32_t(int32_t)>& scaleInt,
                       std::optional<int> customPPI) {
  auto plain = [&](std::string_view key, int32_t def) {
    return ReadInteger(file, kGlobalInfo, key, def);
  };
  auto scaled = [&](std::string_view key, int32_t def) {
    return ReadScaledInteger(file, kGlobalInfo, key, def, sd.PPI, sd.ScaleValue, customPPI);
  };
  sd.TabsCovering = static_cast<uint8_t>(ReadInteger(file, "TABTOP", "TABSCOVERING", 0));
  sd.RibbonCovering = static_cast<uint8_t>(ReadInteger(file, "RIBBONTAB", "TABSCOVERING", 0));
  sd.ExDrawMode = plain("BORDERMODE", 0);
  sd.ExShadowOffs = scaled("ALIGNOFFSET", 0);
  // The other three sides default to that offset, which is already at this
  // resolution: only a value of their own is scaled.
  auto alignSide = [&](std::string_view key) {
    const bool given = ReadInteger(file, kGlobalInfo, VariantKey(key, sd.ScaleValue)) ||
                       ReadInteger(file, kGlobalInfo, key);
    return given ? scaled(key, 0) : sd.ExShadowOffs;
  };
  sd.ExShadowOffsR = alignSide("ALIGNOFFSETR");
  sd.ExShadowOffsT = alignSide("ALIGNOFFSETT");
  sd.ExShadowOffsB = alignSide("ALIGNOFFSETB");
  sd.WndShadowRadius = scaled("WSHRAD", 17);
  sd.WndShadowSize = scaled("WSHSIZE", 13);
  sd.WndShadowOffset = scaled("WSHOFFS", 2);
  sd.WndShadowColorN = plain("WSHCOLN", static_cast<TColor>(0x44000000));
  sd.WndShadowColorA = plain("WSHCOLA", static_cast<TColor>(0x99000000));
  sd.BIRightMargin = scaled("BIRIGHT", 0);
  sd.BILeftMargin = scaled("BILEFT", 0);
  sd.BITopMargin = scaled("BITOP", 0);
  sd.BISpacing = scaled("BISPACE", 0);
  // One count, "BICONCLOSEGLOW", sizes the glow arrays of all five glyphs.
  auto glows = static_cast<std::size_t>(std::clamp(plain("BICONCLOSEGLOW", 0), 0, 255));
  for (std::size_t i = 0; i < kGlowingTitleGlyphs.size(); ++i) {
    sd.GlowMargins[i] = scaled(std::string(kGlowingTitleGlyphs[i]) + "GLOWMARGIN", 0);
    sd.TitleGlows[i].assign(glows, -1);
  }
  sd.Shadow1Offset = scaled("SHADOW1OFFSET", 0);
  sd.Shadow1Blur = scaled("SHADOW1BLUR", -1);
  sd.Shadow1Transparency = plain("SHADOW1TRANSPARENCY", 0);
  sd.ThumbWidth = scaled("THUMBWIDTH", 0);
  sd.ScrollArrows = plain("SCROLLSARROWS", -1);
  sd.ScrollsWidth = plain("SCROLLSWIDTH", -1);
  if (sd.ScrollsWidth != -1 && scaleInt) sd.ScrollsWidth = scaleInt(sd.ScrollsWidth);
  sd.ComboBoxMargin = plain("COMBOMARGIN", 2);
  if (sd.ComboBoxMargin == 1 && sd.PPI > 143) sd.ComboBoxMargin = 2;
  sd.SliderMargin = plain("SLIDERMARGIN", 1);
  auto oe = ReadOuterEffects(file, scaleInt);
  sd.oe.assign(oe.begin(), oe.end());
}

}  // namespace ac
