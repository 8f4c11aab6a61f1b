#pragma once
// The skinned control classes a window description may name.

#include "framework/component_reader.h"

namespace ac {

// Adds TsPanel, TsEdit, TsButton and TsLabel.
void RegisterControlClasses(TClassRegistry& classes);

}  // namespace ac
