#pragma once
// How a colour property that names a system colour or one of the engine's colour
// constants takes the active skin's colour.

#include "core/color.h"
#include "skin/palette.h"
#include "skin/skin_data.h"

namespace ac {

class TacSkinManagerCore;

// Engine colour constants: their low 24 bits are the colour used without an
// active skin.
inline constexpr TColor clMainColorConst = static_cast<TColor>(0xF1000001);

// What a colour property reads while a skin is on: the skin's palette and its
// title and hint sections. The pointers are into the manager's loaded skin
// and live as long as it. Palette null: no skin is on.
struct TsSkinColors {
  const TacPalette* Palette = nullptr;
  const TsGeneralData* Title = nullptr;  // null: the skin has no title section
  const TsGeneralData* Hint = nullptr;   // null: the skin has no hint section
};

// The skin colours of Manager while it is active or changing its skin;
// nothing (no skin) for a null or inactive manager.
TsSkinColors SkinColorsOf(const TacSkinManagerCore* manager);

// The colour as $00BBGGRR:
// - a non-negative colour is returned as it is;
// - a negative one, while Manager is active or changing its skin, is looked up
//   among the system colours and the engine's constants and becomes the skin's
//   palette entry or title/hint section colour; one neither lists is the
//   system's colour;
// - without such a manager a negative colour whose low 24 bits exceed 100 is
//   those bits (a constant's default), otherwise the system's colour.
// Manager may be null: the caller passes the application's default manager
// when it has one.
TColor SkinColorToRGB(TColor color, const TacSkinManagerCore* manager);
// The same with the skin colours already taken from the manager (the colours
// of a skin that is off when Skin.Palette is null).
TColor SkinColorToRGB(TColor color, const TsSkinColors& skin);

// ColorToRGB: a negative colour is the system colour of its low byte.
TColor ColorToRGB(TColor color);

}  // namespace ac
