#include "framework/bitmap.h"

#include <new>

namespace ac {

TBitmap::~TBitmap() {
  Free();
}

void TBitmap::Free() {
  FCanvas.SetHandle(nullptr);
  FSection.Reset();
}

void TBitmap::SetSize(int width, int height) {
  Free();
  if (width <= 0 || height <= 0) return;
  if (!FSection.Create(width, height)) {
    FSection.Reset();
    throw std::bad_alloc();
  }
  FCanvas.SetHandle(FSection.DC());
}

}  // namespace ac
