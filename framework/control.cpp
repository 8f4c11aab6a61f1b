#include "framework/control.h"

#include <windowsx.h>

#include "framework/application.h"
#include "framework/canvas.h"
#include "framework/form.h"
#include "framework/property_value.h"
#include "framework/win_control.h"
#include "system/win/unicode.h"

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

bool IsAccel(wchar_t key, std::string_view caption) {
  const std::wstring text = platform::Utf8ToWide(caption);
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != L'&') continue;
    if (text[i + 1] == L'&') {
      ++i;  // "&&" is a plain ampersand
      continue;
    }
    const auto upper = [](wchar_t c) {
      return static_cast<wchar_t>(reinterpret_cast<UINT_PTR>(
          CharUpperW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(c)))));
    };
    return upper(text[i + 1]) == upper(key);
  }
  return false;
}

// One replacement of a control's WindowProc. The functor installed in
// WindowProc and the token share it; it outlives both as long as either holds
// it, so a hook that unhooks itself while it runs still finds its chain.
struct TWindowProcHookState {
  std::weak_ptr<TControl*> Control;
  TWndMethod Previous;
  TWndHook Hook;
  bool Active = true;
};

namespace {

struct THookCall {
  std::shared_ptr<TWindowProcHookState> State;
  void operator()(TMessage& m) const {
    // WindowProc may be reassigned (and this functor freed) while the hook
    // runs: everything below works on the local copy.
    const std::shared_ptr<TWindowProcHookState> state = State;
    if (state->Active) {
      state->Hook(m, state->Previous);
    } else {
      state->Previous(m);
    }
  }
};

}  // namespace

TWindowProcHook& TWindowProcHook::operator=(TWindowProcHook&& o) noexcept {
  if (this != &o) {
    Unhook();
    FState = std::move(o.FState);
  }
  return *this;
}

bool TWindowProcHook::Active() const {
  return FState && FState->Active && !FState->Control.expired();
}

bool TWindowProcHook::Installed() const {
  if (!Active()) return false;
  TControl* control = *FState->Control.lock();
  const THookCall* call = control->WindowProc.target<THookCall>();
  return call && call->State == FState;
}

void TWindowProcHook::Unhook() {
  if (!FState) return;
  if (Installed()) {
    TControl* control = *FState->Control.lock();
    control->WindowProc = FState->Previous;
  }
  FState->Active = false;
  FState.reset();
}

TControl::TControl(TComponent* owner) : TComponent(owner) {
  RestoreOwnWindowProc();
  FFont.OnChange = [this] {
    if (!FFontFromParent) FParentFont = false;
    Perform(CM_FONTCHANGED);
  };
}

TControl::~TControl() {
  SetState(csDestroying);
  RestoreOwnWindowProc();
  EndHookTokens();
  if (Application) Application->ControlDestroying(this);
  if (FParent) SetParent(nullptr);
}

void TControl::RestoreOwnWindowProc() {
  // WndProc is virtual: called during a destructor it reaches the class whose
  // destructor runs, never a part already gone.
  WindowProc = [this](TMessage& m) { WndProc(m); };
}

TWindowProcHook TControl::HookWindowProc(TWndHook hook) {
  auto state = std::make_shared<TWindowProcHookState>();
  state->Control = FAlive;
  state->Previous = std::move(WindowProc);
  state->Hook = std::move(hook);
  WindowProc = THookCall{state};
  return TWindowProcHook(std::move(state));
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
  UpdateShowing();
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
  UpdateShowing();
}

void TControl::UpdateShowing() {
  if (HasState(csDestroying)) return;
  const bool showing = Showing();
  if (showing == FShowing) return;
  FShowing = showing;
  Perform(CM_SHOWINGCHANGED);
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
    case CM_INVALIDATE:
      if (FParent && FParent->HandleAllocated() && FVisible) {
        const RECT r = ToRECT(BoundsRect());
        InvalidateRect(FParent->Handle(), &r, !(ControlStyle & csOpaque));
      }
      return;
    case CM_HITTEST:
      m.Result = 1;
      return;
    default:
      if (HandleMouseButton(m)) return;
      break;
  }
  DefaultHandler(m);
}

bool TControl::HandleMouseButton(TMessage& m) {
  TMouseButton button = TMouseButton::mbLeft;
  bool down = true;
  TShiftState shift = 0;
  switch (m.Msg) {
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      shift |= ssDouble;
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      down = false;
      break;
    default:
      return false;
  }
  if (m.Msg == WM_RBUTTONDOWN || m.Msg == WM_RBUTTONUP || m.Msg == WM_RBUTTONDBLCLK)
    button = TMouseButton::mbRight;
  if (m.Msg == WM_MBUTTONDOWN || m.Msg == WM_MBUTTONUP || m.Msg == WM_MBUTTONDBLCLK)
    button = TMouseButton::mbMiddle;
  if (m.WParam & MK_SHIFT) shift |= ssShift;
  if (m.WParam & MK_CONTROL) shift |= ssCtrl;
  if (m.WParam & MK_LBUTTON) shift |= ssLeft;
  if (m.WParam & MK_RBUTTON) shift |= ssRight;
  if (m.WParam & MK_MBUTTON) shift |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  const TPoint p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
  if (down) {
    SendCancelMode(this);
    DefaultHandler(m);
    if (button == TMouseButton::mbLeft && (ControlStyle & csClickEvents)) ControlState |= csClicked;
    MouseDown(button, shift, p.X, p.Y);
    return true;
  }
  // The window's own handling first: a system button reports its click while
  // it handles the release, and the click belongs before MouseUp.
  DefaultHandler(m);
  if (button == TMouseButton::mbLeft && (ControlState & csClicked)) {
    ControlState &= ~csClicked;
    if (ClientRect().Contains(p)) Click();
  }
  MouseUp(button, shift, p.X, p.Y);
  return true;
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::Changed() {
  Perform(CM_CHANGED, 0, reinterpret_cast<LPARAM>(this));
}

void TControl::SendCancelMode(TControl* sender) {
  if (TCustomForm* form = ParentForm()) form->SendCancelMode(sender);
}

void TControl::DefaultHandler(TMessage&) {}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::Invalidate() {
  Perform(CM_INVALIDATE);
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
