#include "skin/load_indexes.h"

#include <algorithm>
#include <array>
#include <string>

#include "pixels/shadow.h"
#include "skin/load_images.h"
#include "skin/load_rescale.h"
#include "skin/option_values.h"
#include "skin/skin_data_lookup.h"
#include "skin/skin_data_reader.h"
#include "skin/skin_manager_core.h"

namespace ac {

namespace {

struct TFallback {
  TacSection Missing;
  TacSection From;
};

// In TacSection order: a fallback may itself have come from its own fallback.
constexpr std::array<TFallback, 10> kFallbacks = {{
    {ssMenuCaption, ssToolBar},
    {ssDialogTitle, ssFormTitle},
    {ssMenuButton, ssSpeedButton},
    {ssTBBtn, ssToolButton},
    {ssTBTab, ssTabTop},
    {ssColHeader, ssButton},
    {ssColHeaderA, ssColHeader},
    {ssColHeaderL, ssColHeader},
    {ssColHeaderR, ssColHeader},
    {ssUpDown, ssButton},
}};

constexpr std::array<std::string_view, 12> kTitleGlyphNames = {
    "BICLOSEALONE", "BICONCLOSE", "BICONMAX", "BICONMIN",  "BICONNORM", "BICONHELP",
    "SICONCLOSE",   "SICONMAX",   "SICONMIN", "SICONNORM", "SICONHELP", "TITLEBUTTON"};

int32_t GlobalMask(const TacSkinData& sd, std::string_view name) {
  return GetMaskIndex(sd, kGlobalInfo, name);
}

void FillElement(const TacSkinData& sd, TacConstElementData& e,
                 std::initializer_list<std::string_view> names) {
  e = TacConstElementData();
  std::string_view last;
  for (std::string_view name : names) {
    last = name;
    const int32_t i = GetSkinIndex(sd, name);
    if (i < 0) continue;
    e.SkinIndex = i;
    e.SkinSection = std::string(name);
    e.MaskIndex = GetMaskIndex(sd, i, name, "BORDERSMASK");
    e.GlyphIndex = GetMaskIndex(sd, i, name, "GLYPHMASK");
    e.BGIndex[0] = GetTextureIndex(sd, i, name, "PATTERN");
    e.BGIndex[1] = GetTextureIndex(sd, i, name, "HOTPATTERN");
    return;
  }
  // A missing single-name element keeps an empty name, so that "no section"
  // reads the same whatever was asked for; a chain of names leaves the last
  // one tried, which tells which fallback a skin would need.
  if (names.size() > 1) e.SkinSection = std::string(last);
}

void FillTrackBar(const TacSkinData& sd, TacTrackBarData& t, bool vertical) {
  t = TacTrackBarData();
  constexpr std::string_view name = "TRACKBAR";
  t.SkinIndex = GetSkinIndex(sd, name);
  if (t.SkinIndex < 0) return;
  auto mask = [&](std::string_view key) { return GetMaskIndex(sd, t.SkinIndex, name, key); };
  t.MaskIndex = mask("BORDERSMASK");
  t.SliderIndex = vertical ? mask("SLIDERVMASK") : -1;
  if (t.SliderIndex < 0) t.SliderIndex = mask("SLIDERMASK");
  t.BGIndex[0] = GetTextureIndex(sd, t.SkinIndex, name, "PATTERN");
  t.BGIndex[1] = GetTextureIndex(sd, t.SkinIndex, name, "HOTPATTERN");
  t.TickIndex = mask(vertical ? "TICKVERT" : "TICKHORZ");
  t.ProgressIndex = mask(vertical ? "PROGVERT" : "PROGHORZ");
  t.ChannelIndex = mask("SLIDERCHANNEL");
}

const TsPixelBuffer& MaskSource(const TacSkinManagerCore& m, const TsMaskData& md) {
  static const TsPixelBuffer kEmpty;
  if (md.Bmp) return *md.Bmp;
  return m.MasterBitmap ? *m.MasterBitmap : kEmpty;
}

// A number of the frame, tied to the "EXBORDER" mask's resolution when the
// skin has one.
int32_t FrameNumber(const TacSkinManagerCore& m, const TacSkinData& sd, std::string_view key,
                    int32_t def) {
  if (IsValidImgIndex(sd, sd.ExBorder))
    return ReadScaledIntegerTied(m.SkinFile, kGlobalInfo, key, def, sd.PPI,
                                 sd.ma[static_cast<std::size_t>(sd.ExBorder)].DivPPI);
  std::optional<int> customPPI;
  if (m.Scale.Mode == smCustomPPI && m.Scale.PixelsPerInch < 96) customPPI = m.Scale.PixelsPerInch;
  return ReadScaledInteger(m.SkinFile, kGlobalInfo, key, def, sd.PPI, sd.ScaleValue, customPPI);
}

TsBitmapRef StateImage(TacSkinManagerCore& m, const TsMaskData& md, int32_t state) {
  const TRect cell = TRect::XYWH(md.R.Left + state * md.Width, md.R.Top, md.Width, md.Height);
  CheckLoadedImageSize(cell.Width(), cell.Height(), "The extended border's template",
                       &m.LoadBudget);
  return ShareImage(CopyArea(MaskSource(m, md), cell));
}

TsBitmapRef MakeWindowShadow(const TacSkinData& sd, TColor color) {
  CheckLoadedImageSize(2 * int64_t{sd.WndShadowSize} + 1,
                       2 * int64_t{sd.WndShadowSize} + 1 + std::max(0, sd.WndShadowOffset),
                       "The window shadow",
                       sd.FOwner && sd.Initializing ? &sd.FOwner->LoadBudget : nullptr);
  return ShareImage(MakeShadowTemplate({.Color = color,
                                        .Radius = sd.WndShadowSize,
                                        .TopOffset = std::max(0, sd.WndShadowOffset),
                                        .Blur = sd.WndShadowRadius}));
}

}  // namespace

void InitConstantIndexes(TacSkinManagerCore& m, TacSkinData& sd) {
  auto& info = m.SkinCommonInfo;
  info.IndexGlobalInfo = GetSkinIndex(sd, kGlobalInfo);
  for (std::size_t t = 0; t < kSectionCount; ++t)
    info.Sections[t] = GetSkinIndex(sd, SectionName(static_cast<TacSection>(t)));
  for (const TFallback& f : kFallbacks) {
    auto& missing = info.Sections[static_cast<std::size_t>(f.Missing)];
    const int32_t from = info.Sections[static_cast<std::size_t>(f.From)];
    if (missing >= 0 || from < 0) continue;
    missing = from;
    // The copy of the fallback's record is appended under the missing name
    // so that lookups by name find it; its parent is the fallback's name.
    TsGeneralData copy = sd.gd[static_cast<std::size_t>(from)];
    copy.ClassName = std::string(SectionName(f.Missing));
    copy.ParentClass = std::string(SectionName(f.From));
    sd.gd.push_back(std::move(copy));
  }

  sd.CheckBox = {GlobalMask(sd, "BOXUNCHECKED"), GlobalMask(sd, "BOXCHECKED"),
                 GlobalMask(sd, "BOXGRAYED")};
  sd.SmallCheckBox = {GlobalMask(sd, "SMALLUNCHECKED"), GlobalMask(sd, "SMALLCHECKED"),
                      GlobalMask(sd, "SMALLGRAYED")};
  sd.RadioButton = {GlobalMask(sd, "RADIOUNCHECKED"), GlobalMask(sd, "RADIOCHECKED")};
  sd.ExBorder = m.ExtBordersMode == ebmFull ? GlobalMask(sd, "EXBORDER") : -1;
  sd.GripRightBottom = GlobalMask(sd, "GRIPIMAGE");
  sd.GripHorizontal = GlobalMask(sd, "GRIPHORZ");
  sd.GripVertical = GlobalMask(sd, "GRIPVERT");

  FillElement(sd, sd.MenuItem, {"MENUITEM"});
  FillElement(sd, sd.ComboBtn, {"COMBOBTN"});
  sd.ComboBtn.GlyphIndex = GetMaskIndex(sd, GetSkinIndex(sd, "COMBOBOX"), "COMBOBOX", "GLYPHMASK");
  static constexpr std::array<std::array<std::string_view, 4>, 4> kTabs = {{
      {"TABLEFTFIRST", "TABTOPFIRST", "TABRIGHTFIRST", "TABBOTTOMFIRST"},
      {"TABLEFTLAST", "TABTOPLAST", "TABRIGHTLAST", "TABBOTTOMLAST"},
      {"TABLEFTMIDDLE", "TABTOPMIDDLE", "TABRIGHTMIDDLE", "TABBOTTOMMIDDLE"},
      {"TABLEFT", "TABTOP", "TABRIGHT", "TABBOTTOM"},
  }};
  for (std::size_t l = 0; l < 4; ++l)
    for (std::size_t s = 0; s < 4; ++s) FillElement(sd, sd.Tabs[l][s], {kTabs[l][s]});
  FillElement(sd, sd.Sliders[0], {"SCROLLSLIDERH"});
  FillElement(sd, sd.Sliders[1], {"SCROLLSLIDERV"});
  FillTrackBar(sd, sd.TrackBar[0], true);
  FillTrackBar(sd, sd.TrackBar[1], false);
  static constexpr std::array<std::string_view, 4> kScrollBtns = {
      "SCROLLBTNLEFT", "SCROLLBTNTOP", "SCROLLBTNRIGHT", "SCROLLBTNBOTTOM"};
  static constexpr std::array<std::string_view, 4> kScrolls = {"SCROLLBAR1H", "SCROLLBAR1V",
                                                               "SCROLLBAR2H", "SCROLLBAR2V"};
  static constexpr std::array<std::string_view, 4> kUpDowns = {
      "UPDOWNBTN_LEFT", "UPDOWNBTN_TOP", "UPDOWNBTNRIGHT", "UPDOWNBTN_BOTTOM"};
  for (std::size_t s = 0; s < 4; ++s) {
    FillElement(sd, sd.ScrollBtns[s], {kScrollBtns[s]});
    FillElement(sd, sd.Scrolls[s], {kScrolls[s]});
    FillElement(sd, sd.UpDownBtns[s], {kUpDowns[s], "UPDOWNBTN", "BUTTON"});
  }

  for (std::size_t i = 0; i < kTitleGlyphNames.size(); ++i)
    sd.TitleGlyphs[i] = GlobalMask(sd, kTitleGlyphNames[i]);
  sd.TitleGlyphs[12] = -1;
  const bool closeAloneFellBack = sd.TitleGlyphs[0] < 0;
  if (closeAloneFellBack) sd.TitleGlyphs[0] = sd.TitleGlyphs[1];
  for (std::size_t i = 6; i <= 10; ++i)
    if (sd.TitleGlyphs[i] < 0) sd.TitleGlyphs[i] = sd.TitleGlyphs[i - 5];

  for (std::size_t g = 0; g < kGlowingTitleGlyphs.size(); ++g)
    for (std::size_t t = 0; t < sd.TitleGlows[g].size(); ++t)
      sd.TitleGlows[g][t] =
          GlobalMask(sd, std::string(kGlowingTitleGlyphs[g]) + "GLOW" + std::to_string(t));
  if (closeAloneFellBack) {
    sd.GlowMargins[0] = sd.GlowMargins[1];
    sd.TitleGlows[0] = sd.TitleGlows[1];
  }
}

TsPixelImage MakeOuterShadowImage(const TsGeneralData& g, TacLoadBudget* budget) {
  const int32_t radius = g.OuterRadius;
  if (radius < 0) return {};
  const int32_t l = std::max(0, g.OuterOffset.Left), t = std::max(0, g.OuterOffset.Top);
  const int32_t r = std::max(0, g.OuterOffset.Right), b = std::max(0, g.OuterOffset.Bottom);
  const int64_t w = 2 * int64_t{radius} + 1 + l + r;
  const int64_t h = 2 * int64_t{radius} + 1 + t + b;
  CheckLoadedImageSize(w, h * 2, "The outer shadow of \"" + g.ClassName + "\"", budget);
  const TsPixelImage shadow = MakeShadowTemplate({.Color = static_cast<TColor>(0xFF000000),
                                                  .Radius = radius,
                                                  .Blur = g.OuterBlur,
                                                  .ExtraWidth = l + r,
                                                  .ExtraHeight = t + b});
  const TsPixelBuffer& sv = shadow.View();
  TsPixelImage out(static_cast<int32_t>(w), static_cast<int32_t>(h * 2));
  const TsPixelBuffer& ov = out.View();
  const bool perSide = g.OuterMode == 4;
  for (int32_t y = 0; y < sv.Height && y < h; ++y) {
    for (int32_t x = 0; x < sv.Width && x < w; ++x) {
      TColor c = g.OuterColorL;
      if (perSide) {
        // The nearest edge decides, so each side of the frame shows its colour.
        const int32_t dl = x, dr = static_cast<int32_t>(w) - 1 - x;
        const int32_t dt = y, db = static_cast<int32_t>(h) - 1 - y;
        const int32_t nearest = std::min({dl, dr, dt, db});
        c = nearest == dt   ? g.OuterColorT
            : nearest == dl ? g.OuterColorL
            : nearest == dr ? g.OuterColorR
                            : g.OuterColorB;
      }
      const uint32_t alpha = sv.At(x, y) >> 24;
      ov.At(x, y) = ColorToPixel(static_cast<uint32_t>(c) & 0xFFFFFFu) | 0xFF000000u;
      const uint32_t m = 255 - alpha;
      ov.At(x, y + static_cast<int32_t>(h)) = 0xFF000000u | (m << 16) | (m << 8) | m;
    }
  }
  return out;
}

void InitMaskIndexes(TacSkinManagerCore& m, TacSkinData& sd) {
  const std::size_t sections = sd.gd.size();
  for (std::size_t i = 0; i < sections; ++i) {
    TsGeneralData& g = sd.gd[i];
    if (g.ClassName == kGlobalInfo) continue;
    const auto idx = static_cast<int32_t>(i);
    if (g.BorderIndex < 0) g.BorderIndex = GetMaskIndex(sd, idx, g.ClassName, "BORDERSMASK");
    g.ImgTL = GetMaskIndex(sd, idx, g.ClassName, "IMGTOPLEFT");
    g.ImgTR = GetMaskIndex(sd, idx, g.ClassName, "IMGTOPRIGHT");
    g.ImgBL = GetMaskIndex(sd, idx, g.ClassName, "IMGBTMLEFT");
    g.ImgBR = GetMaskIndex(sd, idx, g.ClassName, "IMGBTMRIGHT");

    if (g.OuterMode == 0) {
      g.OuterMask = -1;
    } else {
      g.OuterMask = GetMaskIndex(sd, idx, g.ClassName, "OUTERMASK");
      if (g.OuterMask < 0 && (g.OuterMode == 3 || g.OuterMode == 4)) {
        TsPixelImage image = MakeOuterShadowImage(g, &m.LoadBudget);
        if (!image.IsEmpty()) {
          TsMaskData md;
          md.Bmp = ShareImage(std::move(image));
          md.ClassName = g.ClassName;
          md.PropertyName = "OUTERMASK";
          md.R = md.Bmp->Bounds();
          md.ImageCount = 1;
          md.MaskType = 1;
          md.DrawMode = DrawModeBits(TDrawModeBit::Stretch);
          md.ImgType = itisaBorder;
          const int32_t radius = std::max(0, g.OuterRadius);
          md.WL = radius + std::max(0, g.OuterOffset.Left);
          md.WT = radius + std::max(0, g.OuterOffset.Top);
          md.WR = radius + std::max(0, g.OuterOffset.Right);
          md.WB = radius + std::max(0, g.OuterOffset.Bottom);
          md.MulPPi = md.DivPPI = sd.PPI;
          md.SkinIndex = idx;
          TacBmpData e;
          e.MulPPI = e.DivPPI = sd.PPI;
          e.MaskType = 1;
          e.Path = "Outer" + std::to_string(i);
          e.Bmp = md.Bmp;
          e.R = md.R;
          sd.BmpArray.push_back(std::move(e));
          sd.ma.push_back(std::move(md));
          g.OuterMask = static_cast<int32_t>(sd.ma.size()) - 1;
        }
      }
    }

    g.Props[0].TextureIndex = GetTextureIndex(sd, idx, g.ClassName, "PATTERN");
    // A section of one state shows its normal state when hot, texture
    // included.
    g.Props[1].TextureIndex = g.States > 1 ? GetTextureIndex(sd, idx, g.ClassName, "HOTPATTERN")
                                           : g.Props[0].TextureIndex;
    g.Props[2].TextureIndex = (g.States > 2 && g.UseState2)
                                  ? GetTextureIndex(sd, idx, g.ClassName, "PATTERN2")
                                  : g.Props[1].TextureIndex;

    if (g.BorderIndex >= 0 || g.BorderRadius >= 1 || g.BorderWidth <= 0)
      g.ScrollBorderOffset = 0;
    else
      g.ScrollBorderOffset = g.BorderWidth == 1 ? -1 : -2;
  }

  for (TsMaskData& md : sd.ma) {
    md.Width = md.ImageCount > 0 ? md.R.Width() / md.ImageCount : 0;
    md.Height = md.R.Height() / (md.MaskType + 1);
    if (md.ImageCount == 0) {
      md.ImageCount = 1;
      if (md.WT <= 0) md.WT = (md.Height - 1) / ((md.MaskType + 1) * 2);
      if (md.WB <= 0) md.WB = (md.Height - 1) / ((md.MaskType + 1) * 2);
      if (md.WL <= 0) md.WL = 0;
    }
    if (md.ImgType == itisaBorder) UpdateCornerFlag(md, MaskSource(m, md));
  }
}

void InitMaskParams(TacSkinManagerCore& m, TacSkinData& sd) {
  sd.ExContentOffs = FrameNumber(m, sd, "FORMOFFSET", m.SizingFrameWidth);
  const int32_t step = sd.ScaleValue;
  if (m.ExtBordersMode == ebmShadow) {
    sd.ExBorderWidth = m.ScaleInt(4, step);
    sd.ExTitleHeight = sd.ExMaxHeight = m.ScaleInt(30, step);
    sd.ExCenterOffs = 0;
    return;
  }
  sd.ExBorderWidth = std::max(1, FrameNumber(m, sd, "BORDERWIDTH", 4));
  sd.ExTitleHeight = FrameNumber(m, sd, "TITLEHEIGHT", 30);
  if (sd.ExTitleHeight <= 0) sd.ExTitleHeight = m.ScaleInt(30, step);
  sd.ExMaxHeight = FrameNumber(m, sd, "MAXHEIGHT", 0);
  if (sd.ExMaxHeight <= 0) sd.ExMaxHeight = sd.ExTitleHeight;
  sd.ExCenterOffs = FrameNumber(m, sd, "CENTEROFFSET", 0);
}

void CheckShadows(TacSkinManagerCore& m, TacSkinData& sd) {
  sd.ShdaTemplate.reset();
  sd.ShdiTemplate.reset();
  if (!m.Active || !m.ExtendedBorders) {
    sd.FormShadowSize = TRect();
    return;
  }
  if (sd.ExBorder >= 0 && m.ExtBordersMode == ebmFull && IsValidImgIndex(sd, sd.ExBorder)) {
    const TsMaskData& md = sd.ma[static_cast<std::size_t>(sd.ExBorder)];
    if (sd.ExDrawMode != 0) {
      sd.FormShadowSize =
          TRect::LTRB(sd.ExContentOffs, sd.ExContentOffs, sd.ExContentOffs, sd.ExContentOffs);
    } else {
      sd.FormShadowSize =
          TRect::LTRB(std::max(0, md.WL - sd.ExContentOffs), std::max(0, md.WT - sd.ExContentOffs),
                      std::max(0, md.WR - sd.ExContentOffs), std::max(0, md.WB - sd.ExContentOffs));
    }
    sd.ShdiTemplate = StateImage(m, md, 0);
    sd.ShdaTemplate = md.ImageCount > 1 ? StateImage(m, md, 1) : StateImage(m, md, 0);
    return;
  }
  sd.ShdaTemplate = GetActiveShadow(sd);
  sd.ShdiTemplate = GetPassiveShadow(sd);
  sd.FormShadowSize =
      TRect::LTRB(sd.WndShadowSize, std::max(0, sd.WndShadowSize - sd.WndShadowOffset),
                  sd.WndShadowSize, std::max(0, sd.WndShadowSize + sd.WndShadowOffset));
}

TsBitmapRef GetActiveShadow(TacSkinData& sd) {
  if (!sd.rsta) sd.rsta = MakeWindowShadow(sd, sd.WndShadowColorA);
  return sd.rsta;
}

TsBitmapRef GetPassiveShadow(TacSkinData& sd) {
  if (!sd.rsti) sd.rsti = MakeWindowShadow(sd, sd.WndShadowColorN);
  return sd.rsti;
}

}  // namespace ac
