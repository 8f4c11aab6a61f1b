#include "framework/win_control.h"

#include <windowsx.h>

#include <algorithm>
#include <map>
#include <stdexcept>

#include "framework/application.h"
#include "framework/canvas.h"
#include "framework/dispatch_scope.h"
#include "framework/form.h"
#include "framework/property_value.h"
#include "system/win/unicode.h"
#include "win32/handle_counts.h"
#include "win32/scoped_gdi_object.h"
#include "win32/window_region.h"
#include "win32/window_text.h"

namespace ac {
namespace {

// The control whose window is being created: the first messages of a new
// window arrive before CreateWindowExW returns its handle.
thread_local TWinControl* tCreating = nullptr;

// The system procedure of each system class copied under a framework name.
// Filled once per class on the user-interface thread.
std::map<std::wstring, WNDPROC>& SystemProcs() {
  static std::map<std::wstring, WNDPROC> procs;
  return procs;
}

}  // namespace

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  SetState(csDestroying);
  // The derived parts are gone: the window's last messages reach only what
  // is left of this object.
  RestoreOwnWindowProc();
  EndHookTokens();
  DestroyHandle();
  // Children that still point here (owned elsewhere) lose their parent.
  while (!FControls.empty()) FControls.back()->SetParent(nullptr);
}

// A window of a framework class keeps its control's address in the last
// pointer of its extra bytes. Every message asks for it: a read of the
// window's own memory, where a window property is a round trip to the window
// server under Wine.
int TWinControl::ControlSlot(HWND window) {
  DWORD process = 0;
  if (!GetWindowThreadProcessId(window, &process) || process != GetCurrentProcessId()) return -1;
  if (reinterpret_cast<WNDPROC>(GetClassLongPtrW(window, GCLP_WNDPROC)) != &StdWndProc) return -1;
  return static_cast<int>(GetClassLongW(window, GCL_CBWNDEXTRA)) -
         static_cast<int>(sizeof(LONG_PTR));
}

TWinControl* TWinControl::FindControl(HWND window) {
  const int slot = window ? ControlSlot(window) : -1;
  return slot >= 0 ? reinterpret_cast<TWinControl*>(GetWindowLongPtrW(window, slot)) : nullptr;
}

void TWinControl::InsertControl(TControl* control) {
  FControls.push_back(control);
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    if (w->FTabOrder < 0) {
      int n = 0;
      for (TControl* c : FControls)
        if (c != control && dynamic_cast<TWinControl*>(c)) ++n;
      w->FTabOrder = n;
    }
    if (FHandle && !HasState(csLoading)) {
      w->HandleNeeded();
      SortChildWindows();
    }
  }
  control->Invalidate();
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), TRUE);
}

void TWinControl::RemoveControl(TControl* control) {
  if (FCaptureControl == control) FCaptureControl = nullptr;
  control->Invalidate();
  if (auto* w = dynamic_cast<TWinControl*>(control)) w->DestroyHandle();
  FControls.erase(std::remove(FControls.begin(), FControls.end(), control), FControls.end());
  if (!HasState(csDestroying))
    Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), FALSE);
}

void TWinControl::SetTabOrder(int order) {
  FTabOrder = order;
  if (Parent() && Parent()->HandleAllocated()) Parent()->SortChildWindows();
}

void TWinControl::SortChildWindows() {
  std::vector<TWinControl*> wins;
  for (TControl* c : FControls)
    if (auto* w = dynamic_cast<TWinControl*>(c); w && w->FHandle) wins.push_back(w);
  std::stable_sort(wins.begin(), wins.end(),
                   [](auto* a, auto* b) { return a->FTabOrder < b->FTabOrder; });
  HWND after = HWND_TOP;
  for (TWinControl* w : wins) {
    // Most windows are in place already; asking is much cheaper than moving.
    const HWND there =
        after == HWND_TOP ? GetWindow(FHandle, GW_CHILD) : GetWindow(after, GW_HWNDNEXT);
    if (there != w->FHandle)
      SetWindowPos(w->FHandle, after, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    after = w->FHandle;
  }
}

void TWinControl::CreateParams(TCreateParams& p) {
  p.Caption = platform::Utf8ToWide(FText);
  p.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (Visible()) p.Style |= WS_VISIBLE;
  if (!Enabled()) p.Style |= WS_DISABLED;
  if (TabStop) p.Style |= WS_TABSTOP;
  p.X = FLeft;
  p.Y = FTop;
  p.Width = FWidth;
  p.Height = FHeight;
  if (Parent()) p.WndParent = Parent()->Handle();
}

void TWinControl::HandleNeeded() {
  if (FHandle) return;
  if (Parent()) Parent()->HandleNeeded();
  if (FHandle) return;  // the parent created it
  CreateWnd();
  CreateWindowHandleDone();
  UpdateShowing();
}

void TWinControl::UpdateShowing() {
  TControl::UpdateShowing();
  for (TControl* c : FControls) c->UpdateShowing();
}

void TWinControl::BeforeDestruction() {
  TControl::BeforeDestruction();
  DestroyHandle();
}

void TWinControl::CreateWnd() {
  TCreateParams p;
  CreateParams(p);
  const std::wstring className = platform::Utf8ToWide(ClassName());
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW existing{};
  if (!GetClassInfoW(instance, className.c_str(), &existing)) {
    WNDCLASSW wc{};
    WNDPROC systemProc = DefWindowProcW;
    if (!p.SysClassName.empty()) {
      if (!GetClassInfoW(nullptr, p.SysClassName.c_str(), &wc))
        throw std::runtime_error("system window class missing");
      systemProc = wc.lpfnWndProc;
    } else {
      wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
      wc.style = p.ClassStyle;
    }
    wc.lpfnWndProc = StdWndProc;
    wc.cbWndExtra += sizeof(LONG_PTR);  // the control's address (FindControl)
    wc.hInstance = instance;
    wc.lpszClassName = className.c_str();
    wc.lpszMenuName = nullptr;
    if (!RegisterClassW(&wc)) throw std::runtime_error("cannot register a window class");
    SystemProcs()[className] = systemProc;
  }
  FDefWndProc = SystemProcs()[className];
  FOwnPaint = p.SysClassName.empty();

  TWinControl* const saved = tCreating;
  tCreating = this;
  HWND wnd = CreateWindowExW(p.ExStyle, className.c_str(), p.Caption.c_str(), p.Style, p.X, p.Y,
                             p.Width, p.Height, p.WndParent, nullptr, instance, nullptr);
  tCreating = saved;
  if (!wnd) throw std::runtime_error("cannot create the window of " + Name());
  if (!FHandle) Attach(wnd);
}

void TWinControl::CreateWindowHandleDone() {
  SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
  for (TControl* c : FControls)
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->HandleNeeded();
  SortChildWindows();
}

void TWinControl::Attach(HWND wnd) {
  FHandle = wnd;
  if (const int slot = ControlSlot(wnd); slot >= 0)
    SetWindowLongPtrW(wnd, slot, reinterpret_cast<LONG_PTR>(this));
}

void TWinControl::Detach() {
  if (const int slot = ControlSlot(FHandle); slot >= 0) SetWindowLongPtrW(FHandle, slot, 0);
  FHandle = nullptr;
  FTrackingLeave = false;
}

void TWinControl::DestroyHandle() {
  if (!FHandle) return;
  // Children's windows go with this one; their objects stay and forget them.
  DestroyWindow(FHandle);
  if (FHandle) Detach();
  UpdateShowing();
}

void TWinControl::RecreateWnd() {
  if (!FHandle) return;
  DestroyHandle();
  HandleNeeded();
}

LRESULT CALLBACK TWinControl::StdWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  // Every window of a framework class counts from its first non-client
  // message to its last, whether or not a control is attached by then.
  if (msg == WM_NCCREATE) platform::HandleCreated(platform::THandleKind::hkUser);
  if (msg == WM_NCDESTROY) {
    platform::HandleReleased(platform::THandleKind::hkUser);
    platform::WindowRegionGone(wnd);
  }
  TWinControl* control = FindControl(wnd);
  if (!control && tCreating) {
    control = std::exchange(tCreating, nullptr);
    control->Attach(wnd);
  }
  if (!control) return DefWindowProcW(wnd, msg, wp, lp);
  TMessage m{msg, wp, lp, 0};
  const TDispatchScope dispatch;
  // Nothing throws through a window procedure.
  try {
    control->WindowProc(m);
  } catch (...) {
    ReportBoundaryException();
    m.Result = DefWindowProcW(wnd, msg, wp, lp);
  }
  if (msg == WM_NCDESTROY) {
    if (TWinControl* still = FindControl(wnd)) still->Detach();
  }
  return m.Result;
}

void TWinControl::DefaultHandler(TMessage& m) {
  if (!FHandle) return;
  m.Result = CallWindowProcW(FDefWndProc, FHandle, m.Msg, m.WParam, m.LParam);
}

bool TWinControl::ReflectToChild(TMessage& m) {
  HWND child = nullptr;
  switch (m.Msg) {
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      child = reinterpret_cast<HWND>(m.LParam);
      break;
    case WM_DRAWITEM:
      child = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam)->hwndItem;
      break;
    case WM_NOTIFY:
      child = reinterpret_cast<NMHDR*>(m.LParam)->hwndFrom;
      break;
    default:
      return false;
  }
  TWinControl* c = FindControl(child);
  if (!c || c == this) return false;
  m.Result = c->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
  return true;
}

bool TWinControl::RouteMouse(TMessage& m) {
  const TPoint p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
  TControl* target = FCaptureControl;
  if (!target) target = ControlAtPos(p, false);
  if (m.Msg == WM_MOUSEMOVE) {
    if (Application) Application->SetMouseControl(target ? target : this);
    if (!FTrackingLeave) {
      TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, FHandle, 0};
      FTrackingLeave = TrackMouseEvent(&t) != FALSE;
    }
  }
  if (!target) return false;
  if (m.Msg == WM_LBUTTONDOWN || m.Msg == WM_RBUTTONDOWN) {
    FCaptureControl = target;
    SetCapture(FHandle);
  }
  const LPARAM local = MAKELPARAM(p.X - target->Left(), p.Y - target->Top());
  m.Result = target->Perform(m.Msg, m.WParam, local);
  if (m.Msg == WM_LBUTTONUP || m.Msg == WM_RBUTTONUP) {
    FCaptureControl = nullptr;
    if (GetCapture() == FHandle) ReleaseCapture();
  }
  return true;
}

void TWinControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      if (RouteMouse(m)) return;
      break;
    case WM_MOUSELEAVE:
      FTrackingLeave = false;
      if (Application) Application->MouseLeftWindow(this);
      break;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(m.WParam) == FHandle && LOWORD(m.LParam) == HTCLIENT) {
        POINT pt;
        GetCursorPos(&pt);
        ScreenToClient(FHandle, &pt);
        TControl* under = ControlAtPos({pt.x, pt.y}, true);
        TCursor cursor = under ? under->Cursor() : TCursor::crDefault;
        if (cursor == TCursor::crDefault) cursor = Cursor();
        if (cursor != TCursor::crDefault) {
          ::SetCursor(CursorHandle(cursor));
          m.Result = TRUE;
          return;
        }
      }
      break;
    case WM_ERASEBKGND:
      if (FOwnPaint) {
        RECT r;
        GetClientRect(FHandle, &r);
        platform::ScopedBrush brush(CreateSolidBrush(ColorToRGB(Color())));
        FillRect(reinterpret_cast<HDC>(m.WParam), &r, brush.Get());
        m.Result = 1;
        return;
      }
      break;
    case WM_PAINT:
      if (FOwnPaint) {
        platform::ScopedPaint paint(FHandle);
        PaintWindow(paint.Get());
        PaintControls(paint.Get(), paint.UpdateRect());
        return;
      }
      break;
    case WM_SETFOCUS:
      if (TCustomForm* form = ParentForm(); form && form != this) form->FocusControlChanged(this);
      break;
    case WM_MOVE:
    case WM_SIZE: {
      RECT r;
      GetWindowRect(FHandle, &r);
      if (GetWindowLongW(FHandle, GWL_STYLE) & WS_CHILD)
        MapWindowPoints(nullptr, GetParent(FHandle), reinterpret_cast<POINT*>(&r), 2);
      FLeft = r.left;
      FTop = r.top;
      FWidth = r.right - r.left;
      FHeight = r.bottom - r.top;
      break;
    }
    case CM_FONTCHANGED:
      if (FHandle)
        SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
      for (TControl* c : FControls) c->Perform(CM_PARENTFONTCHANGED);
      Invalidate();
      return;
    case CM_COLORCHANGED:
      for (TControl* c : FControls) c->Perform(CM_PARENTCOLORCHANGED);
      Invalidate();
      return;
    case CM_ENABLEDCHANGED:
      return;
    case CM_VISIBLECHANGED:
      return;
    case CM_TEXTCHANGED:
      return;
    case CM_INVALIDATE:
      if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
      return;
    case CM_FOCUSCHANGED:
      for (TControl* c : FControls) c->Perform(m.Msg, m.WParam, m.LParam);
      return;
    case CM_DIALOGCHAR:
      for (TControl* c : FControls) {
        m.Result = c->Perform(m.Msg, m.WParam, m.LParam);
        if (m.Result) return;
      }
      return;
    case WM_WINDOWPOSCHANGED:
      // A top-level window shown or hidden by anyone (ShowWindow, the
      // system): its controls' Showing follows. Child windows are shown
      // through Visible, which updates Showing itself.
      if (!Parent() &&
          (reinterpret_cast<const WINDOWPOS*>(m.LParam)->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)))
        UpdateShowing();
      break;
    default:
      if (ReflectToChild(m)) return;
      break;
  }
  TControl::WndProc(m);
}

void TWinControl::PaintWindow(HDC) {}

void TWinControl::PaintControls(HDC dc, const RECT& update) {
  for (TControl* c : FControls) {
    if (dynamic_cast<TWinControl*>(c) || !c->Visible()) continue;
    const RECT r = ToRECT(c->BoundsRect());
    RECT common;
    if (!IntersectRect(&common, &r, &update)) continue;
    const platform::ScopedSaveDC saved(dc);
    IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    SetViewportOrgEx(dc, r.left, r.top, nullptr);
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  }
}

TControl* TWinControl::ControlAtPos(TPoint p, bool allowDisabled) const {
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
    TControl* c = *it;
    if (dynamic_cast<TWinControl*>(c)) continue;
    if (!c->Visible() || (!c->Enabled() && !allowDisabled)) continue;
    if (!c->BoundsRect().Contains(p)) continue;
    const TPoint local = p - c->BoundsRect().TopLeft();
    if (c->Perform(CM_HITTEST, 0, MAKELPARAM(local.X, local.Y)) != 0) return c;
  }
  return nullptr;
}

TRect TWinControl::ClientRect() const {
  if (FHandle) {
    RECT r;
    GetClientRect(FHandle, &r);
    return FromRECT(r);
  }
  return TControl::ClientRect();
}

bool TWinControl::Showing() const {
  return FHandle && IsWindowVisible(FHandle);
}

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

bool TWinControl::Focused() const {
  return FHandle && GetFocus() == FHandle;
}

void TWinControl::SetFocus() {
  TCustomForm* form = ParentForm();
  if (form && form != this) {
    form->SetFocusedControl(this);
  } else if (FHandle) {
    ::SetFocus(FHandle);
  }
}

void TWinControl::Update() {
  if (FHandle) UpdateWindow(FHandle);
}

void TWinControl::ScaleBy(int m, int d) {
  TControl::ScaleBy(m, d);
  for (TControl* c : FControls) c->ScaleBy(m, d);
}

std::string TWinControl::Text() const {
  if (!FHandle) return FText;
  return platform::WindowTextUtf8(FHandle);
}

void TWinControl::TextChanging(const std::string& text) {
  FText = text;
  if (FHandle) {
    const std::wstring w = platform::Utf8ToWide(text);
    Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(w.c_str()));
  }
}

void TWinControl::BoundsChanged() {
  if (FHandle)
    SetWindowPos(FHandle, nullptr, FLeft, FTop, FWidth, FHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void TWinControl::VisibleChanging() {
  if (FHandle) ShowWindow(FHandle, Visible() ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::EnabledChanging() {
  if (!FHandle) return;
  // A control that loses its input while it has the focus would leave the
  // keyboard with nowhere to go: the focus moves to its form.
  if (!Enabled() && Focused()) {
    if (TCustomForm* form = ParentForm(); form && form != this) form->RemoveFocus();
  }
  EnableWindow(FHandle, Enabled());
}

bool TWinControl::SetStoredProperty(std::string_view name, const dfm::TValue& v) {
  if (name == "TabOrder") {
    SetTabOrder(IntValue(v));
  } else if (name == "TabStop") {
    TabStop = BoolValue(v);
  } else {
    return TControl::SetStoredProperty(name, v);
  }
  return true;
}

}  // namespace ac
