#pragma once
// Move-only owners of USER objects: windows and message timers.

#include <windows.h>

#include <utility>

namespace ac::platform {

// Owns a window and destroys it (unless it is already gone).
class ScopedWindow {
 public:
  ScopedWindow() = default;
  explicit ScopedWindow(HWND window) : FWindow(window) {}
  ScopedWindow(ScopedWindow&& o) noexcept : FWindow(std::exchange(o.FWindow, nullptr)) {}
  ScopedWindow& operator=(ScopedWindow&& o) noexcept {
    if (this != &o) Reset(std::exchange(o.FWindow, nullptr));
    return *this;
  }
  ScopedWindow(const ScopedWindow&) = delete;
  ScopedWindow& operator=(const ScopedWindow&) = delete;
  ~ScopedWindow() { Reset(); }

  HWND Get() const { return FWindow; }
  void Reset(HWND window = nullptr) {
    if (FWindow && IsWindow(FWindow)) DestroyWindow(FWindow);
    FWindow = window;
  }

 private:
  HWND FWindow = nullptr;
};

// A message timer (SetTimer on a window), killed with KillTimer.
class ScopedTimer {
 public:
  ScopedTimer() = default;
  ScopedTimer(HWND window, UINT_PTR id, UINT milliseconds)
      : FWindow(window), FId(SetTimer(window, id, milliseconds, nullptr)) {}
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
    if (FId) KillTimer(FWindow, FId);
    FId = 0;
  }

 private:
  HWND FWindow = nullptr;
  UINT_PTR FId = 0;
};

}  // namespace ac::platform
