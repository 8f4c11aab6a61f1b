#pragma once
// Resolution awareness, declared once at program start before any window
// exists.

namespace ac {

struct TDpiAwareness {
  bool ProcessDpiAware = false;  // SetProcessDPIAware returned non-zero
  bool PerMonitorAware = false;  // GetProcessDpiAwareness answered 2
};

// Looks up SetProcessDPIAware in "user32.dll" and calls it, then looks up
// GetProcessDpiAwareness in "Shcore.dll" and asks it about this process, and
// returns what the two said. Missing libraries or functions leave the flags
// false. Call once.
TDpiAwareness MakeProcessDpiAware();

}  // namespace ac
