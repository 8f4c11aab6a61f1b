#pragma once
// ScopedWindowProp: a window property (SetPropW) that is removed again when
// its owner goes. Move-only.
//
// The property is removed only while the window still exists and still holds
// the value this object set: a window that is already gone has dropped its
// properties, and a property that someone else replaced since is theirs.

#include <windows.h>

#include <utility>

namespace ac::platform {

class ScopedWindowProp {
 public:
  ScopedWindowProp() = default;
  // Name must outlive this object (a string literal in practice). A failed
  // SetPropW (no window) leaves the object empty.
  ScopedWindowProp(HWND window, const wchar_t* name, void* value) {
    if (window && SetPropW(window, name, value)) {
      FWindow = window;
      FName = name;
      FValue = value;
    }
  }
  ScopedWindowProp(ScopedWindowProp&& o) noexcept
      : FWindow(std::exchange(o.FWindow, nullptr)),
        FName(std::exchange(o.FName, nullptr)),
        FValue(std::exchange(o.FValue, nullptr)) {}
  ScopedWindowProp& operator=(ScopedWindowProp&& o) noexcept {
    if (this != &o) {
      Reset();
      FWindow = std::exchange(o.FWindow, nullptr);
      FName = std::exchange(o.FName, nullptr);
      FValue = std::exchange(o.FValue, nullptr);
    }
    return *this;
  }
  ScopedWindowProp(const ScopedWindowProp&) = delete;
  ScopedWindowProp& operator=(const ScopedWindowProp&) = delete;
  ~ScopedWindowProp() { Reset(); }

  bool IsSet() const { return FWindow != nullptr; }
  HWND Window() const { return FWindow; }

  void Reset() {
    if (FWindow && IsWindow(FWindow) && GetPropW(FWindow, FName) == FValue)
      RemovePropW(FWindow, FName);
    FWindow = nullptr;
    FName = nullptr;
    FValue = nullptr;
  }

 private:
  HWND FWindow = nullptr;
  const wchar_t* FName = nullptr;
  void* FValue = nullptr;
};

}  // namespace ac::platform
