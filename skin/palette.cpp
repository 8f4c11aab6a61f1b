#include "skin/palette.h"

#include <cstdint>
#include <string_view>

#include "skin/option_values.h"
#include "skin/section_state.h"
#include "skin/skin_sections.h"
#include "system/system.h"

namespace ac {

namespace {

constexpr std::array<std::string_view, kPaletteCount> kNames = {
    "pcMainColor",
    "pcLabelText",
    "pcWebText",
    "pcWebTextHot",
    "pcEditText",
    "pcEditBG",
    "pcSelectionBG",
    "pcSelectionText",
    "pcSelectionBG_Focused",
    "pcSelectionText_Focused",
    "pcEditBG_Inverted",
    "pcEditText_Inverted",
    "pcEditBG_OddRow",
    "pcEditBG_EvenRow",
    "pcEditText_Ok",
    "pcEditText_Warning",
    "pcEditText_Alert",
    "pcEditText_Caution",
    "pcEditText_Bypassed",
    "pcEditBG_Ok",
    "pcEditBG_Warning",
    "pcEditBG_Alert",
    "pcEditBG_Caution",
    "pcEditBG_Bypassed",
    "pcEditText_Highlight1",
    "pcEditText_Highlight2",
    "pcEditText_Highlight3",
    "pcBtnColor1Active",
    "pcBtnColor2Active",
    "pcBtnBorderActive",
    "pcBtnFontActive",
    "pcBtnColor1Normal",
    "pcBtnColor2Normal",
    "pcBtnBorderNormal",
    "pcBtnFontNormal",
    "pcBtnColor1Pressed",
    "pcBtnColor2Pressed",
    "pcBtnBorderPressed",
    "pcBtnFontPressed",
    "pcBtnToneRed",
    "pcBtnToneGreen",
    "pcBtnToneBlue",
    "pcBtnToneYellow",
    "pcBtnToneRedActive",
    "pcBtnToneGreenActive",
    "pcBtnToneBlueActive",
    "pcBtnToneYellowActive",
    "pcBtnRedText",
    "pcBtnGreenText",
    "pcBtnBlueText",
    "pcBtnYellowText",
    "pcBtnRedTextActive",
    "pcBtnGreenTextActive",
    "pcBtnBlueTextActive",
    "pcBtnYellowTextActive",
    "pcBorder",
    "pcGrid",
    "pcHintBG",
    "pcHintText",
};

// System colour indexes (COLOR_*).
constexpr int kColorWindow = 5;
constexpr int kColorWindowText = 8;
constexpr int kColorHighlight = 13;
constexpr int kColorHighlightText = 14;
constexpr int kColorBtnFace = 15;
constexpr int kColorInfoText = 23;
constexpr int kColorInfoBk = 24;

// Marks a button colour that the skin did not give.
constexpr TColor Unset(TColor c) {
  return static_cast<TColor>(static_cast<uint32_t>(c) | 0xFF000000u);
}

const TsGeneralData* FindSection(const std::vector<TsGeneralData>& gd, std::string_view name) {
  for (const auto& g : gd)
    if (g.ClassName == name) return &g;
  return nullptr;
}

bool IsNoColor(TColor c) {
  return c == -1 || c == clFuchsia;
}

void SelectionColors(TacPalette& p, const std::vector<TsGeneralData>& gd) {
  if (const TsGeneralData* sel = FindSection(gd, "SELECTION")) {
    p[pcSelectionBG] = sel->Props[0].Color;
    p[pcSelectionText] = sel->Props[0].FontColor.Color;
    const TsGenState& focused = StateProps(*sel, 1);
    p[pcSelectionBG_Focused] = focused.Color;
    p[pcSelectionText_Focused] = focused.FontColor.Color;
  } else {
    p[pcSelectionBG] = p[pcSelectionText] = p[pcSelectionBG_Focused] = p[pcSelectionText_Focused] =
        -1;
  }
  if (!IsNoColor(p[pcSelectionText])) return;
  if (const TsGeneralData* menu = FindSection(gd, SectionName(ssMenuItem))) {
    const TsGenState& hot = menu->Props[1];
    p[pcSelectionText] = IsNoColor(hot.FontColor.Color) ? clHighlightText : hot.FontColor.Color;
    p[pcSelectionBG] = p[pcSelectionBG_Focused] = hot.Color;
    p[pcSelectionText_Focused] = p[pcSelectionText];
  } else {
    p[pcSelectionText] = p[pcSelectionText_Focused] = platform::SysColor(kColorHighlightText);
    p[pcSelectionBG] = p[pcSelectionBG_Focused] = platform::SysColor(kColorHighlight);
  }
}

// The button colour tones: a normal colour with its default, and an active
// colour that defaults to the normal one.
struct TToneKeys {
  TacPaletteColors Normal;
  std::string_view NormalKey;
  TColor Default;
  TacPaletteColors Active;
  std::string_view ActiveKey;
};

constexpr TToneKeys kToneKeys[] = {
    {pcBtnToneRed, "COLORTONERED", 10395391, pcBtnToneRedActive, "COLORTONEREDACTIVE"},
    {pcBtnToneGreen, "COLORTONEGREEN", 8114328, pcBtnToneGreenActive, "COLORTONEGREENACTIVE"},
    {pcBtnToneBlue, "COLORTONEBLUE", 16772553, pcBtnToneBlueActive, "COLORTONEBLUEACTIVE"},
    {pcBtnToneYellow, "COLORTONEYELLOW", 13300735, pcBtnToneYellowActive, "COLORTONEYELLOWACTIVE"},
    {pcBtnRedText, "COLORTONEREDTEXT", 180, pcBtnRedTextActive, "COLORTONEREDTEXTACTIVE"},
    {pcBtnGreenText, "COLORTONEGREENTEXT", 2655514, pcBtnGreenTextActive,
     "COLORTONEGREENTEXTACTIVE"},
    // These two active keys end in mixed case in every skin; the names must match.
    {pcBtnBlueText, "COLORTONEBLUETEXT", 11432960, pcBtnBlueTextActive, "COLORTONEBLUETEXTActive"},
    {pcBtnYellowText, "COLORTONEYELLOWTEXT", 31157, pcBtnYellowTextActive,
     "COLORTONEYELLOWTEXTActive"},
};

}  // namespace

std::string_view PaletteColorName(TacPaletteColors c) {
  auto i = static_cast<std::size_t>(c);
  return i < kNames.size() ? kNames[i] : std::string_view{};
}

TColor Mix(TColor a, TColor b, int w) {
  auto ua = static_cast<uint32_t>(a), ub = static_cast<uint32_t>(b);
  uint32_t out = ua & 0xFF000000u;
  for (int shift = 0; shift < 24; shift += 8) {
    uint32_t ca = (ua >> shift) & 0xFF, cb = (ub >> shift) & 0xFF;
    uint32_t v = (ca * static_cast<uint32_t>(w) + cb * static_cast<uint32_t>(255 - w)) >> 8;
    out |= (v & 0xFF) << shift;
  }
  return static_cast<TColor>(out);
}

TacPalette ComputePalette(const TOptionsFile& file, const std::vector<TsGeneralData>& gd) {
  TacPalette p{};
  auto read = [&](std::string_view key, TColor def) {
    return ReadColor(file, kGlobalInfo, key, def);
  };
  auto read64 = [&](std::string_view key, TColor def) {
    return ReadInt64Truncated(file, kGlobalInfo, key, def);
  };

  p[pcMainColor] = read("COLOR", platform::SysColor(kColorBtnFace));
  p[pcLabelText] = read("FONTCOLOR", 0);
  p[pcWebText] = read("TCBOTTOM", 0xFF0000);
  p[pcWebTextHot] = read("TCTOP", 0x0000FF);

  const TsGeneralData* edit = FindSection(gd, SectionName(ssEdit));
  p[pcEditText] = edit ? edit->Props[0].FontColor.Color : platform::SysColor(kColorWindowText);
  p[pcEditBG] = edit ? edit->Props[0].Color : platform::SysColor(kColorWindow);
  SelectionColors(p, gd);

  p[pcEditBG_Inverted] = read("EDITBG_INV", p[pcEditText]);
  p[pcEditText_Inverted] = read("EDITTEXT_INV", p[pcEditBG]);
  p[pcEditBG_OddRow] = read("EDITBG_ODD", p[pcEditBG]);
  p[pcEditBG_EvenRow] = read("EDITBG_EVEN", Mix(p[pcEditText], p[pcEditBG], 13));
  p[pcEditText_Ok] = read("EDITTEXT_OK", 4210688);
  p[pcEditText_Warning] = read("EDITTEXT_WARN", 19532);
  p[pcEditText_Alert] = p[pcEditText_Caution] = p[pcEditText_Bypassed] =
      read("EDITTEXT_ALERT", 108);
  p[pcEditBG_Ok] = read("EDITBG_OK", 13238226);
  p[pcEditBG_Warning] = read("EDITBG_WARN", 12255231);
  p[pcEditBG_Alert] = p[pcEditBG_Caution] = p[pcEditBG_Bypassed] = read("EDITBG_ALERT", 14408703);
  p[pcEditText_Highlight1] = read("EDITTEXT_H1", 0);
  p[pcEditText_Highlight2] = read("EDITTEXT_H2", 0);
  p[pcEditText_Highlight3] = read("EDITTEXT_H3", 0);

  // The button borders default to the border colour, so it comes first.
  p[pcBorder] = read("BORDERCOLOR", 0);
  TColor main = p[pcMainColor];
  p[pcBtnColor1Active] = read64("BTNCOLOR1ACTIVE", Unset(Mix(main, 0xFFFFFF, 177)));
  p[pcBtnColor2Active] = read64("BTNCOLOR2ACTIVE", Unset(main));
  p[pcBtnBorderActive] = read("BTNBORDERACTIVE", p[pcBorder]);
  p[pcBtnFontActive] = read("BTNFONTACTIVE", p[pcLabelText]);
  p[pcBtnColor1Normal] = read64("BTNCOLOR1NORMAL", Unset(main));
  p[pcBtnColor2Normal] = read64("BTNCOLOR2NORMAL", Unset(Mix(main, 0, 244)));
  p[pcBtnBorderNormal] = read("BTNBORDERNORMAL", p[pcBorder]);
  p[pcBtnFontNormal] = read("BTNFONTNORMAL", p[pcLabelText]);
  p[pcBtnColor1Pressed] = read64("BTNCOLOR1PRESSED", Unset(Mix(main, 0, 233)));
  p[pcBtnColor2Pressed] = read64("BTNCOLOR2PRESSED", Unset(Mix(main, 0, 233)));
  p[pcBtnBorderPressed] = read("BTNBORDERPRESSED", p[pcBorder]);
  p[pcBtnFontPressed] = read("BTNFONTPRESSED", p[pcLabelText]);

  for (const TToneKeys& t : kToneKeys) {
    p[t.Normal] = read(t.NormalKey, t.Default);
    p[t.Active] = read(t.ActiveKey, p[t.Normal]);
  }

  p[pcGrid] = read("GRIDLINE", -1);
  if (p[pcGrid] == -1) p[pcGrid] = Mix(p[pcEditText], p[pcEditBG], 30);

  const TsGeneralData* hint = FindSection(gd, SectionName(ssHint));
  p[pcHintBG] = hint ? hint->Props[0].Color : platform::SysColor(kColorInfoBk);
  p[pcHintText] = hint ? hint->Props[0].FontColor.Color : platform::SysColor(kColorInfoText);
  return p;
}

}  // namespace ac
