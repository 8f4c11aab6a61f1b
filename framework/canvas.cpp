#include "framework/canvas.h"

#include "system/win/unicode.h"
#include "win32/scoped_gdi_object.h"

namespace ac {

RECT ToRECT(const TRect& r) {
  return RECT{r.Left, r.Top, r.Right, r.Bottom};
}
TRect FromRECT(const RECT& r) {
  return TRect::LTRB(r.left, r.top, r.right, r.bottom);
}

void TCanvas::FillRect(const TRect& r) {
  if (Brush.Clear || !FHandle) return;
  platform::ScopedBrush brush(CreateSolidBrush(ColorToRGB(Brush.Color)));
  const RECT rc = ToRECT(r);
  ::FillRect(FHandle, &rc, brush.Get());
}

void TCanvas::PrepareText() {
  SetTextColor(FHandle, ColorToRGB(Font.Color()));
  if (Brush.Clear) {
    SetBkMode(FHandle, TRANSPARENT);
  } else {
    SetBkMode(FHandle, OPAQUE);
    SetBkColor(FHandle, ColorToRGB(Brush.Color));
  }
}

void TCanvas::TextOut(int x, int y, std::string_view text) {
  if (!FHandle) return;
  const std::wstring w = platform::Utf8ToWide(text);
  const platform::ScopedSelectObject font(FHandle, Font.Handle());
  PrepareText();
  ExtTextOutW(FHandle, x, y, 0, nullptr, w.c_str(), static_cast<UINT>(w.size()), nullptr);
}

TSize TCanvas::TextExtent(std::string_view text) {
  if (!FHandle) return {};
  const std::wstring w = platform::Utf8ToWide(text);
  platform::ScopedSelectObject font(FHandle, Font.Handle());
  SIZE s{};
  GetTextExtentPoint32W(FHandle, w.c_str(), static_cast<int>(w.size()), &s);
  return {s.cx, s.cy};
}

void TCanvas::TextRect(TRect& r, std::string_view text, UINT flags) {
  if (!FHandle) return;
  const std::wstring w = platform::Utf8ToWide(text);
  RECT rc = ToRECT(r);
  {
    const platform::ScopedSelectObject font(FHandle, Font.Handle());
    PrepareText();
    DrawTextW(FHandle, w.c_str(), static_cast<int>(w.size()), &rc, flags);
  }
  if (flags & DT_CALCRECT) r = FromRECT(rc);
}

}  // namespace ac
