#include "paint/glyph_paint.h"

#include "paint/mask_paint_image.h"
#include "skin/skin_data_lookup.h"

namespace ac {

void PaintSkinGlyph(const TsPixelBuffer& dst, TPoint point, const TCacheInfo& cache,
                    const TacSkinData& sd, int32_t maskIndex, int32_t state, TEnabled enabled) {
  if (!IsValidImgIndex(sd, maskIndex)) return;
  PaintMaskImage(dst, point, sd.ma[maskIndex], state, cache,
                 enabled == TEnabled::Yes ? TFrameStrength::Full : TFrameStrength::Half);
}

}  // namespace ac
