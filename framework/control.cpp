#include "framework/control.h"

#include <windowsx.h>

#include "framework/application.h"
#include "framework/canvas.h"
#include "framework/form.h"
#include "framework/property_value.h"
#include "framework/win_control.h"

namespace ac {

HCURSOR CursorHandle(TCursor cursor) {
  const wchar_t* id = nullptr;
  switch (cursor) {
    case TCursor::crDefault:
      return nullptr;
    case TCursor::crArrow:
      id = IDC_ARROW;
      break;
    case TCursor::crIBeam:
      id = IDC_IBEAM;
      break;
    case TCursor::crHandPoint:
      id = IDC_HAND;
      break;
    case TCursor::crHourGlass:
      id = IDC_WAIT;
      break;
    case TCursor::crCross:
      id = IDC_CROSS;
      break;
    case TCursor::crNo:
      id = IDC_NO;
      break;
  }
  return LoadCursorW(nullptr, id);
}

TControl::TControl(TComponent* owner) : TComponent(owner) {
  WindowProc = [this](TMessage& m) { WndProc(m); };
  FFont.OnChange = [this] {
    if (!FFontFromParent) FParentFont = false;
    Perform(CM_FONTCHANGED);
  };
}

TControl::~TControl() {
  SetState(csDestroying);
  if (Application) Application->ControlDestroying(this);
  if (FParent) SetParent(nullptr);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == FParent) return;
  if (FParent) FParent->RemoveControl(this);
  FParent = parent;
  if (FParent) {
    FParent->InsertControl(this);
    if (FParentFont) ParentFontChanged();
    if (FParentColor) ParentColorChanged();
  }
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
  Invalidate();
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
  BoundsChanged();
  Invalidate();
}

bool TControl::Showing() const {
  if (!FVisible) return false;
  return FParent ? FParent->Showing() : false;
}

void TControl::SetVisible(bool visible) {
  if (visible == FVisible) return;
  FVisible = visible;
  VisibleChanging();
  Perform(CM_VISIBLECHANGED, visible);
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == FEnabled) return;
  FEnabled = enabled;
  EnabledChanging();
  Perform(CM_ENABLEDCHANGED);
}

void TControl::SetText(const std::string& text) {
  if (text == Text()) return;
  TextChanging(text);
  Perform(CM_TEXTCHANGED);
}

void TControl::TextChanging(const std::string& text) {
  FText = text;
  Invalidate();
}

void TControl::SetColor(TColor color) {
  FParentColor = false;
  if (color == FColor) return;
  FColor = color;
  Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value) {
  FParentColor = value;
  if (value && FParent) ParentColorChanged();
}

void TControl::SetParentFont(bool value) {
  FParentFont = value;
  if (value && FParent) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  FFontFromParent = true;
  FFont.Assign(FParent->Font());
  FFontFromParent = false;
}

void TControl::ParentColorChanged() {
  if (FColor == FParent->Color()) return;
  FColor = FParent->Color();
  Perform(CM_COLORCHANGED);
}

void TControl::SetCursor(TCursor cursor) {
  if (cursor == FCursor) return;
  FCursor = cursor;
  Perform(CM_CURSORCHANGED);
}

LRESULT TControl::Perform(UINT msg, WPARAM wp, LPARAM lp) {
  TMessage m{msg, wp, lp, 0};
  WindowProc(m);
  return m.Result;
}

void TControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_PARENTFONTCHANGED:
      if (FParentFont && FParent) ParentFontChanged();
      return;
    case CM_PARENTCOLORCHANGED:
      if (FParentColor && FParent) ParentColorChanged();
      return;
    case CM_FONTCHANGED:
    case CM_COLORCHANGED:
    case CM_ENABLEDCHANGED:
      Invalidate();
      return;
    case CM_VISIBLECHANGED:
      Invalidate();
      return;
    case CM_HITTEST:
      m.Result = 1;
      return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (ControlStyle & csClickEvents) ControlState |= csClicked;
      break;
    case WM_LBUTTONUP:
      if (ControlState & csClicked) {
        ControlState &= ~csClicked;
        const TPoint p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
        if (ClientRect().Contains(p)) Click();
      }
      break;
    default:
      break;
  }
  DefaultHandler(m);
}

void TControl::DefaultHandler(TMessage&) {}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::Invalidate() {
  if (FParent && FParent->HandleAllocated() && FVisible) {
    const RECT r = ToRECT(BoundsRect());
    InvalidateRect(FParent->Handle(), &r, !(ControlStyle & csOpaque));
  }
}

void TControl::Update() {
  if (FParent) FParent->Update();
}

void TControl::ScaleBy(int m, int d) {
  const int left = MulDiv(FLeft, m, d), top = MulDiv(FTop, m, d);
  SetBounds(left, top, MulDiv(FLeft + FWidth, m, d) - left, MulDiv(FTop + FHeight, m, d) - top);
  if (!FParentFont) {
    FFont.SetHeight(MulDiv(FFont.Height(), m, d));
    FParentFont = false;
  }
}

TCustomForm* TControl::ParentForm() const {
  const TControl* c = this;
  while (c->FParent) c = c->FParent;
  return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

void TControl::Loaded() {
  TComponent::Loaded();
  // A parent font or colour read after this control's own settings wins only
  // where the control still takes it from its parent.
  if (FParent && FParentFont) ParentFontChanged();
  if (FParent && FParentColor) ParentColorChanged();
}

bool TControl::SetStoredProperty(std::string_view name, const dfm::TValue& v) {
  if (name.starts_with("Font.")) {
    // A stored font is the control's own, even where it equals the parent's.
    if (!FFont.SetStoredProperty(name.substr(5), v)) return false;
    FParentFont = false;
    return true;
  }
  if (name == "Left") {
    SetBounds(IntValue(v), FTop, FWidth, FHeight);
  } else if (name == "Top") {
    SetBounds(FLeft, IntValue(v), FWidth, FHeight);
  } else if (name == "Width") {
    SetBounds(FLeft, FTop, IntValue(v), FHeight);
  } else if (name == "Height") {
    SetBounds(FLeft, FTop, FWidth, IntValue(v));
  } else if (name == "Caption" || name == "Text") {
    SetText(StringValue(v));
  } else if (name == "Visible") {
    SetVisible(BoolValue(v));
  } else if (name == "Enabled") {
    SetEnabled(BoolValue(v));
  } else if (name == "Color") {
    SetColor(ColorValue(v));
  } else if (name == "ParentColor") {
    SetParentColor(BoolValue(v));
  } else if (name == "ParentFont") {
    SetParentFont(BoolValue(v));
  } else if (name == "Cursor") {
    SetCursor(EnumValue<TCursor>(v, {{"crDefault", TCursor::crDefault},
                                     {"crArrow", TCursor::crArrow},
                                     {"crIBeam", TCursor::crIBeam},
                                     {"crHandPoint", TCursor::crHandPoint},
                                     {"crHourGlass", TCursor::crHourGlass},
                                     {"crCross", TCursor::crCross},
                                     {"crNo", TCursor::crNo}}));
  } else if (name == "OnClick") {
    OnClick = ResolveMethod(v);
  } else {
    return TComponent::SetStoredProperty(name, v);
  }
  return true;
}

}  // namespace ac
