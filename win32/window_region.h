#pragma once
// A window's region handed over as an owned handle. The system owns a region
// that SetWindowRgn accepted and deletes it when the window takes another one
// or is destroyed; until then the region stays counted in LiveHandleCounts
// (handle_counts.h) as held by the window, so a window that keeps a region
// longer than it should shows in the counts like any other handle.
//
// Which windows hold a counted region is kept in a property of the window,
// not in the program: a window that may be given a region calls
// WindowRegionGone from its WM_NCDESTROY, when the system drops the region
// with the window.

#include <windows.h>

#include "win32/scoped_gdi_object.h"

namespace ac::platform {

enum class TRegionRedraw { rrNone, rrRedraw };

// Gives Region to Window (a null region takes the window's region away).
// Returns whether the window took it; a refused region is deleted by its
// owner as usual and the window keeps what it had.
bool SetWindowRegion(HWND window, ScopedRegion region, TRegionRedraw redraw);

// Whether Window holds a region given through SetWindowRegion.
bool HoldsCountedRegion(HWND window);

// Called from a window's WM_NCDESTROY: the region it holds goes with it.
void WindowRegionGone(HWND window);

}  // namespace ac::platform
