#pragma once
// Move-only owners of GDI objects and device contexts, a scoped SelectObject
// that always puts the previous object back and a scoped SaveDC that always
// restores the DC. Every object an
// owner holds is counted in LiveHandleCounts (handle_counts.h).

#include <windows.h>

#include <utility>

#include "win32/handle_counts.h"
#include "win32/scoped_handle.h"

namespace ac::platform {

// Counts a GDI object or device context with LiveHandleCounts().Gdi.
struct TGdiCount {
  static void Taken() { HandleCreated(THandleKind::hkGdi); }
  static void Given() { HandleReleased(THandleKind::hkGdi); }
};

template <typename T>
struct TGdiObjectTraits : TGdiCount {
  using THandle = T;
  static void Free(T object) { DeleteObject(object); }
};

// Owns one GDI object (HFONT, HBRUSH, HBITMAP, HRGN, HPEN) and deletes it.
template <typename T>
using ScopedGdiObject = TScopedHandle<TGdiObjectTraits<T>>;

using ScopedFont = ScopedGdiObject<HFONT>;
using ScopedBrush = ScopedGdiObject<HBRUSH>;
using ScopedBitmap = ScopedGdiObject<HBITMAP>;
using ScopedRegion = ScopedGdiObject<HRGN>;
using ScopedPen = ScopedGdiObject<HPEN>;

struct TMemoryDCTraits : TGdiCount {
  using THandle = HDC;
  static void Free(HDC dc) { DeleteDC(dc); }
};

// A memory device context from CreateCompatibleDC, deleted with DeleteDC.
class ScopedMemoryDC : public TScopedHandle<TMemoryDCTraits> {
 public:
  ScopedMemoryDC() = default;
  // A new DC compatible with CompatibleWith (null: with the screen).
  explicit ScopedMemoryDC(HDC compatibleWith) : TScopedHandle(CreateCompatibleDC(compatibleWith)) {}
};

// A DC of a window taken from the system and given back with ReleaseDC: the
// base of ScopedGetDC and ScopedWindowDC, which differ only in how they take it.
class ScopedReleasedDC {
 public:
  ScopedReleasedDC(const ScopedReleasedDC&) = delete;
  ScopedReleasedDC& operator=(const ScopedReleasedDC&) = delete;
  ~ScopedReleasedDC() {
    if (!FDC) return;
    ReleaseDC(FWindow, FDC);
    HandleReleased(THandleKind::hkGdi);
  }
  HDC Get() const { return FDC; }

 protected:
  ScopedReleasedDC(HWND window, HDC dc) : FWindow(window), FDC(dc) {
    if (FDC) HandleCreated(THandleKind::hkGdi);
  }

 private:
  HWND FWindow;
  HDC FDC;
};

// A window's (or the screen's, for a null window) client DC from GetDC.
class ScopedGetDC : public ScopedReleasedDC {
 public:
  explicit ScopedGetDC(HWND window) : ScopedReleasedDC(window, GetDC(window)) {}
};

// A window's whole-window DC (frame included) from GetWindowDC.
class ScopedWindowDC : public ScopedReleasedDC {
 public:
  explicit ScopedWindowDC(HWND window) : ScopedReleasedDC(window, GetWindowDC(window)) {}
};

// Saves a DC's state (SaveDC) and puts it back (RestoreDC) at the end of a
// scope, so that a clip, a viewport origin or a selection made meanwhile does
// not outlive the scope.
class ScopedSaveDC {
 public:
  explicit ScopedSaveDC(HDC dc) : FDC(dc), FSaved(dc ? SaveDC(dc) : 0) {}
  ScopedSaveDC(const ScopedSaveDC&) = delete;
  ScopedSaveDC& operator=(const ScopedSaveDC&) = delete;
  ~ScopedSaveDC() {
    if (FSaved) RestoreDC(FDC, FSaved);
  }

 private:
  HDC FDC;
  int FSaved;
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
