#pragma once
// TBitmap: a 32-bit top-down DIB section (platform::TDibSection) with a
// canvas over its DC. The pixel buffers of the engine paint straight into its
// bits (View); the canvas draws into the same bits through GDI. Bytes are
// blue, green, red, alpha.

#include <windows.h>

#include <cstdint>

#include "framework/canvas.h"
#include "pixels/pixel_buffer.h"
#include "win32/dib_section.h"

namespace ac {

class TBitmap {
 public:
  TBitmap() = default;
  TBitmap(int width, int height) { SetSize(width, height); }
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;
  ~TBitmap();

  int Width() const { return FSection.Width(); }
  int Height() const { return FSection.Height(); }
  bool Empty() const { return FSection.Empty(); }

  // Recreates the bitmap with the new size (zeroed bits); 0 × 0 frees it.
  // Throws std::bad_alloc when the system cannot create it.
  void SetSize(int width, int height);

  // Row Y (0 = top); not checked: 0 <= y < Height.
  uint8_t* ScanLine(int y) const { return View().RowBytes(y); }
  TsPixelBuffer View() const { return FSection.View(); }

  HBITMAP Handle() const { return FSection.Bitmap(); }
  // The section itself, for presenting it (platform::PresentFace).
  const platform::TDibSection& Section() const { return FSection; }
  // Drawing with GDI; GdiFlush runs before the bits are read through View.
  TCanvas& Canvas() const { return FCanvas; }

 private:
  void Free();

  platform::TDibSection FSection;
  mutable TCanvas FCanvas;
};

}  // namespace ac
