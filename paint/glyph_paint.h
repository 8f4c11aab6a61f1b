#pragma once
// Skin glyphs: check boxes, radio buttons, title-bar icons, combo arrows and
// grips. They are image entries of the skin (their indexes are resolved at
// load time: TacSkinData::CheckBox, RadioButton, TitleGlyphs and the like);
// which entry and state a control shows is the control's choice.

#include <cstdint>

#include "core/geometry.h"
#include "paint/section_text.h"  // TEnabled
#include "pixels/cache_info.h"
#include "pixels/pixel_buffer.h"
#include "skin/skin_data.h"

namespace ac {

// Entry MaskIndex of the skin in State (a state past the entry's frames shows
// its last frame) with its top-left corner at Point; disabled glyphs are drawn
// at the half strength of the disabled look. An index that names no entry
// draws nothing.
void PaintSkinGlyph(const TsPixelBuffer& dst, TPoint point, const TCacheInfo& cache,
                    const TacSkinData& sd, int32_t maskIndex, int32_t state, TEnabled enabled);

}  // namespace ac
