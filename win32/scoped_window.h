#pragma once
// Move-only owners of USER objects: windows, hooks and message timers.
// Windows and hooks held here are counted in LiveHandleCounts
// (handle_counts.h), running timers apart from them.

#include <windows.h>

#include <utility>

#include "win32/handle_counts.h"

namespace ac::platform {

// Owns a window and destroys it (unless it is already gone).
class ScopedWindow {
 public:
  ScopedWindow() = default;
  explicit ScopedWindow(HWND window) { Reset(window); }
  ScopedWindow(ScopedWindow&& o) noexcept : FWindow(std::exchange(o.FWindow, nullptr)) {}
  ScopedWindow& operator=(ScopedWindow&& o) noexcept {
    if (this != &o) {
      Reset();
      FWindow = std::exchange(o.FWindow, nullptr);  // already counted
    }
    return *this;
  }
  ScopedWindow(const ScopedWindow&) = delete;
  ScopedWindow& operator=(const ScopedWindow&) = delete;
  ~ScopedWindow() { Reset(); }

  HWND Get() const { return FWindow; }
  void Reset(HWND window = nullptr) {
    if (FWindow) {
      if (IsWindow(FWindow)) DestroyWindow(FWindow);
      HandleReleased(THandleKind::hkUser);
    }
    FWindow = window;
    if (FWindow) HandleCreated(THandleKind::hkUser);
  }

 private:
  HWND FWindow = nullptr;
};

// A hook of this thread (SetWindowsHookExW), removed with UnhookWindowsHookEx.
// The hook procedure passes every call on with CallNextHookEx itself.
class ScopedHook {
 public:
  ScopedHook() = default;
  ScopedHook(int kind, HOOKPROC procedure)
      : FHook(SetWindowsHookExW(kind, procedure, nullptr, GetCurrentThreadId())) {
    if (FHook) HandleCreated(THandleKind::hkUser);
  }
  ScopedHook(ScopedHook&& o) noexcept : FHook(std::exchange(o.FHook, nullptr)) {}
  ScopedHook& operator=(ScopedHook&& o) noexcept {
    if (this != &o) {
      Reset();
      FHook = std::exchange(o.FHook, nullptr);
    }
    return *this;
  }
  ScopedHook(const ScopedHook&) = delete;
  ScopedHook& operator=(const ScopedHook&) = delete;
  ~ScopedHook() { Reset(); }

  HHOOK Get() const { return FHook; }
  explicit operator bool() const { return FHook != nullptr; }
  void Reset() {
    if (!FHook) return;
    UnhookWindowsHookEx(FHook);
    HandleReleased(THandleKind::hkUser);
    FHook = nullptr;
  }

 private:
  HHOOK FHook = nullptr;
};

// A menu (CreatePopupMenu) with its sub-menus, destroyed with DestroyMenu.
class ScopedMenu {
 public:
  ScopedMenu() = default;
  explicit ScopedMenu(HMENU menu) : FMenu(menu) {
    if (FMenu) HandleCreated(THandleKind::hkUser);
  }
  ScopedMenu(ScopedMenu&& o) noexcept : FMenu(std::exchange(o.FMenu, nullptr)) {}
  ScopedMenu& operator=(ScopedMenu&& o) noexcept {
    if (this != &o) {
      Reset();
      FMenu = std::exchange(o.FMenu, nullptr);
    }
    return *this;
  }
  ScopedMenu(const ScopedMenu&) = delete;
  ScopedMenu& operator=(const ScopedMenu&) = delete;
  ~ScopedMenu() { Reset(); }

  HMENU Get() const { return FMenu; }
  void Reset() {
    if (!FMenu) return;
    DestroyMenu(FMenu);
    HandleReleased(THandleKind::hkUser);
    FMenu = nullptr;
  }

 private:
  HMENU FMenu = nullptr;
};

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
