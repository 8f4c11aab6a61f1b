#pragma once
// Reading the records of the loaded skin that come straight from option keys:
// a section's general data and states, the skin-wide information and the two
// outer effects of forms. Mask indexes are left at -1 for the loader, which
// knows the masks.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "skin/options_file.h"
#include "skin/skin_data.h"

namespace ac {

// Integer and colour keys of a section, read with inheritance: a number
// written in the section itself is used as it is (only capped at Max);
// otherwise the first number up the parent chain, where a negative value or no
// value at all gives Def; then capped at Max.
int32_t ReadSectionInteger(const TOptionsFile& file, std::string_view section, std::string_view key,
                           int32_t def, int32_t max = INT32_MAX);

// "OUTOFFSL", "OUTOFFST", "OUTOFFSR", "OUTOFFSB" (unscaled, capped at 255):
// the section's own number; -2 in a section without "PARENTCLASS" that lacks
// the key; -1 when the whole chain lacks it; the direct parent's number as it
// is; a number from further up, or -1 when that number is negative.
int32_t ReadOuterOffset(const TOptionsFile& file, std::string_view section, std::string_view key);

// State 0 (normal), 1 (hot) or 2 (third) of a section. Absent keys take the
// state defaults; LightColor defaults to DefLightColor. A malformed gradient
// throws EConvertError naming the section, key and value.
TsGenState ReadGenState(const TOptionsFile& file, std::string_view section, int state,
                        TColor defLightColor);

// How section numbers are scaled for the object being loaded.
struct TacSectionScale {
  // ScaleInt with the object's step; identity when not set.
  std::function<int32_t(int32_t)> ScaleInt;
  int32_t PPI = 96;
  // The glow margin is scaled by PPI / 96 only in a skin with at least one mask.
  bool SkinHasMasks = false;
};

// Everything of one section that comes from its keys. ClassName is Section;
// mask indexes stay -1.
TsGeneralData ReadGeneralData(const TOptionsFile& file, std::string_view section,
                              const TacSectionScale& scale, TColor defLightColor);

// The GLOBALINFO fields of TacSkinCommonInfo and IndexGlobalInfo. Active,
// SkinPath, FXColor, SysInactiveBorderColor, Sections and OptionsDat are left
// for the manager.
TacSkinCommonInfo ReadSkinCommonInfo(const TOptionsFile& file);

// The two outer effects ("LO_" keys, then "SH_" keys) with offsets, widths,
// blur and radius passed through ScaleInt. Mask stays -1 and negative "LO_"
// colours stay system colours: both need the loaded skin.
std::array<TacOutEffData, 2> ReadOuterEffects(const TOptionsFile& file,
                                              const std::function<int32_t(int32_t)>& scaleInt);

// The GLOBALINFO numbers of a TacSkinData (frame offsets, window shadow,
// title-button margins and glow counts, text shadow, scroll and combo sizes,
// tab covering) and its two outer effects, read for Sd.PPI and Sd.ScaleValue.
// ScaleInt is the manager's ScaleInt with the object's step; CustomPPI is the
// custom resolution when the scale mode is smCustomPPI with a resolution below
// 96. The frame values tied to the "EXBORDER" mask are left to the loader.
void ReadGlobalNumbers(const TOptionsFile& file, TacSkinData& sd,
                       const std::function<int32_t(int32_t)>& scaleInt,
                       std::optional<int> customPPI = std::nullopt);

// The five title-button glyphs that have glow images, in TitleGlyphs order.
inline constexpr std::array<std::string_view, 5> kGlowingTitleGlyphs = {
    "BICLOSEALONE", "BICONCLOSE", "BICONMAX", "BICONMIN", "BICONNORM"};

}  // namespace ac
