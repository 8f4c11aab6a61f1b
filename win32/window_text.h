#pragma once
// A window's text (GetWindowTextW) in the core's UTF-8.

#include <windows.h>

#include <string>

namespace ac::platform {

// Empty for a window without text, a dead window or a null one.
std::string WindowTextUtf8(HWND window);

}  // namespace ac::platform
