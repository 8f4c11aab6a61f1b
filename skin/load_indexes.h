#pragma once
// The fixed indexes of a loaded skin (elements, title glyphs, section masks),
// the form frame metrics and the shadow templates of the extended border.

#include "pixels/pixel_buffer.h"
#include "skin/skin_data.h"

namespace ac {

class TacSkinManagerCore;
class TacLoadBudget;

// Sections, element records, check boxes, grips, the extended border and the
// title glyphs with their glows. Missing fixed-role sections take their
// fallback (in TacSection order), and a copy of the fallback's record is
// appended under the missing name.
void InitConstantIndexes(TacSkinManagerCore& m, TacSkinData& sd);

// Border, corner, outer and texture masks of every section but GLOBALINFO
// (outer masks of modes 3 and 4 generated when the skin has none), the
// scroll-border offset, then the size, image count and corner flag of every
// mask.
void InitMaskIndexes(TacSkinManagerCore& m, TacSkinData& sd);

// The form frame: ExContentOffs, ExBorderWidth, ExTitleHeight, ExMaxHeight,
// ExCenterOffs.
void InitMaskParams(TacSkinManagerCore& m, TacSkinData& sd);

// FormShadowSize and the extended border's templates.
void CheckShadows(TacSkinManagerCore& m, TacSkinData& sd);

// The window shadows of the engine-drawn border, made on first request: a
// soft disc of radius WndShadowSize lowered by WndShadowOffset with a soft
// edge of WndShadowRadius, in WndShadowColorA (active) or WndShadowColorN.
TsBitmapRef GetActiveShadow(TacSkinData& sd);
TsBitmapRef GetPassiveShadow(TacSkinData& sd);

// The image of a generated outer mask (modes 3 and 4): an image row in the
// outer colours over a mask row holding 255 - the shadow's alpha, each
// (2 * Radius + 1 + positive left and right offsets) wide and
// (2 * Radius + 1 + positive top and bottom offsets) high, the shadow a disc
// of Radius with a soft edge of Blur stretched over the offsets. Mode 4
// colours each side by its own colour (left, top, right, bottom by nearest
// edge). Empty for a negative radius. Throws ELimitExceeded when the image
// would be too large or pass Budget (when given, charged otherwise).
TsPixelImage MakeOuterShadowImage(const TsGeneralData& g, TacLoadBudget* budget = nullptr);

}  // namespace ac
