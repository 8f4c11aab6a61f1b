#pragma once
// Shared by the section painters (section_paint.cpp, control_paint.cpp).
// Internal to paint/.

#include <cstdint>
#include <optional>

#include "core/geometry.h"
#include "pixels/cache_info.h"
#include "pixels/pixel_buffer.h"
#include "skin/skin_data.h"

namespace ac::section_detail {

// PaintSectionWith's texture argument meaning "the state's own texture".
inline constexpr int32_t kOwnTexture = -0x7FFFFFFF;

struct TBackgroundRequest {
  int32_t SkinIndex;
  const TCacheInfo& Cache;
  int32_t State;
  TColor CustomColor;
  const TacSkinData& Sd;
  const TsPixelBuffer& Dst;
  TPoint Offset;
  const TRect& Rect;
  std::optional<int32_t> TextureOverride;  // the caller's texture entry instead of the state's
};

void PaintBackground(const TBackgroundRequest& q);
void PaintParentMargins(const TsPixelBuffer& dst, const TRect& rect, const TCacheInfo& cache,
                        TPoint offset);
void CopyParent(const TsPixelBuffer& dst, const TRect& rect, const TCacheInfo& cache,
                TPoint offset);
void PaintCornerImages(const TacSkinData& sd, const TsGeneralData& gd, const TsPixelBuffer& dst,
                       const TRect& rect, int32_t state);
TCacheInfo Shifted(const TCacheInfo& cache, TPoint by);
bool IsSmoothGradient(const TsGradArray& g);
bool RectInside(const TRect& rect, const TsPixelBuffer& dst);

}  // namespace ac::section_detail
