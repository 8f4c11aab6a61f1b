#include "paint/skin_colors.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <optional>

#include "pixels/color.h"
#include "skin/palette.h"
#include "skin/skin_data_lookup.h"
#include "skin/skin_manager_core.h"
#include "skin/skin_sections.h"
#include "system/system.h"

namespace ac {

namespace {

// A section of the skin loaded for 96 pixels per inch (any loaded resolution
// when 96 is not among them: section colours do not depend on it), or null.
const TsGeneralData* SectionOf(const TacSkinManagerCore& m, TacSection role) {
  const int32_t index = m.SkinCommonInfo.Sections[static_cast<std::size_t>(role)];
  const TacSkinData* sd = nullptr;
  for (const auto& p : m.SkinDataArray) {
    if (p != nullptr && (sd == nullptr || p->PPI == 96)) sd = p.get();
  }
  if (sd == nullptr || !IsValidSkinIndex(*sd, index)) return nullptr;
  return &sd->gd[static_cast<std::size_t>(index)];
}

TColor Mix(TColor a, TColor b, uint8_t w) {
  return static_cast<TColor>(MixColor(static_cast<uint32_t>(a), static_cast<uint32_t>(b), w));
}

// Where a listed colour takes its skin value from.
enum class TFrom : uint8_t {
  Palette,     // the palette entry
  Title,       // the title section's state, or the palette entry without one
  Hint,        // the hint section's state, or the palette entry without one
  MixFixed,    // Mix(P[pcMainColor], a fixed colour, Weight)
  MixPalette,  // Mix(P[pcMainColor], the palette entry, Weight)
};
enum class TPart : uint8_t { Background, Font };

struct TSkinColorRule {
  TColor Listed;
  TFrom From;
  TacPaletteColors Entry = pcMainColor;
  int32_t State = 0;  // of the title or hint section
  TPart Part = TPart::Background;
  TColor Fixed = clBlack;
  uint8_t Weight = 0;  // Mix's share of P[pcMainColor] out of 256
};

constexpr TSkinColorRule Entry(TColor listed, TacPaletteColors entry) {
  return {listed, TFrom::Palette, entry};
}
constexpr TSkinColorRule Title(TColor listed, int32_t state, TPart part, TacPaletteColors without) {
  return {listed, TFrom::Title, without, state, part};
}
constexpr TSkinColorRule Hint(TColor listed, TPart part, TacPaletteColors without) {
  return {listed, TFrom::Hint, without, 0, part};
}
constexpr TSkinColorRule MainMixedWith(TColor listed, TColor fixed, uint8_t weight) {
  return {listed, TFrom::MixFixed, pcMainColor, 0, TPart::Background, fixed, weight};
}
constexpr TSkinColorRule MainMixedWith(TColor listed, TacPaletteColors entry, uint8_t weight) {
  return {listed, TFrom::MixPalette, entry, 0, TPart::Background, clBlack, weight};
}

constexpr TColor EngineColor(uint32_t value) {
  return static_cast<TColor>(value);
}

// The system colours and the engine's colour constants a skin supplies.
constexpr TSkinColorRule kSkinColors[] = {
    Entry(clScrollBar, pcMainColor),
    Entry(clBackground, pcMainColor),
    Title(clActiveCaption, 1, TPart::Background, pcMainColor),
    Title(clInactiveCaption, 0, TPart::Background, pcMainColor),
    Entry(clMenu, pcMainColor),
    Entry(clWindow, pcEditBG),
    Entry(clWindowFrame, pcBorder),
    Entry(clMenuText, pcLabelText),
    Entry(clWindowText, pcEditText),
    Title(clCaptionText, 1, TPart::Font, pcLabelText),
    Entry(clActiveBorder, pcBorder),
    Entry(clInactiveBorder, pcBorder),
    Entry(clAppWorkSpace, pcMainColor),
    Entry(clHighlight, pcSelectionBG_Focused),
    Entry(clHighlightText, pcSelectionText_Focused),
    Entry(clBtnFace, pcMainColor),
    MainMixedWith(clBtnShadow, clBlack, 230),
    MainMixedWith(clGrayText, pcLabelText, 127),
    Entry(clBtnText, pcLabelText),
    Title(clInactiveCaptionText, 0, TPart::Font, pcLabelText),
    MainMixedWith(clBtnHighlight, pcSelectionBG_Focused, 127),
    MainMixedWith(cl3DDkShadow, clBlack, 210),
    MainMixedWith(cl3DLight, clWhite, 180),
    Hint(clInfoText, TPart::Font, pcEditText),
    Hint(clInfoBk, TPart::Background, pcEditBG),
    Entry(clHotLight, pcWebTextHot),
    Title(clGradientActiveCaption, 1, TPart::Background, pcMainColor),
    Title(clGradientInactiveCaption, 0, TPart::Background, pcMainColor),
    Entry(clMenuHighlight, pcSelectionBG_Focused),
    Entry(clMenuBar, pcMainColor),
    // The engine's colour constants: each stands for one palette entry, its
    // low 24 bits being the colour without a skin.
    Entry(clMainColorConst, pcMainColor),
    Entry(EngineColor(0xFF00006C), pcEditText_Alert),
    Entry(EngineColor(0xFF0000A2), pcBtnRedTextActive),
    Entry(EngineColor(0xFF0000B4), pcBtnRedText),
    Entry(EngineColor(0xFF003E0A), pcEditText_Ok),
    Entry(EngineColor(0xFF004C4C), pcEditText_Warning),
    Entry(EngineColor(0xFF0079B5), pcBtnYellowText),
    Entry(EngineColor(0xFF008E00), pcBtnGreenTextActive),
    Entry(EngineColor(0xFF0098C6), pcBtnYellowTextActive),
    Entry(EngineColor(0xFF28851A), pcBtnGreenText),
    Entry(EngineColor(0xFF3EE275), pcBtnToneGreenActive),
    Entry(EngineColor(0xFF7BD098), pcBtnToneGreen),
    Entry(EngineColor(0xFF7E7EFF), pcBtnToneRedActive),
    Entry(EngineColor(0xFF916000), pcBtnBlueTextActive),
    Entry(EngineColor(0xFF9E9EFF), pcBtnToneRed),
    Entry(EngineColor(0xFFAE7400), pcBtnBlueText),
    Entry(EngineColor(0xFFBAEFFF), pcBtnToneYellowActive),
    Entry(EngineColor(0xFFBAFFFF), pcEditBG_Warning),
    Entry(EngineColor(0xFFC9FFD2), pcEditBG_Ok),
    Entry(EngineColor(0xFFCAF3FF), pcBtnToneYellow),
    Entry(EngineColor(0xFFDBDBFF), pcEditBG_Alert),
    Entry(EngineColor(0xFFFFE9BE), pcBtnToneBlueActive),
    Entry(EngineColor(0xFFFFEDC9), pcBtnToneBlue),
};

TColor SectionColor(const TsGeneralData& gd, const TSkinColorRule& rule) {
  const TsGenState& state = gd.Props[static_cast<std::size_t>(rule.State)];
  return rule.Part == TPart::Font ? state.FontColor.Color : state.Color;
}

// The skin's colour for a listed negative colour; nothing when it is not listed.
std::optional<TColor> SkinColor(const TsSkinColors& skin, TColor color) {
  const auto found = std::find_if(std::begin(kSkinColors), std::end(kSkinColors),
                                  [&](const TSkinColorRule& r) { return r.Listed == color; });
  if (found == std::end(kSkinColors)) return std::nullopt;
  const TacPalette& p = *skin.Palette;
  const TColor entry = p[static_cast<std::size_t>(found->Entry)];
  switch (found->From) {
    case TFrom::Palette:
      return entry;
    case TFrom::Title:
      return skin.Title != nullptr ? SectionColor(*skin.Title, *found) : entry;
    case TFrom::Hint:
      return skin.Hint != nullptr ? SectionColor(*skin.Hint, *found) : entry;
    case TFrom::MixFixed:
      return Mix(p[pcMainColor], found->Fixed, found->Weight);
    case TFrom::MixPalette:
      return Mix(p[pcMainColor], entry, found->Weight);
  }
  return entry;
}

}  // namespace

TColor ColorToRGB(TColor color) {
  if (color >= 0) return color;
  return platform::SysColor(static_cast<int>(static_cast<uint32_t>(color) & 0xFFu));
}

TsSkinColors SkinColorsOf(const TacSkinManagerCore* manager) {
  if (manager == nullptr || !(manager->IsActive() || manager->HasState(msSkinChanging))) return {};
  return {&manager->Palette, SectionOf(*manager, ssFormTitle), SectionOf(*manager, ssHint)};
}

TColor SkinColorToRGB(TColor color, const TsSkinColors& skin) {
  if (color >= 0) return ColorToRGB(color);
  if (skin.Palette != nullptr) return SkinColor(skin, color).value_or(ColorToRGB(color));
  const uint32_t low = static_cast<uint32_t>(color) & 0x00FFFFFFu;
  if (low > 100) return static_cast<TColor>(low);
  return ColorToRGB(color);
}

TColor SkinColorToRGB(TColor color, const TacSkinManagerCore* manager) {
  if (color >= 0) return ColorToRGB(color);
  return SkinColorToRGB(color, SkinColorsOf(manager));
}

}  // namespace ac
