#include "framework/edit.h"

#include "framework/property_value.h"
#include "win32/scoped_gdi_object.h"

namespace ac {

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 121, 21);
  SetColor(clWindow);
  TabStop = true;
  ControlStyle = csClickEvents | csDoubleClicks | csOpaque;
  SetCursor(TCursor::crIBeam);
}

void TCustomEdit::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SysClassName = L"EDIT";
  p.Style |= ES_AUTOHSCROLL;
  if (FReadOnly) p.Style |= ES_READONLY;
  if (FAlignment == TAlignment::taCenter) p.Style |= ES_CENTER;
  if (FAlignment == TAlignment::taRightJustify) p.Style |= ES_RIGHT;
  p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::SetAlignment(TAlignment alignment) {
  if (alignment == FAlignment) return;
  FAlignment = alignment;
  // The system edit takes its alignment only at creation.
  RecreateWnd();
}

void TCustomEdit::SetReadOnly(bool readOnly) {
  FReadOnly = readOnly;
  if (HandleAllocated()) SendMessageW(FHandle, EM_SETREADONLY, readOnly, 0);
}

void TCustomEdit::SelectAll() {
  if (HandleAllocated()) SendMessageW(FHandle, EM_SETSEL, 0, -1);
}

void TCustomEdit::WndProc(TMessage& m) {
  // The field's colours come from the control, whether the system asks for an
  // editable (CTLCOLOREDIT) or a read-only one (CTLCOLORSTATIC).
  if (m.Msg == CN_CTLCOLOREDIT || m.Msg == CN_CTLCOLORSTATIC) {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    SetTextColor(dc, ColorToRGB(Enabled() ? Font().Color() : clGrayText));
    SetBkColor(dc, ColorToRGB(Color()));
    if (!FBrush) FBrush.Reset(CreateSolidBrush(ColorToRGB(Color())));
    m.Result = reinterpret_cast<LRESULT>(FBrush.Get());
    return;
  }
  if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == EN_CHANGE) {
    Change();
    return;
  }
  if (m.Msg == CM_COLORCHANGED) FBrush.Reset();
  TWinControl::WndProc(m);
}

void TCustomEdit::Change() {
  Changed();
  if (OnChange) OnChange(this);
}

bool TCustomEdit::SetStoredProperty(std::string_view name, const dfm::TValue& v) {
  if (name == "Alignment") {
    SetAlignment(EnumValue<TAlignment>(v, {{"taLeftJustify", TAlignment::taLeftJustify},
                                           {"taRightJustify", TAlignment::taRightJustify},
                                           {"taCenter", TAlignment::taCenter}}));
  } else if (name == "ReadOnly") {
    SetReadOnly(BoolValue(v));
  } else if (name == "OnChange") {
    OnChange = ResolveMethod(v);
  } else {
    return TWinControl::SetStoredProperty(name, v);
  }
  return true;
}

}  // namespace ac
