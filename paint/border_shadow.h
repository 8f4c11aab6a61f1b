#pragma once
// The extended border and shadow of a form, copied from the skin's template
// around the window area of the form's border image (the image less the
// shadow margins). The window area itself is the frame's to paint; only the
// bands around it (and, with one "EXBORDER" image, the border and title
// background inside it) come from the template.

#include <cstdint>

#include "core/geometry.h"
#include "paint/frame_around.h"
#include "pixels/pixel_buffer.h"
#include "skin/skin_data.h"
#include "skin/skin_manager_core.h"

namespace ac {

enum class TBorderShadowKind {
  bsImageFrame,    // one "EXBORDER" image draws frame, title background and shadow
  bsEngineShadow,  // the engine's round shadow template around the form
  bsImageAround,   // the "EXBORDER" image as a frame around the form
};

struct TBorderShadowInputs {
  TBorderShadowKind Kind = TBorderShadowKind::bsImageFrame;
  TRect Shadow{};                    // S: the image's shadow margins
  int32_t BorderWidth = 0;           // B
  int32_t CaptionHeight = 0;         // t: the skinned caption height, 0 without caption
  int32_t HeaderHeight = 0;          // the form header's scaled additional height, or 0
  TRect ImageMargins{};              // the "EXBORDER" entry's WL, WT, WR, WB
  TBandFill Fill = TBandFill::Tile;  // the entry's DrawMode bit 0 stretches
};

// Copies Template around the whole of Image as the kind asks; the centre is
// left as it is. An empty template paints nothing.
void PaintBorderShadow(const TsPixelBuffer& image, const TsPixelBuffer& shadowTemplate,
                       const TBorderShadowInputs& in);

// The inputs for a form of the given caption height with the loaded skin:
// the kind from the border mode and the manager's extended-border mode, the
// sizes from the skin (FormShadowSize, ExBorderWidth, the "EXBORDER" entry).
// Kind is bsImageFrame with empty margins when the mode asks for the image
// but the skin has none, which paints nothing.
TBorderShadowInputs BorderShadowInputs(const TacSkinData& sd, TacExtBordersMode mode,
                                       int32_t captionHeight, int32_t headerHeight);

// The template for the form's activation state (the skin's active or
// inactive one); empty when the skin has none.
TsPixelBuffer BorderShadowTemplate(const TacSkinData& sd, bool active);

}  // namespace ac
