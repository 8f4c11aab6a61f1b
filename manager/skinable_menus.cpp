#include "manager/skinable_menus.h"

#include <algorithm>

#include "framework/bitmap.h"
#include "framework/screen.h"
#include "manager/ts_skin_manager.h"
#include "paint/form_frame.h"
#include "paint/glyph_paint.h"
#include "paint/section_paint.h"
#include "pixels/color.h"
#include "skin/section_state.h"
#include "skin/skin_data_lookup.h"
#include "system/win/unicode.h"
#include "win32/dib_section.h"
#include "win32/scoped_gdi_object.h"

namespace ac {

namespace {

// The font menus are written in, as the system sets it.
platform::ScopedFont MenuFont(bool bold) {
  NONCLIENTMETRICSW ncm{};
  ncm.cbSize = sizeof ncm;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
  if (bold) ncm.lfMenuFont.lfWeight = FW_BOLD;
  return platform::ScopedFont(CreateFontIndirectW(&ncm.lfMenuFont));
}

// The skin's small caption-button image of a window-menu command (the frame's
// buttons show the same shapes), or -1. The loaded skin already stands a big
// image in for a missing small one.
int32_t CommandGlyph(const TacSkinData& sd, UINT command) {
  TacTitleGlyph glyph = tgNone;
  switch (command) {
    case SC_CLOSE:
      glyph = tgSmallClose;
      break;
    case SC_MINIMIZE:
      glyph = tgSmallMin;
      break;
    case SC_MAXIMIZE:
      glyph = tgSmallMax;
      break;
    case SC_RESTORE:
      glyph = tgSmallNormal;
      break;
    default:
      return -1;
  }
  return sd.TitleGlyphs[static_cast<size_t>(glyph)];
}

constexpr const char* kSysMenuPrefix = "acSysMenu";

}  // namespace

int TsSkinableMenus::Scaled(int value) const {
  const int ppi = Screen ? Screen->PixelsPerInch() : 96;
  return MulDiv(value, ppi, 96);
}

void TsSkinableMenus::MeasureItem(const TMenuItem& item, HDC dc, int& width, int& height) const {
  if (item.IsLine()) {
    width = Scaled(Spacing);
    height = 2 * Scaled(Margin) + 1;
    return;
  }
  platform::ScopedFont font = MenuFont(item.Default);
  platform::ScopedSelectObject select(dc, font.Get());
  SIZE caption{}, shortcut{};
  const std::wstring c = platform::Utf8ToWide(item.Caption);
  const std::wstring s = platform::Utf8ToWide(item.ShortCutText);
  RECT r{};
  DrawTextW(dc, c.c_str(), static_cast<int>(c.size()), &r, DT_CALCRECT | DT_SINGLELINE);
  caption = {r.right - r.left, r.bottom - r.top};
  if (!s.empty()) {
    GetTextExtentPoint32W(dc, s.c_str(), static_cast<int>(s.size()), &shortcut);
    shortcut.cx += 2 * Scaled(Spacing);
  }
  const int glyphColumn = Scaled(16) + Scaled(Spacing);
  width = glyphColumn + caption.cx + shortcut.cx + Scaled(Spacing);
  height = std::max<int>(caption.cy, Scaled(16)) + 2 * Scaled(Margin) + 2;
}

void TsSkinableMenus::DrawItem(const TMenuItem& item, HDC dc, const RECT& rect,
                               const TMenuDrawState& state, bool commandGlyph) const {
  if (!FManager.IsActive()) return;
  const TacSkinData& sd = FManager.Core.CommonSkinData(Screen ? Screen->PixelsPerInch() : 96);
  const int index = GetSkinIndex(sd, "MENUITEM");
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (!IsValidSkinIndex(sd, index) || w <= 0 || h <= 0) return;
  const TsGeneralData& g = sd.gd[static_cast<size_t>(index)];
  // A selected item is hot even when disabled: the keyboard's selection
  // may rest on it, and it must be seen where it is.
  const int hot = state.Selected && !item.IsLine() ? SectionState(g, 1) : 0;
  const TColor back = g.Props[0].Color;

  TBitmap image(w, h);
  TCacheInfo parent;
  parent.FillColor = TsColor(back);
  // The item is painted over the menu's own colour, so rounded hot corners
  // show the menu behind them.
  PaintSection(image.View(), TRect::XYWH(0, 0, w, h), sd, index, 0, parent, TPoint{0, 0});
  if (hot) PaintSection(image.View(), TRect::XYWH(0, 0, w, h), sd, index, 1, parent, TPoint{0, 0});

  const TColor font = g.Props[static_cast<size_t>(hot)].FontColor.Color;
  const TColor text = state.Disabled
                          ? static_cast<TColor>(MixColor(static_cast<uint32_t>(font),
                                                         static_cast<uint32_t>(back), 100))
                          : font;
  HDC idc = image.Canvas().Handle();
  GdiFlush();
  if (item.IsLine()) {
    platform::ScopedBrush line(CreateSolidBrush(static_cast<COLORREF>(
        MixColor(static_cast<uint32_t>(font), static_cast<uint32_t>(back), 48))));
    const RECT r{Scaled(Spacing), h / 2, w - Scaled(Spacing), h / 2 + 1};
    FillRect(idc, &r, line.Get());
  } else {
    SetBkMode(idc, TRANSPARENT);
    SetTextColor(idc, static_cast<COLORREF>(text));
    const int glyphColumn = Scaled(16) + Scaled(Spacing);
    // The glyph: a check mark or radio dot, else in a window menu the
    // command's picture from the skin, in its normal state (its hot one is a
    // button face), centred in the glyph column.
    const wchar_t glyph = item.Checked ? (item.RadioItem ? L'h' : L'a') : 0;
    const int32_t picture = !glyph && commandGlyph ? CommandGlyph(sd, item.Command) : -1;
    if (IsValidImgIndex(sd, picture)) {
      const TsMaskData& m = sd.ma[static_cast<size_t>(picture)];
      const TPoint at{Scaled(Spacing) / 2 + (Scaled(16) - m.Width) / 2, (h - m.Height) / 2};
      // What the glyph leaves transparent shows the item painted so far.
      TCacheInfo behind = MakeCacheInfo(image.View(), 0, 0);
      behind.Ready = true;
      PaintSkinGlyph(image.View(), at, behind, sd, picture, 0,
                     state.Disabled ? TEnabled::No : TEnabled::Yes);
    }
    if (glyph) {
      LOGFONTW lf{};
      lf.lfHeight = -Scaled(11);
      lf.lfCharSet = SYMBOL_CHARSET;
      lstrcpyW(lf.lfFaceName, L"Marlett");
      platform::ScopedFont marlett(CreateFontIndirectW(&lf));
      platform::ScopedSelectObject select(idc, marlett.Get());
      RECT gr{Scaled(Spacing) / 2, 0, Scaled(Spacing) / 2 + Scaled(16), h};
      DrawTextW(idc, &glyph, 1, &gr, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    platform::ScopedFont menuFont = MenuFont(item.Default);
    platform::ScopedSelectObject select(idc, menuFont.Get());
    const std::wstring c = platform::Utf8ToWide(item.Caption);
    RECT tr{glyphColumn, 0, w - Scaled(Spacing), h};
    DrawTextW(idc, c.c_str(), static_cast<int>(c.size()), &tr,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    if (!item.ShortCutText.empty()) {
      const std::wstring s = platform::Utf8ToWide(item.ShortCutText);
      DrawTextW(idc, s.c_str(), static_cast<int>(s.size()), &tr,
                DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    }
  }
  platform::PresentFace(dc, TPoint{rect.left, rect.top}, image.Section(), TRect::XYWH(0, 0, w, h));
}

void TsSkinableMenus::SkinItems(TMenuItem& parent, bool systemMenu) {
  for (int i = 0; i < parent.Count(); ++i) {
    TMenuItem& item = parent[i];
    if (!item.OnDrawItem && !item.OnMeasureItem) {
      item.OnMeasureItem = [this](TMenuItem& it, HDC dc, int& width, int& height) {
        MeasureItem(it, dc, width, height);
      };
      item.OnDrawItem = [this, systemMenu](TMenuItem& it, HDC dc, const RECT& rect,
                                           const TMenuDrawState& state) {
        DrawItem(it, dc, rect, state, systemMenu);
      };
      FDressed.push_back(&item);
    }
    SkinItems(item, systemMenu);
  }
}

void TsSkinableMenus::Skin(TPopupMenu& menu) {
  if (!FManager.IsActive()) return;
  SkinItems(menu.Items, menu.Name().rfind(kSysMenuPrefix, 0) == 0);
  menu.OnMenuWindow = [this](HWND popup) { DressPopup(popup); };
}

void TsSkinableMenus::Unskin(TPopupMenu& menu) {
  for (TMenuItem* item : FDressed) {
    item->OnDrawItem = nullptr;
    item->OnMeasureItem = nullptr;
  }
  FDressed.clear();
  menu.OnMenuWindow = nullptr;
  FPopups.clear();
}

void TsSkinableMenus::PaintPopupFrame(HWND popup) const {
  const TacSkinData& sd = FManager.Core.CommonSkinData(Screen ? Screen->PixelsPerInch() : 96);
  const int index = GetSkinIndex(sd, "MENUITEM");
  if (!IsValidSkinIndex(sd, index)) return;
  const auto menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
  RECT window;
  GetWindowRect(popup, &window);
  platform::ScopedWindowDC windowDC(popup);
  HDC dc = windowDC.Get();
  // Everything outside the items is frame, wherever the system draws its
  // own (a non-client border, or a raised edge inside the client area).
  for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
    RECT item;
    if (!GetMenuItemRect(nullptr, menu, static_cast<UINT>(i), &item)) continue;
    OffsetRect(&item, -window.left, -window.top);
    ExcludeClipRect(dc, item.left, item.top, item.right, item.bottom);
  }
  RECT r{0, 0, window.right - window.left, window.bottom - window.top};
  platform::ScopedBrush line(
      CreateSolidBrush(static_cast<COLORREF>(FManager.Core.Palette[pcBorder])));
  platform::ScopedBrush fill(
      CreateSolidBrush(static_cast<COLORREF>(sd.gd[static_cast<size_t>(index)].Props[0].Color)));
  FillRect(dc, &r, line.Get());
  InflateRect(&r, -1, -1);
  FillRect(dc, &r, fill.Get());
}

void TsSkinableMenus::DressPopup(HWND popup) {
  FPopups.emplace_back(popup, [this](HWND wnd, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
    const LRESULT result = platform::TWindowSubclass::Next(wnd, msg, wp, lp);
    if ((msg == WM_PAINT || msg == WM_NCPAINT) && FManager.IsActive()) PaintPopupFrame(wnd);
    return result;
  });
  RedrawWindow(popup, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

}  // namespace ac
