#pragma once
// TDibSection: a 32-bit top-down DIB section selected into a memory DC of its
// own, the one place where the engine's pixel buffers and GDI share pixels.
// Pixel code writes through View(); GDI draws through DC(). Bytes are blue,
// green, red, alpha; row 0 is the top row and rows lie Width * 4 bytes apart.
//
// The DC and the bitmap are counted in LiveHandleCounts (handle_counts.h) like
// every other owner's: two objects while both are held, one while only the DC
// is (OpenDC without Create).
//
// PresentFace copies such a section (a control's cached face, a frame's
// picture) to another DC: the one way the engine puts a cache on the screen.

#include <windows.h>

#include <cstdint>

#include "core/geometry.h"
#include "pixels/pixel_buffer.h"
#include "win32/scoped_gdi_object.h"

namespace ac::platform {

class TDibSection {
 public:
  TDibSection() = default;
  TDibSection(TDibSection&& o) noexcept;
  TDibSection& operator=(TDibSection&& o) noexcept;
  TDibSection(const TDibSection&) = delete;
  TDibSection& operator=(const TDibSection&) = delete;
  ~TDibSection() { Reset(); }

  // Makes the memory DC when there is none yet, without a bitmap (GDI can
  // measure text on it); answers it, null when the system refused.
  HDC OpenDC();
  // Replaces the bitmap with a zeroed Width x Height one, selected into the
  // DC (made first when needed). The previous bitmap leaves the DC before it
  // is deleted. False, with the previous bitmap kept, for a size that is not
  // positive or when the system refused.
  bool Create(int32_t width, int32_t height);
  // Frees the bitmap (after putting the DC's own one back) and the DC.
  void Reset();

  HDC DC() const { return FDC.Get(); }
  HBITMAP Bitmap() const { return FBitmap.Get(); }
  int32_t Width() const { return FWidth; }
  int32_t Height() const { return FHeight; }
  bool Empty() const { return FBits == nullptr; }
  // The bits as a pixel buffer; empty while there is no bitmap. GDI's pending
  // drawing reaches the bits at GdiFlush.
  TsPixelBuffer View() const {
    return TsPixelBuffer(FBits, FWidth, FHeight, static_cast<std::ptrdiff_t>(FWidth) * 4);
  }

 private:
  ScopedMemoryDC FDC;
  ScopedBitmap FBitmap;
  HGDIOBJ FDCBitmap = nullptr;  // the bitmap the DC came with
  uint8_t* FBits = nullptr;
  int32_t FWidth = 0;
  int32_t FHeight = 0;
};

// Copies Source (in Face's pixels) of Face to Dst with its top-left corner at
// At, after a GdiFlush so that GDI sees what pixel code wrote. Nothing
// happens for a null Dst or an empty Face; Source is not clipped to Face.
void PresentFace(HDC dst, TPoint at, const TDibSection& face, const TRect& source);
// The whole of Face at (0, 0) of Dst.
void PresentFace(HDC dst, const TDibSection& face);

}  // namespace ac::platform
