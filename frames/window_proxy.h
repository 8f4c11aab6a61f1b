#pragma once
// TacWindowProxy: stands for a window that no framework control owns (a
// system dialog's button, a plain EDIT) wherever the engine needs a control:
// the skin data of an adapter belongs to a control. The proxy never creates,
// destroys or routes the window; its bounds follow the window on
// SyncBounds, and its WindowProc is what the adapter makes it.

#include <windows.h>

#include "framework/win_control.h"

namespace ac {

class TacWindowProxy final : public TWinControl {
 public:
  explicit TacWindowProxy(HWND window);
  ~TacWindowProxy() override;
  std::string_view ClassName() const override { return "TacWindowProxy"; }

  // Copies the window's position in its parent's client area and its size.
  void SyncBounds();
  // Repaints the window (its frame too), now.
  void Invalidate() override;
};

}  // namespace ac
