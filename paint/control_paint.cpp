#include "paint/control_paint.h"

#include <algorithm>

#include "paint/mask_paint.h"
#include "paint/paint_limits.h"
#include "paint/section_paint.h"
#include "paint/section_paint_internal.h"
#include "paint/skin_colors.h"
#include "pixels/blend_channel.h"
#include "pixels/color_transform.h"
#include "skin/section_state.h"
#include "skin/skin_data_lookup.h"

namespace ac {

namespace {

void ApplyEffects(const TsControlPaintData& ctrl, const TsPixelBuffer& dst) {
  if (ctrl.ColorTone != clNone) {
    const TColor tone = ctrl.ColorTone;
    ForEachPixel(
        dst, [tone](uint32_t& p) { p = ToneByColor(p, tone); }, clFuchsia);
  }
  if (ctrl.HueOffset != 0) {
    const int32_t deg = ctrl.HueOffset;
    ForEachPixel(
        dst, [deg](uint32_t& p) { p = ShiftHue(p, deg); }, clFuchsia);
  }
  if (ctrl.Saturation != 0) {
    const int32_t amount = ctrl.Saturation;
    ForEachPixel(
        dst, [amount](uint32_t& p) { p = ScaleSaturation(p, amount); }, clFuchsia);
  }
}

enum class TBorderKind { None, NineSlice, Plain };

}  // namespace

void PaintControlSection(const TsPixelBuffer& dst, const TRect& rect,
                         const TsControlPaintData& ctrl, int32_t state, const TCacheInfo& cache,
                         TPoint offset, TUseParent useParent) {
  if (ctrl.SkinData == nullptr || dst.IsEmpty()) return;
  const TacSkinData& sd = *ctrl.SkinData;
  if (!IsValidSkinIndex(sd, ctrl.SkinIndex)) return;
  if (!paint_limits::InPaintRange(offset) || !paint_limits::InPaintRange(cache)) return;
  const TRect r = rect.Intersect(dst.Bounds());
  if (r.IsEmpty()) return;
  const TsGeneralData& gd = sd.gd[ctrl.SkinIndex];
  state = SectionState(gd, state);
  const int32_t s = PropsState(gd, state);
  const TsGenState& props = gd.Props[s];

  PaintSectionBackground(dst, r, sd, ctrl.SkinIndex, s, cache, offset,
                         ctrl.CustomColor ? ctrl.Color : clFuchsia);
  section_detail::PaintCornerImages(dst, r, sd, gd, s);

  TBorderKind kind = TBorderKind::None;
  if (ctrl.CustomBorder != nullptr) {
    kind = TBorderKind::Plain;
  } else if (IsValidImgIndex(sd, gd.BorderIndex)) {
    if (!(s == 0 && HasDrawModeBit(sd.ma[gd.BorderIndex].DrawMode, TDrawModeBit::SkipState0)))
      kind = TBorderKind::NineSlice;
  } else if (props.BorderColor != clFuchsia) {
    kind = TBorderKind::Plain;
  }

  const TCacheInfo shifted = section_detail::Shifted(cache, offset);
  bool effects = false;
  switch (kind) {
    case TBorderKind::NineSlice:
      PaintMaskRect(dst, r, sd.ma[gd.BorderIndex], state, shifted, useParent);
      effects = true;
      break;
    case TBorderKind::Plain:
      effects = PaintPlainBorder(dst, r, gd, state, shifted,
                                 {ctrl.PPI, SkinColorsOf(sd.FOwner), ctrl.CustomBorder,
                                  TRadiusFit::FitToControl}) ||
                props.Transparency == 0;
      break;
    case TBorderKind::None:
      effects = props.Transparency < 100;
      break;
  }
  if (effects) ApplyEffects(ctrl, dst);
}

}  // namespace ac
