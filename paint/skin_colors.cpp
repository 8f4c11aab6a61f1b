#include "paint/skin_colors.h"

#include <cstdint>

#include "pixels/color.h"
#include "skin/palette.h"
#include "skin/skin_manager_core.h"
#include "skin/skin_sections.h"
#include "system/system.h"

namespace ac {

namespace {

// A section of the skin loaded for 96 pixels per inch (any loaded resolution
// when 96 is not among them: section colours do not depend on it), or null.
const TsGeneralData* SectionOf(const TacSkinManagerCore& m, TacSection role) {
  const int32_t index = m.SkinCommonInfo.Sections[static_cast<std::size_t>(role)];
  if (index < 0) return nullptr;
  const TacSkinData* sd = nullptr;
  for (const auto& p : m.SkinDataArray) {
    if (p != nullptr && (sd == nullptr || p->PPI == 96)) sd = p.get();
  }
  if (sd == nullptr || static_cast<std::size_t>(index) >= sd->gd.size()) return nullptr;
  return &sd->gd[static_cast<std::size_t>(index)];
}

TColor Mix(TColor a, TColor b, uint8_t w) {
  return static_cast<TColor>(MixColor(static_cast<uint32_t>(a), static_cast<uint32_t>(b), w));
}

// The skin's colour for a listed negative colour; false when it is not listed.
bool SkinColor(const TacSkinManagerCore& m, uint32_t c, TColor& out) {
  const TacPalette& p = m.Palette;
  const auto P = [&](TacPaletteColors i) { return p[static_cast<std::size_t>(i)]; };
  const TsGeneralData* title = nullptr;
  const TsGeneralData* hint = nullptr;
  const auto Title = [&]() { return title ? title : (title = SectionOf(m, ssFormTitle)); };
  const auto Hint = [&]() { return hint ? hint : (hint = SectionOf(m, ssHint)); };
  switch (c) {
    case 0xFF000000u:  // clScrollBar
    case 0xFF000001u:  // clBackground
    case 0xFF000004u:  // clMenu
    case 0xFF00000Cu:  // clAppWorkSpace
    case 0xFF00000Fu:  // clBtnFace
    case 0xFF00001Eu:  // clMenuBar
    case 0xF1000001u:
      out = P(pcMainColor);
      return true;
    case 0xFF000002u:  // clActiveCaption
    case 0xFF00001Bu:  // clGradientActiveCaption
      out = Title() ? Title()->Props[1].Color : P(pcMainColor);
      return true;
    case 0xFF000003u:  // clInactiveCaption
    case 0xFF00001Cu:  // clGradientInactiveCaption
      out = Title() ? Title()->Props[0].Color : P(pcMainColor);
      return true;
    case 0xFF000005u:
      out = P(pcEditBG);
      return true;
    case 0xFF000006u:  // clWindowFrame
    case 0xFF00000Au:  // clActiveBorder
    case 0xFF00000Bu:
      out = P(pcBorder);
      return true;
    case 0xFF000007u:  // clMenuText
    case 0xFF000012u:
      out = P(pcLabelText);
      return true;
    case 0xFF000008u:
      out = P(pcEditText);
      return true;
    case 0xFF000009u:  // clCaptionText
      out = Title() ? Title()->Props[1].FontColor.Color : P(pcLabelText);
      return true;
    case 0xFF00000Du:  // clHighlight
    case 0xFF00001Du:
      out = P(pcSelectionBG_Focused);
      return true;
    case 0xFF00000Eu:
      out = P(pcSelectionText_Focused);
      return true;
    case 0xFF000010u:
      out = Mix(P(pcMainColor), clBlack, 230);
      return true;
    case 0xFF000011u:
      out = Mix(P(pcMainColor), P(pcLabelText), 127);
      return true;
    case 0xFF000013u:  // clInactiveCaptionText
      out = Title() ? Title()->Props[0].FontColor.Color : P(pcLabelText);
      return true;
    case 0xFF000014u:
      out = Mix(P(pcMainColor), P(pcSelectionBG_Focused), 127);
      return true;
    case 0xFF000015u:
      out = Mix(P(pcMainColor), clBlack, 210);
      return true;
    case 0xFF000016u:
      out = Mix(P(pcMainColor), clWhite, 180);
      return true;
    case 0xFF000017u:
      out = Hint() ? Hint()->Props[0].FontColor.Color : P(pcEditText);
      return true;
    case 0xFF000018u:
      out = Hint() ? Hint()->Props[0].Color : P(pcEditBG);
      return true;
    case 0xFF00001Au:
      out = P(pcWebTextHot);
      return true;
    // The engine's colour constants.
    case 0xFF00006Cu:
      out = P(pcEditText_Alert);
      return true;
    case 0xFF0000A2u:
      out = P(pcBtnRedTextActive);
      return true;
    case 0xFF0000B4u:
      out = P(pcBtnRedText);
      return true;
    case 0xFF003E0Au:
      out = P(pcEditText_Ok);
      return true;
    case 0xFF004C4Cu:
      out = P(pcEditText_Warning);
      return true;
    case 0xFF0079B5u:
      out = P(pcBtnYellowText);
      return true;
    case 0xFF008E00u:
      out = P(pcBtnGreenTextActive);
      return true;
    case 0xFF0098C6u:
      out = P(pcBtnYellowTextActive);
      return true;
    case 0xFF28851Au:
      out = P(pcBtnGreenText);
      return true;
    case 0xFF3EE275u:
      out = P(pcBtnToneGreenActive);
      return true;
    case 0xFF7BD098u:
      out = P(pcBtnToneGreen);
      return true;
    case 0xFF7E7EFFu:
      out = P(pcBtnToneRedActive);
      return true;
    case 0xFF916000u:
      out = P(pcBtnBlueTextActive);
      return true;
    case 0xFF9E9EFFu:
      out = P(pcBtnToneRed);
      return true;
    case 0xFFAE7400u:
      out = P(pcBtnBlueText);
      return true;
    case 0xFFBAEFFFu:
      out = P(pcBtnToneYellowActive);
      return true;
    case 0xFFBAFFFFu:
      out = P(pcEditBG_Warning);
      return true;
    case 0xFFC9FFD2u:
      out = P(pcEditBG_Ok);
      return true;
    case 0xFFCAF3FFu:
      out = P(pcBtnToneYellow);
      return true;
    case 0xFFDBDBFFu:
      out = P(pcEditBG_Alert);
      return true;
    case 0xFFFFE9BEu:
      out = P(pcBtnToneBlueActive);
      return true;
    case 0xFFFFEDC9u:
      out = P(pcBtnToneBlue);
      return true;
    default:
      return false;
  }
}

}  // namespace

TColor ColorToRGB(TColor color) {
  if (color >= 0) return color;
  return platform::SysColor(static_cast<int>(static_cast<uint32_t>(color) & 0xFFu));
}

TColor SkinColorToRGB(TColor color, const TacSkinManagerCore* manager) {
  if (color >= 0) return ColorToRGB(color);
  if (manager != nullptr && (manager->IsActive() || manager->HasState(msSkinChanging))) {
    TColor out = 0;
    if (SkinColor(*manager, static_cast<uint32_t>(color), out)) return out;
    return ColorToRGB(color);
  }
  const uint32_t low = static_cast<uint32_t>(color) & 0x00FFFFFFu;
  if (low > 100) return static_cast<TColor>(low);
  return ColorToRGB(color);
}

}  // namespace ac
