#pragma once
// The stored DisabledKind property of skinned controls.

#include "framework/property_value.h"
#include "pixels/color_transform.h"

namespace ac {

// A set of dkBlended and dkGrayed as TsDisabledKind bits.
inline TsDisabledKinds DisabledKindValue(const dfm::TValue& v) {
  return SetValue<int>(v, {{"dkBlended", 0}, {"dkGrayed", 1}});
}

}  // namespace ac
