#include "frames/button_adapter.h"

#include <algorithm>

#include "controls/state_fade.h"
#include "frames/adapter_paint.h"
#include "paint/dialog_button_colors.h"
#include "paint/section_paint.h"
#include "skin/section_state.h"
#include "skin/skin_data_lookup.h"
#include "win32/dib_section.h"
#include "win32/scoped_gdi_object.h"

namespace ac {

namespace {

bool IsAnswerId(LONG_PTR id) {
  return id == IDOK || id == IDYES;
}

// The buttons of Parent as the dialog colours see them.
TacDialogButtonPlace PlaceInDialog(HWND button, int32_t id) {
  TacDialogButtonPlace place;
  place.Id = id;
  place.IsCancel = id == IDCANCEL;
  HWND parent = GetParent(button);
  if (!parent) return place;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const LONG_PTR childId = child == button ? id : GetWindowLongPtrW(child, GWLP_ID);
    if (IsAnswerId(childId)) place.DialogHasOkOrYes = true;
    if (childId == IDNO) place.DialogHasNo = true;
  }
  return place;
}

}  // namespace

void TacBtnWnd::AfterCreation() {
  ID = static_cast<int32_t>(GetWindowLongPtrW(CtrlHandle(), GWLP_ID));
}

int TacBtnWnd::CurrentState() {
  HWND wnd = CtrlHandle();
  const LRESULT buttonState = SendMessageW(wnd, BM_GETSTATE, 0, 0);
  if (buttonState & BST_PUSHED) return 2;
  if (!IsWindowEnabled(wnd)) return 0;
  TsCommonData& cd = SkinData();
  const TsSkinManager* manager = SkinManager();
  const bool hover = cd.FMouseAbove && !(manager && manager->Options.NoMouseHover);
  // Being the manager's active control is what sets FMouseAbove (through
  // SKC_HOTENTER, until SKC_HOTLEAVE), so hover covers it.
  if (GetFocus() == wnd || hover || (!OwnerControl() && cd.FFocused)) return 1;
  if ((GetWindowLongW(wnd, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
    return OwnerControl() ? 1 : 3;
  return 0;
}

int TacBtnWnd::PaintState() {
  int state = CurrentState();
  const TacSkinData* sd = SkinData().CommonSkinData();
  const int index = SkinData().SkinIndex;
  if (!sd || !IsValidSkinIndex(*sd, index)) return 0;
  const TsGeneralData& section = sd->gd[static_cast<size_t>(index)];
  if (state == 3 && section.States < 4) state = 1;
  return SectionState(section, state);
}

uint32_t TacBtnWnd::CaptionFlags() const {
  uint32_t flags = DT_CENTER | DT_EXPANDTABS;
  if (GetWindowLongW(CtrlHandle(), GWL_STYLE) & BS_MULTILINE) flags |= DT_WORDBREAK;
  if (GetWindowLongW(CtrlHandle(), GWL_EXSTYLE) & WS_EX_RTLREADING) flags |= DT_RTLREADING;
  return flags;
}

TRect TacBtnWnd::CaptionRect(TSize text, int state) const {
  RECT client;
  GetClientRect(CtrlHandle(), &client);
  const int left = (client.right - text.cx) / 2;
  const int top = (client.bottom - text.cy) / 2;
  TRect r = TRect::LTRB(left - 1, top, left + text.cx + 2, top + text.cy);
  if (state == 2) {
    const TsSkinManager* manager = SkinManager();
    const TacSkinData* sd = SkinData().CommonSkinData();
    const int index = SkinData().SkinIndex;
    const bool sectionShifts =
        sd && IsValidSkinIndex(*sd, index) && sd->gd[static_cast<size_t>(index)].ShiftOnClick;
    if (sectionShifts || (manager && manager->ButtonsOptions.ShiftContentOnClick))
      r = r.Offset(1, 1);
  }
  return r;
}

TColor TacBtnWnd::CaptionColor(int state) {
  const TsSkinManager* manager = SkinManager();
  if (!manager) return clNone;
  const uint32_t coloring = manager->ButtonsOptions.ModalButtonsColoring;
  if (!(coloring & (1u << static_cast<int>(TacModalButtonsColoring::bcGlyph)))) return clNone;
  const auto color =
      DialogButtonColor(PlaceInDialog(CtrlHandle(), ID), TacDialogColorPart::dcpGlyph, state);
  return color ? static_cast<TColor>(static_cast<uint32_t>(*color) & 0xFFFFFF) : clNone;
}

void TacBtnWnd::PaintFace(TBitmap& cache, const TFaceBase& base) {
  TsCommonData& cd = SkinData();
  const TRect bounds = base.Bounds;
  const TacBgQuery& background = base.Background;
  const int state = PaintState();
  PaintSection(cache.View(), TRect::XYWH(0, 0, bounds.Width(), bounds.Height()),
               *cd.CommonSkinData(), cd.SkinIndex, state, CacheInfoFromQuery(background),
               bounds.TopLeft());
  if (!FCaption.empty()) {
    const uint32_t flags = CaptionFlags();
    const TSize text = MeasureWindowText(CtrlHandle(), FCaption, bounds.Width(),
                                         (flags & DT_WORDBREAK) ? flags : flags | DT_SINGLELINE);
    const int raw = CurrentState();
    WriteWindowText(cache, CtrlHandle(), CaptionRect(text, raw), FCaption, cd, state,
                    CaptionColor(raw == 0 ? 0 : 1), flags);
  }
}

void TacBtnWnd::Paint(HDC dc) {
  TsCommonData& cd = SkinData();
  // A running fade shows its own frames.
  if (cd.Updating() || IsAnimating(cd)) return;
  if (FaceStale()) RenderToCache();
  if (!cd.BGChanged) platform::PresentFace(dc, cd.FCacheBmp.Section());
}

bool TacBtnWnd::ButtonMessage(TMessage& m) {
  TsCommonData& cd = SkinData();
  switch (m.Msg) {
    case WM_PAINT:
      AnswerPaint(m, [this](HDC dc) { Paint(dc); });
      return true;
    case WM_ERASEBKGND:
      m.Result = 1;
      return true;
    case WM_NCPAINT:
    case WM_UPDATEUISTATE:
      m.Result = 0;
      return true;
    case WM_SIZE:
    case WM_MOVE:
      cd.BGChanged = true;
      CallPrevious(m);
      return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      cd.FFocused = m.Msg == WM_SETFOCUS;
      cd.BGChanged = true;
      CallPreviousQuietly(m);
      return true;
    case WM_ENABLE:
      StopStateAnimation(cd);
      cd.BGChanged = true;
      CallPreviousQuietly(m);
      return true;
    case BM_SETSTATE:
    case BM_SETCHECK:
    case BM_SETSTYLE:
      cd.BGChanged = true;
      CallPreviousQuietly(m);
      return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CAPTURECHANGED:
      // Not quietly: the system's handling looks for visible siblings (a
      // radio group) and moves the focus; what it paints on the way comes
      // through the state messages above.
      cd.BGChanged = true;
      CallPrevious(m);
      if (IsWindow(CtrlHandle())) Repaint();
      return true;
    case WM_LBUTTONUP: {
      cd.BGChanged = true;
      CallPrevious(m);
      if (!IsWindow(CtrlHandle())) return true;
      Repaint();
      POINT cursor;
      RECT r;
      if (IsWindow(CtrlHandle()) && GetCursorPos(&cursor) && GetWindowRect(CtrlHandle(), &r) &&
          PtInRect(&r, cursor))
        SendSkinCommandMessage(CtrlHandle(), SKC_HOTENTER, 0);
      return true;
    }
    case WM_MOUSEMOVE: {
      TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, CtrlHandle(), 0};
      TrackMouseEvent(&track);
      return false;
    }
    case WM_MOUSELEAVE:
      if (TsSkinManager* manager = SkinManager();
          manager && manager->ActiveControl() == CtrlHandle())
        manager->SetActiveControl(nullptr);
      CallPrevious(m);
      return true;
    default:
      break;
  }
  if (m.Msg != WM_SKINCMD) return false;
  switch (SkinCommandCode(m.WParam)) {
    case SKC_NEWSKIN:
    case SKC_REMOVESKIN:
      StopStateAnimation(cd);
      return false;
    case SKC_HOTENTER: {
      const TsSkinManager* manager = SkinManager();
      if (manager && manager->Options.NoMouseHover) return true;
      cd.FMouseAbove = true;
      StartStateChange(cd, PaintState());
      return true;
    }
    case SKC_HOTLEAVE:
      cd.FMouseAbove = false;
      StartStateChange(cd, PaintState());
      return true;
    default:
      return false;
  }
}

void TacBtnWnd::acWndProc(TMessage& m) {
  if (Skinned() && ButtonMessage(m)) return;
  TacMainWnd::acWndProc(m);
}

TacButtonWnd::TacButtonWnd(TButton& button, TsSkinManager* manager, const TacSkinParams& params)
    : TacBtnWnd(button.Handle(), manager, params), Btn(button) {}

void TacButtonWnd::AfterCreation() {
  ID = DialogIdOfModalResult(ModalResult);
}

}  // namespace ac
