#include "win32/gdi_text.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "system/win/unicode.h"
#include "win32/gdiplus_text.h"

namespace ac::platform {

namespace {

RECT ToWin(const TRect& r) {
  return RECT{r.Left, r.Top, r.Right, r.Bottom};
}

COLORREF ToColorRef(TColor c) {
  return static_cast<COLORREF>(c) & 0x00FFFFFFu;
}

}  // namespace

TGdiTextRasterizer::TGdiTextRasterizer(HFONT font) : FFont(font), FDC(nullptr) {}

TGdiTextRasterizer::~TGdiTextRasterizer() {
  // A bitmap still selected into a DC cannot be deleted.
  if (FOldBitmap != nullptr) SelectObject(FDC.Get(), FOldBitmap);
}

HFONT TGdiTextRasterizer::Current() {
  if (!FUnderline) return FFont;
  if (!FUnderlined) {
    LOGFONTW lf{};
    if (GetObjectW(FFont, sizeof lf, &lf) == 0) return FFont;
    lf.lfUnderline = TRUE;
    FUnderlined.Reset(CreateFontIndirectW(&lf));
  }
  return FUnderlined ? FUnderlined.Get() : FFont;
}

bool TGdiTextRasterizer::Scratch(int32_t w, int32_t h) {
  if (FBits != nullptr && w <= FWidth && h <= FHeight) return true;
  w = std::max(w, FWidth);
  h = std::max(h, FHeight);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  ScopedBitmap bmp(CreateDIBSection(FDC.Get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bmp || bits == nullptr) return false;
  // The previous scratch bitmap leaves the DC before it is deleted.
  HGDIOBJ old = SelectObject(FDC.Get(), bmp.Get());
  if (FOldBitmap == nullptr) FOldBitmap = old;
  FBitmap = std::move(bmp);
  FBits = static_cast<uint32_t*>(bits);
  FWidth = w;
  FHeight = h;
  return true;
}

void TGdiTextRasterizer::DrawText(const TsPixelBuffer& dst, TRect& rect, std::string_view text,
                                  TColor color, uint32_t flags) {
  std::wstring w = Utf8ToWide(text);
  const HDC dc = FDC.Get();
  if (dc == nullptr) return;
  // The shortened text could not travel back to the caller, and the platform
  // would write it past the end of the copy it was given.
  flags &= ~static_cast<uint32_t>(DT_MODIFYSTRING);
  const ScopedSelectObject font(dc, Current());
  if ((flags & kDtCalcRect) != 0) {
    RECT rc = ToWin(rect);
    // Measuring does not centre: Wine would centre the line on the
    // rectangle's top and report half its height.
    ::DrawTextW(dc, w.data(), static_cast<int>(w.size()), &rc,
                flags & ~static_cast<uint32_t>(DT_VCENTER | DT_BOTTOM));
    rect = TRect::LTRB(rc.left, rc.top, rc.right, rc.bottom);
    return;
  }
  const TRect clip = (flags & kDtNoClip) != 0 ? dst.Bounds() : ClipToBuffer(rect, dst);
  if (dst.IsEmpty() || clip.IsEmpty() || w.empty() || !Scratch(clip.Width(), clip.Height())) return;
  const std::size_t rowBytes = 4 * static_cast<std::size_t>(clip.Width());
  for (int32_t y = 0; y < clip.Height(); ++y)
    std::memcpy(FBits + static_cast<std::ptrdiff_t>(y) * FWidth,
                dst.RowBytes(clip.Top + y) + 4 * static_cast<std::ptrdiff_t>(clip.Left), rowBytes);
  SetViewportOrgEx(dc, -clip.Left, -clip.Top, nullptr);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ToColorRef(color));
  RECT rc = ToWin(rect);
  ::DrawTextW(dc, w.data(), static_cast<int>(w.size()), &rc, flags);
  SetViewportOrgEx(dc, 0, 0, nullptr);
  GdiFlush();
  for (int32_t y = 0; y < clip.Height(); ++y) {
    const uint32_t* s = FBits + static_cast<std::ptrdiff_t>(y) * FWidth;
    uint32_t* d = dst.Row(clip.Top + y) + clip.Left;
    for (int32_t x = 0; x < clip.Width(); ++x) d[x] = (d[x] & 0xFF000000u) | (s[x] & 0x00FFFFFFu);
  }
}

TSize TGdiTextRasterizer::TextExtent(std::string_view text) {
  const std::wstring w = Utf8ToWide(text);
  SIZE size{};
  if (FDC.Get() == nullptr) return {};
  const ScopedSelectObject font(FDC.Get(), Current());
  if (!GetTextExtentPoint32W(FDC.Get(), w.data(), static_cast<int>(w.size()), &size)) return {};
  return {size.cx, size.cy};
}

bool TGdiTextRasterizer::MeasureSmoothText(std::string_view text, int32_t wrapWidth, double& width,
                                           double& height) {
  if (FDC.Get() == nullptr) return false;
  const ScopedSelectObject font(FDC.Get(), Current());
  return GdiPlusMeasureText(FDC.Get(), Utf8ToWide(text), wrapWidth, width, height);
}

bool TGdiTextRasterizer::DrawSmoothText(const TsPixelBuffer& dst, const TsSmoothTextLayout& layout,
                                        std::string_view text, TColor color, uint8_t opacity) {
  if (FDC.Get() == nullptr) return false;
  const ScopedSelectObject font(FDC.Get(), Current());
  return GdiPlusDrawText(FDC.Get(), dst, layout, Utf8ToWide(text), color, opacity);
}

}  // namespace ac::platform
