#pragma once
// Painting the section of a skinned control: the section with the control's
// own colour, custom border and colour effects.

#include <cstdint>

#include "core/color.h"
#include "core/geometry.h"
#include "paint/plain_border.h"
#include "pixels/blend_parent.h"  // TUseParent
#include "pixels/cache_info.h"
#include "pixels/pixel_buffer.h"
#include "skin/skin_data.h"

namespace ac {

// What PaintControlSection reads of a control's skin data. Colours are
// already resolved to RGB by the caller (through the loaded skin's colour
// lookup), so painting does not depend on the manager.
struct TsControlPaintData {
  const TacSkinData* SkinData = nullptr;  // null: the control has no skin manager
  int32_t SkinIndex = -1;
  bool CustomColor = false;  // paint Color instead of the section's colours
  TColor Color = 0;
  const TacPaintBorderData* CustomBorder = nullptr;  // null: none in effect
  int32_t PPI = 96;                                  // the control's current resolution
  TColor ColorTone = clNone;                         // clNone: no tone
  int32_t HueOffset = 0;                             // degrees
  int32_t Saturation = 0;                            // -255..255; 0 leaves colours
};

// The control's section in State over Rect (intersected with Dst): background
// (its own colour when CustomColor), corner images, then the border: the
// custom border when in effect, the section's nine-slice entry (none in state 0
// when its draw mode has bit value 2), or the plain border when the state has
// a border colour. The colour effects (tone, hue, saturation) follow over the
// whole of Dst, skipping $00FF00FF pixels, except after no border on a fully
// transparent state or a plain border that drew nothing on a transparent one.
void PaintControlSection(const TsPixelBuffer& dst, const TRect& rect,
                         const TsControlPaintData& ctrl, int32_t state, const TCacheInfo& cache,
                         TPoint offset, TUseParent useParent);

}  // namespace ac
