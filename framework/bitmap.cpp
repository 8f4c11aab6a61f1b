#include "framework/bitmap.h"

#include <new>

namespace ac {

TBitmap::~TBitmap() {
  Free();
}

void TBitmap::Free() {
  if (FDC.Get() && FOldBitmap) SelectObject(FDC.Get(), FOldBitmap);
  FOldBitmap = nullptr;
  FCanvas.SetHandle(nullptr);
  FDC = platform::ScopedMemoryDC();
  FBitmap.Reset();
  FBits = nullptr;
  FWidth = FHeight = 0;
}

void TBitmap::SetSize(int width, int height) {
  Free();
  if (width <= 0 || height <= 0) return;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;  // top-down: row 0 is the top row
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  FBitmap.Reset(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!FBitmap) throw std::bad_alloc();
  FDC = platform::ScopedMemoryDC(nullptr);
  FOldBitmap = SelectObject(FDC.Get(), FBitmap.Get());
  FBits = static_cast<uint8_t*>(bits);
  FWidth = width;
  FHeight = height;
  FCanvas.SetHandle(FDC.Get());
}

}  // namespace ac
