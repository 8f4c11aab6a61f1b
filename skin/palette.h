#pragma once
// The palette: colours derived once per skin from GLOBALINFO and from a few
// sections, for controls that take a colour rather than a section.

#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

#include "core/color.h"
#include "skin/options_file.h"
#include "skin/skin_data.h"

namespace ac {

enum TacPaletteColors : int {
  pcMainColor,
  pcLabelText,
  pcWebText,
  pcWebTextHot,
  pcEditText,
  pcEditBG,
  pcSelectionBG,
  pcSelectionText,
  pcSelectionBG_Focused,
  pcSelectionText_Focused,
  pcEditBG_Inverted,
  pcEditText_Inverted,
  pcEditBG_OddRow,
  pcEditBG_EvenRow,
  pcEditText_Ok,
  pcEditText_Warning,
  pcEditText_Alert,
  pcEditText_Caution,
  pcEditText_Bypassed,
  pcEditBG_Ok,
  pcEditBG_Warning,
  pcEditBG_Alert,
  pcEditBG_Caution,
  pcEditBG_Bypassed,
  pcEditText_Highlight1,
  pcEditText_Highlight2,
  pcEditText_Highlight3,
  pcBtnColor1Active,
  pcBtnColor2Active,
  pcBtnBorderActive,
  pcBtnFontActive,
  pcBtnColor1Normal,
  pcBtnColor2Normal,
  pcBtnBorderNormal,
  pcBtnFontNormal,
  pcBtnColor1Pressed,
  pcBtnColor2Pressed,
  pcBtnBorderPressed,
  pcBtnFontPressed,
  pcBtnToneRed,
  pcBtnToneGreen,
  pcBtnToneBlue,
  pcBtnToneYellow,
  pcBtnToneRedActive,
  pcBtnToneGreenActive,
  pcBtnToneBlueActive,
  pcBtnToneYellowActive,
  pcBtnRedText,
  pcBtnGreenText,
  pcBtnBlueText,
  pcBtnYellowText,
  pcBtnRedTextActive,
  pcBtnGreenTextActive,
  pcBtnBlueTextActive,
  pcBtnYellowTextActive,
  pcBorder,
  pcGrid,
  pcHintBG,
  pcHintText,
};

inline constexpr std::size_t kPaletteCount = static_cast<std::size_t>(pcHintText) + 1;

using TacPalette = std::array<TColor, kPaletteCount>;

// The name of an entry ("pcMainColor"), for tools.
std::string_view PaletteColorName(TacPaletteColors c);

// Per-channel (a * w + b * (255 - w)) / 256 for red, green and blue, with the
// top byte of A.
TColor Mix(TColor a, TColor b, int w);

// The palette of a skin from its GLOBALINFO keys and the sections of the
// loaded skin at 96 pixels per inch (Gd). Throws EConvertError for a
// malformed value of one of the six 64-bit button-colour keys.
TacPalette ComputePalette(const TOptionsFile& file, const std::vector<TsGeneralData>& gd);

}  // namespace ac
