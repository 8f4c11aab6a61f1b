#pragma once
// The background a skinned child control paints its face over.

#include "framework/control.h"
#include "pixels/cache_info.h"

namespace ac {

// The face Control's parent shows, when the parent is a skinned control of
// this engine whose cached face is current and has the parent's size: an
// image answer whose origin is Control's position in the parent. A stale
// face is first rebuilt (the parent is asked to prepare it, then to paint
// what it has pending). Otherwise the parent's colour, as ParentBackground
// gives it. The image belongs to the parent and stays valid until the
// parent's face is rebuilt.
TCacheInfo ParentFaceBackground(const TControl& control);

}  // namespace ac
