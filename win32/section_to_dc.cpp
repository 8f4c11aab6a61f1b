#include "win32/section_to_dc.h"

#include "paint/section_paint.h"
#include "pixels/pixel_buffer.h"
#include "win32/scoped_gdi_object.h"

namespace ac::platform {

void PaintSectionToDC(HDC dc, const TRect& rect, const TacSkinData& sd, int32_t skinIndex,
                      int32_t state, const TCacheInfo& cache, TPoint offset) {
  if (rect.IsEmpty() || rect.Left < 0 || rect.Top < 0 || dc == nullptr) return;
  const int32_t w = rect.Width(), h = rect.Height();
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;  // top-down rows, so the view's stride is positive
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  ScopedBitmap bmp(CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bmp || bits == nullptr) return;
  const TsPixelBuffer view(bits, w, h, static_cast<std::ptrdiff_t>(w) * 4);
  PaintSection(view, TRect::XYWH(0, 0, w, h), sd, skinIndex, state, cache, offset);
  GdiFlush();
  ScopedMemoryDC mem(dc);
  if (!mem.Get()) return;
  const ScopedSelectObject select(mem.Get(), bmp.Get());
  BitBlt(dc, rect.Left, rect.Top, w, h, mem.Get(), 0, 0, SRCCOPY);
}

}  // namespace ac::platform
