#pragma once
// Move-only owners of GDI objects and device contexts, and a scoped
// SelectObject that always puts the previous object back. Every object an
// owner holds is counted in LiveHandleCounts (handle_counts.h).

#include <windows.h>

#include <utility>

#include "win32/handle_counts.h"

namespace ac::platform {

// Owns one GDI object (HFONT, HBRUSH, HBITMAP, HRGN, HPEN) and deletes it.
template <typename T>
class ScopedGdiObject {
 public:
  ScopedGdiObject() = default;
  explicit ScopedGdiObject(T object) { Reset(object); }
  ScopedGdiObject(ScopedGdiObject&& o) noexcept : FObject(std::exchange(o.FObject, nullptr)) {}
  ScopedGdiObject& operator=(ScopedGdiObject&& o) noexcept {
    if (this != &o) {
      Reset();
      FObject = std::exchange(o.FObject, nullptr);  // already counted
    }
    return *this;
  }
  ScopedGdiObject(const ScopedGdiObject&) = delete;
  ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;
  ~ScopedGdiObject() { Reset(); }

  T Get() const { return FObject; }
  explicit operator bool() const { return FObject != nullptr; }
  void Reset(T object = nullptr) {
    if (FObject) {
      DeleteObject(FObject);
      HandleReleased(THandleKind::hkGdi);
    }
    FObject = object;
    if (FObject) HandleCreated(THandleKind::hkGdi);
  }
  // Gives the object away: from now on it is the caller's, and uncounted.
  T Release() {
    if (FObject) HandleReleased(THandleKind::hkGdi);
    return std::exchange(FObject, nullptr);
  }

 private:
  T FObject = nullptr;
};

using ScopedFont = ScopedGdiObject<HFONT>;
using ScopedBrush = ScopedGdiObject<HBRUSH>;
using ScopedBitmap = ScopedGdiObject<HBITMAP>;
using ScopedRegion = ScopedGdiObject<HRGN>;
using ScopedPen = ScopedGdiObject<HPEN>;

// A memory device context from CreateCompatibleDC, deleted with DeleteDC.
class ScopedMemoryDC {
 public:
  ScopedMemoryDC() = default;
  explicit ScopedMemoryDC(HDC compatibleWith) : FDC(CreateCompatibleDC(compatibleWith)) {
    if (FDC) HandleCreated(THandleKind::hkGdi);
  }
  ScopedMemoryDC(ScopedMemoryDC&& o) noexcept : FDC(std::exchange(o.FDC, nullptr)) {}
  ScopedMemoryDC& operator=(ScopedMemoryDC&& o) noexcept {
    if (this != &o) {
      Free();
      FDC = std::exchange(o.FDC, nullptr);
    }
    return *this;
  }
  ScopedMemoryDC(const ScopedMemoryDC&) = delete;
  ScopedMemoryDC& operator=(const ScopedMemoryDC&) = delete;
  ~ScopedMemoryDC() { Free(); }
  HDC Get() const { return FDC; }

 private:
  void Free() {
    if (!FDC) return;
    DeleteDC(FDC);
    HandleReleased(THandleKind::hkGdi);
    FDC = nullptr;
  }

  HDC FDC = nullptr;
};

// A window's (or the screen's, for a null window) DC from GetDC, released with
// ReleaseDC.
class ScopedGetDC {
 public:
  explicit ScopedGetDC(HWND window) : FWindow(window), FDC(GetDC(window)) {
    if (FDC) HandleCreated(THandleKind::hkGdi);
  }
  ScopedGetDC(const ScopedGetDC&) = delete;
  ScopedGetDC& operator=(const ScopedGetDC&) = delete;
  ~ScopedGetDC() {
    if (!FDC) return;
    ReleaseDC(FWindow, FDC);
    HandleReleased(THandleKind::hkGdi);
  }
  HDC Get() const { return FDC; }

 private:
  HWND FWindow;
  HDC FDC;
};

// A window's whole-window DC (frame included) from GetWindowDC, released with
// ReleaseDC.
class ScopedWindowDC {
 public:
  explicit ScopedWindowDC(HWND window) : FWindow(window), FDC(GetWindowDC(window)) {
    if (FDC) HandleCreated(THandleKind::hkGdi);
  }
  ScopedWindowDC(const ScopedWindowDC&) = delete;
  ScopedWindowDC& operator=(const ScopedWindowDC&) = delete;
  ~ScopedWindowDC() {
    if (!FDC) return;
    ReleaseDC(FWindow, FDC);
    HandleReleased(THandleKind::hkGdi);
  }
  HDC Get() const { return FDC; }

 private:
  HWND FWindow;
  HDC FDC;
};

// Selects an object into a DC for the length of a scope.
class ScopedSelectObject {
 public:
  ScopedSelectObject(HDC dc, HGDIOBJ object) : FDC(dc), FOld(SelectObject(dc, object)) {}
  ScopedSelectObject(const ScopedSelectObject&) = delete;
  ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;
  ~ScopedSelectObject() {
    if (FOld) SelectObject(FDC, FOld);
  }

 private:
  HDC FDC;
  HGDIOBJ FOld;
};

// BeginPaint / EndPaint. The paint DC counts while it is held.
class ScopedPaint {
 public:
  explicit ScopedPaint(HWND window) : FWindow(window) {
    FDC = BeginPaint(window, &FPaint);
    if (FDC) HandleCreated(THandleKind::hkGdi);
  }
  ScopedPaint(const ScopedPaint&) = delete;
  ScopedPaint& operator=(const ScopedPaint&) = delete;
  ~ScopedPaint() {
    EndPaint(FWindow, &FPaint);
    if (FDC) HandleReleased(THandleKind::hkGdi);
  }
  HDC Get() const { return FDC; }
  const RECT& UpdateRect() const { return FPaint.rcPaint; }

 private:
  HWND FWindow;
  PAINTSTRUCT FPaint{};
  HDC FDC;
};

}  // namespace ac::platform
