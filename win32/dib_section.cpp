#include "win32/dib_section.h"

#include <utility>

namespace ac::platform {

TDibSection::TDibSection(TDibSection&& o) noexcept
    : FDC(std::move(o.FDC)),
      FBitmap(std::move(o.FBitmap)),
      FDCBitmap(std::exchange(o.FDCBitmap, nullptr)),
      FBits(std::exchange(o.FBits, nullptr)),
      FWidth(std::exchange(o.FWidth, 0)),
      FHeight(std::exchange(o.FHeight, 0)) {}

TDibSection& TDibSection::operator=(TDibSection&& o) noexcept {
  if (this != &o) {
    Reset();
    FDC = std::move(o.FDC);
    FBitmap = std::move(o.FBitmap);
    FDCBitmap = std::exchange(o.FDCBitmap, nullptr);
    FBits = std::exchange(o.FBits, nullptr);
    FWidth = std::exchange(o.FWidth, 0);
    FHeight = std::exchange(o.FHeight, 0);
  }
  return *this;
}

HDC TDibSection::OpenDC() {
  if (!FDC.Get()) FDC = ScopedMemoryDC(nullptr);
  return FDC.Get();
}

bool TDibSection::Create(int32_t width, int32_t height) {
  if (width <= 0 || height <= 0 || !OpenDC()) return false;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;  // top-down: row 0 is the top row
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  ScopedBitmap bitmap(CreateDIBSection(FDC.Get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || bits == nullptr) return false;
  // A bitmap still selected into a DC cannot be deleted: the new one goes in
  // before the old one is freed.
  const HGDIOBJ previous = SelectObject(FDC.Get(), bitmap.Get());
  if (!FDCBitmap) FDCBitmap = previous;
  FBitmap = std::move(bitmap);
  FBits = static_cast<uint8_t*>(bits);
  FWidth = width;
  FHeight = height;
  return true;
}

void TDibSection::Reset() {
  if (FDC.Get() && FDCBitmap) SelectObject(FDC.Get(), FDCBitmap);
  FDCBitmap = nullptr;
  FBitmap.Reset();
  FDC = ScopedMemoryDC();
  FBits = nullptr;
  FWidth = FHeight = 0;
}

void PresentFace(HDC dst, TPoint at, const TDibSection& face, const TRect& source) {
  if (!dst || face.Empty()) return;
  GdiFlush();
  BitBlt(dst, at.X, at.Y, source.Width(), source.Height(), face.DC(), source.Left, source.Top,
         SRCCOPY);
}

void PresentFace(HDC dst, const TDibSection& face) {
  PresentFace(dst, TPoint{0, 0}, face, TRect::XYWH(0, 0, face.Width(), face.Height()));
}

}  // namespace ac::platform
