#pragma once
// The engine's private window classes (the application window, timers, the
// skin-list thread's window, a popup menu's owner, the glow windows): each is
// registered once per process on first use, under this module, and found
// registered afterwards, so no caller keeps a flag of its own.

#include <windows.h>

#include "win32/scoped_window.h"

namespace ac::platform {

struct TPrivateWindowClass {
  const wchar_t* Name = nullptr;
  WNDPROC Procedure = DefWindowProcW;
  UINT Style = 0;            // CS_ bits
  bool ArrowCursor = false;  // windows that show a cursor of their own
};

// Registers the class unless this module has it already. False when the
// system refused (the next call tries again).
bool RegisterPrivateClass(const TPrivateWindowClass& windowClass);

// A message-only window (HWND_MESSAGE: no place on the display, never shown)
// of the class, registered first when needed. Param arrives in WM_NCCREATE as
// CREATESTRUCTW::lpCreateParams. Empty when the system refused.
ScopedWindow CreateMessageWindow(const TPrivateWindowClass& windowClass, void* param = nullptr,
                                 const wchar_t* title = L"");

}  // namespace ac::platform
