#pragma once
// The rebuild of a skinned control's face into its cache (TsCommonData::
// FCacheBmp), as the field and the button do it: ask the parent what lies
// behind the control, size the cache to the control, paint the section in a
// state over that background, let the control write its content, and finish
// with the disabled look and the face marked current.

#include <optional>

#include "controls/ts_common_data.h"
#include "pixels/cache_info.h"
#include "pixels/color_transform.h"

namespace ac {

struct TFaceRebuild {
  const TacSkinData* SkinData = nullptr;
  TCacheInfo Background;  // what lies behind the control, from its parent
  TPoint Place;           // the control's position in its parent
  TsPixelBuffer Face;     // the cache, at the control's size
};

// Starts a rebuild of Control's face. Empty when the control has no section
// in the active skin, when the cache cannot be made, or when the parent's
// face is not ready yet: then Data is marked updating, and the control is
// painted again once the parent tells it (SKC_PARENTUPDATED).
std::optional<TFaceRebuild> StartFaceRebuild(TControl& control, TsCommonData& data);

// Paints the control's section in State over the whole face.
void PaintFaceSection(const TFaceRebuild& rebuild, const TsCommonData& data, int state);

// Fades a disabled control's face by DisabledKind and marks the face current
// (BGChanged off, RebuildCount counted).
void FinishFaceRebuild(TControl& control, TsCommonData& data, const TFaceRebuild& rebuild,
                       TsDisabledKinds disabledKind);

}  // namespace ac
