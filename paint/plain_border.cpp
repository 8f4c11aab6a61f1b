#include "paint/plain_border.h"

#include <algorithm>

#include "paint/paint_limits.h"
#include "paint/skin_colors.h"
#include "pixels/blend_fill.h"
#include "skin/section_state.h"

namespace ac {

TCornerRadii FitRadii(TCornerRadii r, int32_t w, int32_t h) {
  auto fitPair = [](int32_t& a, int32_t& b, int32_t limit) {
    if (a + b > limit) a = b = limit / 2;
  };
  if (h > w) {
    fitPair(r[0], r[1], w - 1);
    fitPair(r[2], r[3], w - 1);
  } else {
    fitPair(r[0], r[2], h - 1);
    fitPair(r[1], r[3], h - 1);
  }
  for (auto& v : r) v = std::max(v, 0);
  return r;
}

bool PaintPlainBorder(const TsPixelBuffer& dst, const TRect& rect, const TsGeneralData& gd,
                      int32_t state, const TCacheInfo& cache, const TsPlainBorderParams& params) {
  if (!paint_limits::InPaintRange(rect) || rect.IsEmpty()) return false;
  const TacPaintBorderData* custom = params.Custom;
  const TsGenState& props = StateProps(gd, state);
  int32_t width;
  TCornerRadii radii{0, 0, 0, 0};
  TColor color;
  if (custom != nullptr) {
    width = custom->FWidth < 0 ? gd.BorderWidth : custom->FWidth;
    for (int32_t i = 0; i < 4; ++i) radii[i] = std::max(custom->GetCorner(i), 0);
    color = custom->FColorNormal;
    if (state >= 1 && custom->FColorActive != clNone) color = custom->FColorActive;
    if (state >= 2 && custom->FColorPressed != clNone) color = custom->FColorPressed;
    if (color == clNone) color = props.BorderColor;
  } else {
    width = gd.BorderWidth;
    if (gd.BorderRadius > 0) radii.fill(gd.BorderRadius);
    color = props.BorderColor;
  }
  // Neither a line nor a corner can be larger than the rectangle; limiting
  // them keeps the arithmetic in range and the corner masks small.
  const int32_t side = std::max(rect.Width(), rect.Height());
  width = static_cast<int32_t>(std::min<int64_t>(int64_t{width} * params.PPI / 96, side));
  for (auto& r : radii) r = std::min({r, side, paint_limits::kMaxCornerRadius});
  if (params.Fit == TRadiusFit::FitToControl) radii = FitRadii(radii, rect.Width(), rect.Height());
  const bool rounded = radii[0] > 0 || radii[1] > 0 || radii[2] > 0 || radii[3] > 0;
  if (color == clFuchsia) {
    if (rounded) CutRoundCorners(dst, rect, cache, radii);
    return false;
  }
  const TColor rgb = SkinColorToRGB(color, params.Colors);
  if (!rounded) {
    if (width > 0) FillBands(dst, rect, rgb, width, width, width, width);
    return true;
  }
  TCacheInfo cut = cache;
  if (!cut.Ready && cut.FillColor.C == clFuchsia) cut.FillColor = TsColor(rgb);
  const bool roomy = rect.Width() >= radii[0] + radii[1] && rect.Width() >= radii[2] + radii[3] &&
                     rect.Height() >= radii[0] + radii[2] && rect.Height() >= radii[1] + radii[3];
  if (roomy) {
    CutRoundCorners(dst, rect, cut, radii);
    DrawRoundOutline(dst, rect, radii, width, rgb);
  } else {
    DrawRoundOutline(dst, rect, radii, width, rgb);
    CutRoundCorners(dst, rect, cut, radii);
  }
  return true;
}

}  // namespace ac
