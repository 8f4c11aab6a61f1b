#pragma once
// TBitmap: a 32-bit top-down DIB section with a memory DC and a canvas over
// it. The pixel buffers of the engine paint straight into its bits (View);
// the canvas draws into the same bits through GDI. Bytes are blue, green,
// red, alpha.

#include <windows.h>

#include <cstdint>

#include "framework/canvas.h"
#include "pixels/pixel_buffer.h"
#include "win32/scoped_gdi_object.h"

namespace ac {

class TBitmap {
 public:
  TBitmap() = default;
  TBitmap(int width, int height) { SetSize(width, height); }
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;
  ~TBitmap();

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  bool Empty() const { return FBits == nullptr; }

  // Recreates the bitmap with the new size (zeroed bits); 0 × 0 frees it.
  // Throws std::bad_alloc when the system cannot create it.
  void SetSize(int width, int height);

  // Row Y (0 = top); not checked: 0 <= y < Height.
  uint8_t* ScanLine(int y) const { return FBits + static_cast<ptrdiff_t>(y) * FWidth * 4; }
  TsPixelBuffer View() const { return TsPixelBuffer(FBits, FWidth, FHeight, FWidth * 4); }

  HBITMAP Handle() const { return FBitmap.Get(); }
  // Drawing with GDI; GdiFlush runs before the bits are read through View.
  TCanvas& Canvas() const { return FCanvas; }

 private:
  void Free();

  int FWidth = 0;
  int FHeight = 0;
  uint8_t* FBits = nullptr;
  platform::ScopedBitmap FBitmap;
  platform::ScopedMemoryDC FDC;
  HGDIOBJ FOldBitmap = nullptr;
  mutable TCanvas FCanvas;
};

}  // namespace ac
