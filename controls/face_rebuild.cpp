#include "controls/face_rebuild.h"

#include "controls/background_query.h"
#include "paint/control_paint.h"
#include "skin/skin_data_lookup.h"

namespace ac {

std::optional<TFaceRebuild> StartFaceRebuild(TControl& control, TsCommonData& data) {
  const TacSkinData* sd = data.CommonSkinData();
  if (!sd || !IsValidSkinIndex(*sd, data.SkinIndex)) return std::nullopt;
  const TacBgQuery background = QueryParentBackground(control);
  if (background.Kind == bqNotReady) {
    data.FUpdating = true;
    return std::nullopt;
  }
  TBitmap& cache = data.FCacheBmp;
  if (cache.Width() != control.Width() || cache.Height() != control.Height())
    cache.SetSize(control.Width(), control.Height());
  if (cache.Empty()) return std::nullopt;
  return TFaceRebuild{sd, CacheInfoFromQuery(background), TPoint{control.Left(), control.Top()},
                      cache.View()};
}

void PaintFaceSection(const TFaceRebuild& rebuild, const TsCommonData& data, int state) {
  TsControlPaintData ctrl;
  ctrl.SkinData = rebuild.SkinData;
  ctrl.SkinIndex = data.SkinIndex;
  ctrl.PPI = data.CurrentPPI;
  PaintControlSection(rebuild.Face, rebuild.Face.Bounds(), ctrl, state, rebuild.Background,
                      rebuild.Place, TUseParent::Yes);
}

void FinishFaceRebuild(TControl& control, TsCommonData& data, const TFaceRebuild& rebuild,
                       TsDisabledKinds disabledKind) {
  if (!control.Enabled()) {
    ApplyDisabledLook(rebuild.Face, rebuild.Background, rebuild.Place, disabledKind,
                      ParentBackColor(control));
  }
  data.BGChanged = false;
  ++data.RebuildCount;
}

}  // namespace ac
