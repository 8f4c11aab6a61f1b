#include "win32/window_region.h"

namespace ac::platform {
namespace {

// Present (with any non-null value) while the window holds a counted region.
constexpr wchar_t kHeldRegionProp[] = L"ACRGNHELD";

void DropHeld(HWND window) {
  if (!RemovePropW(window, kHeldRegionProp)) return;
  HandleReleased(THandleKind::hkGdi);
}

}  // namespace

bool SetWindowRegion(HWND window, ScopedRegion region, TRegionRedraw redraw) {
  if (!window || !IsWindow(window)) return false;
  if (!SetWindowRgn(window, region.Get(), redraw == TRegionRedraw::rrRedraw)) return false;
  // The system deleted the region the window held before.
  DropHeld(window);
  if (!region) return true;
  // The region is the window's now: it leaves its owner without leaving the
  // count, which the window's property keeps until the window drops it.
  HandleCreated(THandleKind::hkGdi);
  region.Release();
  if (!SetPropW(window, kHeldRegionProp, reinterpret_cast<HANDLE>(1)))
    HandleReleased(THandleKind::hkGdi);
  return true;
}

bool HoldsCountedRegion(HWND window) {
  return window && GetPropW(window, kHeldRegionProp) != nullptr;
}

void WindowRegionGone(HWND window) {
  DropHeld(window);
}

}  // namespace ac::platform
