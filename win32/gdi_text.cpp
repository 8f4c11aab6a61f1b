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

TGdiTextRasterizer::TGdiTextRasterizer(HFONT font) : FFont(font) {
  // Measuring needs the DC before any text is drawn.
  FScratch.OpenDC();
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
  if (!FScratch.Empty() && w <= FScratch.Width() && h <= FScratch.Height()) return true;
  return FScratch.Create(std::max(w, FScratch.Width()), std::max(h, FScratch.Height()));
}

void TGdiTextRasterizer::DrawText(const TsPixelBuffer& dst, TRect& rect, std::string_view text,
                                  TColor color, uint32_t flags) {
  std::wstring w = Utf8ToWide(text);
  const HDC dc = FScratch.DC();
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
  const TsPixelBuffer scratch = FScratch.View();
  const std::size_t rowBytes = 4 * static_cast<std::size_t>(clip.Width());
  for (int32_t y = 0; y < clip.Height(); ++y)
    std::memcpy(scratch.RowBytes(y),
                dst.RowBytes(clip.Top + y) + 4 * static_cast<std::ptrdiff_t>(clip.Left), rowBytes);
  SetViewportOrgEx(dc, -clip.Left, -clip.Top, nullptr);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ToColorRef(color));
  RECT rc = ToWin(rect);
  ::DrawTextW(dc, w.data(), static_cast<int>(w.size()), &rc, flags);
  SetViewportOrgEx(dc, 0, 0, nullptr);
  GdiFlush();
  for (int32_t y = 0; y < clip.Height(); ++y) {
    const uint32_t* s = scratch.Row(y);
    uint32_t* d = dst.Row(clip.Top + y) + clip.Left;
    for (int32_t x = 0; x < clip.Width(); ++x) d[x] = (d[x] & 0xFF000000u) | (s[x] & 0x00FFFFFFu);
  }
}

TSize TGdiTextRasterizer::TextExtent(std::string_view text) {
  const std::wstring w = Utf8ToWide(text);
  SIZE size{};
  if (FScratch.DC() == nullptr) return {};
  const ScopedSelectObject font(FScratch.DC(), Current());
  if (!GetTextExtentPoint32W(FScratch.DC(), w.data(), static_cast<int>(w.size()), &size)) return {};
  return {size.cx, size.cy};
}

bool TGdiTextRasterizer::MeasureSmoothText(std::string_view text, int32_t wrapWidth, double& width,
                                           double& height) {
  if (FScratch.DC() == nullptr) return false;
  const ScopedSelectObject font(FScratch.DC(), Current());
  return GdiPlusMeasureText(FScratch.DC(), Utf8ToWide(text), wrapWidth, width, height);
}

bool TGdiTextRasterizer::DrawSmoothText(const TsPixelBuffer& dst, const TsSmoothTextLayout& layout,
                                        std::string_view text, TColor color, uint8_t opacity) {
  if (FScratch.DC() == nullptr) return false;
  const ScopedSelectObject font(FScratch.DC(), Current());
  return GdiPlusDrawText(FScratch.DC(), dst, layout, Utf8ToWide(text), color, opacity);
}

}  // namespace ac::platform
