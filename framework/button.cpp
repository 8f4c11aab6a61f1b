#include "framework/button.h"

#include "framework/canvas.h"
#include "framework/property_value.h"
#include "win32/scoped_gdi_object.h"

namespace ac {

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 75, 25);
  TabStop = true;
  // The system class decides what a click is.
  ControlStyle = csDoubleClicks;
}

void TButton::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SysClassName = L"BUTTON";
  if (FOwnerDraw) {
    p.Style |= BS_OWNERDRAW;
  } else {
    p.Style |= Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  }
}

void TButton::SetOwnerDraw(bool value) {
  if (value == FOwnerDraw) return;
  FOwnerDraw = value;
  RecreateWnd();
}

void TButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_COMMAND:
      if (HIWORD(m.WParam) == BN_CLICKED) {
        Click();
        return;
      }
      break;
    case CN_DRAWITEM:
      DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam));
      m.Result = TRUE;
      return;
    case CM_DIALOGCHAR:
      if (IsAccel(static_cast<wchar_t>(m.WParam), Caption()) && CanFocus()) {
        Click();
        m.Result = 1;
        return;
      }
      break;
    default:
      break;
  }
  TWinControl::WndProc(m);
}

void TButton::DrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  const bool pushed = item.itemState & ODS_SELECTED;
  const bool focused = item.itemState & ODS_FOCUS;
  if (Default || focused) {
    platform::ScopedBrush black(CreateSolidBrush(RGB(0, 0, 0)));
    FrameRect(dc, &r, black.Get());
    InflateRect(&r, -1, -1);
  }
  UINT state = DFCS_BUTTONPUSH;
  if (pushed) state |= DFCS_PUSHED;
  if (item.itemState & ODS_DISABLED) state |= DFCS_INACTIVE;
  DrawFrameControl(dc, &r, DFC_BUTTON, state);
  TCanvas canvas(dc);
  canvas.Font.Assign(Font());
  if (item.itemState & ODS_DISABLED) canvas.Font.SetColor(clGrayText);
  canvas.Brush.Clear = true;
  TRect text = FromRECT(r);
  if (pushed) text = text.Offset(1, 1);
  canvas.TextRect(text, Caption(), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  if (focused) {
    RECT f = item.rcItem;
    InflateRect(&f, -4, -4);
    DrawFocusRect(dc, &f);
  }
}

bool TButton::SetStoredProperty(std::string_view name, const dfm::TValue& v) {
  if (name == "Default") {
    Default = BoolValue(v);
    return true;
  }
  return TWinControl::SetStoredProperty(name, v);
}

}  // namespace ac
