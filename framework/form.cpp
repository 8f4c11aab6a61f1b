#include "framework/form.h"

#include "framework/application.h"
#include "framework/component_reader.h"
#include "framework/property_value.h"
#include "framework/screen.h"
#include "stream/dfm_binary.h"
#include "system/win/unicode.h"

namespace ac {

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
  SetVisible(false);
  SetColor(clBtnFace);
  SetBounds(0, 0, 320, 240);
  if (Screen) Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
  SetState(csDestroying);
  if (Screen) Screen->RemoveForm(this);
}

void TCustomForm::ReadDescription() {
  std::string upper(ClassName());
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  const std::wstring name = platform::Utf8ToWide(upper);
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC res = FindResourceW(module, name.c_str(), MAKEINTRESOURCEW(10));  // RT_RCDATA
  if (!res) throw dfm::EReadError("resource " + upper + " not found");
  HGLOBAL data = LoadResource(module, res);
  const auto* bytes = static_cast<const uint8_t*>(LockResource(data));
  const DWORD size = SizeofResource(module, res);
  if (!bytes) throw dfm::EReadError("resource " + upper + " cannot be loaded");
  ReadComponent(*this, dfm::ReadBinary(std::span(bytes, size)), Application->Classes());
}

void TCustomForm::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.Style = WS_CLIPCHILDREN;
  // The main form has the taskbar button; the others are owned by it, which
  // keeps them above it and off the taskbar.
  TCustomForm* const main = Application ? Application->MainForm : nullptr;
  if (!main || main == this) {
    p.ExStyle |= WS_EX_APPWINDOW;
  } else {
    p.WndParent = main->Handle();
  }
  switch (BorderStyle) {
    case TFormBorderStyle::bsNone:
      p.Style |= WS_POPUP;
      break;
    case TFormBorderStyle::bsSingle:
    case TFormBorderStyle::bsToolWindow:
      p.Style |= WS_CAPTION | WS_BORDER;
      break;
    case TFormBorderStyle::bsSizeable:
    case TFormBorderStyle::bsSizeToolWin:
      p.Style |= WS_CAPTION | WS_THICKFRAME;
      break;
    case TFormBorderStyle::bsDialog:
      p.Style |= WS_CAPTION | WS_BORDER;
      p.ExStyle |= WS_EX_DLGMODALFRAME;
      break;
  }
  if (BorderStyle == TFormBorderStyle::bsToolWindow ||
      BorderStyle == TFormBorderStyle::bsSizeToolWin)
    p.ExStyle |= WS_EX_TOOLWINDOW;
  if (BorderStyle != TFormBorderStyle::bsNone && (BorderIcons & (1u << 0))) {
    p.Style |= WS_SYSMENU;
    if (BorderStyle != TFormBorderStyle::bsDialog) {
      if (BorderIcons & (1u << 1)) p.Style |= WS_MINIMIZEBOX;
      if (BorderIcons & (1u << 2)) p.Style |= WS_MAXIMIZEBOX;
    }
  }
  p.ExStyle |= WS_EX_CONTROLPARENT;
  if (FClientWidth > 0 && FClientHeight > 0) {
    RECT r{0, 0, FClientWidth, FClientHeight};
    AdjustWindowRectEx(&r, p.Style, FALSE, p.ExStyle);
    p.Width = r.right - r.left;
    p.Height = r.bottom - r.top;
  }
  // Made where it will be shown: moving a top-level window costs a round
  // trip to the display.
  if (const auto at = CentredOrigin(p.Width, p.Height)) {
    p.X = at->X;
    p.Y = at->Y;
  }
}

void TCustomForm::CreateWindowHandleDone() {
  TWinControl::CreateWindowHandleDone();
  // The frame the system really gave may differ from the one computed.
  if (FClientWidth > 0 && FClientHeight > 0) SetClientSize(FClientWidth, FClientHeight);
}

int TCustomForm::ClientWidth() const {
  return HandleAllocated() ? ClientRect().Width() : FClientWidth;
}

int TCustomForm::ClientHeight() const {
  return HandleAllocated() ? ClientRect().Height() : FClientHeight;
}

void TCustomForm::SetClientSize(int width, int height) {
  FClientWidth = width;
  FClientHeight = height;
  if (!HandleAllocated()) return;
  RECT window, client;
  GetWindowRect(FHandle, &window);
  GetClientRect(FHandle, &client);
  const int w = (window.right - window.left) - client.right + width;
  const int h = (window.bottom - window.top) - client.bottom + height;
  if (w == window.right - window.left && h == window.bottom - window.top) return;
  SetWindowPos(FHandle, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::optional<TPoint> TCustomForm::CentredOrigin(int width, int height) const {
  switch (Position) {
    case TPosition::poScreenCenter:
    case TPosition::poMainFormCenter:
    case TPosition::poOwnerFormCenter:
      return TPoint{(GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                    (GetSystemMetrics(SM_CYSCREEN) - height) / 2};
    case TPosition::poDesktopCenter:
      return TPoint{
          GetSystemMetrics(SM_XVIRTUALSCREEN) + (GetSystemMetrics(SM_CXVIRTUALSCREEN) - width) / 2,
          GetSystemMetrics(SM_YVIRTUALSCREEN) +
              (GetSystemMetrics(SM_CYVIRTUALSCREEN) - height) / 2};
    default:
      return std::nullopt;
  }
}

void TCustomForm::PlaceOnScreen() {
  RECT r;
  GetWindowRect(FHandle, &r);
  const auto at = CentredOrigin(r.right - r.left, r.bottom - r.top);
  // Usually the window was made there already.
  if (!at || (at->X == r.left && at->Y == r.top)) return;
  SetWindowPos(FHandle, nullptr, at->X, at->Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomForm::Show() {
  HandleNeeded();
  if (!IsWindowVisible(FHandle)) PlaceOnScreen();
  SetVisible(true);
  // Already Visible but hidden by someone else: show it all the same.
  if (!IsWindowVisible(FHandle)) ShowWindow(FHandle, SW_SHOW);
  SetForegroundWindow(FHandle);
}

void TCustomForm::VisibleChanging() {
  if (!FHandle) return;
  // SW_SHOW activates before the first paint; showing without activation
  // and activating afterwards would paint an undressed frame first.
  ShowWindow(FHandle, Visible() ? SW_SHOW : SW_HIDE);
}

void TCustomForm::Close() {
  if (Application && Application->MainForm == this) {
    Application->Terminate();
  } else {
    Hide();
  }
}

bool TCustomForm::Active() const {
  return HandleAllocated() && GetActiveWindow() == FHandle;
}

bool TCustomForm::Showing() const {
  return HandleAllocated() && IsWindowVisible(FHandle);
}

void TCustomForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TCustomForm::SetFocusedControl(TWinControl* control) {
  FActiveControl = control;
  if (control && Active() && control->CanFocus()) ::SetFocus(control->Handle());
}

void TCustomForm::RemoveFocus() {
  FActiveControl = nullptr;
  if (HandleAllocated()) ::SetFocus(FHandle);
}

void TCustomForm::FocusControlChanged(TWinControl* control) {
  if (control == FFocusedControl) return;
  TWinControl* previous = FFocusedControl;
  FFocusedControl = control;
  FActiveControl = control;
  if (previous) {
    previous->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(control));
    previous->Perform(CM_EXIT);
  }
  control->Perform(CM_ENTER);
  control->Perform(CM_UIACTIVATE);
  Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
}

void TCustomForm::SendCancelMode(TControl* sender) {
  if (Active() && FActiveControl)
    FActiveControl->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(sender));
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == FActiveControl) FActiveControl = nullptr;
  if (component == FFocusedControl) FFocusedControl = nullptr;
}

void TCustomForm::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_SHOWWINDOW:
      if (m.WParam) DoShow();
      break;
    case WM_ACTIVATE:
      if (LOWORD(m.WParam) != WA_INACTIVE) {
        Perform(CM_UIACTIVATE);
        if (FFocusedControl) FFocusedControl->Perform(CM_UIACTIVATE);
        if (OnActivate) OnActivate(this);
        // The focus goes back to the control that had it, not to the frame.
        if (FActiveControl && FActiveControl->CanFocus() && !HIWORD(m.WParam)) {
          ::SetFocus(FActiveControl->Handle());
          m.Result = 0;
          return;
        }
      }
      break;
    case WM_SETFOCUS:
      if (FActiveControl && FActiveControl->CanFocus()) {
        ::SetFocus(FActiveControl->Handle());
        return;
      }
      if (FFocusedControl) {
        TWinControl* previous = FFocusedControl;
        FFocusedControl = nullptr;
        previous->Perform(CM_EXIT);
      }
      break;
    case WM_CLOSE:
      Close();
      return;
    case WM_SYSCOMMAND:
    case kPopupSystemMenu:
      if (ForwardToApplication(m)) return;
      break;
    default:
      break;
  }
  TWinControl::WndProc(m);
}

bool TCustomForm::ForwardToApplication(TMessage& m) {
  if (!Application || Application->MainForm != this || !Application->Handle()) return false;
  // Minimising and restoring the program, and its taskbar menu, are the
  // application's: the hooks on its window see them.
  const UINT command = static_cast<UINT>(m.WParam) & 0xFFF0;
  if (m.Msg == WM_SYSCOMMAND && command != SC_MINIMIZE && command != SC_RESTORE) return false;
  m.Result = SendMessageW(Application->Handle(), m.Msg, m.WParam, m.LParam);
  return true;
}

void TCustomForm::ScaleBy(int m, int d) {
  if (FClientWidth > 0) {
    FClientWidth = MulDiv(FClientWidth, m, d);
    FClientHeight = MulDiv(FClientHeight, m, d);
  }
  // A form has no parent: its font is always its own.
  Font().SetHeight(MulDiv(Font().Height(), m, d));
  for (TControl* c : Controls()) c->ScaleBy(m, d);
  if (HandleAllocated()) SetClientSize(FClientWidth, FClientHeight);
}

void TCustomForm::Loaded() {
  TWinControl::Loaded();
  if (Scaled && Screen && Screen->PixelsPerInch() != PixelsPerInch) {
    ScaleBy(Screen->PixelsPerInch(), PixelsPerInch);
    PixelsPerInch = Screen->PixelsPerInch();
  }
}

bool TCustomForm::SetStoredProperty(std::string_view name, const dfm::TValue& v) {
  if (name == "BorderStyle") {
    BorderStyle =
        EnumValue<TFormBorderStyle>(v, {{"bsNone", TFormBorderStyle::bsNone},
                                        {"bsSingle", TFormBorderStyle::bsSingle},
                                        {"bsSizeable", TFormBorderStyle::bsSizeable},
                                        {"bsDialog", TFormBorderStyle::bsDialog},
                                        {"bsToolWindow", TFormBorderStyle::bsToolWindow},
                                        {"bsSizeToolWin", TFormBorderStyle::bsSizeToolWin}});
  } else if (name == "BorderIcons") {
    BorderIcons = SetValue<TBorderIcon>(v, {{"biSystemMenu", TBorderIcon::biSystemMenu},
                                            {"biMinimize", TBorderIcon::biMinimize},
                                            {"biMaximize", TBorderIcon::biMaximize},
                                            {"biHelp", TBorderIcon::biHelp}});
  } else if (name == "Position") {
    Position = EnumValue<TPosition>(v, {{"poDesigned", TPosition::poDesigned},
                                        {"poDefault", TPosition::poDefault},
                                        {"poDefaultPosOnly", TPosition::poDefaultPosOnly},
                                        {"poDefaultSizeOnly", TPosition::poDefaultSizeOnly},
                                        {"poScreenCenter", TPosition::poScreenCenter},
                                        {"poDesktopCenter", TPosition::poDesktopCenter},
                                        {"poMainFormCenter", TPosition::poMainFormCenter},
                                        {"poOwnerFormCenter", TPosition::poOwnerFormCenter}});
  } else if (name == "ClientWidth") {
    FClientWidth = IntValue(v);
  } else if (name == "ClientHeight") {
    FClientHeight = IntValue(v);
  } else if (name == "PixelsPerInch") {
    PixelsPerInch = IntValue(v);
    if (PixelsPerInch <= 0) throw EPropertyError("PixelsPerInch must be positive");
  } else if (name == "TextHeight") {
    TextHeight = IntValue(v);
  } else if (name == "Scaled") {
    Scaled = BoolValue(v);
  } else if (name == "OnShow") {
    OnShow = ResolveMethod(v);
  } else if (name == "OnActivate") {
    OnActivate = ResolveMethod(v);
  } else if (name == "OnCreate") {
    OnCreate = ResolveMethod(v);
  } else {
    return TWinControl::SetStoredProperty(name, v);
  }
  return true;
}

}  // namespace ac
