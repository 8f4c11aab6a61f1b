#include "frames/static_adapter.h"

#include "frames/adapter_paint.h"
#include "manager/skin_command_delivery.h"
#include "skin/skin_data_lookup.h"
#include "win32/dib_section.h"
#include "win32/scoped_gdi_object.h"

namespace ac {

bool TacStaticWnd::IsTextStyle(LONG style) {
  switch (style & SS_TYPEMASK) {
    case SS_LEFT:
    case SS_CENTER:
    case SS_RIGHT:
    case SS_SIMPLE:
    case SS_LEFTNOWORDWRAP:
      return true;
    default:
      return false;
  }
}

uint32_t TacStaticWnd::TextFlags() const {
  const LONG style = GetWindowLongW(CtrlHandle(), GWL_STYLE);
  uint32_t flags = DT_EXPANDTABS;
  switch (style & SS_TYPEMASK) {
    case SS_CENTER:
      flags |= DT_CENTER | DT_WORDBREAK;
      break;
    case SS_RIGHT:
      flags |= DT_RIGHT | DT_WORDBREAK;
      break;
    case SS_SIMPLE:
    case SS_LEFTNOWORDWRAP:
      flags |= DT_SINGLELINE;
      break;
    default:
      flags |= DT_WORDBREAK;
      break;
  }
  if (style & SS_NOPREFIX) flags |= DT_NOPREFIX;
  if (style & SS_CENTERIMAGE) flags = (flags & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
  return flags;
}

TColor TacStaticWnd::TextColor() {
  TsCommonData& cd = SkinData();
  const TacSkinData* sd = cd.CommonSkinData();
  if (!sd) return static_cast<TColor>(GetSysColor(COLOR_WINDOWTEXT));
  int index = cd.SkinIndex;
  if (HWND parent = GetParent(CtrlHandle())) {
    TacSectionAtQuery query;
    query.Bounds = WindowBounds();
    if (SendSkinCommand(parent, SKC_SECTIONAT, reinterpret_cast<LPARAM>(&query)) > 0 &&
        IsValidSkinIndex(*sd, query.SkinIndex))
      index = query.SkinIndex;
  }
  if (!IsValidSkinIndex(*sd, index)) return SkinManager()->Core.Palette[pcLabelText];
  return sd->gd[static_cast<size_t>(index)].Props[0].FontColor.Color;
}

void TacStaticWnd::PaintFace(TBitmap& cache, const TFaceBase& base) {
  TsCommonData& cd = SkinData();
  const TRect bounds = base.Bounds;
  const TacBgQuery& background = base.Background;
  FillCacheFromBackground(cache, background, bounds.TopLeft());
  RECT client;
  GetClientRect(CtrlHandle(), &client);
  const TColor color = IsWindowEnabled(CtrlHandle())
                           ? TextColor()
                           : static_cast<TColor>(GetSysColor(COLOR_GRAYTEXT));
  WriteWindowText(cache, CtrlHandle(), FromRECT(client), FCaption, cd, 0, color, TextFlags());
}

void TacStaticWnd::Paint(HDC dc) {
  TsCommonData& cd = SkinData();
  if (cd.Updating()) return;
  if (FaceStale()) RenderToCache();
  if (!cd.BGChanged) platform::PresentFace(dc, cd.FCacheBmp.Section());
}

void TacStaticWnd::acWndProc(TMessage& m) {
  if (Skinned()) {
    switch (m.Msg) {
      case WM_PAINT:
        AnswerPaint(m, [this](HDC dc) { Paint(dc); });
        return;
      case WM_ERASEBKGND:
        m.Result = 1;
        return;
      case WM_ENABLE:
        SkinData().BGChanged = true;
        CallPreviousQuietly(m);
        return;
      case WM_SIZE:
      case WM_MOVE:
        SkinData().BGChanged = true;
        break;
      default:
        break;
    }
  }
  TacMainWnd::acWndProc(m);
}

}  // namespace ac
