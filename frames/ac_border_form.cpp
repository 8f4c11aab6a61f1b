#include "frames/ac_border_form.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "framework/scoped_flag.h"
#include "paint/border_pixels.h"
#include "system/system.h"
#include "win32/scoped_gdi_object.h"
#include "win32/window_region.h"

namespace ac {
namespace {

// The engine's own layered windows never take the activation, never move
// their owner in z-order and skip WM_WINDOWPOSCHANGING.
constexpr UINT kQuietPlacement = SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING;

TRect WindowRectOf(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  return TRect::LTRB(r.left, r.top, r.right, r.bottom);
}

bool IsHotButtonCode(int32_t code) {
  return code == kHitMinimize || code == kHitMaximize || code == kHitClose || code == kHitHelp ||
         (code >= 1000 && code <= 2100);
}

// The form a border window of this thread is forwarding a mouse message to.
thread_local HWND tForwardingTo = nullptr;

}  // namespace

TacBorderForm::TacBorderForm(TacBorderOwner& owner) : FOwner(owner) {}

TacBorderForm::~TacBorderForm() {
  FreeForms();
  HWND form = OwnerHandle();
  // Without its border the form shows its whole window again.
  if (MainRgnReady && form && IsWindow(form))
    platform::SetWindowRegion(form, {}, platform::TRegionRedraw::rrRedraw);
}

void TacBorderForm::CreateNewForm() {
  HWND form = OwnerHandle();
  if (!form) return;
  if (!AForm) {
    MainRgnReady = MainRgnReady && IsWindow(form);
    AForm = std::make_unique<TacGlowForm>(
        form, WS_EX_LAYERED, [this](UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
          return BorderMessage(msg, wParam, lParam, result);
        });
    AForm->TransparentMouse = false;
    FParentHandle = AForm->ParentHandle();
  }
  if (!FShadow)
    FShadow = std::make_unique<TacGlowForm>(
        form, WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW);
}

void TacBorderForm::FreeForms() {
  FShadow.reset();
  AForm.reset();
  FTrackingLeave = false;
  FLastSplit = {};
  FPresented = {};
}

int32_t TacBorderForm::OffsetX() const {
  return BorderOffset(FOwner.Describe().Metrics).X;
}

int32_t TacBorderForm::OffsetY() const {
  return BorderOffset(FOwner.Describe().Metrics).Y;
}

TRect TacBorderForm::BorderRect() const {
  return BorderWindowRect(WindowRectOf(OwnerHandle()), FOwner.Describe().Metrics);
}

TBorderHitInputs TacBorderForm::HitInputs(const TacBorderFrame& frame) const {
  HWND form = OwnerHandle();
  const TRect at = BorderWindowRect(WindowRectOf(form), frame.Metrics);
  TBorderHitInputs in;
  in.Window = {at.Width(), at.Height()};
  in.Metrics = frame.Metrics;
  in.Drawing = frame.Drawing;
  in.AlignOffsets = frame.AlignOffsets;
  in.Enabled = IsWindowEnabled(form) != FALSE;
  in.Sizeable = (GetWindowLongW(form, GWL_STYLE) & WS_THICKFRAME) != 0;
  in.Maximized = IsZoomed(form) != FALSE;
  in.IconRect = frame.IconRect;
  in.Buttons = frame.Buttons;
  in.GripRect = frame.GripRect;
  return in;
}

int32_t TacBorderForm::Ex_WMNCHitTest(TPoint screenPoint) const {
  if (!OwnerHandle()) return kHitTransparent;
  const TacBorderFrame frame = FOwner.Describe();
  const TBorderHitInputs in = HitInputs(frame);
  const TRect at = BorderWindowRect(WindowRectOf(OwnerHandle()), frame.Metrics);
  return BorderHitTest(screenPoint - at.TopLeft(), in);
}

bool TacBorderForm::InTransparentZone(TPoint borderPoint) const {
  HWND form = OwnerHandle();
  if (Locked || !AForm || !form || IsZoomed(form)) return false;
  return !SolidZone(HitInputs(FOwner.Describe())).Contains(borderPoint);
}

HWND TacBorderForm::InsertAfter() const {
  HWND form = OwnerHandle();
  if (GetWindowLongW(form, GWL_EXSTYLE) & WS_EX_TOPMOST) return HWND_TOPMOST;
  // Directly above the form and under whatever lay above it (a modal dialog
  // the form owns, another program). Asking for "after the form" leaves the
  // choice to the system's rule that owned windows stay above their owner,
  // which Wine applies differently from Windows.
  HWND above = GetWindow(form, GW_HWNDPREV);
  while (above && (above == BorderHandle() || above == ShadowHandle()))
    above = GetWindow(above, GW_HWNDPREV);
  return above ? above : HWND_TOP;
}

void TacBorderForm::Place(HWND insertAfter, const TRect& at, UINT flags) {
  const UINT show = IsWindowVisible(AForm->Handle()) ? 0 : SWP_SHOWWINDOW;
  SetWindowPos(AForm->Handle(), insertAfter, at.Left, at.Top, at.Width(), at.Height(),
               kQuietPlacement | flags | show);
  // The shadow directly under the border window.
  SetWindowPos(FShadow->Handle(), AForm->Handle(), at.Left, at.Top, at.Width(), at.Height(),
               kQuietPlacement | flags | show);
}

bool TacBorderForm::InPlace() const {
  HWND border = BorderHandle(), shadow = ShadowHandle(), form = OwnerHandle();
  if (!IsWindowVisible(border) || !IsWindowVisible(shadow)) return false;
  // The three lie together, nothing between them. In which order does not
  // show: the pictures of border and shadow never overlap (the shadow lies
  // outside the frame, the frame inside it) and the form shows only its
  // client area, under the border window's hole. The system restacks a
  // form's owned windows as it likes when the form is raised.
  const auto ours = [&](HWND w) { return w == border || w == shadow || w == form; };
  HWND top = form;
  for (HWND above = GetWindow(top, GW_HWNDPREV); ours(above); above = GetWindow(top, GW_HWNDPREV))
    top = above;
  const HWND second = GetWindow(top, GW_HWNDNEXT);
  return ours(second) && ours(GetWindow(second, GW_HWNDNEXT));
}

void TacBorderForm::Render(const TacBorderFrame& frame, const TRect& at, uint8_t opacity) {
  TsPixelBuffer image = FOwner.BorderImage();
  if (image.Width != at.Width() || image.Height != at.Height()) {
    FOwner.PaintAll();
    image = FOwner.BorderImage();
    if (image.Width != at.Width() || image.Height != at.Height()) return;
  }
  const TsPixelBuffer border = AForm->Surface({at.Width(), at.Height()});
  const TsPixelBuffer shadow = FShadow->Surface({at.Width(), at.Height()});
  if (border.IsEmpty() || shadow.IsEmpty()) return;
  RECT client{};
  GetClientRect(OwnerHandle(), &client);
  const TRect hole = ClientHole({client.right, client.bottom}, frame.Metrics);
  const TBorderHitInputs in = HitInputs(frame);
  TRect zone = SolidZone(in);
  if (in.Maximized) {
    const TBorderMetrics& m = frame.Metrics;
    zone = TRect::LTRB(m.BorderWidth + m.Shadow.Left, m.Shadow.Top + 4,
                       at.Width() - m.BorderWidth - m.Shadow.Right,
                       at.Height() - m.BorderWidth - m.Shadow.Bottom);
  }
  const TLastSplit split{zone, hole, border.Bits, shadow.Bits};
  const bool same = split == FLastSplit;
  SplitBorderImage(border, shadow, image, zone, hole,
                   platform::CompositionEnabled() ? TComposition::On : TComposition::Off,
                   same ? TSplitZeros::Kept : TSplitZeros::Write);
  const bool shadowShown = FShadow->Present(at.TopLeft(), opacity);
  const bool presented = AForm->Present(at.TopLeft(), opacity) && shadowShown;
  FLastSplit = split;
  FPresented = presented ? TPresented{FOwner.ImageVersion(), at, opacity} : TPresented{};
  if (same) return;
  // The border window takes the mouse only over its frame: not over the
  // shadow (the shadow window lets it through) nor over the client hole.
  platform::ScopedRegion region(CreateRectRgn(zone.Left, zone.Top, zone.Right, zone.Bottom));
  platform::ScopedRegion gap(CreateRectRgn(hole.Left, hole.Top, hole.Right, hole.Bottom));
  if (region && gap) {
    CombineRgn(region.Get(), region.Get(), gap.Get(), RGN_DIFF);
    platform::SetWindowRegion(AForm->Handle(), std::move(region), platform::TRegionRedraw::rrNone);
  }
}

void TacBorderForm::ApplyFormRegion() {
  HWND form = OwnerHandle();
  RECT client{};
  GetClientRect(form, &client);
  MapWindowPoints(form, nullptr, reinterpret_cast<POINT*>(&client), 2);
  const TRect window = WindowRectOf(form);
  platform::ScopedRegion region(CreateRectRgn(client.left - window.Left, client.top - window.Top,
                                              client.right - window.Left,
                                              client.bottom - window.Top));
  if (region &&
      platform::SetWindowRegion(form, std::move(region), platform::TRegionRedraw::rrRedraw))
    MainRgnReady = true;
}

void TacBorderForm::UpdateExBordersPos(bool redraw, uint8_t blend) {
  if (Locked || ExBorderShowing) return;
  HWND form = OwnerHandle();
  if (!form || !IsWindow(form)) return;
  if (!IsWindowVisible(form) || IsIconic(form)) {
    // Nothing of the border may stay on the screen without its form.
    FreeForms();
    FImageChanged = true;
    return;
  }
  TScopedFlag busy(ExBorderShowing);
  CreateNewForm();
  if (!AForm || !AForm->Handle() || !FShadow || !FShadow->Handle()) return;
  const TacBorderFrame frame = FOwner.Describe();
  const TRect at = BorderWindowRect(WindowRectOf(form), frame.Metrics);
  if (FImageChanged) {
    FOwner.PaintAll();
    FImageChanged = false;
    redraw = true;
  }
  const TRect now = WindowRectOf(AForm->Handle());
  const bool resized = now.Width() != at.Width() || now.Height() != at.Height();
  const bool showing = IsWindowVisible(AForm->Handle()) != FALSE;
  const uint8_t opacity = frame.Opacity < 255 ? frame.Opacity : blend;
  // Showing, sizing and activating a form send several messages that each
  // ask for the picture, most of them for one the windows already show.
  const bool current = showing && FPresented == TPresented{FOwner.ImageVersion(), at, opacity};
  if (current || redraw || resized || !showing) {
    if (!current) Render(frame, at, opacity);
    // UpdateLayeredWindow has moved and sized both; only the z-order and
    // the showing may be left to do.
    if (!InPlace() || InsertAfter() == HWND_TOPMOST)
      Place(InsertAfter(), at, SWP_NOMOVE | SWP_NOSIZE);
    if (!MainRgnReady) ApplyFormRegion();
    return;
  }
  // A pure move: only the position changes.
  Place(InsertAfter(), at, SWP_NOSIZE | SWP_NOREDRAW);
}

void TacBorderForm::FormMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NCACTIVATE:
    case WM_SETTEXT:
    case WM_SETICON:
    case WM_STYLECHANGED:
      MarkImageChanged();
      UpdateExBordersPos(true);
      break;
    case WM_ACTIVATEAPP:
      UpdateExBordersPos(false);
      break;
    case WM_SIZE:
      if (wParam == SIZE_MINIMIZED) {
        FreeForms();
      } else {
        MarkImageChanged();
        UpdateExBordersPos(true);
        // The form shows its new client area, no more and no less.
        if (MainRgnReady) ApplyFormRegion();
      }
      break;
    case WM_SHOWWINDOW:
      if (!wParam) FreeForms();
      break;
    case WM_WINDOWPOSCHANGED: {
      const auto* wp = reinterpret_cast<const WINDOWPOS*>(lParam);
      if (wp->flags & SWP_HIDEWINDOW) {
        FreeForms();
      } else if (wp->flags & SWP_SHOWWINDOW) {
        MarkImageChanged();
        UpdateExBordersPos(true);
      } else if ((wp->flags & (SWP_NOMOVE | SWP_NOSIZE)) == (SWP_NOMOVE | SWP_NOSIZE)) {
        // Only the z-order changed: the border goes back directly above it.
        if (!(wp->flags & SWP_NOZORDER) && AForm && !ExBorderShowing) {
          TScopedFlag busy(ExBorderShowing);
          Place(InsertAfter(), TRect(), SWP_NOMOVE | SWP_NOSIZE);
        }
      } else {
        UpdateExBordersPos(false);
      }
      break;
    }
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_MINIMIZE:
        case SC_MAXIMIZE:
        case SC_RESTORE:
          MarkImageChanged();
          UpdateExBordersPos(true);
          break;
        default:
          break;
      }
      break;
    case WM_DESTROY:
      FreeForms();
      break;
    default:
      break;
  }
}

void TacBorderForm::SetCursorFor(int32_t code) const {
  const wchar_t* shape = IDC_ARROW;
  switch (code) {
    case kHitLeft:
    case kHitRight:
      shape = IDC_SIZEWE;
      break;
    case kHitTop:
    case kHitBottom:
      shape = IDC_SIZENS;
      break;
    case kHitTopLeft:
    case kHitBottomRight:
      shape = IDC_SIZENWSE;
      break;
    case kHitTopRight:
    case kHitBottomLeft:
      shape = IDC_SIZENESW;
      break;
    default:
      break;
  }
  SetCursor(LoadCursorW(nullptr, shape));
}

bool TacBorderForm::BorderMessage(UINT msg, WPARAM, LPARAM lParam, LRESULT& result) {
  HWND form = OwnerHandle();
  if (!form || !AForm) return false;
  auto borderPoint = [this](TPoint screen) {
    return screen - WindowRectOf(AForm->Handle()).TopLeft();
  };
  auto cursor = [] {
    POINT p{};
    GetCursorPos(&p);
    return TPoint{p.x, p.y};
  };
  switch (msg) {
    case WM_NCHITTEST:
      result =
          InTransparentZone(borderPoint(ScreenPoint(lParam))) ? HTTRANSPARENT : kHitBorderWindow;
      return true;
    case WM_SETCURSOR: {
      const TPoint at = cursor();
      if (InTransparentZone(borderPoint(at))) return false;
      const int32_t code = Ex_WMNCHitTest(at);
      switch (code) {
        case kHitCaption:
        case kHitMenu:
        case kHitLeft:
        case kHitRight:
        case kHitTop:
        case kHitBottom:
        case kHitTopLeft:
        case kHitTopRight:
        case kHitBottomLeft:
        case kHitBottomRight:
          SetCursorFor(code);
          result = TRUE;
          return true;
        default:
          return false;
      }
    }
    case WM_MOUSEACTIVATE:
      if (IsWindowEnabled(form) && !(GetWindowLongW(form, GWL_EXSTYLE) & WS_EX_NOACTIVATE))
        SetForegroundWindow(form);
      result = MA_NOACTIVATE;
      return true;
    case WM_SETFOCUS:
      if (IsWindowVisible(form) && IsWindowEnabled(form)) SetFocus(form);
      return true;
    case WM_ERASEBKGND:
      result = 1;
      return true;
    case WM_NCPAINT:
      return true;
    case WM_NCMOUSEMOVE: {
      if (!FTrackingLeave) {
        TRACKMOUSEEVENT t{sizeof(t), TME_LEAVE | TME_NONCLIENT, AForm->Handle(), 0};
        FTrackingLeave = TrackMouseEvent(&t) != FALSE;
      }
      const int32_t code = Ex_WMNCHitTest(ScreenPoint(lParam));
      FOwner.SetHotButton(IsHotButtonCode(code) ? code : 0);
      if (MaxMoving) DragMaximized(ScreenPoint(lParam));
      result = code;
      return true;
    }
    case WM_NCMOUSELEAVE:
      // No caption button stays lit once the mouse left the frame.
      FTrackingLeave = false;
      FOwner.SetHotButton(0);
      return true;
    case WM_MOUSEMOVE:
      // The border window holds the mouse between a press on a maximized
      // form's caption and the drag that restores it.
      if (!MaxMoving) return false;
      DragMaximized(ClientToScreenPoint(lParam));
      return true;
    case WM_LBUTTONUP:
      if (!MaxMoving) return false;
      MaxMoving = false;
      ReleaseCapture();
      return true;
    case WM_NCLBUTTONDOWN: {
      const TPoint p = ScreenPoint(lParam);
      if (InTransparentZone(borderPoint(p))) return true;
      const int32_t code = Ex_WMNCHitTest(p);
      if (code == kHitCaption && IsZoomed(form)) {
        MaxMoving = true;
        LastMousePos = p;
        SetCapture(AForm->Handle());
        return true;
      }
      if (code == kHitSysMenu) {
        SendMessageW(form, WM_NCLBUTTONDOWN, kHitSysMenu, lParam);
      } else {
        Forward(form, WM_NCLBUTTONDOWN, lParam);
      }
      return true;
    }
    case WM_NCLBUTTONUP:
      if (InTransparentZone(borderPoint(ScreenPoint(lParam)))) return true;
      MaxMoving = false;
      Forward(form, WM_NCLBUTTONUP, lParam);
      return true;
    case WM_NCLBUTTONDBLCLK:
      MaxMoving = false;
      DoubleClick(Ex_WMNCHitTest(ScreenPoint(lParam)));
      return true;
    case WM_NCRBUTTONDOWN:
      if (InTransparentZone(borderPoint(ScreenPoint(lParam)))) return true;
      SendMessageW(form, WM_NCRBUTTONDOWN, static_cast<WPARAM>(Ex_WMNCHitTest(ScreenPoint(lParam))),
                   lParam);
      return true;
    case WM_NCRBUTTONUP:
      if (InTransparentZone(borderPoint(ScreenPoint(lParam)))) return true;
      Forward(form, WM_NCRBUTTONUP, lParam);
      return true;
    case WM_DPICHANGED:
      result = 1;
      return true;
    default:
      return false;
  }
}

TPoint TacBorderForm::ClientToScreenPoint(LPARAM lParam) const {
  POINT p{static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam))};
  ClientToScreen(AForm->Handle(), &p);
  return {p.x, p.y};
}

void TacBorderForm::DragMaximized(TPoint p) {
  HWND form = OwnerHandle();
  if (!IsZoomed(form)) {
    MaxMoving = false;
    ReleaseCapture();
    return;
  }
  if (std::abs(p.X - LastMousePos.X) <= 5 && std::abs(p.Y - LastMousePos.Y) < 6) return;
  MaxMoving = false;
  ReleaseCapture();
  {
    TScopedFlag busy(ExBorderShowing);
    ShowWindow(form, SW_RESTORE);
    // Restored under the mouse: centred on it, the caption 8 pixels below
    // its top, or at the screen's top edge when the mouse is that high.
    const TRect r = WindowRectOf(form);
    const int32_t y = p.Y >= 0 && p.Y <= 24 ? -8 : p.Y - 8;
    SetWindowPos(form, nullptr, p.X - r.Width() / 2, y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  MarkImageChanged();
  UpdateExBordersPos(true);
  // The drag goes on as a caption press at the mouse, whatever lies under
  // it now: near the screen's top the restored form sits above the mouse.
  SendMessageW(form, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(p.X, p.Y));
}

bool TacBorderForm::ForwardingTo(HWND form) {
  return form && tForwardingTo == form && !InSendMessage();
}

void TacBorderForm::Forward(HWND form, UINT msg, LPARAM lParam) {
  // Kept on the stack, not in the object: the form (and this window with it)
  // may be gone when the message returns, after a release on Close.
  const HWND outer = std::exchange(tForwardingTo, form);
  SendMessageW(form, msg, static_cast<WPARAM>(-1), lParam);
  tForwardingTo = outer;
}

void TacBorderForm::DoubleClick(int32_t code) {
  HWND form = OwnerHandle();
  const TacBorderFrame frame = FOwner.Describe();
  const bool iconic = IsIconic(form) != FALSE;
  const bool framed = (GetWindowLongW(form, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME)) != 0;
  const bool sizeable = (GetWindowLongW(form, GWL_STYLE) & WS_THICKFRAME) != 0;
  switch (code) {
    case kHitCaption:
      if ((frame.SystemMenu && (frame.MaximizeEnabled || frame.RestoreEnabled)) ||
          (!framed && iconic)) {
        SendMessageW(form, WM_SYSCOMMAND, IsZoomed(form) || iconic ? SC_RESTORE : SC_MAXIMIZE, 0);
      } else if (iconic) {
        SendMessageW(form, WM_SYSCOMMAND, SC_RESTORE, 0);
      }
      break;
    case kHitSysMenu:
      SendMessageW(form, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
    case kHitLeft:
    case kHitRight:
      if (sizeable) ToggleMaximized(true);
      break;
    case kHitTop:
    case kHitBottom:
      if (sizeable) ToggleMaximized(false);
      break;
    default:
      break;
  }
}

void TacBorderForm::ToggleMaximized(bool horizontal) {
  HWND form = OwnerHandle();
  const TBorderMetrics m = FOwner.Describe().Metrics;
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  GetMonitorInfoW(MonitorFromWindow(form, MONITOR_DEFAULTTONEAREST), &mi);
  const TRect work = TRect::LTRB(mi.rcWork.left, mi.rcWork.top, mi.rcWork.right, mi.rcWork.bottom);
  // The extended frame reaches e past the form at the sides and g above it.
  const int32_t e = m.BorderWidth - m.SysFrameWidth;
  const int32_t g = m.CaptionHeight - m.SysCaptionHeight - m.SysFrameWidth;
  TRect r = WindowRectOf(form);
  const uint32_t bit = horizontal ? 0x8000u : 0x4000u;
  if (FFormState & bit) {
    if (horizontal)
      r = TRect::XYWH(FSavedBounds.Left, r.Top, FSavedBounds.Width(), r.Height());
    else
      r = TRect::XYWH(r.Left, FSavedBounds.Top, r.Width(), FSavedBounds.Height());
    FFormState &= ~bit;
  } else {
    if (horizontal) {
      FSavedBounds.Left = r.Left;
      FSavedBounds.Right = r.Right;
      r = TRect::XYWH(work.Left + e, r.Top, work.Width() - 2 * e, r.Height());
    } else {
      FSavedBounds.Top = r.Top;
      FSavedBounds.Bottom = r.Bottom;
      r = TRect::XYWH(r.Left, work.Top + g, r.Width(), work.Height() - g - e);
    }
    FFormState |= bit;
  }
  SetWindowPos(form, nullptr, r.Left, r.Top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace ac
