#pragma once
// What the frames layer adds to the program: the frame adapter's class for
// window descriptions, and the activation hook the skin manager installs
// when it announces a skin.
#include "framework/component_reader.h"

namespace ac {

// Adds TsSkinProvider, tells the skin manager how to install the activation
// hook and lets framed system dialogs have their controls dressed. Call
// before the first form is created.
void RegisterFrameClasses(TClassRegistry& classes);

}  // namespace ac
