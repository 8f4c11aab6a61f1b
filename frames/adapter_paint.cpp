#include "frames/adapter_paint.h"

#include "framework/font.h"
#include "framework/win_control.h"
#include "manager/skin_command_delivery.h"
#include "paint/section_text.h"
#include "win32/gdi_text.h"
#include "win32/scoped_gdi_object.h"

namespace ac {

TColor ParentWindowColor(HWND window) {
  HWND parent = GetParent(window);
  if (!parent) return static_cast<TColor>(GetSysColor(COLOR_BTNFACE));
  if (IsWindowSkinned(parent))
    if (const LRESULT c = SendSkinCommand(parent, SKC_GETBGCOLOR, 0); c != 0)
      return static_cast<TColor>(static_cast<uint32_t>(c) & 0xFFFFFF);
  if (TWinControl* control = TWinControl::FindControl(parent)) return ColorToRGB(control->Color());
  return static_cast<TColor>(GetSysColor(COLOR_BTNFACE));
}

TacBgQuery QueryWindowBackground(HWND window) {
  TacBgQuery query;
  if (HWND parent = GetParent(window))
    SendSkinCommand(parent, SKC_GETBACKGROUND, reinterpret_cast<LPARAM>(&query));
  if (query.Kind == bqNone) {
    query = TacBgQuery{};
    query.Kind = bqColor;
    query.Color = ParentWindowColor(window);
  }
  return query;
}

HFONT WindowFont(HWND window) {
  if (auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0))) return font;
  return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

bool SizeCache(TBitmap& cache, int width, int height) {
  if (width <= 0 || height <= 0) return false;
  if (cache.Width() != width || cache.Height() != height) cache.SetSize(width, height);
  return !cache.Empty();
}

void FillCacheFromBackground(TBitmap& cache, const TacBgQuery& query, TPoint offset) {
  const TCacheInfo ci = CacheInfoFromQuery(query);
  const TsPixelBuffer dst = cache.View();
  // Pixels are blue, green, red, alpha in memory; the colour is $00BBGGRR.
  const TsColor fill = ci.FillColor;
  const uint32_t plain = 0xFF000000u | static_cast<uint32_t>(fill.R()) << 16 |
                         static_cast<uint32_t>(fill.G()) << 8 | fill.B();
  for (int y = 0; y < dst.Height; ++y) {
    uint32_t* row = dst.Row(y);
    const int sy = ci.Y + offset.Y + y;
    for (int x = 0; x < dst.Width; ++x) {
      const int sx = ci.X + offset.X + x;
      row[x] = ci.Ready && ci.Bmp.Contains(sx, sy) ? ci.Bmp.At(sx, sy) : plain;
    }
  }
}

void WriteWindowText(TBitmap& cache, HWND window, TRect rect, std::string_view text,
                     const TsCommonData& data, int32_t state, TColor forced, uint32_t flags) {
  if (text.empty() || cache.Empty()) return;
  platform::TGdiTextRasterizer font(WindowFont(window));
  const TsPixelBuffer dst = cache.View();
  const TEnabled enabled = IsWindowEnabled(window) ? TEnabled::Yes : TEnabled::No;
  if (forced != clNone) {
    font.DrawText(dst, rect, text, static_cast<TColor>(static_cast<uint32_t>(forced) & 0xFFFFFF),
                  flags);
    return;
  }
  TsTextCanvas canvas{dst, &font, ColorToRGB(clBtnText)};
  WriteSectionText(canvas, rect, text, enabled, data.CommonSkinData(), data.SkinIndex, state,
                   flags);
}

TSize MeasureWindowText(HWND window, std::string_view text, int width, uint32_t flags) {
  if (text.empty()) return {0, 0};
  platform::TGdiTextRasterizer font(WindowFont(window));
  TRect r = TRect::XYWH(0, 0, width, 0);
  font.DrawText(TsPixelBuffer(), r, text, clBlack, flags | kDtCalcRect);
  return {r.Width(), r.Height()};
}

}  // namespace ac
