#include "frames/edit_adapter.h"

#include "frames/adapter_paint.h"
#include "manager/skin_command_delivery.h"
#include "paint/section_paint.h"
#include "win32/dib_section.h"
#include "win32/scoped_gdi_object.h"

namespace ac {

void TacEditWnd::AfterCreation() {
  FScrollProp = platform::ScopedWindowProp(CtrlHandle(), kScrollAdapterProp, this);
}

void TacEditWnd::RestoreStdParams() {
  FScrollProp.Reset();
  TacMainWnd::RestoreStdParams();
}

int TacEditWnd::CurrentState() const {
  HWND wnd = CtrlHandle();
  return IsWindowEnabled(wnd) && GetFocus() == wnd ? 1 : 0;
}

void TacEditWnd::PaintFace(TBitmap& cache, const TFaceBase& base) {
  TsCommonData& cd = SkinData();
  const TRect bounds = base.Bounds;
  const TacBgQuery& background = base.Background;
  PaintSection(cache.View(), TRect::XYWH(0, 0, bounds.Width(), bounds.Height()),
               *cd.CommonSkinData(), cd.SkinIndex, cd.LimitState(CurrentState()),
               CacheInfoFromQuery(background), bounds.TopLeft());
}

void TacEditWnd::PaintFrame(HDC dc) {
  TsCommonData& cd = SkinData();
  if (FaceStale()) RenderToCache();
  if (cd.BGChanged) return;
  // Only the frame: the client area is the system's.
  RECT window, client;
  GetWindowRect(CtrlHandle(), &window);
  GetClientRect(CtrlHandle(), &client);
  MapWindowPoints(CtrlHandle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
  OffsetRect(&client, -window.left, -window.top);
  const platform::ScopedSaveDC saved(dc);
  ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
  platform::PresentFace(dc, cd.FCacheBmp.Section());
}

bool TacEditWnd::AnswerColor(TMessage& m) {
  TsCommonData& cd = SkinData();
  const int state = CurrentState();
  const TColor back = cd.SectionBackColor(state);
  const TColor text = cd.SectionFontColor(state);
  if (back != FBrushColor || !FBrush.Get()) {
    FBrush = platform::ScopedBrush(CreateSolidBrush(static_cast<COLORREF>(back)));
    FBrushColor = back;
  }
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  SetTextColor(dc, static_cast<COLORREF>(text));
  SetBkColor(dc, static_cast<COLORREF>(back));
  m.Result = reinterpret_cast<LRESULT>(FBrush.Get());
  return true;
}

void TacEditWnd::acWndProc(TMessage& m) {
  if (Skinned()) {
    switch (m.Msg) {
      case WM_NCPAINT: {
        // The scroll bars and anything else of the system's first, then
        // the frame over it.
        CallPrevious(m);
        platform::ScopedWindowDC dc(CtrlHandle());
        PaintFrame(dc.Get());
        m.Result = 0;
        return;
      }
      case WM_SETFOCUS:
      case WM_KILLFOCUS:
      case WM_ENABLE:
        SkinData().BGChanged = true;
        CallPrevious(m);
        RedrawWindow(CtrlHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
        return;
      case WM_SIZE:
      case WM_MOVE:
        SkinData().BGChanged = true;
        break;
      case CN_CTLCOLOREDIT:
      case CN_CTLCOLORSTATIC:
        if (AnswerColor(m)) return;
        break;
      default:
        break;
    }
  }
  TacMainWnd::acWndProc(m);
}

}  // namespace ac
