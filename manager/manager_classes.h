#pragma once
// The skin manager's classes a window description may name.

#include "framework/component_reader.h"

namespace ac {

// Adds TsSkinManager.
void RegisterManagerClasses(TClassRegistry& classes);

}  // namespace ac
