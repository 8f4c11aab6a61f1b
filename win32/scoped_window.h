#pragma once
// Move-only owners of USER objects: windows, hooks and message timers.
// Windows and hooks held here are counted in LiveHandleCounts
// (handle_counts.h), running timers apart from them.

#include <windows.h>

#include <utility>

#include "win32/handle_counts.h"
#include "win32/scoped_handle.h"

namespace ac::platform {

// Counts a window, hook or menu with LiveHandleCounts().User.
struct TUserCount {
  static void Taken() { HandleCreated(THandleKind::hkUser); }
  static void Given() { HandleReleased(THandleKind::hkUser); }
};

struct TWindowTraits : TUserCount {
  using THandle = HWND;
  // A window may have gone already (its parent took it along).
  static void Free(HWND window) {
    if (IsWindow(window)) DestroyWindow(window);
  }
};

// Owns a window and destroys it (unless it is already gone).
using ScopedWindow = TScopedHandle<TWindowTraits>;

struct THookTraits : TUserCount {
  using THandle = HHOOK;
  static void Free(HHOOK hook) { UnhookWindowsHookEx(hook); }
};

// A hook of this thread (SetWindowsHookExW), removed with UnhookWindowsHookEx.
// The hook procedure passes every call on with CallNextHookEx itself.
class ScopedHook : public TScopedHandle<THookTraits> {
 public:
  ScopedHook() = default;
  ScopedHook(int kind, HOOKPROC procedure)
      : TScopedHandle(SetWindowsHookExW(kind, procedure, nullptr, GetCurrentThreadId())) {}
};

struct TMenuTraits : TUserCount {
  using THandle = HMENU;
  static void Free(HMENU menu) { DestroyMenu(menu); }
};

// A menu (CreatePopupMenu) with its sub-menus, destroyed with DestroyMenu.
using ScopedMenu = TScopedHandle<TMenuTraits>;

// A message timer (SetTimer on a window), killed with KillTimer. Running
// timers are counted in LiveHandleCounts().Timers.
class ScopedTimer {
 public:
  ScopedTimer() = default;
  ScopedTimer(HWND window, UINT_PTR id, UINT milliseconds)
      : FWindow(window), FId(SetTimer(window, id, milliseconds, nullptr)) {
    if (FId) HandleCreated(THandleKind::hkTimer);
  }
  ScopedTimer(ScopedTimer&& o) noexcept
      : FWindow(std::exchange(o.FWindow, nullptr)), FId(std::exchange(o.FId, 0)) {}
  ScopedTimer& operator=(ScopedTimer&& o) noexcept {
    if (this != &o) {
      Reset();
      FWindow = std::exchange(o.FWindow, nullptr);
      FId = std::exchange(o.FId, 0);
    }
    return *this;
  }
  ScopedTimer(const ScopedTimer&) = delete;
  ScopedTimer& operator=(const ScopedTimer&) = delete;
  ~ScopedTimer() { Reset(); }

  bool Active() const { return FId != 0; }
  void Reset() {
    if (FId) {
      KillTimer(FWindow, FId);
      HandleReleased(THandleKind::hkTimer);
    }
    FId = 0;
  }

 private:
  HWND FWindow = nullptr;
  UINT_PTR FId = 0;
};

}  // namespace ac::platform
