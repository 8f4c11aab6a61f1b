#pragma once
// Live GDI and USER objects of this process, counted by the handle wrappers
// that create and free them (ScopedGdiObject, ScopedMemoryDC, ScopedGetDC,
// ScopedWindowDC, ScopedPaint, ScopedWindow, ScopedHook, ScopedMenu), by the
// regions windows hold (SetWindowRegion, window_region.h) and by the
// component framework's windows.
//
// GetGuiResources answers 0 under Wine, so a leak test cannot ask the system;
// these counters are what the program itself holds. An object made with a bare
// Win32 call outside the wrappers is not counted: scripts/raw_handles_check.sh
// keeps such calls inside win32/. Single user-interface thread
// in practice, but the counters are atomic so a worker thread's bitmap (the
// skin-list previews) cannot tear them.

#include <atomic>

namespace ac::platform {

struct THandleCounts {
  long Gdi = 0;     // GDI objects and device contexts
  long User = 0;    // windows and hooks
  long Timers = 0;  // message timers that are running (ScopedTimer)
  bool operator==(const THandleCounts&) const = default;
};

THandleCounts LiveHandleCounts();

enum class THandleKind { hkGdi, hkUser, hkTimer };

// Called by the wrappers when they take and give up an object.
void HandleCreated(THandleKind kind);
void HandleReleased(THandleKind kind);

// The registered message another process sends to the application window to
// read the counters: WParam selects kHandleCountGdi, kHandleCountUser or
// kHandleCountTimers, the result is the count. A program at rest runs no
// timer, so the timer count tells from outside whether anything animates.
inline constexpr wchar_t kHandleCountsMessageName[] = L"VelmoraHandleCounts";
inline constexpr unsigned kHandleCountGdi = 0;
inline constexpr unsigned kHandleCountUser = 1;
inline constexpr unsigned kHandleCountTimers = 2;
// WParam 3 reads the number of state-fade frames shown since the start, so
// that a reader outside can count the frames of one fade.
inline constexpr unsigned kFadeFramesShown = 3;

// Called each time a fade frame reaches the screen.
void CountFadeFrame();
long FadeFramesShown();

}  // namespace ac::platform
