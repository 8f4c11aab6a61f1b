#include "frames/window_proxy.h"

namespace ac {

TacWindowProxy::TacWindowProxy(HWND window) : TWinControl(nullptr) {
  // Set without attaching: the framework must not find the window as one of
  // its controls nor ever destroy it.
  FHandle = window;
  SyncBounds();
}

TacWindowProxy::~TacWindowProxy() {
  FHandle = nullptr;
}

void TacWindowProxy::SyncBounds() {
  if (!FHandle || !IsWindow(FHandle)) return;
  RECT r;
  GetWindowRect(FHandle, &r);
  if (HWND parent = GetParent(FHandle))
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  FLeft = r.left;
  FTop = r.top;
  FWidth = r.right - r.left;
  FHeight = r.bottom - r.top;
}

void TacWindowProxy::Invalidate() {
  if (FHandle && IsWindow(FHandle))
    RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
}

}  // namespace ac
