#pragma once
// How a colour property that names a system colour or one of the engine's colour
// constants takes the active skin's colour.

#include "core/color.h"

namespace ac {

class TacSkinManagerCore;

// Engine colour constants: their low 24 bits are the colour used without an
// active skin.
inline constexpr TColor clMainColorConst = static_cast<TColor>(0xF1000001);

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

// ColorToRGB: a negative colour is the system colour of its low byte.
TColor ColorToRGB(TColor color);

}  // namespace ac
