#pragma once
// Shared by the section painters (section_paint.cpp, control_paint.cpp).
// Internal to paint/.

#include <cstdint>
#include <optional>

#include "core/geometry.h"
#include "paint/section_paint.h"
#include "pixels/cache_info.h"
#include "pixels/pixel_buffer.h"
#include "skin/section_state.h"
#include "skin/skin_data.h"

namespace ac::section_detail {

struct TBackgroundRequest {
  const TsPixelBuffer& Dst;
  const TRect& Rect;
  const TacSkinData& Sd;
  int32_t SkinIndex;
  int32_t State;
  const TCacheInfo& Cache;
  TPoint Offset;
  TColor CustomColor;
  std::optional<int32_t> TextureOverride;  // the caller's texture entry instead of the state's
};

// What a state's background is made of: the fill (colour, texture and
// gradient shares), the transparency, and a gradient drawn smooth with
// per-point opacity over the fill (null when the state has none).
struct TBackgroundInputs {
  TsFillInputs Fill;
  int32_t Transparency = 0;
  const TsGradArray* Smooth = nullptr;
};
// CustomColor other than clFuchsia paints that colour, opaque, alone.
TBackgroundInputs BackgroundInputs(const TsGenState& props, TColor customColor,
                                   int32_t textureIndex);
// What lies over the fill: the smooth gradient, then in state 0 a masked
// texture entry of mode 10.
void PaintOverlays(const TsPixelBuffer& dst, const TRect& rect, const TacSkinData& sd,
                   const TBackgroundInputs& in, int32_t state, int32_t textureIndex,
                   const TCacheInfo& textureCache);

void PaintBackground(const TBackgroundRequest& q);
void PaintParentMargins(const TsPixelBuffer& dst, const TRect& rect, const TCacheInfo& cache,
                        TPoint offset);
void CopyParent(const TsPixelBuffer& dst, const TRect& rect, const TCacheInfo& cache,
                TPoint offset);
void PaintCornerImages(const TsPixelBuffer& dst, const TRect& rect, const TacSkinData& sd,
                       const TsGeneralData& gd, int32_t state);
TCacheInfo Shifted(const TCacheInfo& cache, TPoint by);
bool IsSmoothGradient(const TsGradArray& g);
bool RectInside(const TRect& rect, const TsPixelBuffer& dst);

}  // namespace ac::section_detail
